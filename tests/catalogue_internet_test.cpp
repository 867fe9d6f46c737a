// The Internet, Multimedia and Windows catalogue entries over an emulated
// machine: what each kind of step does under Analyze and Run Cleaner, the
// two parts of the Opera cleaner, and the entries that call routines.
#include <gtest/gtest.h>

#include <algorithm>
#include <string_view>

#include "catalogue/entry_cleaner.h"
#include "catalogue/entry_lists.h"
#include "support/steps_fixture.h"

namespace vb {
namespace {

using namespace vb::win;
using catalogue::AppList;
using engine::Routine;

const std::string kAD = "Documents and Settings/User/Application Data/";
const std::string kLAD = "Documents and Settings/User/Local Settings/Application Data/";
const std::string kCAD = "Documents and Settings/All Users/Application Data/";
const std::string kPF = "Program Files/";
constexpr Routine kFirefox[] = {Routine::kFirefoxCache,           Routine::kFirefoxCookies,
                                Routine::kFirefoxBookmarks,       Routine::kFirefoxHistory,
                                Routine::kFirefoxDownloadHistory, Routine::kFirefoxSavedFormInfo};

// A registry key (no value) or one value of a key.
struct Reg {
  HKEY root;
  std::string key;
  const char* value = nullptr;
};
Reg CU(std::string key, const char* value = nullptr) { return {kHkeyCurrentUser, key, value}; }
Reg LM(std::string key, const char* value = nullptr) { return {kHkeyLocalMachine, key, value}; }

// An entry and what it finds: files that Analyze measures and Run Cleaner
// deletes, registry data that Run Cleaner deletes (Analyze too when the entry
// runs in both modes), and neighbours that it must leave alone.
struct Case {
  AppList list;
  const char* text;
  std::vector<std::string> files;
  std::vector<Reg> reg = {};
  bool regUnderAnalyze = false;
  std::vector<std::string> keptFiles = {};
  std::vector<Reg> keptReg = {};
};

class CatalogueInternetTest : public test::StepsFixture {
 protected:
  void SetUp() override {
    for (const engine::RoutineSteps& r : catalogue::tables::InternetRoutines())
      routines.Set(r.routine, [this, &steps = r.steps] { Run(steps); });
    for (Routine r : kFirefox) routines.Set(r, [this, r] { called.push_back(r); });
  }
  // Cleans the entries of the list named by their texts, in one mode.
  void Clean(AppList list, bool analyze, std::initializer_list<const char*> texts) {
    analyzeOnly = analyze;
    const auto& entries = catalogue::Entries(list);
    for (const char* text : texts) {
      auto it = std::ranges::find(entries, std::string_view(text),
                                  [](const auto& e) { return std::string_view(e.text); });
      ASSERT_NE(it, entries.end()) << text;
      engine::StepContext context = Context();
      catalogue::CleanEntry(context, *it);
    }
  }
  void Make(const Reg& r) {
    platform::WriteString(p().Registry(), r.root, r.key, r.value ? r.value : "v", "x");
  }
  bool Present(const Reg& r) {
    return r.value ? ValueNames(r.key, r.root).count(r.value) == 1 : KeyExists(r.key, r.root);
  }
  // Logged with its size, as a measured or deleted file is.
  bool Logged(const std::string& belowC) {
    std::string name = "\\" + belowC.substr(belowC.rfind('/') + 1) + " ";
    return std::ranges::any_of(LogLines(),
                               [&](const auto& l) { return l.find(name) != std::string::npos; });
  }
  std::vector<Routine> called;
};

TEST_F(CatalogueInternetTest, TablesHoldEachTextOnceWithTheMarkerTheirModeNeeds) {
  EXPECT_EQ(catalogue::Entries(AppList::kInternet).size(), 31u);
  EXPECT_EQ(catalogue::Entries(AppList::kMultimedia).size(), 14u);
  EXPECT_EQ(catalogue::Entries(AppList::kWindows).size(), 6u);
  std::set<std::string> texts;
  for (AppList list : {AppList::kInternet, AppList::kMultimedia, AppList::kWindows})
    for (const catalogue::Entry& e : catalogue::Entries(list)) {
      EXPECT_TRUE(texts.insert(e.text).second) << e.text;
      EXPECT_EQ(e.list, list) << e.text;
      auto markers = std::count_if(e.steps.begin(), e.steps.end(), [](const engine::Step& s) {
        return s.action == engine::Action::kCleanerOnly;
      });
      EXPECT_EQ(markers, e.analyze == catalogue::UnderAnalyze::kPartly ? 1 : 0) << e.text;
      EXPECT_EQ(e.steps.empty(), e.analyze == catalogue::UnderAnalyze::kNoCleaner) << e.text;
    }
}

TEST_F(CatalogueInternetTest, EntriesMeasureUnderAnalyzeAndDeleteUnderRunCleaner) {
  const std::string prefs = "Software\\RealNetworks\\RealPlayer\\6.0\\Preferences\\";
  const std::string radio = "SOFTWARE\\MusicMatch\\Musicmatch Jukebox\\4.0\\MMRadio";
  const std::string options = "Software\\Google\\NavClient\\1.1\\Options";
  const std::string recent = "Software\\Microsoft\\MediaPlayer\\Player\\RecentFileList";
  const std::string assist = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\UserAssist\\";
  const std::string bsplayer = "Software\\BST\\bsplayer";
  const std::string metrics = "Software\\Sonic Foundry\\Sound Forge\\6.0\\Metrics";
  const std::string netscape = kPF + "Netscape/Users/default/";
  const std::vector<Case> cases = {
      {AppList::kInternet, "Emule (File Hashes)",
       {kPF + "eMule/config/known.met", kPF + "eMule/config/known2.met"}, {}, false,
       {kPF + "eMule/config/AC_SearchStrings.dat"}},
      {AppList::kInternet, "BearShare",
       {kPF + "BearShare/Temp/a/b.tmp", kPF + "BearShare/db/x.db"}},
      {AppList::kInternet, "Kazaa (Search History)", {}, {CU("Software\\Kazaa\\Search")}, true},
      {AppList::kInternet, "Google Toolbar", {},
       {CU("Software\\Google\\NavClient\\1.1\\History"), CU(options, "KillPopupCount")}, false, {},
       {CU(options, "Keep")}},
      {AppList::kInternet, "GetRight", {kPF + "GetRight/GetRight.hst"},
       {CU("Software\\Headlight\\GetRight\\MRU"), CU("Software\\Headlight\\GetRight\\TypedURLS")}},
      {AppList::kInternet, "Morpheus", {kPF + "Morpheus/Temp/t.dat"},
       {CU("Software\\Morpheus\\GUI\\SearchRecent"),
        CU("Software\\Morpheus\\Morpheus\\Recent File List")}},
      {AppList::kInternet, "NetScape Navigator (Cookies)",
       {netscape + "prefs.js", netscape + "netscape.hst", netscape + "cookies.txt"}, {}, false,
       {netscape + "bookmark.htm"}},
      {AppList::kInternet, "Yahoo! Messenger", {}, {}, false, {kPF + "Yahoo!/Messenger/log.txt"}},
      {AppList::kMultimedia, "MusicMatch Jukebox",
       {kPF + "MUSICMATCH/Musicmatch Jukebox/DefaultPlayList.m3u",
        kLAD + "Musicmatch/Jukebox/mmjblog.txt"},
       {LM("Software\\MusicMatch\\Musicmatch Jukebox\\4.0\\FileConv"), LM(radio, "LastStation"),
        LM(radio, "LastStationName")}, false, {}, {LM(radio, "Volume")}},
      {AppList::kMultimedia, "Real Player",
       {kAD + "Real/RealOne Player/ctd.dat", kAD + "Real/RealPlayer/History/h.rpl"},
       {CU(prefs + "MostRecentClips1"), CU(prefs + "MostRecentSkins8"),
        CU(prefs + "LastOpenFileDir"), CU(prefs + "OpenLocationClips7")}, false, {},
       {CU(prefs + "OpenLocationClips8")}},
      {AppList::kMultimedia, "Quicktime Player",
       {kCAD + "QuickTime/QuickTimeFavorites.qtr", kAD + "Apple Computer/QuickTime/recent.xml"},
       {LM("SOFTWARE\\Apple Computer, Inc.\\QuickTime\\Recent Movies")}, true,
       {kAD + "Apple Computer/QuickTime/keep.txt"}},
      {AppList::kMultimedia, "Macromedia FlashPlayer", {kAD + "Macromedia/Flash Player/so/x.sol"}},
      {AppList::kMultimedia, "BSPlayer", {}, {CU(bsplayer, "File0"), CU(bsplayer, "File9")}, false,
       {}, {CU(bsplayer, "File10")}},
      {AppList::kMultimedia, "Sound Forge", {}, {CU(metrics, "S30110"), CU(metrics, "S30115")},
       false, {}, {CU(metrics, "S30109"), CU(metrics, "S30116")}},
      {AppList::kMultimedia, "Windows Media Player", {}, {CU(recent)}, false, {}, {LM(recent)}},
      {AppList::kWindows, "User Assist History", {},
       {CU(assist + "{5E6AB780-7743-11CF-A12B-00AA004AE837}\\Count"),
        CU(assist + "{75048700-EF1F-11D0-9888-006097DEACF9}\\Count")}, true},
      {AppList::kWindows, "IIS Log Files", {"WINDOWS/system32/LogFiles/W3SVC1/ex.log"}},
      {AppList::kWindows, "RegEdit", {},
       {CU("Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Regedit", "LastKey")}},
  };
  for (const Case& c : cases) {
    for (const auto& f : c.files) Put(f);
    for (const auto& f : c.keptFiles) Put(f);
    for (const Reg& r : c.reg) Make(r);
    for (const Reg& r : c.keptReg) Make(r);
  }
  for (bool analyze : {true, false}) {
    for (const Case& c : cases) Clean(c.list, analyze, {c.text});
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(c.text) + (analyze ? " under Analyze" : " by Run Cleaner"));
      for (const auto& f : c.files) EXPECT_TRUE(Exists(f) == analyze && Logged(f)) << f;
      for (const Reg& r : c.reg) EXPECT_EQ(Present(r), analyze && !c.regUnderAnalyze) << r.key;
      for (const auto& f : c.keptFiles) EXPECT_TRUE(Exists(f) && !Logged(f)) << f;
      for (const Reg& r : c.keptReg) EXPECT_TRUE(Present(r)) << r.key;
    }
  }
}

// Both parts clean the one profile folder; the cookie part takes only its file.
TEST_F(CatalogueInternetTest, OperaCookiePartTakesItsFileAndTheCachePartTheRest) {
  const std::string profile = kAD + "Opera/Opera/profile/", cookies = profile + "cookies4.dat";
  std::vector<std::string> cache;
  for (const char* f : {"cache4/o1.tmp", "sessions/autosave.win", "cacheOp/o2.tmp", "download.dat",
                        "global.dat", "vlink4.dat", "opera.dir"})
    cache.push_back(profile + f);
  for (const auto& f : cache) Put(f);
  Put(cookies);
  Clean(AppList::kInternet, false, {"Opera (Cookies)"});
  EXPECT_TRUE(LogLines().size() == 1 && Logged(cookies) && !Exists(cookies));
  Put(cookies);
  for (bool analyze : {true, false}) {
    Clean(AppList::kInternet, analyze, {"Opera (Cache)"});
    for (const auto& f : cache) EXPECT_TRUE(Exists(f) == analyze && Logged(f)) << f;
  }
  EXPECT_TRUE(Exists(cookies));
}

TEST_F(CatalogueInternetTest, FirefoxEntriesCallTheirRoutineInBothModes) {
  for (bool analyze : {true, false})
    Clean(AppList::kInternet, analyze,
          {"Mozilla Firefox (Cache)", "Mozilla Firefox (Cookies)", "Mozilla Firefox (Bookmarks)",
           "Mozilla Firefox (Internet History)", "Mozilla Firefox (Download History)",
           "Mozilla Firefox (Saved Form Information)"});
  std::vector<Routine> twice(std::begin(kFirefox), std::end(kFirefox));
  twice.insert(twice.end(), std::begin(kFirefox), std::end(kFirefox));
  EXPECT_EQ(called, twice);
}

}  // namespace
}  // namespace vb
