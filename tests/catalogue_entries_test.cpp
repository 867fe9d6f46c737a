// The catalogue's entries cleaned on an emulated machine under Analyze and
// under Run Cleaner: the five lists' tables, what each kind of step does and
// the routines of steps. What the entries take of the demonstration machine
// plan_property_test holds against plan/demo_machine.jsonl.
#include <gtest/gtest.h>

#include <algorithm>

#include "catalogue/catalogue.h"
#include "catalogue/entry_cleaner.h"
#include "engine/items.h"
#include "platform/ascii_case.h"
#include "support/steps_fixture.h"

namespace vb {
namespace {

using namespace vb::win;
using namespace vb::catalogue;

constexpr AppList kAppl = AppList::kApplications;
constexpr AppList kUtil = AppList::kUtilities;
// Host folders below drive C.
const std::string PF = "Program Files/";
const std::string AD = "Documents and Settings/User/Application Data/";
const std::string LAD = "Documents and Settings/User/Local Settings/Application Data/";
const std::string CAD = "Documents and Settings/All Users/Application Data/";

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

class CatalogueTest : public test::StepsFixture {
 protected:
  CatalogueTest() {
    for (const engine::RoutineSteps& r : CatalogueRoutines())
      routines.Set(r.routine, [this, &r] { Run(r.steps); });
  }
  const Entry* Find(AppList list, const std::string& text) {
    for (const Entry& e : Entries(list))
      if (text == e.text) return &e;
    ADD_FAILURE() << "no entry " << text;
    return nullptr;
  }
  // Cleans the entries of the list named by their texts, in the current mode.
  void Clean(AppList list, std::initializer_list<const char*> texts) {
    for (const char* text : texts) {
      engine::StepContext context = Context();
      if (const Entry* e = Find(list, text)) CleanEntry(context, *e);
    }
  }
  void Set(const std::string& key, const char* name, const char* data = "x") {
    ASSERT_EQ(platform::WriteString(p().Registry(), kHkeyCurrentUser, key, name, data), 0);
  }
  void Make(const Reg& r) {
    platform::WriteString(p().Registry(), r.root, r.key, r.value ? r.value : "v", "x");
  }
  bool Present(const Reg& r) {
    return r.value ? ValueNames(r.key, r.root).count(r.value) == 1 : KeyExists(r.key, r.root);
  }
  bool LogHas(const std::string& text) {
    return std::ranges::any_of(LogLines(),
                               [&](const auto& l) { return l.find(text) != std::string::npos; });
  }
  // Logged with its size, as a measured or deleted file is: by its path, or
  // (Named) by its name alone.
  bool Logged(std::string belowC) {
    std::replace(belowC.begin(), belowC.end(), '/', '\\');
    return LogHas("\\" + belowC + " ");
  }
  bool Named(const std::string& belowC) {
    return LogHas("\\" + belowC.substr(belowC.rfind('/') + 1) + " ");
  }
  using Names = std::set<std::string>;
};

// The lists' sizes are checked where the lists are loaded (app_lists_test).
// A text is stored as a registry value's name, which ignores letter case, and
// --select takes texts and the items' names alike: each names one thing.
TEST_F(CatalogueTest, ListsHoldEachTextOnceInAnyCaseWithTheMarkerTheirModeNeeds) {
  std::set<std::string> texts;
  for (const engine::ItemName& item : engine::kItemNames)
    for (const char* name : {item.control, item.caption}) texts.insert(platform::FoldAscii(name));
  for (int l = 0; l < kAppListCount; ++l)
    for (const Entry& e : Entries(static_cast<AppList>(l))) {
      EXPECT_TRUE(texts.insert(platform::FoldAscii(e.text)).second) << e.text;
      EXPECT_EQ(e.list, static_cast<AppList>(l)) << e.text;
      auto markers =
          std::ranges::count(e.steps, engine::StepKind::kCleanerOnly, &engine::Step::kind);
      EXPECT_EQ(markers, e.analyze == UnderAnalyze::kPartly ? 1 : 0) << e.text;
      EXPECT_EQ(e.steps.empty(), e.analyze == UnderAnalyze::kNoCleaner) << e.text;
    }
}

// Traces a demonstration machine has are the demo_applications transcript's.
// Ad-Aware 5/6 is listed by "\Lavasoft\Ad-aware" but cleans "\Lavasoft Ad-aware";
// Acrobat Reader 7.0 runs in both modes, its key and routine too; Nero and
// Works leave their keys and values to Run Cleaner.
TEST_F(CatalogueTest, EntriesMeasureUnderAnalyzeAndDeleteUnderRunCleaner) {
  EXPECT_STREQ(Find(kUtil, "Lavasoft Ad-Aware 5/6")->detection.path, "\\Lavasoft\\Ad-aware");
  const std::string acrobat = PF + "Adobe/Acrobat 7.0/", rfl = "\\Recent File List";
  const std::string nero = "Software\\Ahead\\Nero - Burning Rom",
                    cover = "Software\\Ahead\\Cover Designer" + rfl;
  const std::string avg = CAD + "Grisoft/Avg7Data/";
  const std::string prefs = "Software\\RealNetworks\\RealPlayer\\6.0\\Preferences\\";
  const std::string radio = "SOFTWARE\\MusicMatch\\Musicmatch Jukebox\\4.0\\MMRadio";
  const std::string options = "Software\\Google\\NavClient\\1.1\\Options";
  const std::string recent = "Software\\Microsoft\\MediaPlayer\\Player\\RecentFileList";
  const std::string assist = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\UserAssist\\";
  const std::string bsplayer = "Software\\BST\\bsplayer";
  const std::string metrics = "Software\\Sonic Foundry\\Sound Forge\\6.0\\Metrics";
  const std::string netscape = PF + "Netscape/Users/default/";
  const std::vector<Case> cases = {
      {AppList::kInternet, "Emule (File Hashes)",
       {PF + "eMule/config/known.met", PF + "eMule/config/known2.met"}, {}, false,
       {PF + "eMule/config/AC_SearchStrings.dat"}},
      {AppList::kInternet, "BearShare",
       {PF + "BearShare/Temp/a/b.tmp", PF + "BearShare/db/x.db"}},
      {AppList::kInternet, "Kazaa (Search History)", {}, {CU("Software\\Kazaa\\Search")}, true},
      {AppList::kInternet, "Google Toolbar", {},
       {CU("Software\\Google\\NavClient\\1.1\\History"), CU(options, "KillPopupCount")}, false, {},
       {CU(options, "Keep")}},
      {AppList::kInternet, "GetRight", {PF + "GetRight/GetRight.hst"},
       {CU("Software\\Headlight\\GetRight\\MRU"), CU("Software\\Headlight\\GetRight\\TypedURLS")}},
      {AppList::kInternet, "Morpheus", {PF + "Morpheus/Temp/t.dat"},
       {CU("Software\\Morpheus\\GUI\\SearchRecent"),
        CU("Software\\Morpheus\\Morpheus\\Recent File List")}},
      {AppList::kInternet, "NetScape Navigator (Cookies)",
       {netscape + "prefs.js", netscape + "netscape.hst", netscape + "cookies.txt"}, {}, false,
       {netscape + "bookmark.htm"}},
      {AppList::kInternet, "Yahoo! Messenger", {}, {}, false, {PF + "Yahoo!/Messenger/log.txt"}},
      {AppList::kMultimedia, "MusicMatch Jukebox",
       {PF + "MUSICMATCH/Musicmatch Jukebox/DefaultPlayList.m3u",
        LAD + "Musicmatch/Jukebox/mmjblog.txt"},
       {LM("Software\\MusicMatch\\Musicmatch Jukebox\\4.0\\FileConv"), LM(radio, "LastStation"),
        LM(radio, "LastStationName")}, false, {}, {LM(radio, "Volume")}},
      {AppList::kMultimedia, "Real Player",
       {AD + "Real/RealOne Player/ctd.dat", AD + "Real/RealPlayer/History/h.rpl"},
       {CU(prefs + "MostRecentClips1"), CU(prefs + "MostRecentSkins8"),
        CU(prefs + "LastOpenFileDir"), CU(prefs + "OpenLocationClips7")}, false, {},
       {CU(prefs + "OpenLocationClips8")}},
      {AppList::kMultimedia, "Quicktime Player",
       {CAD + "QuickTime/QuickTimeFavorites.qtr", AD + "Apple Computer/QuickTime/recent.xml"},
       {LM("SOFTWARE\\Apple Computer, Inc.\\QuickTime\\Recent Movies")}, true,
       {AD + "Apple Computer/QuickTime/keep.txt"}},
      {AppList::kMultimedia, "BSPlayer", {}, {CU(bsplayer, "File0"), CU(bsplayer, "File9")}, false,
       {}, {CU(bsplayer, "File10")}},
      {AppList::kMultimedia, "Sound Forge", {}, {CU(metrics, "S30110"), CU(metrics, "S30115")},
       false, {}, {CU(metrics, "S30109"), CU(metrics, "S30116")}},
      {AppList::kMultimedia, "Windows Media Player", {}, {CU(recent)}, false, {}, {LM(recent)}},
      {AppList::kWindows, "User Assist History", {},
       {CU(assist + "{5E6AB780-7743-11CF-A12B-00AA004AE837}\\Count"),
        CU(assist + "{75048700-EF1F-11D0-9888-006097DEACF9}\\Count")}, true},
      {kUtil, "The Cleaner", {PF + "The Cleaner/logfile.txt", PF + "The Cleaner/tca.log"}, {},
       false, {PF + "The Cleaner/keep.txt"}},
      {kUtil, "XoftSpy", {PF + "XoftSpy/Logs/a.log", PF + "XoftSpy/Logs/old/b.log"}, {}, false,
       {PF + "XoftSpy/xoftspy.exe"}},
      {kUtil, "Ad-Aware SE Plus",
       {PF + "Lavasoft/Ad-Aware SE Plus/defs.ref.old", AD + "Lavasoft/Ad-Aware/Logs/scan.log",
        AD + "Lavasoft/Ad-Aware/Quarantine/q.dat"}},
      {kUtil, "Lavasoft Ad-Aware 5/6", {PF + "Lavasoft Ad-aware/ad-aware log2.txt"}, {}, false,
       {PF + "Lavasoft/Ad-aware/ad-aware log1.txt", PF + "Lavasoft Ad-aware/prefs.ini"}},
      {kUtil, "Grisoft AVG", {avg + "upd7bin/u.bin", avg + "history.log"}, {}, false,
       {avg + "old.fil"}},
      {kAppl, "Adobe Acrobat Reader 7.0",
       {acrobat + "ActiveX/a.bak", acrobat + "Reader/Updater/u.bak",
        acrobat + "Reader/plug_ins/p.bak", acrobat + "Reader/r.bak",
        LAD + "Adobe/Acrobat/7.0/Cache/Search70/index.idx"},
       {CU("Software\\Adobe\\Acrobat Reader\\7.0\\AVGeneral\\cRecentFiles")}, true,
       {acrobat + "Reader/AcroRd32.exe"}},
      {kAppl, "Ahead Nero Burning ROM", {PF + "Ahead/Cache/track.tmp"},
       {CU(nero + "\\Settings", "BrowserDir"), CU(nero + "\\Settings", "BootImageDir"),
        CU(nero + rfl), CU(cover, "file1"), CU(cover, "file100"),
        CU("Software\\Ahead\\XImgPlg" + rfl)}, false, {},
       {CU(nero + "\\Settings", "Language"), CU(cover, "file101")}},
      {kAppl, "Microsoft Works", {PF + "Microsoft Works/wklntsk.dat"},
       {CU("Software\\Microsoft\\Works\\4.0" + rfl)}},
  };
  for (const Case& c : cases) {
    for (const auto& f : c.files) Put(f);
    for (const auto& f : c.keptFiles) Put(f);
    for (const Reg& r : c.reg) Make(r);
    for (const Reg& r : c.keptReg) Make(r);
  }
  for (bool analyze : {true, false}) {
    analyzeOnly = analyze;
    L.Clear();
    for (const Case& c : cases) Clean(c.list, {c.text});
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(c.text) + (analyze ? " under Analyze" : " by Run Cleaner"));
      for (const auto& f : c.files) EXPECT_TRUE(Exists(f) == analyze && Logged(f)) << f;
      for (const Reg& r : c.reg) EXPECT_EQ(Present(r), analyze && !c.regUnderAnalyze) << r.key;
      for (const auto& f : c.keptFiles) EXPECT_TRUE(Exists(f) && !Named(f)) << f;
      for (const Reg& r : c.keptReg) EXPECT_TRUE(Present(r)) << r.key;
    }
  }
  EXPECT_FALSE(Exists(PF + "XoftSpy/Logs/old"));  // a tree step takes the folders too
}

// Both parts clean the one profile folder: the cache part every file but the
// cookies, which the cookie part takes alone (plan/demo_machine.jsonl).
TEST_F(CatalogueTest, OperaCachePartTakesAllButTheCookies) {
  const std::string profile = AD + "Opera/Opera/profile/", cookies = profile + "cookies4.dat";
  std::vector<std::string> cache;
  for (const char* f : {"cache4/o1.tmp", "sessions/autosave.win", "cacheOp/o2.tmp", "download.dat",
                        "global.dat", "vlink4.dat", "opera.dir"})
    cache.push_back(profile + f);
  for (const auto& f : cache) Put(f);
  Put(cookies);
  Clean(AppList::kInternet, {"Opera (Cache)"});
  for (const auto& f : cache) EXPECT_TRUE(!Exists(f) && Logged(f)) << f;
  EXPECT_TRUE(Exists(cookies));
}

// Keys, values and numbered ranges of skipped entries (and the Office recent
// folder, and a routine of ranges) wait for Run Cleaner.
TEST_F(CatalogueTest, SkippedEntriesWaitForRunCleanerThenDeleteTheirKeysAndValues) {
  const std::string pa = "Software\\PowerArchiver\\Files", rar = "Software\\WinRAR\\",
                    ability = "Software\\Ability 4.0\\";
  const std::vector<std::string> keys = {"Software\\Microsoft\\Office\\11.0\\Excel\\Recent Files",
                                         ability + "Ability Spreadsheet\\Files",
                                         ability + "ABDRAW\\Recent File List",
                                         ability + "Ability Photoalbum\\Dirs"};
  for (const char* v : {"Active_File1", "Active_File5", "Extract2", "Last add dir", "Keep"})
    Set(pa, v);
  for (const char* v : {"0", "100", "101"}) Set(rar + "ArcHistory", v);
  Set(rar + "DialogEditHistory\\ExtrPath", "50");
  Set(rar + "General", "LastFolder");
  for (const std::string& k : keys) Set(k, "File1");
  Put(AD + "Microsoft/Office/Recent/letter.doc.lnk");
  const auto entries = {"Power Archiver", "WinRAR", "Microsoft Office 2003", "Ability Office 4.0"};
  analyzeOnly = true;
  Clean(kAppl, entries);
  EXPECT_EQ(ValueNames(pa).size(), 5u);
  EXPECT_EQ(ValueNames(rar + "ArcHistory").size(), 3u);
  for (const std::string& k : keys) EXPECT_TRUE(KeyExists(k)) << k;
  EXPECT_TRUE(LogLines().empty());

  analyzeOnly = false;
  Clean(kAppl, entries);
  EXPECT_EQ(ValueNames(pa), Names{"Keep"});
  EXPECT_EQ(ValueNames(rar + "ArcHistory"), Names{"101"});
  EXPECT_TRUE(ValueNames(rar + "DialogEditHistory\\ExtrPath").empty() &&
              ValueNames(rar + "General").empty());
  for (const std::string& k : keys) EXPECT_FALSE(KeyExists(k)) << k;
  EXPECT_FALSE(Exists(AD + "Microsoft/Office/Recent/letter.doc.lnk"));
}

// The file-menu values go until the first that reads empty, which is deleted too.
TEST_F(CatalogueTest, WinZipDeletesFileMenuValuesUpToTheFirstEmptyOne) {
  const std::string menu = "Software\\Nico Mak Computing\\WinZip\\filemenu";
  const std::string dirs = "Software\\Nico Mak Computing\\WinZip\\directories";
  for (const char* v : {"filemenu1", "filemenu2", "filemenu3", "filemenu6"}) Set(menu, v);
  for (const char* v : {"DefDir", "gzExtractTo", "Other"}) Set(dirs, v);
  Clean(kAppl, {"WinZip"});
  EXPECT_EQ(ValueNames(menu), Names{"filemenu6"});
  EXPECT_EQ(ValueNames(dirs), Names{"Other"});
  // An empty filemenu2 is read, deleted too, and ends the loop before filemenu3.
  for (const char* v : {"filemenu1", "filemenu3"}) Set(menu, v);
  Set(menu, "filemenu2", "");
  Clean(kAppl, {"WinZip"});
  EXPECT_EQ(ValueNames(menu), (Names{"filemenu3", "filemenu6"}));
}

}  // namespace
}  // namespace vb
