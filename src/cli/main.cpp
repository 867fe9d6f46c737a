// vanbrisk-cli: the headless front end.
#include <iostream>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "cli/machine_verbs.h"
#include "cli/platform_choice.h"
#include "cli/schedule_verb.h"

int main(int argc, char** argv) {
  using namespace vb;
  cli::Host host{cli::OpenPlatform,         cli::RunMachineVerb,
                 cli::RunPrefixesVerb,      cli::SystemCommandRunner,
                 cli::DefaultMachineFolder, cli::UsesEmulatedMachines(),
                 cli::ErrorIsTerminal()};
  return cli::RunCommandLine(std::vector<std::string>(argv + 1, argv + argc), host,
                             {std::cin, std::cout, std::cerr});
}
