// Reading rule files: every key and form of an entry. The lines that are
// refused, each with its number and reason, and what is left of their entries
// cli/rules.txt shows; the list each entry goes to, cli/winapp2.txt.
#include <gtest/gtest.h>

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

}  // namespace
}  // namespace vb
