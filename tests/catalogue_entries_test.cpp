// The catalogue's entries: the five lists' tables. What each entry measures
// and takes under Analyze and Run Cleaner, and what it leaves (WinZip's
// file-menu values up to the first that reads empty included),
// plan_property_test holds on the demonstration machine and on a machine of
// catalogue traces (plan/demo_machine_*.jsonl, plan/catalogue_machine_*.jsonl).
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "catalogue/catalogue.h"
#include "engine/items.h"
#include "platform/ascii_case.h"

namespace vb {
namespace {

using namespace vb::win;
using namespace vb::catalogue;

// The lists' sizes are checked where the lists are loaded (app_lists_test).
// A text is stored as a registry value's name, which ignores letter case, and
// --select takes texts and the items' names alike: each names one thing.
TEST(Catalogue, ListsHoldEachTextOnceInAnyCaseWithTheMarkerTheirModeNeeds) {
  std::set<std::string> texts;
  for (const engine::ItemRow& item : engine::ItemRows())
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
  // Found by a folder other than the one it cleans (the catalogue machine has both).
  const auto& utilities = Entries(AppList::kUtilities);
  auto adAware = std::ranges::find_if(
      utilities, [](const Entry& e) { return std::string(e.text) == "Lavasoft Ad-Aware 5/6"; });
  ASSERT_NE(adAware, utilities.end());
  EXPECT_STREQ(adAware->detection.path, "\\Lavasoft\\Ad-aware");
}

}  // namespace
}  // namespace vb
