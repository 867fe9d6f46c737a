// The Applications and Utilities entries and their routines, cleaned on an
// emulated machine under Analyze and under Run Cleaner.
#include <gtest/gtest.h>

#include <algorithm>

#include "catalogue/catalogue.h"
#include "catalogue/entry_cleaner.h"
#include "support/steps_fixture.h"

namespace vb {
namespace {

using namespace vb::catalogue;

constexpr AppList kAppl = AppList::kApplications;
constexpr AppList kUtil = AppList::kUtilities;
// Host folders below drive C.
const std::string PF = "Program Files/";
const std::string AD = "Documents and Settings/User/Application Data/";
const std::string LAD = "Documents and Settings/User/Local Settings/Application Data/";
const std::string CAD = "Documents and Settings/All Users/Application Data/";

class CatalogueApplicationsTest : public test::StepsFixture {
 protected:
  CatalogueApplicationsTest() {
    for (const engine::RoutineSteps& r : CatalogueRoutines())
      routines.Set(r.routine, [this, &r] { Run(r.steps); });
  }
  const Entry* Find(AppList list, const std::string& text) {
    for (const Entry& e : Entries(list))
      if (text == e.text) return &e;
    ADD_FAILURE() << "no entry " << text;
    return nullptr;
  }
  void Clean(AppList list, std::initializer_list<const char*> texts) {
    for (const char* text : texts) {
      engine::StepContext context = Context();
      if (const Entry* e = Find(list, text)) CleanEntry(context, *e);
    }
  }
  void Set(const std::string& key, const char* name, const char* data = "x") {
    ASSERT_EQ(platform::WriteString(p().Registry(), win::kHkeyCurrentUser, key, name, data), 0);
  }
  void PutAll(const std::vector<std::string>& files) { for (const std::string& f : files) Put(f); }
  // Under Analyze each file is still there, and logged by its path.
  void ExpectMeasured(const std::vector<std::string>& files) {
    std::string log;
    for (const std::string& line : LogLines()) log += line + "\n";
    for (const std::string& f : files) {
      std::string path = "\\" + f;
      std::replace(path.begin(), path.end(), '/', '\\');
      EXPECT_TRUE(Exists(f) && log.find(path + " ") != std::string::npos) << f;
    }
  }
  void ExpectThere(const std::vector<std::string>& files, bool there) {
    for (const std::string& f : files) EXPECT_EQ(Exists(f), there) << f;
  }
  using Names = std::set<std::string>;
};

TEST_F(CatalogueApplicationsTest, ListsHoldTheirEntriesEachTextOnceMarkedWhereCleanedPartly) {
  EXPECT_EQ(Entries(kAppl).size(), 43u);
  EXPECT_EQ(Entries(kUtil).size(), 17u);
  std::set<std::string> texts;
  for (AppList list : {kAppl, kUtil})
    for (const Entry& e : Entries(list)) {
      EXPECT_TRUE(texts.insert(e.text).second) << e.text;
      EXPECT_EQ(e.list, list) << e.text;
      bool marked = std::any_of(e.steps.begin(), e.steps.end(), [](const engine::Step& s) {
        return s.action == engine::Action::kCleanerOnly;
      });
      EXPECT_EQ(marked, e.analyze == UnderAnalyze::kPartly) << e.text;
    }
}

// Keys, values and numbered ranges of skipped entries (and the Office recent
// folder, and a routine of ranges) wait for Run Cleaner.
TEST_F(CatalogueApplicationsTest, SkippedEntriesWaitForRunCleanerThenDeleteTheirKeysAndValues) {
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

// File, tree and routine steps of entries that run in both modes: measured
// under Analyze, deleted by Run Cleaner. "*.fil" lies at the root of the home
// drive; Ad-Aware 5/6 is listed by "\Lavasoft\Ad-aware" but cleans "\Lavasoft Ad-aware".
TEST_F(CatalogueApplicationsTest, FileAndTreeStepsMeasureUnderAnalyzeAndDeleteUnderRunCleaner) {
  EXPECT_STREQ(Find(kUtil, "Lavasoft Ad-Aware 5/6")->detection.path, "\\Lavasoft\\Ad-aware");
  const std::vector<std::string> gone = {
      PF + "The Cleaner/logfile.txt", PF + "The Cleaner/tca.log", PF + "XoftSpy/Logs/a.log",
      PF + "XoftSpy/Logs/old/b.log", PF + "Lavasoft/Ad-Aware SE Plus/defs.ref.old",
      AD + "Lavasoft/Ad-Aware/Logs/scan.log", AD + "Lavasoft/Ad-Aware/Quarantine/q.dat",
      PF + "Lavasoft Ad-aware/ad-aware log2.txt", "update.fil",
      CAD + "Grisoft/Avg7Data/upd7bin/u.bin", CAD + "Grisoft/Avg7Data/history.log"};
  const std::vector<std::string> kept = {
      PF + "The Cleaner/keep.txt", PF + "XoftSpy/xoftspy.exe", CAD + "Grisoft/Avg7Data/old.fil",
      PF + "Lavasoft/Ad-aware/ad-aware log1.txt", PF + "Lavasoft Ad-aware/prefs.ini"};
  const auto entries = {"The Cleaner", "XoftSpy", "Ad-Aware SE Plus", "Lavasoft Ad-Aware 5/6",
                        "Grisoft AVG"};
  PutAll(gone);
  PutAll(kept);
  analyzeOnly = true;
  Clean(kUtil, entries);
  ExpectMeasured(gone);

  analyzeOnly = false;
  Clean(kUtil, entries);
  ExpectThere(gone, false);
  ExpectThere(kept, true);
  EXPECT_FALSE(Exists(PF + "XoftSpy/Logs/old"));
}

// Acrobat Reader 7.0 runs: its key goes and its routine runs under Analyze,
// its "*.bak" files are only measured. The partly entries run only their file
// steps under Analyze.
TEST_F(CatalogueApplicationsTest, UnderAnalyzeOnlyTheStepsTheModeAllowsRun) {
  const std::string acrobat = PF + "Adobe/Acrobat 7.0/", recent = "\\Recent File List";
  const std::string nero = "Software\\Ahead\\Nero - Burning Rom",
                    cover = "Software\\Ahead\\Cover Designer" + recent;
  const std::vector<std::string> files = {
      acrobat + "ActiveX/a.bak", acrobat + "Reader/Updater/u.bak",
      acrobat + "Reader/plug_ins/p.bak", acrobat + "Reader/r.bak",
      LAD + "Adobe/Acrobat/7.0/Cache/Search70/index.idx", PF + "Ahead/Cache/track.tmp",
      PF + "Microsoft Works/wklntsk.dat"};
  const std::vector<std::string> keys = {nero + recent, "Software\\Ahead\\XImgPlg" + recent,
                                         "Software\\Microsoft\\Works\\4.0" + recent};
  PutAll(files);
  Put(acrobat + "Reader/AcroRd32.exe");
  Set("Software\\Adobe\\Acrobat Reader\\7.0\\AVGeneral\\cRecentFiles", "c1");
  for (const char* v : {"BrowserDir", "BootImageDir", "Language"}) Set(nero + "\\Settings", v);
  for (const char* v : {"file1", "file100", "file101"}) Set(cover, v);
  for (const std::string& k : keys) Set(k, "File1");
  const auto entries = {"Adobe Acrobat Reader 7.0", "Ahead Nero Burning ROM", "Microsoft Works"};
  analyzeOnly = true;
  Clean(kAppl, entries);
  EXPECT_FALSE(KeyExists("Software\\Adobe\\Acrobat Reader\\7.0\\AVGeneral\\cRecentFiles"));
  ExpectMeasured(files);
  EXPECT_EQ(ValueNames(nero + "\\Settings").size(), 3u);
  EXPECT_EQ(ValueNames(cover).size(), 3u);
  for (const std::string& k : keys) EXPECT_TRUE(KeyExists(k)) << k;

  analyzeOnly = false;
  Clean(kAppl, entries);
  ExpectThere(files, false);
  EXPECT_TRUE(Exists(acrobat + "Reader/AcroRd32.exe"));
  EXPECT_EQ(ValueNames(nero + "\\Settings"), Names{"Language"});
  EXPECT_EQ(ValueNames(cover), Names{"file101"});
  for (const std::string& k : keys) EXPECT_FALSE(KeyExists(k)) << k;
}

// The file-menu values go until the first that reads empty, which is deleted too.
TEST_F(CatalogueApplicationsTest, WinZipDeletesFileMenuValuesUpToTheFirstEmptyOne) {
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
