// Entries read from a rule file on an emulated machine: detection, the
// folders refused at load, and cleaning under Analyze and Run Cleaner
// through the removal routines, with exclusions, links and REMOVESELF.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "catalogue/rule_catalogue.h"
#include "catalogue/entry_cleaner.h"
#include "cli/winapp2_verb.h"
#include "platform/registry_values.h"
#include "support/steps_fixture.h"

namespace vb {
namespace {

using namespace vb::win;
using catalogue::AppList;

constexpr const char* kAppData = "Documents and Settings/User/Application Data/";

class RuleCleaning : public test::StepsFixture {
 protected:
  std::unique_ptr<catalogue::RuleCatalogue> Load(const std::string& text) {
    catalogue::RulePlaces places(p());
    return catalogue::RuleCatalogue::Load(places, text, "winapp2.ini");
  }
  std::vector<std::string> ProblemLines(const catalogue::RuleCatalogue& rules) {
    std::vector<std::string> out;
    for (const auto& problem : rules.Problems()) out.push_back(Describe(problem));
    return out;
  }
  // Loads a file of one entry and cleans it in the current mode.
  void CleanOne(const std::string& text) {
    auto rules = Load(text);
    ASSERT_TRUE(rules->Problems().empty()) << ::testing::PrintToString(ProblemLines(*rules));
    const catalogue::Entry& entry = rules->Entries(AppList::kApplications).at(0);
    engine::StepContext c = Context();
    catalogue::CleanEntry(c, entry);
  }
  std::vector<std::string> Detected(const std::string& text) {
    auto rules = Load(text);
    catalogue::RulePlaces places(p());
    std::vector<std::string> out;
    for (const auto& e : rules->Entries(AppList::kApplications))
      if (catalogue::RuleDetected(places, *e.rule)) out.push_back(e.text);
    return out;
  }
  void PutAll(const std::vector<std::string>& files) {
    for (const auto& f : files) Put(f);
  }
};

TEST_F(RuleCleaning, DetectsByKeyFileWildcardsOsRangeOrNothing) {
  platform::WriteString(p().Registry(), kHkeyCurrentUser, "Software\\Pebble", "v", "x");
  Put(std::string(kAppData) + "Quill/v2/settings.cfg");
  EXPECT_EQ(Detected("[ByKey *]\nDetect1=HKCU\\Software\\Nothing\nDetect5=HKEY_CURRENT_USER\\software\\pebble\n"
                     "[NoKey *]\nDetect=HKCU\\Software\\Nothing\n"
                     "[ByFile *]\nDetectFile=%AppData%\\Q*l\\v?\\*.cfg\n"
                     "[ByFolder *]\nDetectFile=%AppData%\\Quill\n"
                     "[NoFile *]\nDetectFile=%AppData%\\Quill\\*.txt\n"
                     "[Always *]\nFileKey1=%Temp%|*.pbl\n"
                     "[XpOnly *]\nDetectOS=5.1|5.1\n"
                     "[Seven *]\nDetectOS=6.1|\n"
                     "[UpToVista *]\nDetectOS=|6.0\n"
                     "[SevenWithKey *]\nDetectOS=6.1|\nDetect=HKCU\\Software\\Pebble\n"
                     "[Chrome *]\nSpecialDetect=DET_CHROME\n"),
            (std::vector<std::string>{"ByKey", "ByFile", "ByFolder", "Always", "XpOnly", "UpToVista"}));
}

TEST_F(RuleCleaning, RefusesAtLoadTheFoldersNoRuleMayEmpty) {
  Folder("Documents and Settings/Other/Desktop");
  auto rules = Load(
      "[Greedy *]\n"
      "FileKey1=%SystemDrive%|*.*\n"                              // 2
      "FileKey2=C:\\|*.log\n"                                     // 3
      "FileKey3=%WinDir%|*.tmp\n"                                 // 4
      "FileKey4=%ProgramFiles%|*.*|RECURSE\n"                     // 5
      "FileKey5=%UserProfile%|*.*\n"                              // 6
      "FileKey6=%UserProfile%\\Desktop|*.*|REMOVESELF\n"          // 7
      "FileKey7=%Documents%|*.*\n"                                // 8
      "FileKey8=%UserProfile%\\*|*.lnk\n"                         // 9: reaches the Desktop
      "FileKey9=C:\\Documents and Settings\\*\\Desktop|*.*\n"     // 10: another user's
      "FileKey10=C:\\Documents and Settings|*.*\n"                // 11
      "FileKey11=%AllUsersProfile%\\Documents|*.*\n"              // 12
      "FileKey12=%AppData%\\Pebble|*.*|REMOVESELF\n"              // 13: kept
      "FileKey13=%SystemRoot%\\Temp|*.*\n"                        // 14: kept
      "[Start Menu Cleanup *]\nFileKey1=%Temp%|*.*\n"             // 15
      "[IsoBuster *]\nFileKey1=%Temp%|*.*\n");             // 17: a built-in text
  std::vector<int> lines;
  for (const auto& problem : rules->Problems()) lines.push_back(problem.line);
  EXPECT_EQ(lines, (std::vector<int>{2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 17}))
      << ::testing::PrintToString(ProblemLines(*rules));
  const auto& entries = rules->Entries(AppList::kApplications);
  ASSERT_EQ(entries.size(), 2u);
  ASSERT_EQ(entries[0].rule->files.size(), 2u);
  EXPECT_EQ(entries[0].rule->files[0].line, 13);
  EXPECT_EQ(entries[0].rule->files[1].line, 14);
  EXPECT_EQ(std::string(entries[1].text), "Start Menu Cleanup");
}

TEST_F(RuleCleaning, RecurseEmptiesTheTreeAndRemoveSelfRemovesItToo) {
  std::string base = std::string(kAppData) + "Pebble/";
  std::vector<std::string> tree = {"a.tmp", "keep.txt", "Sub/b.tmp", "Sub/Deeper/c.tmp"};
  for (const char* top : {"Flat/", "Recurse/", "Gone/"})
    for (const auto& f : tree) Put(base + top + f);
  Put(base + "Gone/Empty/d.tmp");
  Clean();
  CleanOne("[Pebble *]\n"
           "FileKey1=%AppData%\\Pebble\\Flat|*.tmp\n"
           "FileKey2=%AppData%\\Pebble\\Recurse|*.tmp|RECURSE\n"
           "FileKey3=%AppData%\\Pebble\\Gone|*.tmp|REMOVESELF\n");
  EXPECT_FALSE(Exists(base + "Flat/a.tmp"));
  EXPECT_TRUE(Exists(base + "Flat/Sub/b.tmp"));
  EXPECT_FALSE(Exists(base + "Recurse/Sub/Deeper/c.tmp"));
  EXPECT_TRUE(Exists(base + "Recurse/Sub/Deeper"));
  EXPECT_TRUE(Exists(base + "Recurse/keep.txt"));
  // The emptied subfolders go; the ones still holding a file and FOLDER stay.
  EXPECT_FALSE(Exists(base + "Gone/Sub/Deeper"));
  EXPECT_FALSE(Exists(base + "Gone/Empty"));
  EXPECT_TRUE(Exists(base + "Gone/keep.txt"));
  EXPECT_EQ(LogLines().size(), 8u) << ::testing::PrintToString(LogLines());
  EXPECT_NE(std::find(LogLines().begin(), LogLines().end(),
                      "C:\\Documents and Settings\\User\\Application Data\\Pebble\\Gone\\Sub\\Deeper\\c.tmp 10 bytes"),
            LogLines().end())
      << ::testing::PrintToString(LogLines());

  // Once FOLDER holds nothing it goes as well.
  RemovalFixture::Put(base + "Solo/Sub/x.tmp", 1);
  CleanOne("[Pebble *]\nFileKey1=%AppData%\\Pebble\\Solo|*.*|REMOVESELF\n");
  EXPECT_FALSE(Exists(base + "Solo"));
  EXPECT_TRUE(Exists(base + "Gone"));
}

TEST_F(RuleCleaning, WildcardFoldersAndWholeNamePatterns) {
  std::string base = std::string(kAppData) + "Quill/";
  PutAll({base + "Profile1/Cache/a.log", base + "Profile1/Cache/a.log1", base + "Profile1/Cache/a.logx",
          base + "Profile1/Cache/b.log.bak", base + "Profile22/Cache/c.log", base + "Other/Cache/d.log"});
  Clean();
  CleanOne("[Quill *]\nFileKey1=%AppData%\\Quill\\Profile*\\Cache|*.log\n");
  EXPECT_FALSE(Exists(base + "Profile1/Cache/a.log"));
  EXPECT_FALSE(Exists(base + "Profile22/Cache/c.log"));
  EXPECT_TRUE(Exists(base + "Profile1/Cache/a.log1"));
  EXPECT_TRUE(Exists(base + "Profile1/Cache/a.logx"));
  EXPECT_TRUE(Exists(base + "Profile1/Cache/b.log.bak"));
  EXPECT_TRUE(Exists(base + "Other/Cache/d.log"));
}

TEST_F(RuleCleaning, NeverFollowsALinkOnTheWayOrBelow) {
  std::string base = std::string(kAppData) + "Linked/";
  PutAll({"Keep/precious.tmp", "Keep/Inner/precious2.tmp", base + "Real/own.tmp"});
  Folder(base);
  for (const char* link : {"Hop", "Real/Jump", "Wild"}) Link(C("Keep"), base + link);
  Clean();
  CleanOne("[Linked *]\n"
           "FileKey1=%AppData%\\Linked\\Hop|*.tmp|REMOVESELF\n"
           "FileKey2=%AppData%\\Linked\\Real|*.tmp|REMOVESELF\n"
           "FileKey3=%AppData%\\Linked\\W*|*.tmp|RECURSE\n"
           "FileKey4=%AppData%\\Linked\\Hop\\Inner|*.tmp\n");
  EXPECT_TRUE(Exists("Keep/precious.tmp"));
  EXPECT_TRUE(Exists("Keep/Inner/precious2.tmp"));
  EXPECT_TRUE(IsLink(base + "Hop"));
  EXPECT_TRUE(IsLink(base + "Real/Jump"));
  EXPECT_FALSE(Exists(base + "Real/own.tmp"));

  // The rule's folder swapped for a link to Keep while its files go: the
  // walk goes on in the folder it opened, and never reaches Keep by name.
  PutAll({base + "Swap/a.tmp", base + "Swap/Inner/s.tmp", "Keep/Inner/kept.tmp"});
  files().SetBeforeDeleteHook([&](const std::string&, const std::string& name) {
    if (name != "a.tmp") return;
    std::filesystem::rename(C(base + "Swap"), C(base + "Swap.moved"));
    Link(C("Keep"), base + "Swap");
  });
  CleanOne("[Linked *]\nFileKey1=%AppData%\\Linked\\Swap|*.tmp|RECURSE\n");
  EXPECT_TRUE(Exists("Keep/Inner/kept.tmp"));
  EXPECT_TRUE(Exists("Keep/Inner/precious2.tmp"));
  EXPECT_FALSE(Exists(base + "Swap.moved/Inner/s.tmp"));
}

TEST_F(RuleCleaning, ExclusionsHoldUnderAnalyzeAndRunCleaner) {
  std::string base = std::string(kAppData) + "Vault/";
  const char* rule =
      "[Vault *]\n"
      "FileKey1=%AppData%\\Vault|*.*|RECURSE\n"
      "ExcludeKey1=FILE|%AppData%\\Vault\\|keep*.dat\n"
      "ExcludeKey2=PATH|%UserProfile%\\Application Data\\Vault\\Saves|*.sav\n"
      "ExcludeKey3=PATH|%AppData%\\Vault\\Config\n";
  // " keep1.dat" is another name, which no exclusion keeps.
  PutAll({base + "a.tmp", base + "keep1.dat", base + " keep1.dat", base + "Sub/keep1.dat", base + "Saves/s.sav",
          base + "Saves/Deep/t.sav", base + "Saves/log.txt", base + "Config/c.ini",
          base + "Config/Deep/d.ini"});
  for (bool analyze : {true, false}) {
    L.Clear();
    if (analyze) Analyze();
    else Clean();
    CleanOne(rule);
    std::vector<std::string> logged;
    for (const auto& line : LogLines())
      logged.push_back(line.substr(line.find("Vault\\") + 6));
    std::sort(logged.begin(), logged.end());
    EXPECT_EQ(logged, (std::vector<std::string>{" keep1.dat 10 bytes", "Saves\\log.txt 10 bytes",
                                                "Sub\\keep1.dat 10 bytes", "a.tmp 10 bytes"}))
        << analyze;
  }
  for (const char* kept : {"keep1.dat", "Saves/s.sav", "Saves/Deep/t.sav", "Config/c.ini",
                           "Config/Deep/d.ini"})
    EXPECT_TRUE(Exists(base + kept)) << kept;
  EXPECT_FALSE(Exists(base + "Sub/keep1.dat"));
}

TEST_F(RuleCleaning, RegistryKeysAndValuesOnlyUnderRunCleanerAndExclusionsKept) {
  auto& reg = p().Registry();
  for (const char* key : {"Software\\Pebble", "Software\\Pebble\\Cache\\Deep", "Software\\Pebble\\Keep",
                          "Software\\Pebble\\Mixed"}) {
    platform::WriteString(reg, kHkeyCurrentUser, key, "a", "1");
    platform::WriteString(reg, kHkeyCurrentUser, key, "b", "2");
  }
  platform::WriteString(reg, kHkeyCurrentUser, "Software\\Quill", "Recent", "x");
  platform::WriteString(reg, kHkeyCurrentUser, "Software\\Quill", "Other", "x");
  platform::WriteString(reg, kHkeyCurrentUser, "Software\\Gone\\Sub", "v", "x");
  const char* rule =
      "[Pebble *]\n"
      "RegKey1=HKCU\\Software\\Pebble\n"
      "RegKey2=HKCU\\Software\\Quill|Recent\n"
      "RegKey3=HKCU\\Software\\Quill|Other\n"
      "RegKey4=HKEY_CURRENT_USER\\Software\\Gone\n"
      "ExcludeKey1=REG|HKCU\\Software\\Pebble\\Keep\n"
      "ExcludeKey2=REG|HKCU\\Software\\Pebble\\Mixed|b\n"
      "ExcludeKey3=REG|HKCU\\Software\\Quill|Other\n";
  Analyze();
  CleanOne(rule);
  EXPECT_TRUE(KeyExists("Software\\Gone\\Sub"));
  EXPECT_EQ(ValueNames("Software\\Quill"), (std::set<std::string>{"Other", "Recent"}));
  Clean();
  CleanOne(rule);
  EXPECT_FALSE(KeyExists("Software\\Gone"));
  EXPECT_EQ(ValueNames("Software\\Quill"), (std::set<std::string>{"Other"}));
  EXPECT_EQ(ValueNames("Software\\Pebble"), (std::set<std::string>{}));
  EXPECT_FALSE(KeyExists("Software\\Pebble\\Cache"));
  EXPECT_EQ(ValueNames("Software\\Pebble\\Keep"), (std::set<std::string>{"a", "b"}));
  EXPECT_EQ(ValueNames("Software\\Pebble\\Mixed"), (std::set<std::string>{"b"}));
}

TEST_F(RuleCleaning, CheckVerbReportsProblemsAndCountsPerList) {
  std::string host = m.Host("rules.ini");
  test::WriteHostFile(host,
                      "[A *]\nLangSecRef=3022\n"
                      "[B *]\nFileKey1=%UserProfile%|*.*\n"
                      "[C *]\nSection=Windows\nRegKey1=HKZZ\\Software\n"
                      "[D *]\nLangSecRef=3029\n");
  std::istringstream in;
  std::ostringstream out, err;
  EXPECT_EQ(cli::RunWinapp2Verb(p(), {"check", host}, {in, out, err}), 1);
  EXPECT_EQ(out.str(), host + ", line 4: refused: \"%UserProfile%\" is a drive, the Windows or Program "
                              "Files folder, a profile or a Desktop, Documents, Music, Pictures or "
                              "Video folder\n" +
                           host + ", line 7: unknown registry root \"HKZZ\"\n"
                           "Applications: 1\nInternet: 2\nMultimedia: 0\nUtilities: 0\nWindows: 1\n");
  test::WriteHostFile(host, "[A *]\nLangSecRef=3022\n");
  out.str("");
  EXPECT_EQ(cli::RunWinapp2Verb(p(), {"check", host}, {in, out, err}), 0);
  EXPECT_EQ(cli::RunWinapp2Verb(p(), {"check", m.Host("missing.ini")}, {in, out, err}), 1);
  EXPECT_EQ(cli::RunWinapp2Verb(p(), {"lint", host}, {in, out, err}), 2);
}

}  // namespace
}  // namespace vb
