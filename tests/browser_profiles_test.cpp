// The browser profile locators over an emulated machine: no Firefox profile
// without profiles.ini or with a path that would leave the Firefox folder,
// the Mozilla suite's salted folders, and the INI reader.
#include <gtest/gtest.h>

#include "browser/firefox.h"
#include "browser/ini.h"
#include "browser/netscape.h"
#include "registry/reg32.h"
#include "support/steps_fixture.h"

namespace vb {
namespace {

const std::string kAppData = "Documents and Settings/User/Application Data/";
const std::string kRoaming = kAppData + "Mozilla/Firefox/";

class BrowserProfilesTest : public test::StepsFixture {
 protected:
  void Ini(const std::string& text) { test::WriteHostFile(C(kRoaming + "profiles.ini"), text); }
};

// Which files each Firefox entry takes of the first profile, in both
// application-data folders or the roaming one alone, and that a second
// profile stays: plan_property_test on the demonstration machine and on its
// browser machine (plan/demo_machine_*, plan/browser_machine_*). Without
// profiles.ini (the catalogue machine), or with a first profile whose path
// climbs out of the Firefox folder (the rule machine), nothing is cleaned.
// A profile path that climbs out of the Firefox folder, or names a drive or a
// root, is no profile.
TEST_F(BrowserProfilesTest, AProfilePathLeavingTheFirefoxFolderIsNoProfile) {
  for (const char* path : {"..", "..\\..\\..", "Profiles/../../x", "Profiles\\... \\x", "C:\\Victim",
                           "D:x", "\\Victim", "/Victim", "\\\\server\\share"})
    EXPECT_FALSE(browser::StaysInsideFirefoxFolder(path)) << path;
  for (const char* path : {"", ".", "Profiles/abc.default", "Profiles\\a..b\\.x\\", "./p..."})
    EXPECT_TRUE(browser::StaysInsideFirefoxFolder(path)) << path;
  // A C string ends at its NUL: "..\0x" is ".." to Windows.
  for (std::string_view path : {std::string_view("..\0x", 4), std::string_view("a\\..\0\0..", 8),
                                std::string_view("a\0", 2)})
    EXPECT_FALSE(browser::StaysInsideFirefoxFolder(path)) << path;
}

// Without the user's "AppData" value there is no Firefox folder, so no
// profile, though a Mozilla\Firefox folder at the drive's root names some.
TEST_F(BrowserProfilesTest, WithoutAppDataNoFirefoxProfileIsFound) {
  test::WriteHostFile(C("Mozilla/Firefox/profiles.ini"),
                      "[Profile0]\nPath=p\n[Install1]\nDefault=C:\\q\n");
  Put("Mozilla/Firefox/p/cookies.txt", 10);
  ASSERT_TRUE(registry::Reg32::DeleteValue(
      p().Registry(), win::kHkeyCurrentUser,
      "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", "AppData"));
  browser::FirefoxProfiles found = browser::FindFirefoxProfiles(p());
  EXPECT_TRUE(found.inside.empty() && found.outside.empty());
  engine::StepContext steps = Context();
  browser::FireFox(steps).Delete_Cookies();
  EXPECT_TRUE(Exists("Mozilla/Firefox/p/cookies.txt"));
}

// Of the salted folders holding Cookies.txt the one listed last is the
// profile; a folder not ending in ".slt", or without Cookies.txt, is none.
// Without a profile the deletions touch nothing.
TEST_F(BrowserProfilesTest, MozillaSuiteTakesTheLastSaltedFolderWithCookies) {
  Put("cache/keep", 10);
  browser::NetScape none(m.platform());
  EXPECT_EQ(none.GetCachePath(), "\\cache");
  engine::StepContext steps = Context();
  none.Delete_Cache(steps);
  EXPECT_TRUE(Exists("cache/keep"));

  const std::string profiles = kAppData + "Mozilla/Profiles/";
  Put(profiles + "default/aaa.slt/Cookies.txt", 10);
  for (const char* name : {"cookies.TXT", "history.dat", "cache/c1"})
    Put(profiles + "default/zzz.SLT/" + name, 10);
  Put(profiles + "later/x.slt.old/Cookies.txt", 10);
  Folder(profiles + "later/nocookies.slt");
  browser::NetScape netscape(m.platform());
  const std::string salted =
      "C:\\Documents and Settings\\User\\Application Data\\Mozilla\\Profiles\\default\\zzz.SLT";
  EXPECT_EQ(netscape.GetCachePath(), salted + "\\cache");
  EXPECT_EQ(netscape.GetHistoryFile(), salted + "\\history.dat");
  EXPECT_EQ(netscape.GetBookmarksFile(), salted + "\\bookmarks.html");
  netscape.Delete_Cache(steps);
  netscape.Delete_Cookies(steps);
  netscape.Delete_History(steps);
  for (const char* name : {"cookies.TXT", "history.dat", "cache/c1"})
    EXPECT_FALSE(Exists(profiles + "default/zzz.SLT/" + name)) << name;
  EXPECT_TRUE(Exists(profiles + "default/aaa.slt/Cookies.txt"));
}

TEST_F(BrowserProfilesTest, IniReaderGivesEmptyForWhatIsMissingAndCutsLongValues) {
  Ini("[Profile0]\nName=default\nPath=" + std::string(300, 'p') + "\n");
  const std::string ini =
      "C:\\Documents and Settings\\User\\Application Data\\Mozilla\\Firefox\\profiles.ini";
  auto& files = m.platform().Files();
  EXPECT_EQ(browser::GetFromINI(files, ini, "Profile0", "Name"), "default");
  EXPECT_EQ(browser::GetFromINI(files, ini, "Profile0", "Path"), std::string(254, 'p'));
  EXPECT_EQ(browser::GetFromINI(files, ini, "Profile0", "Missing"), "");
}

}  // namespace
}  // namespace vb
