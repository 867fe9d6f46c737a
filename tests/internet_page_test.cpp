// The Internet page over a demonstration machine: the buttons and context
// menus, the Delete key, reloading. The cookie keep-list and what the buttons
// clean are in cli/internet.txt.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "app/form1_settings.h"
#include "app/main_window.h"
#include "app/program.h"
#include "platform/registry_values.h"
#include "registry/settings_store.h"
#include "support/temp_machine.h"

namespace vb {
namespace {

using namespace vb::toolkit;
namespace settings = registry::settings;

constexpr const char* kOther = "Cookie:user@news.example.org/";
// Host paths below drive C of the machine.
const std::string kCookies = "drive_c/Documents and Settings/User/Cookies/";
const std::string kFirefox =
    "drive_c/Documents and Settings/User/Application Data/Mozilla/Firefox/Profiles/demo.default/";
const std::string kOpera =
    "drive_c/Documents and Settings/User/Application Data/Opera/Opera/profile/";

class InternetPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::AddDemoTracesAndPassWarning(m);
    Restart();
  }
  void Restart() {
    program.reset();
    program = std::make_unique<app::Program>(m.platform());
    program->Start("");
    f().internetPageButton->UserClick();  // the Internet page, its views loaded
  }
  app::Form1& f() { return program->Main().form(); }
  bool Exists(const std::string& relative) { return std::filesystem::exists(m.Host(relative)); }
  void Put(const std::string& relative) { test::WriteHostFile(m.Host(relative), "x"); }
  static bool Lists(const ListView& view, const std::string& text) {
    for (int i = 0; i < view.Count(); ++i)
      if (view.ItemAt(i).text == text) return true;
    return false;
  }

  test::TempMachine m;
  std::unique_ptr<app::Program> program;
};

TEST_F(InternetPageTest, ACleanRunOfOperasCookieEntryLeavesTheFlagForCleanBrowsers) {
  for (const engine::ItemRow& row : engine::ItemRows())
    f().ItemBox(row.item).SetValue(row.item == engine::Item::kApplications ? 1 : 0);
  f().deselectAllItem->UserClick();
  auto& ie = *f().internetList;
  for (int i = 0; i < ie.ListCount(); ++i) ie.SetChecked(i, ie.List(i) == "Opera (Cookies)");
  f().runCleanerButton->UserClick();
  Put(kOpera + "cookies4.dat");
  f().internetPageButton->UserClick();
  f().cleanBrowsersButton->UserClick();
  EXPECT_FALSE(Exists(kOpera + "cookies4.dat"));
  EXPECT_TRUE(Exists(kOpera + "cache4/opr00001.htm"));
}

TEST_F(InternetPageTest, WithoutTheirEntriesOnlyInternetExplorerIsCleaned) {
  f().internetList->Clear();
  f().deleteCookiesButton->UserClick();
  f().deleteCacheButton->UserClick();
  f().cleanBrowsersButton->UserClick();
  EXPECT_FALSE(Exists(kCookies + "user@example[1].txt"));
  for (const char* file : {"cookies.txt", "cache/_CACHE_001_", "history.dat"})
    EXPECT_TRUE(Exists(kFirefox + file)) << file;
  EXPECT_TRUE(Exists(kOpera + "cache4/opr00001.htm"));
  EXPECT_TRUE(Exists(kOpera + "cookies4.dat"));
  f().deleteFirefoxCacheItem->UserClick();  // the menu entries themselves do not ask the list
  f().deleteFirefoxCookiesItem->UserClick();
  EXPECT_FALSE(Exists(kFirefox + "cache/_CACHE_001_"));
  EXPECT_FALSE(Exists(kFirefox + "cookies.txt"));
}

TEST_F(InternetPageTest, MenuEntriesFollowTheSelectionAndStayEnabled) {
  std::vector<std::string> internet;
  for (int i = 0; i < f().internetList->ListCount(); ++i)
    internet.push_back(f().internetList->List(i));
  f().internetList->Clear();
  f().cacheView->UserMouseDown(MouseButton::kRight);
  EXPECT_FALSE(f().deleteSelectedCacheItem->Visible());
  EXPECT_FALSE(f().deleteFirefoxCacheItem->Enabled());
  EXPECT_FALSE(f().deleteOperaCacheItem->Enabled());
  f().cacheView->UserSelect(0);
  f().cacheView->UserMouseDown(MouseButton::kRight);
  EXPECT_TRUE(f().deleteSelectedCacheItem->Visible());
  for (const std::string& entry : internet) f().internetList->AddItem(entry);
  f().cookieView->UserMouseDown(MouseButton::kRight);
  EXPECT_TRUE(f().deleteFirefoxCookiesItem->Enabled());
  EXPECT_TRUE(f().deleteOperaCookiesItem->Enabled());
  EXPECT_FALSE(f().deleteFirefoxCacheItem->Enabled());  // each menu asks only when it opens
  f().internetList->Clear();
  f().cookieView->UserMouseDown(MouseButton::kRight);
  EXPECT_TRUE(f().deleteFirefoxCookiesItem->Enabled());
  EXPECT_FALSE(f().deleteSelectedCookieItem->Visible());
}

TEST_F(InternetPageTest, TheDeleteKeyRemovesTheSelectedEntryAndIgnoresAnEmptyView) {
  auto& view = *f().cacheView;
  int before = view.Count();
  std::string url = view.ItemAt(1).text;
  view.UserSelect(1);
  view.UserKeyDown(46);
  EXPECT_EQ(view.Count(), before - 1);
  EXPECT_EQ(f().internetLog->List(f().internetLog->ListCount() - 1), url);
  EXPECT_EQ(f().cacheFrame->Caption(), "Cache: " + std::to_string(before - 1) + " Files");
  EXPECT_EQ(f().resultsLogFrame->Caption(),
            "Results Log: " + std::to_string(f().internetLog->ListCount()) + " Files");
  EXPECT_EQ(f().internetLogText->Text(), url + "\r\n");
  f().reloadCacheItem->UserClick();
  EXPECT_FALSE(Lists(view, url));  // gone from the cache too

  f().deleteExplorerCookiesItem->UserClick();
  int lines = f().internetLog->ListCount();
  f().cookieView->UserKeyDown(46);
  EXPECT_EQ(f().internetLog->ListCount(), lines);
  EXPECT_FALSE(f().deleteCookiesButton->Enabled());
}

TEST_F(InternetPageTest, ReloadSkipsTheCacheViewAboveTenThousandEntries) {
  auto& list2 = *f().cacheUrls;
  f().cookieView->Clear();
  for (int i = list2.ListCount(); i <= 10000; ++i) list2.AddItem("http://old/");
  f().cacheView->Clear();
  f().reloadCacheItem->UserClick();
  EXPECT_EQ(list2.ListCount(), 10001);
  EXPECT_EQ(f().cacheView->Count(), 0);
  EXPECT_EQ(f().cookieView->Count(), 2);
  EXPECT_FALSE(f().deleteCacheButton->Enabled());
  EXPECT_TRUE(f().deleteCookiesButton->Enabled());
  EXPECT_EQ(program->app().MousePointer(), kPointerDefault);
  list2.RemoveItem(0);
  f().reloadCookiesItem->UserClick();
  EXPECT_EQ(list2.ListCount(), 3);
  EXPECT_TRUE(f().deleteCacheButton->Enabled());
}

}  // namespace
}  // namespace vb
