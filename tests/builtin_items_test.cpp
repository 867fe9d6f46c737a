// The built-in items over an emulated machine, through the main window's run.
#include <gtest/gtest.h>

#include <sstream>

#include "app/form1_settings.h"
#include "app/main_window.h"
#include "app/program.h"
#include "platform/scripted_ui.h"
#include "platform/registry_values.h"
#include "registry/settings_store.h"
#include "support/temp_machine.h"

namespace vb {
namespace {

using namespace vb::win;
using namespace vb::toolkit;

class BuiltinItemsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::AddDemoTracesAndPassWarning(m);
    m.machine().Script().SetLog(&boxes);
    program.Start("");
  }
  app::Form1& form() { return program.Main().form(); }
  // Only those item boxes checked.
  void Only(std::initializer_list<engine::Item> keep) {
    for (const engine::ItemRow& row : engine::ItemRows())
      form().ItemBox(row.item).SetValue(std::count(keep.begin(), keep.end(), row.item));
  }
  void Analyze() { form().analyzeButton->UserClick(); }
  std::string Log() { return form().resultsText->Text(); }
  test::TempMachine m;
  std::ostringstream boxes;
  app::Program program{m.platform()};
};

// What each item takes of the demonstration machine, registry values and
// keys included, plan_property_test holds against plan/demo_machine_*.jsonl;
// an MRU list's order and Internet Temporary's list of entries
// cli/removal.txt shows. Here, a cache list too full to reload.
TEST_F(BuiltinItemsTest, AFullCacheListIsNotReloadedBeforeTheRun) {
  auto& list2 = *form().cacheUrls;
  for (int i = 0; i < 10001; ++i) list2.AddItem("http://old/" + std::to_string(i));
  Only({engine::Item::kIETemp});
  Analyze();
  EXPECT_NE(Log().find("\r\nTemporary Internet Files (0 Files)\r\n"), std::string::npos) << Log();
  EXPECT_EQ(list2.ListCount(), 0);
}

}  // namespace
}  // namespace vb
