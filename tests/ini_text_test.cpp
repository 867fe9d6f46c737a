// INI text as GetPrivateProfileStringA reads it, in the cases the
// conformance suite's profiles.ini leaves out.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ini_text.h"

namespace vb {
namespace {

using platform::FindIniValue;

TEST(IniText, ValuesComeFromTheFirstSectionOfTheirNameWithoutQuotes) {
  const std::string text =
      "\xEF\xBB\xBF" "top=before any section\n; Name=commented\n[ Profile0 ]\nno equals sign\n"
      " Name = \"quoted value\" \nName=second\nPath='one'\nOdd=\"x'\n[Profile0]\nOther=later\n"
      "[Open\nKey=v\n";
  EXPECT_EQ(FindIniValue(text, "profile0", "NAME"), "quoted value");
  EXPECT_EQ(FindIniValue(text, "Profile0", "Path"), "one");
  EXPECT_EQ(FindIniValue(text, "Profile0", "Odd"), "\"x'");
  EXPECT_EQ(FindIniValue(text, "Profile0", "Other"), std::nullopt);  // a second [Profile0]
  EXPECT_EQ(FindIniValue(text, "Profile0", "top"), std::nullopt);
  EXPECT_EQ(FindIniValue(text, "Open", "Key"), "v");

  std::vector<std::string> seen;
  platform::ReadIniLines(text, [&](const platform::IniLine& line) {
    bool section = line.kind == platform::IniLine::Kind::kSection;
    seen.push_back(section ? "[" + std::string(line.name) + "]"
                           : std::string(line.name) + "=" + std::string(line.value));
    return seen.size() < 4;
  });
  EXPECT_EQ(seen, (std::vector<std::string>{"top=before any section", "[Profile0]",
                                            "Name=\"quoted value\"", "Name=second"}));
}

}  // namespace
}  // namespace vb
