// The machine vanbrisk-cli works on: on Linux an emulated machine or a Wine
// prefix (a folder given by --machine, $VANBRISK_MACHINE or the user's data
// folder), the real machine on Windows. Either way the program's message boxes and dialogs are
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
  // Why the machine is in another program's use (a Wine prefix whose
  // wineserver runs), for a command that only reads it to say; empty when
  // it is not.
  virtual std::string inUse() { return {}; }
  // Before a command that may change the machine: keeps other programs from
  // taking it up while the command runs; fails, saying why, when one holds it.
  virtual Result<> holdForChanges() { return {}; }
  // After a command that may have changed the machine: writes what the
  // machine keeps until then; fails, saying why, when it cannot.
  virtual Result<> finishChanges() { return {}; }
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
