// The catalogue's entries: the five lists' tables, and a loop of values that
// ends at the first empty one. What each entry measures and takes under
// Analyze and Run Cleaner, and what it leaves, plan_property_test holds on
// the demonstration machine and on a machine of catalogue traces
// (plan/demo_machine_*.jsonl, plan/catalogue_machine_*.jsonl).
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
  // Found by a folder other than the one it cleans (the catalogue machine has both).
  EXPECT_STREQ(Find(AppList::kUtilities, "Lavasoft Ad-Aware 5/6")->detection.path,
               "\\Lavasoft\\Ad-aware");
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
