// The built-in items over an emulated machine, through the main window's run.
#include <gtest/gtest.h>

#include <sstream>

#include "app/form1_settings.h"
#include "app/main_window.h"
#include "app/program.h"
#include "platform/scripted_ui.h"
#include "platform/registry_values.h"
#include "registry/settings_store.h"
#include "support/forwarding_platform.h"
#include "support/forwarding_registry.h"
#include "support/temp_machine.h"

namespace vb {
namespace {

using namespace vb::win;
using namespace vb::toolkit;
namespace settings = registry::settings;
using platform::ReadAllValues;
using platform::WriteString;

// The machine's registry, with every value deletion recorded in order.
class RecordingRegistry : public test::ForwardingRegistry {
 public:
  using ForwardingRegistry::ForwardingRegistry;
  LONG RegDeleteValueA(HKEY k, const char* n) override {
    LONG rc = ForwardingRegistry::RegDeleteValueA(k, n);
    if (rc == kErrorSuccess) deleted.push_back(n ? n : "");
    return rc;
  }
  std::vector<std::string> deleted;
};

class RecordingPlatform : public test::ForwardingPlatform {
 public:
  explicit RecordingPlatform(platform::Platform& inner)
      : ForwardingPlatform(inner), registry(inner.Registry()) {}
  platform::RegistryApi& Registry() override { return registry; }
  RecordingRegistry registry;
};

constexpr const char* kExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";

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
  void Clean() { form().runCleanerButton->UserClick(); }
  std::string Log() { return form().resultsText->Text(); }
  test::TempMachine m;
  std::ostringstream boxes;
  RecordingPlatform recording{m.platform()};
  app::Program program{recording};
};

// What each item takes of the demonstration machine, registry values and
// keys included, plan_property_test holds against plan/demo_machine_*.jsonl,
// and the demo_machine transcript shows the results box of both runs; here,
// what that machine does not show.
TEST_F(BuiltinItemsTest, AnMruListDeletesItsValuesInItsOwnOrder) {
  auto& reg = m.platform().Registry();
  std::string key = kExplorer + std::string("FindComputerMRU");
  for (const char* v : {"a", "b", "c", "d"}) WriteString(reg, kHkeyCurrentUser, key, v, v);
  WriteString(reg, kHkeyCurrentUser, key, "MRUList", "cab");
  Only({engine::Item::kExplorerMRUs});
  recording.registry.deleted.clear();
  Clean();
  auto& d = recording.registry.deleted;
  auto c = std::find(d.begin(), d.end(), "c");
  ASSERT_LE(c + 4, d.end());
  EXPECT_EQ(std::vector<std::string>(c, c + 4), (std::vector<std::string>{"c", "a", "b", "MRUList"}));
  auto left = ReadAllValues(reg, kHkeyCurrentUser, key);
  ASSERT_EQ(left.size(), 1u);
  EXPECT_EQ(left[0].name, "d");
}

TEST_F(BuiltinItemsTest, InternetTemporaryListsEntriesOrCountsThem) {
  Only({engine::Item::kIETemp});
  form().showAllIeFiles->SetValue(1);
  Clean();
  EXPECT_NE(Log().find("\r\nhttp://www.example.com/index.htm\r\nhttp://www.example.com/logo.gif\r\n"),
            std::string::npos)
      << Log();
  // The cache is empty now: no line and nothing more to clean.
  Clean();
  EXPECT_EQ(Log().find("Temporary Internet Files"), std::string::npos);
}

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
