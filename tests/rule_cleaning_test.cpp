// A rule's folder swapped mid-run on an emulated machine. How entries are
// found, the folders refused at load and the check verb's report
// cli/rules.txt shows.
#include <gtest/gtest.h>

#include <filesystem>

#include "catalogue/rule_catalogue.h"
#include "catalogue/entry_cleaner.h"
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
  // Loads a file of one entry and cleans it in the current mode.
  void CleanOne(const std::string& text) {
    auto rules = Load(text);
    ASSERT_TRUE(rules->Problems().empty());
    const catalogue::Entry& entry = rules->Entries(AppList::kApplications).at(0);
    engine::StepContext c = Context();
    catalogue::CleanEntry(c, entry);
  }
};

// What rules take and keep (RECURSE, REMOVESELF, wildcard folders, whole-name
// patterns, exclusions of files, paths, keys and values, links on the way,
// below and matched by a wildcard) under both buttons, plan_property_test
// holds on its rule machine (plan/rule_machine.*). Here: the rule's folder
// swapped for a link to Keep while its files go: the walk goes on in the
// folder it opened, and never reaches Keep by name.
TEST_F(RuleCleaning, AFolderSwappedForALinkMidRunDoesNotRedirectTheRule) {
  std::string base = std::string(kAppData) + "Linked/";
  for (const std::string& f : {std::string("Keep/Inner/kept.tmp"), base + "Swap/a.tmp", base + "Swap/Inner/s.tmp"})
    Put(f);
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

}  // namespace
}  // namespace vb
