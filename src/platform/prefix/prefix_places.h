// The Wine prefixes a Linux user holds, found where Wine, Steam's Proton and
// the usual game launchers keep them: $WINEPREFIX, ~/.wine, the compatdata
// of every Steam library, Lutris's ~/Games, Bottles, Heroic and PlayOnLinux.
// The search looks one level into fixed folders and into the libraries that
// Steam's libraryfolders.vdf names, nowhere else; folders it cannot read,
// links that go nowhere or round in a loop are passed over.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace vb::prefix {

struct FoundPrefix {
  std::string folder;  // the prefix folder (holds system.reg, user.reg, drive_c)
  std::string source;  // where it was found: "WINEPREFIX", "~/.wine", "Steam", "Lutris",
                       // "Bottles", "Heroic", "PlayOnLinux"
  std::string name;    // a name for people: the Steam app id, the bottle's or game's
                       // folder name; empty for WINEPREFIX and ~/.wine
};

// The environment the search reads: HOME, WINEPREFIX, XDG_DATA_HOME (default
// HOME/.local/share).
using GetEnv = std::function<std::string(const char* name)>;  // "" when unset

// The folders that IsWinePrefix accepts, each once under its canonical path
// (the first source to reach it names it): WINEPREFIX, ~/.wine, Steam,
// Lutris, Bottles, Heroic, PlayOnLinux in that order, and within a source in
// the order of their folders.
[[nodiscard]] std::vector<FoundPrefix> FindPrefixes(const GetEnv& env);

}  // namespace vb::prefix
