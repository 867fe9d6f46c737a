// Finding the Wine prefixes of a Linux user: Steam's list of its libraries,
// and the search over fake homes laid out as Wine, Proton and the launchers
// leave them.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>

#include "platform/prefix/prefix_places.h"
#include "platform/prefix/steam_libraries.h"

namespace vb::prefix {
namespace {

namespace fs = std::filesystem;
using Paths = std::vector<std::string>;

TEST(PrefixPlacesSteamLibraries, ReadsBothShapesWithEscapesAndComments) {
  EXPECT_EQ(SteamLibraryPaths(R"(// written by Steam
"libraryfolders"
{
  "0"
  {
    "path"    "/home/u/.local/share/Steam"  // the root
    "label"   ""
    "apps" { "620" "123" "path" "/not/a/library" }
  }
  "1" { "path" "/mnt/a \"b\" c\\d" "totalsize" "0" }
  "2" { "PATH" "/home/u/.local/share/Steam" }
  "contentstatsid" { "path" "/not/numbered" }
})"),
            (Paths{"/home/u/.local/share/Steam", "/mnt/a \"b\" c\\d"}));
  EXPECT_EQ(SteamLibraryPaths(R"("LibraryFolders"
{
	"TimeNextStatsReport"	"1700000000"
	"ContentStatsID"	"-4711"
	"1"	"/mnt/games/SteamLibrary"
	"2"	"/media/usb\\Steam Library"
})"),
            (Paths{"/mnt/games/SteamLibrary", "/media/usb\\Steam Library"}));
  // The paths of another file's shape are no libraries.
  EXPECT_EQ(SteamLibraryPaths(R"("config" { "1" "/x" "2" { "path" "/y" } })"), Paths{});
}

TEST(PrefixPlacesSteamLibraries, KeepsWhatWasReadBeforeAFault) {
  const std::string whole = R"("libraryfolders" { "0" { "path" "/a" } "1" { "path" "/b" } })";
  // Broken off anywhere, the text gives the paths whose value ended before the break.
  for (std::size_t size = 0; size <= whole.size(); ++size) {
    Paths expected;
    if (size > whole.find("/a") + 2) expected.push_back("/a");
    if (size > whole.find("/b") + 2) expected.push_back("/b");
    EXPECT_EQ(SteamLibraryPaths(whole.substr(0, size)), expected) << size;
  }
  EXPECT_EQ(SteamLibraryPaths(R"("libraryfolders" { "1" "/a" } } "libraryfolders" { "2" "/b" })"),
            Paths{"/a"});
  EXPECT_EQ(SteamLibraryPaths(R"("libraryfolders" { "1" "/a" { "2" "/b" })"), Paths{"/a"});
  EXPECT_EQ(SteamLibraryPaths(R"("libraryfolders" { "1" "/a" "2" "/b\")"), Paths{"/a"});
}

// A temporary folder, removed afterwards, in which fake homes are laid out.
class PrefixPlacesFind : public testing::Test {
 protected:
  PrefixPlacesFind() {
    std::string templ = (fs::temp_directory_path() / "vanbrisk-places-XXXXXX").string();
    if (!mkdtemp(templ.data())) throw std::runtime_error("mkdtemp failed");
    root_ = fs::canonical(templ);
  }
  ~PrefixPlacesFind() override {
    std::error_code error;
    fs::remove_all(root_, error);
  }

  std::string Path(const std::string& relative) const { return (root_ / relative).string(); }
  void Write(const std::string& relative, const std::string& content = "") const {
    fs::create_directories(fs::path(Path(relative)).parent_path());
    std::ofstream(Path(relative)) << content;
  }
  // The files that make a prefix, and drive_c/EXTRA.
  void MakePrefix(const std::string& relative, const std::string& extra = "") const {
    Write(relative + "/system.reg");
    Write(relative + "/user.reg");
    fs::create_directories(Path(relative + "/drive_c/" + extra));
  }
  void Link(const std::string& relative, const std::string& target) const {
    fs::create_directories(fs::path(Path(relative)).parent_path());
    fs::create_directory_symlink(Path(target), Path(relative));
  }

  // Each prefix found, as "source|name|folder below the temporary folder".
  Paths Find(std::map<std::string, std::string> env) const {
    Paths found;
    for (const FoundPrefix& p : FindPrefixes([&](const char* name) { return env[name]; }))
      found.push_back(p.source + "|" + p.name + "|" + fs::relative(p.folder, root_).string());
    return found;
  }

  fs::path root_;
};

TEST_F(PrefixPlacesFind, FindsEveryPlaceOnceUnderItsRealPath) {
  MakePrefix("home/.wine");
  const std::string steam = "home/.local/share/Steam";
  Write(steam + "/steamapps/libraryfolders.vdf",
        R"("libraryfolders" { "0" { "path" ")" + Path(steam) + R"(" }
                              "1" { "path" ")" + Path("games") + R"(" }
                              "2" { "path" "relative/lib" } "3" { "path" "/nowhere" } })");
  MakePrefix(steam + "/steamapps/compatdata/440/pfx");
  Write(steam + "/steamapps/compatdata/99/pfx/system.reg");  // left half made: no prefix
  MakePrefix("games/steamapps/compatdata/570/pfx", "users/steamuser");
  Link("home/.steam/steam", steam);
  Link("home/.steam/root", steam);
  MakePrefix("home/Games/b-game");
  MakePrefix("home/Games/a-game");
  MakePrefix("home/Games/machine");
  Write("home/Games/machine/registry.db");  // an emulated machine, not a prefix
  Link("home/Games/loop", "home/Games/loop");
  MakePrefix("home/Games/Heroic/Prefixes/Quake");
  MakePrefix("home/Games/Heroic/Prefixes/default/Fortnite");
  MakePrefix("home/.local/share/bottles/bottles/Office");
  MakePrefix("home/.var/app/com.usebottles.bottles/data/bottles/bottles/N");
  MakePrefix("home/.PlayOnLinux/wineprefix/Office2010");

  Paths all = Find({{"HOME", Path("home")}, {"WINEPREFIX", Path("home/Games/../.wine/")}});
  EXPECT_EQ(all, (Paths{"WINEPREFIX||home/.wine",
                        "Steam|570|games/steamapps/compatdata/570/pfx",
                        "Steam|440|home/.local/share/Steam/steamapps/compatdata/440/pfx",
                        "Lutris|a-game|home/Games/a-game", "Lutris|b-game|home/Games/b-game",
                        "Bottles|Office|home/.local/share/bottles/bottles/Office",
                        "Bottles|N|home/.var/app/com.usebottles.bottles/data/bottles/bottles/N",
                        "Heroic|Quake|home/Games/Heroic/Prefixes/Quake",
                        "Heroic|Fortnite|home/Games/Heroic/Prefixes/default/Fortnite",
                        "PlayOnLinux|Office2010|home/.PlayOnLinux/wineprefix/Office2010"}));
  // The Proton prefix reached first as WINEPREFIX is not Steam's again.
  Paths expected = {"WINEPREFIX||games/steamapps/compatdata/570/pfx", "~/.wine||home/.wine",
                    all[2]};
  expected.insert(expected.end(), all.begin() + 3, all.end());
  EXPECT_EQ(Find({{"HOME", Path("home")},
                  {"WINEPREFIX", Path("games/steamapps/compatdata/570/pfx")}}),
            expected);
  // Without a home, only WINEPREFIX is looked at.
  EXPECT_EQ(Find({{"WINEPREFIX", Path("home/.wine")}}), Paths{"WINEPREFIX||home/.wine"});
}

TEST_F(PrefixPlacesFind, ReadsFlatpakSteamsConfigListUnderXdgDataHome) {
  const std::string steam = "home/.var/app/com.valvesoftware.Steam/.local/share/Steam";
  Write(steam + "/config/libraryfolders.vdf",
        R"("LibraryFolders" { "1" ")" + Path("usb/SteamLibrary") + R"(" })");
  MakePrefix("usb/SteamLibrary/steamapps/compatdata/730/pfx");
  MakePrefix("data/bottles/bottles/Games");
  MakePrefix("home/.local/share/bottles/bottles/NotSearched");

  EXPECT_EQ(Find({{"HOME", Path("home")}, {"XDG_DATA_HOME", Path("data")}}),
            (Paths{"Steam|730|usb/SteamLibrary/steamapps/compatdata/730/pfx",
                   "Bottles|Games|data/bottles/bottles/Games"}));
}

}  // namespace
}  // namespace vb::prefix
