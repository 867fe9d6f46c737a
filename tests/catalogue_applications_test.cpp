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
using platform::WriteString;
using win::kHkeyCurrentUser;

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
    ASSERT_EQ(WriteString(p().Registry(), kHkeyCurrentUser, key, name, data), win::kErrorSuccess);
  }
  // Whether a log line names the file (a Windows path below C:\). A file at
  // the drive's root is logged as "C:\\name", the folder's "\" and the name's.
  bool Logged(std::string belowC) {
    std::replace(belowC.begin(), belowC.end(), '/', '\\');
    for (const std::string& line : LogLines())
      if (line.find("C:\\" + belowC) != std::string::npos ||
          line.find("C:\\\\" + belowC) != std::string::npos)
        return true;
    return false;
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
  const std::string pa = "Software\\PowerArchiver\\Files", rar = "Software\\WinRAR\\";
  for (const char* v : {"Active_File1", "Active_File5", "Extract2", "Last add dir", "Keep"}) Set(pa, v);
  for (const char* v : {"0", "100", "101"}) Set(rar + "ArcHistory", v);
  Set(rar + "DialogEditHistory\\ExtrPath", "50");
  Set(rar + "General", "LastFolder");
  Set("Software\\Microsoft\\Office\\11.0\\Excel\\Recent Files", "File1");
  Put(AD + "Microsoft/Office/Recent/letter.doc.lnk");
  for (const char* k : {"Ability Spreadsheet\\Files", "ABDRAW\\Recent File List", "Ability Photoalbum\\Dirs"})
    Set(std::string("Software\\Ability 4.0\\") + k, "f");
  const std::initializer_list<const char*> skipped = {"Power Archiver", "WinRAR",
                                                      "Microsoft Office 2003", "Ability Office 4.0"};
  analyzeOnly = true;
  Clean(kAppl, skipped);
  EXPECT_EQ(ValueNames(pa).size(), 5u);
  EXPECT_EQ(ValueNames(rar + "ArcHistory").size(), 3u);
  EXPECT_TRUE(KeyExists("Software\\Ability 4.0\\ABDRAW\\Recent File List"));
  EXPECT_TRUE(Exists(AD + "Microsoft/Office/Recent/letter.doc.lnk"));
  EXPECT_TRUE(LogLines().empty());

  analyzeOnly = false;
  Clean(kAppl, skipped);
  EXPECT_EQ(ValueNames(pa), Names{"Keep"});
  EXPECT_EQ(ValueNames(rar + "ArcHistory"), Names{"101"});
  EXPECT_TRUE(ValueNames(rar + "DialogEditHistory\\ExtrPath").empty());
  EXPECT_TRUE(ValueNames(rar + "General").empty());
  EXPECT_FALSE(KeyExists("Software\\Microsoft\\Office\\11.0\\Excel\\Recent Files"));
  EXPECT_FALSE(Exists(AD + "Microsoft/Office/Recent/letter.doc.lnk"));
  for (const char* k : {"Ability Spreadsheet\\Files", "ABDRAW\\Recent File List", "Ability Photoalbum\\Dirs"})
    EXPECT_FALSE(KeyExists(std::string("Software\\Ability 4.0\\") + k)) << k;
}

// File, tree and routine steps of entries that run in both modes: measured
// under Analyze, deleted by Run Cleaner; "*.fil" at the root of the home drive.
TEST_F(CatalogueApplicationsTest, FileAndTreeStepsMeasureUnderAnalyzeAndDeleteUnderRunCleaner) {
  const std::vector<std::string> gone = {
      PF + "The Cleaner/logfile.txt", PF + "The Cleaner/tca.log", PF + "XoftSpy/Logs/a.log",
      PF + "XoftSpy/Logs/old/b.log", PF + "Lavasoft/Ad-Aware SE Plus/defs.ref.old",
      AD + "Lavasoft/Ad-Aware/Logs/scan.log", AD + "Lavasoft/Ad-Aware/Quarantine/q.dat",
      "update.fil", CAD + "Grisoft/Avg7Data/upd7bin/u.bin", CAD + "Grisoft/Avg7Data/history.log"};
  const std::vector<std::string> kept = {PF + "The Cleaner/keep.txt", PF + "XoftSpy/xoftspy.exe",
                                         CAD + "Grisoft/Avg7Data/old.fil"};
  for (const std::string& f : gone) Put(f);
  for (const std::string& f : kept) Put(f);
  analyzeOnly = true;
  Clean(kUtil, {"The Cleaner", "XoftSpy", "Ad-Aware SE Plus"});
  Clean(kUtil, {"Grisoft AVG"});
  for (const std::string& f : gone) EXPECT_TRUE(Exists(f) && Logged(f)) << f;

  analyzeOnly = false;
  Clean(kUtil, {"The Cleaner", "XoftSpy", "Ad-Aware SE Plus", "Grisoft AVG"});
  for (const std::string& f : gone) EXPECT_FALSE(Exists(f)) << f;
  for (const std::string& f : kept) EXPECT_TRUE(Exists(f)) << f;
  EXPECT_FALSE(Exists(PF + "XoftSpy/Logs/old"));
}

TEST_F(CatalogueApplicationsTest, AcrobatReader7DeletesItsKeyAndRunsItsRoutineUnderAnalyze) {
  const std::string acrobat = PF + "Adobe/Acrobat 7.0/";
  const std::vector<std::string> bak = {acrobat + "ActiveX/a.bak", acrobat + "Reader/Updater/u.bak",
                                        acrobat + "Reader/plug_ins/p.bak", acrobat + "Reader/r.bak"};
  const std::string search = LAD + "Adobe/Acrobat/7.0/Cache/Search70/index.idx";
  for (const std::string& f : bak) Put(f);
  Put(search);
  Put(acrobat + "Reader/AcroRd32.exe");
  Set("Software\\Adobe\\Acrobat Reader\\7.0\\AVGeneral\\cRecentFiles", "c1");
  analyzeOnly = true;
  Clean(kAppl, {"Adobe Acrobat Reader 7.0"});
  EXPECT_FALSE(KeyExists("Software\\Adobe\\Acrobat Reader\\7.0\\AVGeneral\\cRecentFiles"));
  for (const std::string& f : bak) EXPECT_TRUE(Exists(f) && Logged(f)) << f;
  EXPECT_TRUE(Exists(search) && Logged(search));

  analyzeOnly = false;
  Clean(kAppl, {"Adobe Acrobat Reader 7.0"});
  for (const std::string& f : bak) EXPECT_FALSE(Exists(f)) << f;
  EXPECT_FALSE(Exists(search));
  EXPECT_TRUE(Exists(acrobat + "Reader/AcroRd32.exe"));
}

TEST_F(CatalogueApplicationsTest, PartlyEntriesRunOnlyTheirFileStepsUnderAnalyze) {
  const std::string nero = "Software\\Ahead\\Nero - Burning Rom\\";
  const std::string cover = "Software\\Ahead\\Cover Designer\\Recent File List";
  Put(PF + "Ahead/Cache/track.tmp");
  Put(PF + "Microsoft Works/wklntsk.dat");
  for (const char* v : {"BrowserDir", "BootImageDir", "Language"}) Set(nero + "Settings", v);
  Set(nero + "Recent File List", "File1");
  Set("Software\\Ahead\\XImgPlg\\Recent File List", "File1");
  for (const char* v : {"file1", "file100", "file101"}) Set(cover, v);
  Set("Software\\Microsoft\\Works\\4.0\\Recent File List", "File1");
  analyzeOnly = true;
  Clean(kAppl, {"Ahead Nero Burning ROM", "Microsoft Works"});
  EXPECT_TRUE(Exists(PF + "Ahead/Cache/track.tmp") && Logged(PF + "Ahead/Cache/track.tmp"));
  EXPECT_TRUE(Logged(PF + "Microsoft Works/wklntsk.dat"));
  EXPECT_EQ(ValueNames(nero + "Settings").size(), 3u);
  EXPECT_EQ(ValueNames(cover).size(), 3u);
  EXPECT_TRUE(KeyExists("Software\\Ahead\\XImgPlg\\Recent File List"));
  EXPECT_TRUE(KeyExists("Software\\Microsoft\\Works\\4.0\\Recent File List"));

  analyzeOnly = false;
  Clean(kAppl, {"Ahead Nero Burning ROM", "Microsoft Works"});
  EXPECT_FALSE(Exists(PF + "Ahead/Cache/track.tmp"));
  EXPECT_FALSE(Exists(PF + "Microsoft Works/wklntsk.dat"));
  EXPECT_EQ(ValueNames(nero + "Settings"), Names{"Language"});
  EXPECT_EQ(ValueNames(cover), Names{"file101"});
  EXPECT_FALSE(KeyExists(nero + "Recent File List"));
  EXPECT_FALSE(KeyExists("Software\\Ahead\\XImgPlg\\Recent File List"));
  EXPECT_FALSE(KeyExists("Software\\Microsoft\\Works\\4.0\\Recent File List"));
}

// Listed by "\Lavasoft\Ad-aware" below the program folder, cleaned in
// "\Lavasoft Ad-aware": a log in the first is not its cleaner's.
TEST_F(CatalogueApplicationsTest, LavasoftAdAware56CleansBesideTheFolderThatListsIt) {
  ASSERT_STREQ(Find(kUtil, "Lavasoft Ad-Aware 5/6")->detection.path, "\\Lavasoft\\Ad-aware");
  Put(PF + "Lavasoft/Ad-aware/ad-aware log1.txt");
  Put(PF + "Lavasoft Ad-aware/ad-aware log2.txt");
  Put(PF + "Lavasoft Ad-aware/prefs.ini");
  Clean(kUtil, {"Lavasoft Ad-Aware 5/6"});
  EXPECT_TRUE(Exists(PF + "Lavasoft/Ad-aware/ad-aware log1.txt"));
  EXPECT_FALSE(Exists(PF + "Lavasoft Ad-aware/ad-aware log2.txt"));
  EXPECT_TRUE(Exists(PF + "Lavasoft Ad-aware/prefs.ini"));
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
