#include "cli/schedule_verb.h"

#include <cctype>

namespace vb::cli {

namespace {

constexpr const char* kUsage =
    "usage: vanbrisk-cli schedule daily|weekly [--at HH:MM]\n"
    "       vanbrisk-cli schedule logon|remove|show\n";

// "HH:MM" on a 24-hour clock, both parts of two digits.
bool ValidTime(const std::string& time) {
  if (time.size() != 5 || time[2] != ':') return false;
  for (int i : {0, 1, 3, 4})
    if (!std::isdigit(static_cast<unsigned char>(time[i]))) return false;
  int hours = (time[0] - '0') * 10 + (time[1] - '0');
  int minutes = (time[3] - '0') * 10 + (time[4] - '0');
  return hours < 24 && minutes < 60;
}

}  // namespace

Result<std::string> ScheduleCommandLine(const std::string& programPath,
                                        const std::vector<std::string>& args) {
  if (args.empty()) return Fail("schedule needs daily, weekly, logon, remove or show");
  const std::string& what = args[0];
  std::string task = std::string("/TN \"") + kTaskName + "\"";
  if (what == "remove" || what == "show") {
    if (args.size() != 1) return Fail("schedule " + what + " takes no arguments");
    return what == "remove" ? "schtasks.exe /Delete " + task + " /F"
                            : "schtasks.exe /Query " + task + " /V /FO LIST";
  }
  std::string when;
  if (what == "daily" || what == "weekly") {
    std::string at = "12:00";
    if (args.size() == 3 && args[1] == "--at") {
      if (!ValidTime(args[2])) return Fail("--at takes a time as HH:MM, such as 21:30");
      at = args[2];
    } else if (args.size() != 1) {
      return Fail("schedule " + what + " takes only --at HH:MM");
    }
    when = (what == "daily" ? "/SC DAILY /ST " : "/SC WEEKLY /ST ") + at;
  } else if (what == "logon") {
    if (args.size() != 1) return Fail("schedule logon takes no time: it runs at each logon");
    when = "/SC ONLOGON";
  } else {
    return Fail("unknown schedule " + what);
  }
  // The task's command: the program's quoted path and quiet mode, its inner
  // quotes escaped as schtasks reads them.
  return "schtasks.exe /Create /F " + task + " /TR \"\\\"" + programPath + "\\\" /AUTO\" " + when;
}

int RunScheduleVerb(platform::Platform& platform, const CommandRunner& run,
                    const std::vector<std::string>& args, VerbIo io) {
  Result<std::string> command =
      ScheduleCommandLine(platform.System().ProgramFolder() + "\\vanbrisk.exe", args);
  if (!command) {
    io.err << "schedule: " << command.message() << "\n" << kUsage;
    return kExitUsage;
  }
  io.out.flush();
  std::optional<int> status = run(*command);
  if (!status) {
    io.err << "schedule: schtasks.exe could not be started\n";
    return kExitFailed;
  }
  if (*status != 0) {
    io.err << "schedule: schtasks.exe ended with exit code " << *status << "\n";
    return kExitFailed;
  }
  return kExitOk;
}

}  // namespace vb::cli
