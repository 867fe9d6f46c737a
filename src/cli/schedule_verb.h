// vanbrisk-cli schedule: a Windows scheduled task, made with schtasks.exe,
// that runs the installed program in quiet mode ("vanbrisk.exe /AUTO").
//
//   schedule daily [--at H:MM]                 make (or replace) the task; 12:00 by default
//   schedule weekly [--day DAY] [--at H:MM]    the same once a week, on Mondays by default
//   schedule logon                             the same, at each logon
//   schedule remove                            delete the task
//   schedule show                              print the task
//
// Quiet mode stops at the first-clean warning, deleting nothing, for as long
// as the user has not turned the warning off; a task made then would do
// nothing every time. So the three forms that make a task refuse (exit 3)
// while the warning stands, unless --accept-warning is given, which turns it
// off as "Do Not Show Me This Message Again..." in the warning does.
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
// be started. quiet: only the exit code is wanted, the output is dropped.
using CommandRunner =
    std::function<std::optional<int>(const std::string& commandLine, bool quiet)>;

// The arguments that follow "schedule", read.
struct ScheduleRequest {
  enum class What { kCreate, kRemove, kShow };
  What what = What::kShow;
  std::string when;  // for kCreate: schtasks' schedule options, "/SC DAILY /ST 09:30"
  bool acceptWarning = false;
};

// Fails, saying why, for arguments that are not one of the forms above.
// Times are taken as H:MM or HH:MM and given to schtasks as HH:MM; days
// as MON to SUN in any letter case.
[[nodiscard]] Result<ScheduleRequest> ReadScheduleArgs(const std::vector<std::string>& args);

// The schtasks.exe command lines; programPath is the full path of vanbrisk.exe.
[[nodiscard]] std::string CreateTaskCommandLine(const std::string& programPath,
                                                const std::string& when);
[[nodiscard]] std::string DeleteTaskCommandLine();
// verbose: every field of the task, as a list; otherwise only whether it exists.
[[nodiscard]] std::string QueryTaskCommandLine(bool verbose);

// The verb: builds the command lines for vanbrisk.exe in the platform's
// program folder and hands them to run.
int RunScheduleVerb(platform::Platform& platform, const CommandRunner& run,
                    const std::vector<std::string>& args, VerbIo io);

// How vanbrisk-cli runs schtasks.exe on its platform. On Windows: runs the
// command line and waits for it, its output going where vanbrisk-cli's
// goes (or nowhere when quiet). On an emulated machine: a task made or
// deleted is recorded through the platform's Launch, which runs nothing,
// and printed to out; a query is answered from that record.
[[nodiscard]] CommandRunner SystemCommandRunner(platform::Platform& platform, std::ostream& out);

}  // namespace vb::cli
