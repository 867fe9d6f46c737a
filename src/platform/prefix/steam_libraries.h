// The game libraries that Steam's libraryfolders.vdf names. The file is
// Valve's KeyValues text: quoted keys and values (with \\, \" and the like
// escaped), nested { } blocks and // comments. Steam has written it in two
// shapes:
//
//   "libraryfolders" { "0" { "path" "/home/u/.local/share/Steam" ... } }
//   "LibraryFolders" { "ContentStatsID" "..." "1" "/mnt/games/SteamLibrary" }
//
// The newer one gives each numbered library a block with its "path"; the
// older one gives the path as the numbered key's value.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vb::prefix {

// The library paths the text names, in its order, each once. Text that
// breaks off or goes wrong (a string left open, a brace too many) gives the
// paths read before that point.
[[nodiscard]] std::vector<std::string> SteamLibraryPaths(std::string_view vdf);

}  // namespace vb::prefix
