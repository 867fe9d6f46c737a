#include "platform/prefix/prefix_places.h"

#include <algorithm>
#include <filesystem>
#include <set>
#include <system_error>

#include "platform/prefix/prefix_folder.h"
#include "platform/prefix/steam_libraries.h"
#include "platform/wine/replace_file.h"

namespace vb::prefix {

namespace {

namespace fs = std::filesystem;

// A folder that may be a prefix, and the name people know it by.
struct Place {
  fs::path folder;
  std::string name;
};

// The path without its links and dots; empty when it does not lead anywhere.
fs::path RealPath(const fs::path& path) {
  std::error_code error;
  fs::path real = fs::canonical(path, error);
  return error ? fs::path() : real;
}

// Every folder in folder, named after itself; none when it cannot be read.
void AddSubfolders(const fs::path& folder, std::vector<Place>& places) {
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end;
       it.increment(error)) {
    std::error_code ignored;
    if (it->is_directory(ignored)) places.push_back({it->path(), it->path().filename().string()});
  }
}

// What a Steam root's libraryfolders.vdf holds (in steamapps, or in config
// where steamapps has none); empty when there is neither.
std::string LibraryFile(const fs::path& root) {
  for (const char* where : {"steamapps", "config"}) {
    fs::path file = root / where / "libraryfolders.vdf";
    std::error_code error;
    // Only a plain file: opening a pipe of that name would wait for a writer.
    if (!fs::is_regular_file(file, error)) continue;
    if (Result<std::string> text = wine::ReadWholeFile(file.string())) return std::move(*text);
  }
  return {};
}

// The Steam libraries of the roots that exist: each root, and the absolute
// paths its libraryfolders.vdf names; each library once, by its real path.
std::vector<fs::path> SteamLibraries(const std::vector<fs::path>& roots) {
  std::vector<fs::path> libraries;
  auto add = [&](const fs::path& library) {
    fs::path real = RealPath(library);
    if (!real.empty() && std::find(libraries.begin(), libraries.end(), real) == libraries.end())
      libraries.push_back(real);
  };
  for (const fs::path& root : roots) {
    std::error_code error;
    if (!fs::is_directory(root, error)) continue;
    add(root);
    for (const std::string& path : SteamLibraryPaths(LibraryFile(root)))
      if (fs::path(path).is_absolute()) add(path);
  }
  return libraries;
}

// Proton's prefixes: LIBRARY/steamapps/compatdata/APPID/pfx, named by app id.
std::vector<Place> SteamPlaces(const std::vector<fs::path>& roots) {
  std::vector<Place> games;
  for (const fs::path& library : SteamLibraries(roots))
    AddSubfolders(library / "steamapps/compatdata", games);
  for (Place& game : games) game.folder /= "pfx";
  return games;
}

// A launcher's prefixes: the folders in its folders, each named after itself.
std::vector<Place> LauncherPlaces(const std::vector<fs::path>& folders) {
  std::vector<Place> places;
  for (const fs::path& folder : folders) AddSubfolders(folder, places);
  return places;
}

// The prefixes found so far, each once by its real path.
class Found {
 public:
  // Adds the places of one source that are prefixes, in the order of their
  // real paths, leaving out those an earlier source found.
  void Add(const std::string& source, const std::vector<Place>& places) {
    std::vector<FoundPrefix> prefixes;
    for (const Place& place : places) {
      if (!IsWinePrefix(place.folder.string())) continue;
      fs::path real = RealPath(place.folder);
      if (!real.empty()) prefixes.push_back({real.string(), source, place.name});
    }
    std::stable_sort(prefixes.begin(), prefixes.end(), [](const auto& a, const auto& b) {
      return a.folder < b.folder;
    });
    for (FoundPrefix& prefix : prefixes)
      if (seen_.insert(prefix.folder).second) list_.push_back(std::move(prefix));
  }

  std::vector<FoundPrefix> Take() { return std::move(list_); }

 private:
  std::vector<FoundPrefix> list_;
  std::set<std::string> seen_;
};

}  // namespace

std::vector<FoundPrefix> FindPrefixes(const GetEnv& env) {
  Found found;
  if (std::string winePrefix = env("WINEPREFIX"); !winePrefix.empty())
    found.Add("WINEPREFIX", {{winePrefix, ""}});
  // Every other place is the user's own; without a home there are none.
  fs::path home = env("HOME");
  if (home.empty()) return found.Take();
  // XDG_DATA_HOME counts only when absolute, as the XDG base directories have it.
  fs::path data = env("XDG_DATA_HOME");
  if (!data.is_absolute()) data = home / ".local/share";

  found.Add("~/.wine", {{home / ".wine", ""}});
  found.Add("Steam", SteamPlaces({data / "Steam", home / ".steam/steam", home / ".steam/root",
                                  home / ".var/app/com.valvesoftware.Steam/.local/share/Steam"}));
  found.Add("Lutris", LauncherPlaces({home / "Games"}));
  found.Add("Bottles",
            LauncherPlaces({data / "bottles/bottles",
                            home / ".var/app/com.usebottles.bottles/data/bottles/bottles"}));
  found.Add("Heroic", LauncherPlaces({home / "Games/Heroic/Prefixes",
                                      home / "Games/Heroic/Prefixes/default"}));
  found.Add("PlayOnLinux", LauncherPlaces({home / ".PlayOnLinux/wineprefix"}));
  return found.Take();
}

}  // namespace vb::prefix
