// The catalogue's entries: the five lists' tables. What each entry measures
// and takes under Analyze and Run Cleaner, and what it leaves (WinZip's
// file-menu values up to the first that reads empty included),
// plan_property_test holds on the demonstration machine and on a machine of
// catalogue traces (plan/demo_machine_*.jsonl, plan/catalogue_machine_*.jsonl).
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
  using Names = std::set<std::string>;
};

// The lists' sizes are checked where the lists are loaded (app_lists_test).
// A text is stored as a registry value's name, which ignores letter case, and
// --select takes texts and the items' names alike: each names one thing.
TEST_F(CatalogueTest, ListsHoldEachTextOnceInAnyCaseWithTheMarkerTheirModeNeeds) {
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
  EXPECT_STREQ(Find(AppList::kUtilities, "Lavasoft Ad-Aware 5/6")->detection.path,
               "\\Lavasoft\\Ad-aware");
}

}  // namespace
}  // namespace vb
