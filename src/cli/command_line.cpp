#include "cli/command_line.h"

#include <ostream>

#include "app/program.h"
#include "cli/attrib_verb.h"
#include "cli/list_verb.h"
#include "cli/machine_verbs.h"
#include "cli/policy_verb.h"
#include "cli/reg_verbs.h"
#include "cli/run_verbs.h"
#include "cli/schedule_verb.h"
#include "cli/verb_changes.h"
#include "cli/verb_help.h"
#include "cli/winapp2_verb.h"
#include "product/version.h"

namespace vb::cli {

namespace {

struct Options {
  std::string folder;
  bool explicitFolder = false;
};

// A verb that works on the machine, once it is open.
int RunOnMachine(const std::string& verb, const std::vector<std::string>& rest,
                 ChosenPlatform& machine, const Host& host, VerbIo io) {
  if (IsProgramVerb(verb) || verb == "list" || verb == "policy") {
    app::Program program(machine.get());
    if (verb == "list") return RunListVerb(program, &machine.ui(), rest, io);
    if (verb == "policy") return RunPolicyVerb(program, &machine.ui(), rest, io);
    return RunProgramVerb(verb, program, &machine.ui(), rest, io);
  }
  if (verb == "schedule")
    return RunScheduleVerb(machine.get(), host.commandRunner(machine.get(), io.out), rest, io);
  if (verb == "reg") return RunRegVerb(machine.get(), rest, io);
  if (verb == "attrib") return RunAttribVerb(machine.get(), rest, io);
  if (verb == "winapp2") return RunWinapp2Verb(machine.get(), rest, io);
  return RunCacheVerb(machine.get(), rest, io);
}

// The verb, with its options before it taken off args.
int RunVerb(std::vector<std::string> args, const Host& host, VerbIo io) {
  Options options;
  while (!args.empty()) {
    if (args[0] == "--machine") {
      if (args.size() < 2) {
        io.err << "--machine needs a folder\n" << ProgramHelpText();
        return kExitUsage;
      }
      options.folder = args[1];
      options.explicitFolder = true;
      args.erase(args.begin(), args.begin() + 2);
    } else if (args[0] == "--verbose" || args[0] == "--quiet") {
      (args[0] == "--verbose" ? io.verbose : io.quiet) = true;
      args.erase(args.begin());
    } else {
      break;
    }
  }
  if (args.empty()) {
    io.err << ProgramHelpText();
    return kExitUsage;
  }
  const std::string verb = args[0];
  std::vector<std::string> rest(args.begin() + 1, args.end());
  if (verb == "--version") {
    io.out << "vanbrisk-cli " << product::kVersion << "\n";
    return kExitOk;
  }
  if (IsHelpWord(verb) || (verb == "help" && rest.empty())) {
    io.out << ProgramHelpText();
    return kExitOk;
  }
  if (verb == "help") {
    // "help --help" is the help of help.
    const VerbHelp* help =
        rest.size() != 1 ? nullptr : FindVerbHelp(IsHelpWord(rest[0]) ? verb : rest[0]);
    if (!help) {
      io.err << "help: unknown verb " << rest[0] << "\n" << UsageLines("help");
      return kExitUsage;
    }
    io.out << VerbHelpText(*help);
    return kExitOk;
  }
  if (Result<> spelt = CheckQuietModeSpelling(verb); !spelt) {
    io.err << spelt.message();
    return kExitUsage;
  }
  const VerbHelp* help = FindVerbHelp(verb);
  if (!help) {
    io.err << "unknown verb " << verb << "\n" << ProgramHelpText();
    return kExitUsage;
  }
  // A help word anywhere after the verb; reg, as reg.exe, describes one
  // operation itself ("reg add /?").
  bool wantsHelp = false;
  for (std::size_t i = 0; i < rest.size() && !wantsHelp; ++i)
    wantsHelp = IsHelpWord(rest[i]) && (verb != "reg" || i == 0);
  if (wantsHelp) {
    io.out << VerbHelpText(*help);
    return kExitOk;
  }

  if (!options.explicitFolder) options.folder = host.defaultFolder();
  if (verb == "machine") return host.machineVerb(options.folder, rest, io);
  if (verb == "prefixes") {
    if (options.explicitFolder) {
      io.err << "prefixes finds the prefixes itself: it takes no --machine\n";
      return kExitUsage;
    }
    return host.prefixesVerb(rest, io);
  }
  if (options.explicitFolder && !host.emulated) {
    io.err << "--machine has no meaning on Windows: vanbrisk-cli works on this machine\n";
    return kExitUsage;
  }
  // The default machine is created on first use; a named one must exist.
  auto opened = host.open(options.folder, !options.explicitFolder, io.err);
  if (!opened) {
    io.err << opened.message() << "\n";
    return kExitFailed;
  }
  std::unique_ptr<ChosenPlatform> machine = std::move(*opened);
  const bool changes = VerbChangesMachine(verb, rest);
  if (changes) {
    if (Result<> held = machine->holdForChanges(); !held) {
      io.err << "vanbrisk-cli: " << held.message() << "\n";
      return kExitFailed;
    }
  } else if (std::string busy = machine->inUse(); !busy.empty()) {
    io.err << "vanbrisk-cli: " << busy << "\n";
  }
  int code = RunOnMachine(verb, rest, *machine, host, io);
  if (changes) {
    if (Result<> finished = machine->finishChanges(); !finished) {
      io.out.flush();
      io.err << "vanbrisk-cli: " << finished.message() << "\n";
      return kExitFailed;
    }
  }
  return code;
}

}  // namespace

int RunCommandLine(std::vector<std::string> args, const Host& host, VerbIo io) {
  // The verbs write the program's text as it is: it is in the code page the
  // host's terminal speaks (UTF-8 on Linux, the process's ANSI code page on
  // Windows, whose console is set to it).
  VerbIo verbIo{io.in, io.out, io.err, io.verbose, io.quiet, host.errIsTerminal};
  int code = RunVerb(std::move(args), host, verbIo);
  // A report that did not reach its file is no report: the status says so.
  io.out.flush();
  if (!io.out) {
    io.err << "vanbrisk-cli: standard output could not be written; what it holds is incomplete\n";
    code = kExitFailed;
  }
  io.err.flush();
  return code;
}

}  // namespace vb::cli
