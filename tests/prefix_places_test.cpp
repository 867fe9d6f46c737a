// Finding the Wine prefixes of a Linux user: Steam's list of its libraries.
#include <gtest/gtest.h>

#include "platform/prefix/steam_libraries.h"

namespace vb::prefix {
namespace {

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

}  // namespace
}  // namespace vb::prefix
