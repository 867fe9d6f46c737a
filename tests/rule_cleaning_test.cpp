// Entries read from a rule file on an emulated machine: detection, the
// folders refused at load, a folder swapped mid-run, and the check verb.
#include <gtest/gtest.h>

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
    for (const auto& [line, problem] : rules.Problems()) out.push_back(problem.message);
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
  for (const auto& [line, problem] : rules->Problems()) lines.push_back(line);
  EXPECT_EQ(lines, (std::vector<int>{2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 17}))
      << ::testing::PrintToString(ProblemLines(*rules));
  const auto& entries = rules->Entries(AppList::kApplications);
  ASSERT_EQ(entries.size(), 2u);
  ASSERT_EQ(entries[0].rule->files.size(), 2u);
  EXPECT_EQ(entries[0].rule->files[0].line, 13);
  EXPECT_EQ(entries[0].rule->files[1].line, 14);
  EXPECT_EQ(std::string(entries[1].text), "Start Menu Cleanup");
}

// What rules take and keep (RECURSE, REMOVESELF, wildcard folders, whole-name
// patterns, exclusions of files, paths, keys and values, links on the way,
// below and matched by a wildcard) under both buttons, plan_property_test
// holds on its rule machine (plan/rule_machine.*). Here: the rule's folder
// swapped for a link to Keep while its files go: the walk goes on in the
// folder it opened, and never reaches Keep by name.
TEST_F(RuleCleaning, AFolderSwappedForALinkMidRunDoesNotRedirectTheRule) {
  std::string base = std::string(kAppData) + "Linked/";
  PutAll({"Keep/Inner/kept.tmp", base + "Swap/a.tmp", base + "Swap/Inner/s.tmp"});
  files().SetBeforeDeleteHook([&](const std::string&, const std::string& name) {
    if (name != "a.tmp") return;
    std::filesystem::rename(C(base + "Swap"), C(base + "Swap.moved"));
    Link(C("Keep"), base + "Swap");
  });
  Clean();
  CleanOne("[Linked *]\nFileKey1=%AppData%\\Linked\\Swap|*.tmp|RECURSE\n");
  EXPECT_TRUE(Exists("Keep/Inner/kept.tmp"));
  EXPECT_FALSE(Exists(base + "Swap.moved/Inner/s.tmp"));
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
