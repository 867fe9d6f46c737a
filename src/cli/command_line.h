// vanbrisk-cli's command line, from the words after the program's name to
// the exit status: the options before the verb, help and version, the
// machine opened, the verb run, and the output checked at the end. main and
// the transcript tests run the same routine; what differs between them (how
// the machine is opened, whether standard error is a terminal) is the host
// given.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/result.h"
#include "cli/platform_choice.h"
#include "cli/schedule_verb.h"
#include "cli/verb_io.h"

namespace vb::cli {

struct Host {
  // Opens the machine of that folder (see OpenPlatform); a machine made on
  // first use is announced on log.
  std::function<Result<std::unique_ptr<ChosenPlatform>>(const std::string& folder,
                                                        bool createDefault, std::ostream& log)>
      open;
  // "machine ..." on that folder (see RunMachineVerb).
  std::function<int(const std::string& folder, const std::vector<std::string>& args, VerbIo io)>
      machineVerb;
  // "prefixes ..." (see RunPrefixesVerb).
  std::function<int(const std::vector<std::string>& args, VerbIo io)> prefixesVerb;
  // How schedule runs schtasks.exe (see SystemCommandRunner).
  std::function<CommandRunner(platform::Platform& platform, std::ostream& out)> commandRunner;
  // The folder without --machine (see DefaultMachineFolder).
  std::function<std::string()> defaultFolder;
  // Whether --machine means something (see UsesEmulatedMachines).
  bool emulated = false;
  // Standard error is a terminal: runs show their progress there.
  bool errIsTerminal = false;
};

// Runs the command line; the exit status. A verb's output that could not be
// written (a full disk, a closed pipe) is exit status 1, with a message on
// io.err, whatever the verb did.
int RunCommandLine(std::vector<std::string> args, const Host& host, VerbIo io);

}  // namespace vb::cli
