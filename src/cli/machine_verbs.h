// The verbs that lay out and fill the emulated machine (machine init, cache)
// and find the Wine prefixes beside it (prefixes).
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

// prefixes [--json]: the Wine prefixes of the user, each with the totals of
// a plan over it and whether a wineserver holds it; defined by the host
// library (Windows has none).
int RunPrefixesVerb(const std::vector<std::string>& args, VerbIo io);

// cache add URL [--file PATH] [--type N] | cache list
int RunCacheVerb(platform::Platform& platform, const std::vector<std::string>& args, VerbIo io);

}  // namespace vb::cli
