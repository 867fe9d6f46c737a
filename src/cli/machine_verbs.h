// The verbs that lay out and fill the emulated machine: machine init, cache.
#pragma once

#include <string>
#include <vector>

#include "cli/verb_io.h"
#include "platform/platform.h"

namespace vb::cli {

// Where the machine lives: --machine, else $VANBRISK_MACHINE, else
// $XDG_DATA_HOME/vanbrisk/machine (~/.local/share when unset).
std::string DefaultMachineFolder();

// machine init [--demo] [--modern] [--limited-user] [--force]; defined by the host
// library (on Windows there is no machine to lay out).
int RunMachineVerb(const std::string& folder, const std::vector<std::string>& args, VerbIo io);

// cache add URL [--file PATH] [--type N] | cache list
int RunCacheVerb(platform::Platform& platform, const std::vector<std::string>& args, VerbIo io);

}  // namespace vb::cli
