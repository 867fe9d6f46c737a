// schtasks.exe on an emulated machine: nothing is scheduled or run. A task
// made or deleted is recorded through the machine's Launch, and a query is
// answered from those records, replayed in their order.
#include <map>

#include "cli/schedule_verb.h"
#include "platform/ascii_case.h"
#include "platform/emulated/emulated_system.h"
#include "platform/emulated/machine.h"

namespace vb::cli {

namespace {

// A command line cut into its arguments as Windows programs read theirs:
// blanks separate them outside quotes, \" is a quote inside an argument.
std::vector<std::string> Arguments(const std::string& line) {
  std::vector<std::string> args;
  std::string current;
  bool quoted = false, any = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    char c = line[i];
    if (c == '\\' && i + 1 < line.size() && line[i + 1] == '"') {
      current += '"';
      ++i;
    } else if (c == '"') {
      quoted = !quoted;
    } else if (c == ' ' && !quoted) {
      if (any) args.push_back(current);
      current.clear();
      any = false;
      continue;
    } else {
      current += c;
    }
    any = true;
  }
  if (any) args.push_back(current);
  return args;
}

// One schtasks.exe command line: its operation (Create, Delete, Query) and
// each option with the argument after it ("" for one without).
struct Schtasks {
  std::string operation;
  std::map<std::string, std::string> options;  // by the option's name in lower case

  bool Has(const char* option) const { return options.count(platform::FoldAscii(option)) != 0; }
  std::string Option(const char* option) const {
    auto found = options.find(platform::FoldAscii(option));
    return found == options.end() ? std::string() : found->second;
  }
};

std::optional<Schtasks> Read(const std::string& line) {
  std::vector<std::string> args = Arguments(line);
  if (args.size() < 2 || !platform::EqualsIgnoringCase(args[0], "schtasks.exe")) return std::nullopt;
  Schtasks command{args[1].substr(1), {}};
  for (std::size_t i = 2; i < args.size(); ++i) {
    bool valued = i + 1 < args.size() && args[i + 1].rfind('/', 0) != 0;
    command.options[platform::FoldAscii(args[i])] = valued ? args[i + 1] : "";
    if (valued) ++i;
  }
  return command;
}

// The task of that name as the records leave it: the options it was made
// with, or null when it was never made or was deleted since.
std::optional<Schtasks> RecordedTask(emu::Machine& machine, const std::string& name) {
  std::optional<Schtasks> task;
  for (const emu::LaunchedProgram& launched : machine.Sys().Launched()) {
    std::optional<Schtasks> command = Read(launched.commandLine);
    if (!command || !platform::EqualsIgnoringCase(command->Option("/TN"), name)) continue;
    if (platform::EqualsIgnoringCase(command->operation, "Create")) task = command;
    if (platform::EqualsIgnoringCase(command->operation, "Delete")) task.reset();
  }
  return task;
}

// The task's fields, as schtasks /Query /V /FO LIST names them.
void Show(const Schtasks& task, std::ostream& out) {
  static constexpr std::pair<const char*, const char*> kTypes[] = {
      {"DAILY", "Daily"}, {"WEEKLY", "Weekly"}, {"ONLOGON", "At logon time"}};
  std::string type = task.Option("/SC");
  for (const auto& [option, shown] : kTypes)
    if (platform::EqualsIgnoringCase(type, option)) type = shown;
  out << "TaskName:      \\" << task.Option("/TN") << "\n"
      << "Task To Run:   " << task.Option("/TR") << "\n"
      << "Schedule Type: " << type << "\n";
  if (task.Has("/D")) out << "Days:          " << task.Option("/D") << "\n";
  if (task.Has("/ST")) out << "Start Time:    " << task.Option("/ST") << "\n";
  out << "(recorded on this emulated machine; nothing runs it)\n";
}

}  // namespace

CommandRunner SystemCommandRunner(platform::Platform& platform, std::ostream& out) {
  auto* machine = dynamic_cast<emu::Machine*>(&platform);
  return [machine, &out](const std::string& commandLine, bool quiet) -> std::optional<int> {
    std::optional<Schtasks> command = Read(commandLine);
    if (!machine || !command) return std::nullopt;
    std::optional<Schtasks> task = RecordedTask(*machine, command->Option("/TN"));
    bool create = platform::EqualsIgnoringCase(command->operation, "Create");
    // As schtasks.exe: a task that is not there can be neither shown nor deleted.
    if (!create && !task) return 1;
    if (platform::EqualsIgnoringCase(command->operation, "Query")) {
      if (!quiet) Show(*task, out);
      return 0;
    }
    if (machine->System().Launch(commandLine, 1) != 0) return std::nullopt;
    if (!quiet) out << "recorded, not run (emulated machine): " << commandLine << "\n";
    return 0;
  };
}

}  // namespace vb::cli
