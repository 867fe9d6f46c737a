// Reading rule files: every key and form, and the lines that are refused,
// with their line numbers (the list each entry goes to is in cli/winapp2.txt).
#include <gtest/gtest.h>

#include <map>

#include "catalogue/rule_file.h"

namespace vb {
namespace {

using namespace vb::win;
using catalogue::AppList;
using catalogue::ParseRules;
using catalogue::RuleExclusion;

std::vector<std::string> Problems(const catalogue::RuleFile& file) {
  std::vector<std::string> out;
  for (const auto& [line, p] : file.problems) out.push_back(p.message);
  return out;
}

TEST(RuleFile, ReadsEveryKeyOfAnEntry) {
  auto file = ParseRules(
      "\xEF\xBB\xBF; a comment\r\n"
      "[Pebble Chat *]\r\n"
      "langsecref=3022\n"
      "DETECT=HKCU\\Software\\Pebble\n"
      "Detect7=HKEY_LOCAL_MACHINE\\Software\\Pebble\\\n"
      "DetectFile2=%AppData%\\Pebble\\*.cfg\n"
      "DetectOS=5.1|\n"
      "SpecialDetect=DET_CHROME\n"
      "Default=False\n"
      "Whatever=ignored\n"
      "Warning=Closes your chats.\n"
      "FileKey1=%LocalAppData%\\Pebble\\Cache|*.tmp;data_?.bin\n"
      "FileKey9=C:/Pebble/Logs/|*.log|RECURSE\n"
      "FileKey12=%AppData%\\Pebble\\*\\Old|*.*|removeself\n"
      "RegKey1=HKU\\.DEFAULT\\Software\\Pebble\n"
      "RegKey3=HKCR\\Pebble.File|Recent\n"
      "ExcludeKey1=FILE|%AppData%\\Pebble\\|keep.tmp;keep2.tmp\n"
      "ExcludeKey2=PATH|%AppData%\\Pebble\\Saves\n"
      "ExcludeKey4=REG|HKCU\\Software\\Pebble\\Keep|Name\n"
      "[Plain]\n"
      "FileKey1=%Temp%|*.pbl\n",
      "winapp2.ini");
  EXPECT_TRUE(file.problems.empty()) << ::testing::PrintToString(Problems(file));
  ASSERT_EQ(file.entries.size(), 2u);
  const auto& e = file.entries[0];
  EXPECT_EQ(e.text, "Pebble Chat");
  EXPECT_EQ(e.line, 2);
  EXPECT_EQ(e.list, AppList::kInternet);
  ASSERT_EQ(e.detects.size(), 4u);
  EXPECT_EQ(e.detects[0].key.root, kHkeyCurrentUser);
  EXPECT_EQ(e.detects[1].key.root, kHkeyLocalMachine);
  EXPECT_EQ(e.detects[1].key.path, "Software\\Pebble");
  EXPECT_TRUE(e.detects[2].file);
  EXPECT_EQ(e.detects[2].path, "%AppData%\\Pebble\\*.cfg");
  EXPECT_EQ(e.detects[3].key.path, "Software\\Google\\Chrome");
  ASSERT_TRUE(e.os);
  EXPECT_EQ(e.os->min, (catalogue::OsVersion{5, 1}));
  EXPECT_FALSE(e.os->max);
  EXPECT_EQ(e.warning, "Closes your chats.");
  ASSERT_EQ(e.files.size(), 3u);
  EXPECT_EQ(e.files[0].line, 12);
  EXPECT_EQ(e.files[0].patterns, (std::vector<std::string>{"*.tmp", "data_?.bin"}));
  EXPECT_FALSE(e.files[0].recurse);
  EXPECT_EQ(e.files[1].folder, "C:\\Pebble\\Logs");
  EXPECT_TRUE(e.files[1].recurse);
  EXPECT_FALSE(e.files[1].removeSelf);
  EXPECT_EQ(e.files[2].folder, "%AppData%\\Pebble\\*\\Old");
  EXPECT_TRUE(e.files[2].recurse && e.files[2].removeSelf);
  ASSERT_EQ(e.registry.size(), 2u);
  EXPECT_EQ(e.registry[0].key.root, kHkeyUsers);
  EXPECT_FALSE(e.registry[0].value);
  EXPECT_EQ(e.registry[1].key.root, kHkeyClassesRoot);
  EXPECT_EQ(e.registry[1].value, "Recent");
  ASSERT_EQ(e.exclusions.size(), 3u);
  EXPECT_EQ(e.exclusions[0].kind, RuleExclusion::Kind::kFile);
  EXPECT_EQ(e.exclusions[0].patterns, (std::vector<std::string>{"keep.tmp", "keep2.tmp"}));
  EXPECT_EQ(e.exclusions[1].kind, RuleExclusion::Kind::kPath);
  EXPECT_EQ(e.exclusions[1].patterns, (std::vector<std::string>{"*.*"}));
  EXPECT_EQ(e.exclusions[2].kind, RuleExclusion::Kind::kRegistry);
  EXPECT_EQ(e.exclusions[2].value, "Name");
  // A section name without the final " *" is taken whole; no list: Applications.
  EXPECT_EQ(file.entries[1].text, "Plain");
  EXPECT_EQ(file.entries[1].list, AppList::kApplications);
}

TEST(RuleFile, ReportsBadLinesWithTheirNumbersAndKeepsTheRest) {
  auto file = ParseRules(
      "Detect=HKCU\\Software\\Early\n"             // 1
      "[Broken *]\n"                               // 2
      "this is not a key\n"                        // 3
      "Detect=HKXX\\Software\\Broken\n"            // 4
      "RegKey1=HKLM\n"                             // 5
      "RegKey2=HKCU\\Software\\\\Broken\n"         // 6
      "FileKey1=Pebble\\Cache|*.tmp\n"             // 7
      "FileKey2=%AppData%\\..\\..|*.*\n"           // 8
      "FileKey3=%Secret%\\Cache|*.tmp\n"           // 9
      "FileKey4=%AppData%\\Cache|..\\*.tmp\n"      // 10
      "FileKey5=%AppData%\\Cache|*.tmp|DEEP\n"     // 11
      "FileKey6=%AppData%\\Cache\n"                // 12
      "ExcludeKey1=DIR|%AppData%\\Cache\n"         // 13
      "DetectOS=five|6.1\n"                        // 14
      "SpecialDetect=DET_NOTHING\n"                // 15
      "LangSecRef=9999\n"                          // 16
      "FileKey7=%AppData%\\Cache|*.tmp\n"          // 17: kept
      "[Broken *]\n"                               // 18
      "FileKey1=%AppData%\\Other|*.*\n"            // 19
      "[Half\n"                                    // 20
      "FileKey1=%AppData%\\Half|*.*\n"             // 21
      "[ *]\n",                                    // 22
      "winapp2.ini");
  std::vector<int> lines;
  for (const auto& [line, p] : file.problems) lines.push_back(line);
  EXPECT_EQ(lines, (std::vector<int>{1, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 18, 20, 22}))
      << ::testing::PrintToString(Problems(file));
  ASSERT_EQ(file.entries.size(), 1u);
  const auto& e = file.entries[0];
  EXPECT_EQ(e.text, "Broken");
  EXPECT_TRUE(e.detects.empty());
  EXPECT_TRUE(e.registry.empty());
  EXPECT_FALSE(e.os);
  EXPECT_EQ(e.list, AppList::kApplications);
  ASSERT_EQ(e.files.size(), 1u);
  EXPECT_EQ(e.files[0].line, 17);
}

// A control character would hide in a name, and a NUL cut it short where it
// becomes a C string; a key Windows needs never goes whole; names that differ
// only in letter case would share one stored mark. Each such line is
// refused on its line, and the rest of its entry kept.
TEST(RuleFile, RefusesControlCharactersKeysWindowsNeedsAndNamesDifferingInCase) {
  using namespace std::string_literals;
  auto file = ParseRules(
      "[Old Tool *]\n"                                                            // 1
      "RegKey1=HKCU\\Software\\Microsoft\0\\Old Tool\n"                           // 2
      "RegKey2=HKLM\\\0\n"                                                        // 3
      "RegKey3=HKCU\\Software\\Old Tool|Last\x01Used\n"                           // 4
      "FileKey1=%AppData%\\Old\x7FTool|*.tmp\n"                                   // 5
      "FileKey2=%AppData%\\Old Tool|*.tmp;a\tb.log\n"                             // 6
      "Detect=HKCU\\Software\\Old\x1BTool\n"                                      // 7
      "ExcludeKey1=REG|HKCU\\Software\\Old Tool|Keep\rMe\n"                       // 8
      "RegKey4=HKCU\\Software\\Microsoft\n"                                       // 9
      "RegKey5=HKEY_LOCAL_MACHINE\\software\\wow6432node\\microsoft\\windows\\\n"  // 10
      "RegKey6=HKU\\S-1-5-21-1-2-3-1001\n"                                        // 11
      "RegKey7=HKCR\\.txt\n"                                                      // 12
      "RegKey8=HKCU\\Software\\Microsoft|Old Tool\n"                              // 13: one value
      "RegKey9=HKCU\\Software\\Old Tool\n"                                        // 14
      "[WinZip\0anything *]\n"                                                    // 15
      "RegKey1=HKCU\\Software\\WinZip\n"                                          // 16
      "[old TOOL]\n"                                                              // 17
      "RegKey1=HKCU\\Software\\Old Tool\\Cache\n"s,                               // 18
      "winapp2.ini");
  std::vector<int> lines;
  for (const auto& [line, p] : file.problems) lines.push_back(line);
  EXPECT_EQ(lines, (std::vector<int>{2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 15, 17}))
      << ::testing::PrintToString(Problems(file));
  std::map<int, std::string> byLine;
  for (const auto& [line, p] : file.problems) byLine[line] = p.message;
  const std::pair<int, const char*> described[] = {
      {2, "winapp2.ini, line 2: a control character in "
          "\"RegKey1=HKCU\\Software\\Microsoft<NUL>\\Old Tool\": skipped"},
      {9, "winapp2.ini, line 9: refused: \"HKCU\\Software\\Microsoft\" is a key Windows needs"},
      {11, "winapp2.ini, line 11: refused: \"HKU\\S-1-5-21-1-2-3-1001\" is a whole hive"},
      {15, "winapp2.ini, line 15: a control character in \"[WinZip<NUL>anything *]\": its entry "
           "is skipped"},
      {17, "winapp2.ini, line 17: a second section \"old TOOL\" (line 1 has \"Old Tool\", which "
           "differs only in letter case): skipped"},
  };
  for (const auto& [line, text] : described) EXPECT_EQ(byLine[line], text);
  ASSERT_EQ(file.entries.size(), 1u);
  const auto& e = file.entries[0];
  EXPECT_EQ(e.text, "Old Tool");
  EXPECT_TRUE(e.files.empty());
  EXPECT_TRUE(e.detects.empty());
  EXPECT_TRUE(e.exclusions.empty());
  ASSERT_EQ(e.registry.size(), 2u);
  EXPECT_EQ(e.registry[0].line, 13);
  EXPECT_EQ(e.registry[1].line, 14);
}

}  // namespace
}  // namespace vb
