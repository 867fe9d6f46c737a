// vanbrisk-cli schedule: a Windows scheduled task, made with schtasks.exe,
// that runs the installed program in quiet mode ("vanbrisk.exe /AUTO").
//
//   schedule daily|weekly [--at HH:MM]   make (or replace) the task; 12:00 by default
//   schedule logon                       the same, at each logon
//   schedule remove                      delete the task
//   schedule show                        print the task as schtasks shows it
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/result.h"
#include "cli/verb_io.h"
#include "platform/platform.h"

namespace vb::cli {

// The name of the task in the Task Scheduler.
inline constexpr const char* kTaskName = "Vanbrisk Scheduled Clean";

// Runs a command line to its end: its exit code, or null when it could not
// be started.
using CommandRunner = std::function<std::optional<int>(const std::string& commandLine)>;

// The schtasks.exe command line for the arguments that follow "schedule";
// programPath is the full path of vanbrisk.exe. Fails, saying why, for
// arguments that are not one of the forms above.
[[nodiscard]] Result<std::string> ScheduleCommandLine(const std::string& programPath,
                                                      const std::vector<std::string>& args);

// The verb: builds the command line for vanbrisk.exe in the platform's
// program folder and hands it to run.
int RunScheduleVerb(platform::Platform& platform, const CommandRunner& run,
                    const std::vector<std::string>& args, VerbIo io);

// How vanbrisk-cli runs schtasks.exe on its platform. On Windows: runs the
// command line and waits for it, its output going where vanbrisk-cli's
// goes. On an emulated machine: the command line is recorded through the
// platform's Launch, which runs nothing, and printed to out.
[[nodiscard]] CommandRunner SystemCommandRunner(platform::Platform& platform, std::ostream& out);

}  // namespace vb::cli
