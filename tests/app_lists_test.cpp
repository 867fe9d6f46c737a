// The application lists: LoadApps with every catalogue entry installed, the
// stored marks, SaveApps, and the ListBoxMenu's selections. What a new
// machine lists, entries one key or folder lists, a base folder that cannot
// be read, and rule-file entries beside the built-in ones cli/rules.txt shows.
#include <gtest/gtest.h>

#include <algorithm>

#include "catalogue/app_lists.h"
#include "catalogue/rule_catalogue.h"
#include "platform/registry_values.h"
#include "registry/settings_store.h"
#include "support/temp_machine.h"
#include "toolkit/application.h"
#include "toolkit/form.h"

namespace vb {
namespace {

using namespace vb::win;
using catalogue::AppList;
namespace settings = registry::settings;

class AppListsTest : public ::testing::Test {
 protected:
  AppListsTest() {
    for (auto*& list : lists) {
      list = &form.Add<toolkit::ListBox>("List" + std::to_string(&list - lists.data()));
      list->SetSorted(true);
      list->SetCheckBoxes(true);
    }
    context.lists = lists;
  }
  toolkit::ListBox& List(AppList which) { return *lists[static_cast<int>(which)]; }
  std::vector<std::string> Texts(AppList which) {
    std::vector<std::string> out;
    for (int i = 0; i < List(which).ListCount(); ++i) out.push_back(List(which).List(i));
    return out;
  }
  void Load() {
    for (auto* list : lists) list->Clear();
    catalogue::LoadApps(context);
  }
  int Index(AppList which, const std::string& text) {
    auto texts = Texts(which);
    auto it = std::find(texts.begin(), texts.end(), text);
    return it == texts.end() ? -1 : static_cast<int>(it - texts.begin());
  }
  // Makes every key and folder that a detection rule looks for.
  void InstallEverything() {
    for (int l = 0; l < catalogue::kAppListCount; ++l)
      for (const catalogue::Entry& e : catalogue::Entries(static_cast<AppList>(l))) {
        const catalogue::Detection& d = e.detection;
        if (d.kind == catalogue::Detection::kKey) {
          platform::WriteString(m.platform().Registry(), d.root, d.path, "v", "x");
        } else if (d.kind != catalogue::Detection::kAlways) {
          std::string base = d.base == catalogue::DetectBase::kProgramFolder ? "Program Files"
                             : d.base == catalogue::DetectBase::kAppData
                                 ? "Documents and Settings/User/Application Data"
                             : d.base == catalogue::DetectBase::kLocalAppData
                                 ? "Documents and Settings/User/Local Settings/Application Data"
                                 : "WINDOWS";
          std::string tail = d.path;
          std::replace(tail.begin(), tail.end(), '\\', '/');
          test::WriteHostFile(m.Host("drive_c/" + base + tail + "/file.txt"), "x");
        }
      }
  }

  test::TempMachine m;
  toolkit::Application app{m.platform()};
  toolkit::Form form{app, "Form1"};
  std::array<toolkit::ListBox*, catalogue::kAppListCount> lists{};
  toolkit::ListBox& scratch = form.Add<toolkit::ListBox>("ListBox");
  catalogue::AppListsContext context{m.platform(), lists, scratch};
};

TEST_F(AppListsTest, EachListHoldsEveryCatalogueEntryInstalledOnceSortedAsWindowsSorts) {
  InstallEverything();
  Load();
  // Every entry of the catalogue, once.
  // The Internet list: 31 older entries, five of each Chromium browser and
  // six of today's Firefox; the Windows list: 6 older entries and 10 of today's.
  for (auto [list, count] : {std::pair{AppList::kApplications, 43}, {AppList::kInternet, 62},
                             {AppList::kMultimedia, 14}, {AppList::kUtilities, 17},
                             {AppList::kWindows, 16}})
    EXPECT_EQ(List(list).ListCount(), count) << static_cast<int>(list);
  // As a Windows sorted list box orders them: letter case ignored.
  auto appl = Texts(AppList::kApplications);
  EXPECT_EQ(appl.front(), "7-Zip");
  EXPECT_EQ(appl.back(), "WinZip");
  EXPECT_LT(Index(AppList::kApplications, "Macromedia Flash 7"),
            Index(AppList::kApplications, "MS Photo Editor"));
}

TEST_F(AppListsTest, MarksAreStoredAndRestoredByExactText) {
  InstallEverything();
  for (const char* name : {"WinZip", "regedit", "Gone App"})
    settings::SaveSetting(m.platform().Registry(), settings::kAppName, settings::kApps, name,
                          "True");
  Load();
  EXPECT_TRUE(List(AppList::kApplications).Checked(Index(AppList::kApplications, "WinZip")));
  EXPECT_FALSE(List(AppList::kWindows).Checked(Index(AppList::kWindows, "RegEdit")));
  EXPECT_EQ(scratch.ListCount(), 0);

  // SaveApps replaces the section: the mark of an entry no longer listed goes
  // (the marks coming back at the next start: the rule_file transcript).
  List(AppList::kWindows).SetChecked(Index(AppList::kWindows, "MS Paint"), true);
  catalogue::SaveApps(context);
  EXPECT_EQ(settings::ReadSetting(m.platform(), settings::kApps, "Gone App"), "");
  EXPECT_EQ(settings::ReadSetting(m.platform(), settings::kApps, "MS Paint"), "True");
}

TEST_F(AppListsTest, TheMenuSelectsAllOrTheVisibleListsOnly) {
  InstallEverything();
  Load();
  for (auto* list : lists) list->SetVisible(list == &List(AppList::kInternet));
  auto checkedCount = [&](AppList which) {
    int n = 0;
    for (int i = 0; i < List(which).ListCount(); ++i) n += List(which).Checked(i);
    return n;
  };
  catalogue::SetAllChecked(context, true, true);  // Select All of Type
  EXPECT_EQ(checkedCount(AppList::kInternet), 62);
  EXPECT_EQ(checkedCount(AppList::kApplications), 0);
  catalogue::SetAllChecked(context, true, false);  // Select All
  EXPECT_EQ(checkedCount(AppList::kWindows), 16);
  catalogue::SetAllChecked(context, false, true);  // Deselect All of Type
  EXPECT_EQ(checkedCount(AppList::kInternet), 0);
  EXPECT_EQ(checkedCount(AppList::kApplications), 43);
  catalogue::SetAllChecked(context, false, false);  // Deselect All
  EXPECT_EQ(checkedCount(AppList::kApplications), 0);
}

}  // namespace
}  // namespace vb
