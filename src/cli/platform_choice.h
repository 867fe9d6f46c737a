// The machine vanbrisk-cli works on: an emulated machine on Linux (a folder
// given by --machine, $VANBRISK_MACHINE or the user's data folder), the real
// machine on Windows. Either way the program's message boxes and dialogs are
// answered by a scripted user, so that a run can be driven and recorded.
// The host library that the preset links (cli/emulated or cli/win32)
// defines what is declared here, and RunMachineVerb and SystemCommandRunner.
#pragma once

#include <memory>
#include <ostream>
#include <string>

#include "base/result.h"
#include "platform/platform.h"
#include "platform/scripted_ui.h"

namespace vb::cli {

class ChosenPlatform {
 public:
  virtual ~ChosenPlatform() = default;
  virtual platform::Platform& get() = 0;
  virtual platform::ScriptedUi& ui() = 0;
};

// Whether this build works on emulated machines, so that "machine init" and
// --machine mean something.
bool UsesEmulatedMachines();

// Whether standard error is a terminal, where runs show their progress.
bool ErrorIsTerminal();

// Opens the platform. folder: the machine folder (emulated machines only);
// createDefault: lay out a new machine there when it has none, saying so
// ("Creating a new machine in FOLDER") to log. Fails with a message when it
// cannot be opened.
Result<std::unique_ptr<ChosenPlatform>> OpenPlatform(const std::string& folder,
                                                     bool createDefault, std::ostream& log);

}  // namespace vb::cli
