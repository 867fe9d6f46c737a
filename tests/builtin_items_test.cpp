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
namespace settings = registry::settings;

class BuiltinItemsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::AddDemoTracesAndPassWarning(m);
    m.machine().Script().SetLog(&boxes);
    program.Start("");
  }
  app::Form1& form() { return program.Main().form(); }
  // Only those item boxes checked.
  void Only(std::initializer_list<CheckBox* app::Form1::*> keep) {
    for (const app::ItemBox& row : app::ItemBoxes())
      (form().*row.box)->SetValue(std::find(keep.begin(), keep.end(), row.box) != keep.end());
  }
  void Analyze() { form().AnalyCom->UserClick(); }
  void Clean() { form().CleanCom->UserClick(); }
  std::string Log() { return form().Text1->Text(); }
  test::TempMachine m;
  std::ostringstream boxes;
  app::Program program{m.platform()};
};

// What each item takes of the demonstration machine, registry values and
// keys included (an MRU list's in its own order, on the personal machine
// too), plan_property_test holds against plan/*_plan.jsonl, and the
// demo_machine transcript shows the results box of both runs; here, what
// those machines do not show.
TEST_F(BuiltinItemsTest, InternetTemporaryListsEntriesOrCountsThem) {
  Only({&app::Form1::ietemp});
  form().Check4->SetValue(1);
  Clean();
  EXPECT_NE(Log().find("\r\nhttp://www.example.com/index.htm\r\nhttp://www.example.com/logo.gif\r\n"),
            std::string::npos)
      << Log();
  // The cache is empty now: no line and nothing more to clean.
  Clean();
  EXPECT_EQ(Log().find("Temporary Internet Files"), std::string::npos);
}

TEST_F(BuiltinItemsTest, AFullCacheListIsNotReloadedBeforeTheRun) {
  auto& list2 = *form().List2;
  for (int i = 0; i < 10001; ++i) list2.AddItem("http://old/" + std::to_string(i));
  Only({&app::Form1::ietemp});
  Analyze();
  EXPECT_NE(Log().find("\r\nTemporary Internet Files (0 Files)\r\n"), std::string::npos) << Log();
  EXPECT_EQ(list2.ListCount(), 0);
}

}  // namespace
}  // namespace vb
