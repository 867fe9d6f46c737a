// vanbrisk-cli: the headless front end.
#include <iostream>
#include <string>
#include <vector>

#include "app/program.h"
#include "cli/attrib_verb.h"
#include "cli/list_verb.h"
#include "cli/machine_verbs.h"
#include "cli/reg_verbs.h"
#include "cli/platform_choice.h"
#include "cli/run_verbs.h"
#include "cli/schedule_verb.h"
#include "cli/winapp2_verb.h"

namespace {

constexpr const char* kUsage =
    "usage: vanbrisk-cli [--machine DIR] VERB ...\n"
    "verbs:\n"
    "  analyze [--select NAME[,NAME...]] [--json]\n"
    "                                              start the program, press Analyze, print the\n"
    "                                              results and the totals; --select: only these\n"
    "                                              items and entries, for this run only\n"
    "  clean [--yes] [--select ...] [--json]       the same with Run Cleaner; --yes accepts the\n"
    "                                              first-clean warning and the confirmation\n"
    "  plan [--select ...] [--json]                every change clean would make, made by none:\n"
    "                                              each action and the totals\n"
    "  list [--json]                               the item and option boxes, the catalogue entries\n"
    "  /AUTO                                       quiet mode, as the program's own command line\n"
    "  run SCRIPT|-                                drive the windows from a script (- : standard input)\n"
    "  machine init [--demo] [--modern] [--limited-user] [--force]\n"
    "                                              create an emulated machine; --modern: Windows 10/11\n"
    "  reg add|delete|query|import|export ...      work on the registry, as reg.exe does\n"
    "  attrib [+R|-R] [+H|-H] [+S|-S] [+A|-A] PATH show or change file attributes\n"
    "  cache add URL [--file PATH] [--type N]      add an entry to the URL cache\n"
    "  cache list                                  list the URL cache\n"
    "  schedule daily|weekly|logon [--day DAY] [--at H:MM] [--accept-warning] | remove | show\n"
    "                                              a scheduled task running vanbrisk.exe /AUTO\n"
    "  winapp2 check FILE                          report the problems of a rule file and its\n"
    "                                              entries per list\n"
    "exit status: 0 done, 1 error, 2 usage error, 3 clean stopped by the warning or a No\n";

}  // namespace

int main(int argc, char** argv) {
  using namespace vb;
  std::vector<std::string> args(argv + 1, argv + argc);
  std::string folder;
  bool explicitFolder = false;
  while (!args.empty() && args[0] == "--machine") {
    if (args.size() < 2) {
      std::cerr << "--machine needs a folder\n" << kUsage;
      return cli::kExitUsage;
    }
    folder = args[1];
    explicitFolder = true;
    args.erase(args.begin(), args.begin() + 2);
  }
  if (args.empty() || args[0] == "--help" || args[0] == "-h") {
    (args.empty() ? std::cerr : std::cout) << kUsage;
    return args.empty() ? cli::kExitUsage : cli::kExitOk;
  }
  if (!explicitFolder) folder = cli::DefaultMachineFolder();
  cli::VerbIo io{std::cin, std::cout, std::cerr};
  std::string verb = args[0];
  std::vector<std::string> rest(args.begin() + 1, args.end());
  if (verb == "machine") return cli::RunMachineVerb(folder, rest, io);
  if (vb::Result<> spelt = cli::CheckQuietModeSpelling(verb); !spelt) {
    std::cerr << spelt.message();
    return cli::kExitUsage;
  }

  if (verb != "reg" && verb != "attrib" && verb != "cache" && verb != "list" &&
      verb != "schedule" && verb != "winapp2" && !cli::IsProgramVerb(verb)) {
    std::cerr << "unknown verb " << verb << "\n" << kUsage;
    return cli::kExitUsage;
  }
  if (explicitFolder && !cli::UsesEmulatedMachines()) {
    std::cerr << "--machine has no meaning on Windows: vanbrisk-cli works on this machine\n";
    return cli::kExitUsage;
  }
  // The default machine is created on first use; a named one must exist.
  auto opened = cli::OpenPlatform(folder, !explicitFolder, std::cerr);
  if (!opened) {
    std::cerr << opened.message() << "\n";
    return cli::kExitFailed;
  }
  std::unique_ptr<cli::ChosenPlatform> machine = std::move(*opened);
  if (cli::IsProgramVerb(verb)) {
    app::Program program(machine->get());
    return cli::RunProgramVerb(verb, program, &machine->ui(), rest, io);
  }
  if (verb == "list") {
    app::Program program(machine->get());
    return cli::RunListVerb(program, &machine->ui(), rest, io);
  }
  if (verb == "schedule")
    return cli::RunScheduleVerb(machine->get(), cli::SystemCommandRunner(machine->get(), std::cout),
                                rest, io);
  if (verb == "reg") return cli::RunRegVerb(machine->get(), rest, io);
  if (verb == "attrib") return cli::RunAttribVerb(machine->get(), rest, io);
  if (verb == "winapp2") return cli::RunWinapp2Verb(machine->get(), rest, io);
  return cli::RunCacheVerb(machine->get(), rest, io);
}
