#include "cli/schedule_verb.h"

#include <cctype>

#include "app/group_policy.h"
#include "platform/ascii_case.h"
#include "registry/settings_store.h"

namespace vb::cli {

namespace {

namespace settings = registry::settings;

constexpr const char* kUsage =
    "usage: vanbrisk-cli schedule daily [--at H:MM] [--accept-warning]\n"
    "       vanbrisk-cli schedule weekly [--day MON..SUN] [--at H:MM] [--accept-warning]\n"
    "       vanbrisk-cli schedule logon [--accept-warning]\n"
    "       vanbrisk-cli schedule remove|show\n";

// The setting that "Do Not Show Me This Message Again..." stores: while it
// is empty, every Run Cleaner (quiet mode's too) stops at the warning.
constexpr const char* kWarningOff = "Cleaner Warning";

// The forms that make a task: schtasks' schedule type, and which options
// the form takes.
struct Form {
  const char* name;
  const char* type;
  bool takesTime;
  bool takesDay;
};
constexpr Form kForms[] = {
    {"daily", "DAILY", true, false},
    {"weekly", "WEEKLY", true, true},
    {"logon", "ONLOGON", false, false},
};

constexpr const char* kDays[] = {"MON", "TUE", "WED", "THU", "FRI", "SAT", "SUN"};

// "H:MM" or "HH:MM" on a 24-hour clock, as "HH:MM"; null for anything else.
std::optional<std::string> ClockTime(const std::string& time) {
  std::size_t colon = time.find(':');
  if (colon != 1 && colon != 2) return std::nullopt;
  if (time.size() != colon + 3) return std::nullopt;
  for (std::size_t i = 0; i < time.size(); ++i)
    if (i != colon && !std::isdigit(static_cast<unsigned char>(time[i]))) return std::nullopt;
  int hours = std::stoi(time.substr(0, colon));
  int minutes = std::stoi(time.substr(colon + 1));
  if (hours > 23 || minutes > 59) return std::nullopt;
  return (hours < 10 ? "0" : "") + std::to_string(hours) + time.substr(colon);
}

std::optional<std::string> Day(const std::string& day) {
  for (const char* d : kDays)
    if (platform::EqualsIgnoringCase(day, d)) return d;
  return std::nullopt;
}

std::string TaskOption() { return std::string("/TN \"") + kTaskName + "\""; }

// The exit code of a schtasks.exe run, as the verb's.
int Ended(std::optional<int> status, VerbIo io) {
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

}  // namespace

Result<ScheduleRequest> ReadScheduleArgs(const std::vector<std::string>& args) {
  if (args.empty()) return Fail("schedule needs daily, weekly, logon, remove or show");
  const std::string& what = args[0];
  ScheduleRequest request;
  if (what == "remove" || what == "show") {
    if (args.size() != 1) return Fail("schedule " + what + " takes no arguments");
    request.what = what == "remove" ? ScheduleRequest::What::kRemove : ScheduleRequest::What::kShow;
    return request;
  }
  const Form* form = nullptr;
  for (const Form& f : kForms)
    if (what == f.name) form = &f;
  if (!form) return Fail("unknown schedule " + what);
  request.what = ScheduleRequest::What::kCreate;
  std::optional<std::string> at, day;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--accept-warning") {
      request.acceptWarning = true;
      continue;
    }
    bool time = arg == "--at", weekday = arg == "--day";
    if ((time && !form->takesTime) || (weekday && !form->takesDay))
      return Fail("schedule " + what + " takes no " + (time ? "time" : "day") + ": it runs " +
                  (form->takesTime ? "every day" : "at each logon"));
    if (!time && !weekday)
      return Fail("unknown option " + arg + " of schedule " + what);
    std::optional<std::string>& into = time ? at : day;
    if (into) return Fail(arg + " is given twice");
    into = i + 1 < args.size() ? (time ? ClockTime(args[i + 1]) : Day(args[i + 1])) : std::nullopt;
    if (!into)
      return Fail(time ? "--at takes a time as H:MM or HH:MM, such as 9:30 or 21:30"
                       : "--day takes MON, TUE, WED, THU, FRI, SAT or SUN");
    ++i;
  }
  request.when = std::string("/SC ") + form->type;
  if (form->takesDay) request.when += " /D " + day.value_or(kDays[0]);
  if (form->takesTime) request.when += " /ST " + at.value_or("12:00");
  return request;
}

std::string CreateTaskCommandLine(const std::string& programPath, const std::string& when) {
  // The task's command: the program's quoted path and quiet mode, its inner
  // quotes escaped as schtasks reads them.
  return "schtasks.exe /Create /F " + TaskOption() + " /TR \"\\\"" + programPath + "\\\" /AUTO\" " +
         when;
}

std::string DeleteTaskCommandLine() { return "schtasks.exe /Delete " + TaskOption() + " /F"; }

std::string QueryTaskCommandLine(bool verbose) {
  return "schtasks.exe /Query " + TaskOption() + (verbose ? " /V /FO LIST" : "");
}

int RunScheduleVerb(platform::Platform& platform, const CommandRunner& run,
                    const std::vector<std::string>& args, VerbIo io) {
  Result<ScheduleRequest> request = ReadScheduleArgs(args);
  if (!request) {
    io.err << "schedule: " << request.message() << "\n" << kUsage;
    return kExitUsage;
  }
  io.out.flush();
  if (request->what != ScheduleRequest::What::kCreate) {
    // schtasks itself would only say that it cannot find the file.
    std::optional<int> found = run(QueryTaskCommandLine(false), true);
    if (found && *found != 0) {
      io.err << "schedule: no scheduled task \"" << kTaskName << "\"\n";
      return kExitFailed;
    }
    if (!found) return Ended(found, io);
    bool remove = request->what == ScheduleRequest::What::kRemove;
    return Ended(run(remove ? DeleteTaskCommandLine() : QueryTaskCommandLine(true), false), io);
  }
  if (request->acceptWarning) {
    win::LONG rc = settings::SaveSetting(platform.Registry(), settings::kAppName,
                                         settings::kSettings, kWarningOff, "1");
    if (rc != win::kErrorSuccess) {
      io.err << "schedule: the acceptance of the first-clean warning could not be stored "
                "(error "
             << rc << "); nothing was scheduled\n";
      return kExitFailed;
    }
  } else if (settings::ReadSetting(platform, settings::kSettings, kWarningOff).empty() &&
             !app::ReadGroupPolicy(platform.Registry()).warningAccepted) {
    io.err << "schedule: the first-clean warning has not been turned off, and quiet mode would "
              "stop at it every time, deleting nothing; nothing was scheduled. Add "
              "--accept-warning to turn it off (as \"Do Not Show Me This Message Again...\" "
              "in the warning does)\n";
    return kExitStopped;
  }
  std::string program = platform.System().ProgramFolder() + "\\vanbrisk.exe";
  return Ended(run(CreateTaskCommandLine(program, request->when), false), io);
}

}  // namespace vb::cli
