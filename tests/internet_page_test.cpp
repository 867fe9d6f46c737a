// The Internet page and the Cookies tab over a demonstration machine: the
// cookie keep-list, the buttons and context menus, the Delete key, reloading.
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

constexpr const char* kKept = "Cookie:user@example.com/";
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
    f().iet2->UserClick();  // the Internet page, its views loaded
  }
  app::Form1& f() { return program->Main().form(); }
  bool Exists(const std::string& relative) { return std::filesystem::exists(m.Host(relative)); }
  void Put(const std::string& relative) { test::WriteHostFile(m.Host(relative), "x"); }
  static int IndexOf(const ListView& view, const std::string& text) {
    for (int i = 0; i < view.Count(); ++i)
      if (view.ItemAt(i).text == text) return i;
    return -1;
  }
  static bool Lists(const ListView& view, const std::string& text) {
    return IndexOf(view, text) >= 0;
  }
  void CleanCookiesItem() {
    for (const app::ItemBox& row : app::ItemBoxes())
      (f().*row.box)->SetValue(row.box == &app::Form1::Cook ? 1 : 0);
    f().CleanCom->UserClick();
  }

  test::TempMachine m;
  std::unique_ptr<app::Program> program;
};

TEST_F(InternetPageTest, KeptCookiesSurviveTheCleanerAndARestartUntilReleased) {
  f().LV1->UserSelect(IndexOf(*f().LV1, kKept));
  EXPECT_EQ(f().Text3->Text(), kKept);
  f().SC->UserClick();
  EXPECT_FALSE(Lists(*f().LV1, kKept));
  EXPECT_TRUE(Lists(*f().LV2, kKept));
  EXPECT_EQ(settings::ReadSetting(m.platform(), settings::kCookies, kKept), kKept);
  f().refresh2->UserClick();
  EXPECT_TRUE(Lists(*f().ListView1, kKept));  // the cookie view keeps every cookie

  Put(kCookies + "loose.txt");
  CleanCookiesItem();
  EXPECT_TRUE(Exists(kCookies + "user@example[1].txt"));
  EXPECT_FALSE(Exists(kCookies + "user@news.example[2].txt"));
  EXPECT_TRUE(Exists(kCookies + "loose.txt"));  // no folder sweep while kept
  EXPECT_EQ(f().Text1->Text().find(kKept), std::string::npos);
  EXPECT_EQ(f().LV2->Count(), 1);

  Restart();
  EXPECT_TRUE(Lists(*f().ListView1, kKept));
  EXPECT_FALSE(Lists(*f().ListView1, kOther));
  EXPECT_FALSE(Lists(*f().LV1, kKept));
  f().LV2->UserSelect(IndexOf(*f().LV2, kKept));
  f().RC->UserClick();
  EXPECT_TRUE(Lists(*f().LV1, kKept));
  EXPECT_EQ(f().LV2->Count(), 0);
  EXPECT_TRUE(settings::ListEntries(m.platform(), settings::kCookies).empty());
  f().SC->UserClick();  // nothing selected in LV1: nothing moves
  EXPECT_EQ(f().LV2->Count(), 0);

  CleanCookiesItem();  // an empty keep-list: the whole folder goes
  EXPECT_FALSE(Exists(kCookies + "user@example[1].txt"));
  EXPECT_FALSE(Exists(kCookies + "loose.txt"));
}

TEST_F(InternetPageTest, ButtonsCleanOtherBrowsersOnlyWhenTheInternetListNamesThem) {
  f().DelCook->UserClick();
  EXPECT_FALSE(Exists(kFirefox + "cookies.txt"));
  EXPECT_TRUE(Exists(kOpera + "cookies4.dat"));
  EXPECT_FALSE(f().DelCook->Enabled());
  EXPECT_FALSE(f().dscookie->Visible());
  f().DelCache->UserClick();
  EXPECT_FALSE(Exists(kFirefox + "cache/_CACHE_001_"));
  EXPECT_FALSE(Exists(kOpera + "cache4/opr00001.htm"));
  EXPECT_EQ(f().List2->ListCount(), 0);
  EXPECT_FALSE(f().DelCache->Enabled());
  EXPECT_NE(f().Text2->Text().find("http://www.example.com/index.htm\r\n"), std::string::npos);
  EXPECT_NE(f().Text2->Text().find(std::string(kOther) + "\r\n"), std::string::npos);

  // "Delete Opera Browser Cookies" makes "Clean Browsers" clean Opera's cookies.
  Put(kOpera + "cache4/opr00002.htm");
  f().operacook->UserClick();
  EXPECT_FALSE(Exists(kOpera + "cookies4.dat"));
  Put(kOpera + "cookies4.dat");
  f().CleanIE->UserClick();
  EXPECT_FALSE(Exists(kOpera + "cookies4.dat"));
  EXPECT_TRUE(Exists(kOpera + "cache4/opr00002.htm"));
  EXPECT_FALSE(Exists(kFirefox + "history.dat"));
  EXPECT_TRUE(platform::ReadAllValues(m.platform().Registry(), win::kHkeyCurrentUser,
                                      "Software\\Microsoft\\Internet Explorer\\TypedURLs")
                  .empty());
  f().operacache2->UserClick();
  EXPECT_FALSE(Exists(kOpera + "cache4/opr00002.htm"));
}

TEST_F(InternetPageTest, ACleanRunOfOperasCookieEntryLeavesTheFlagForCleanBrowsers) {
  for (const app::ItemBox& row : app::ItemBoxes())
    (f().*row.box)->SetValue(row.box == &app::Form1::TAP ? 1 : 0);
  f().dall->UserClick();
  auto& ie = *f().IE;
  for (int i = 0; i < ie.ListCount(); ++i) ie.SetChecked(i, ie.List(i) == "Opera (Cookies)");
  f().CleanCom->UserClick();
  Put(kOpera + "cookies4.dat");
  f().iet2->UserClick();
  f().CleanIE->UserClick();
  EXPECT_FALSE(Exists(kOpera + "cookies4.dat"));
  EXPECT_TRUE(Exists(kOpera + "cache4/opr00001.htm"));
}

TEST_F(InternetPageTest, WithoutTheirEntriesOnlyInternetExplorerIsCleaned) {
  f().IE->Clear();
  f().DelCook->UserClick();
  f().DelCache->UserClick();
  f().CleanIE->UserClick();
  EXPECT_FALSE(Exists(kCookies + "user@example[1].txt"));
  for (const char* file : {"cookies.txt", "cache/_CACHE_001_", "history.dat"})
    EXPECT_TRUE(Exists(kFirefox + file)) << file;
  EXPECT_TRUE(Exists(kOpera + "cache4/opr00001.htm"));
  EXPECT_TRUE(Exists(kOpera + "cookies4.dat"));
  f().mozff->UserClick();  // the menu entries themselves do not ask the list
  f().mozffcook->UserClick();
  EXPECT_FALSE(Exists(kFirefox + "cache/_CACHE_001_"));
  EXPECT_FALSE(Exists(kFirefox + "cookies.txt"));
}

TEST_F(InternetPageTest, MenuEntriesFollowTheSelectionAndStayEnabled) {
  std::vector<std::string> internet;
  for (int i = 0; i < f().IE->ListCount(); ++i) internet.push_back(f().IE->List(i));
  f().IE->Clear();
  f().ListView2->UserMouseDown(MouseButton::kRight);
  EXPECT_FALSE(f().dscache->Visible());
  EXPECT_FALSE(f().mozff->Enabled());
  EXPECT_FALSE(f().operacache2->Enabled());
  f().ListView2->UserSelect(0);
  f().ListView2->UserMouseDown(MouseButton::kRight);
  EXPECT_TRUE(f().dscache->Visible());
  for (const std::string& entry : internet) f().IE->AddItem(entry);
  f().ListView1->UserMouseDown(MouseButton::kRight);
  EXPECT_TRUE(f().mozffcook->Enabled());
  EXPECT_TRUE(f().operacook->Enabled());
  EXPECT_FALSE(f().mozff->Enabled());  // each menu asks only when it opens
  f().IE->Clear();
  f().ListView1->UserMouseDown(MouseButton::kRight);
  EXPECT_TRUE(f().mozffcook->Enabled());
  EXPECT_FALSE(f().dscookie->Visible());
}

TEST_F(InternetPageTest, TheDeleteKeyRemovesTheSelectedEntryAndIgnoresAnEmptyView) {
  auto& view = *f().ListView2;
  int before = view.Count();
  std::string url = view.ItemAt(1).text;
  view.UserSelect(1);
  view.UserKeyDown(46);
  EXPECT_EQ(view.Count(), before - 1);
  EXPECT_EQ(f().L2->List(f().L2->ListCount() - 1), url);
  EXPECT_EQ(f().Frame4->Caption(), "Cache: " + std::to_string(before - 1) + " Files");
  EXPECT_EQ(f().Frame3->Caption(),
            "Results Log: " + std::to_string(f().L2->ListCount()) + " Files");
  EXPECT_EQ(f().Text2->Text(), url + "\r\n");
  f().refresh1->UserClick();
  EXPECT_FALSE(Lists(view, url));  // gone from the cache too

  f().iecook->UserClick();
  int lines = f().L2->ListCount();
  f().ListView1->UserKeyDown(46);
  EXPECT_EQ(f().L2->ListCount(), lines);
  EXPECT_FALSE(f().DelCook->Enabled());
}

TEST_F(InternetPageTest, ReloadSkipsTheCacheViewAboveTenThousandEntries) {
  auto& list2 = *f().List2;
  f().ListView1->Clear();
  for (int i = list2.ListCount(); i <= 10000; ++i) list2.AddItem("http://old/");
  f().ListView2->Clear();
  f().refresh1->UserClick();
  EXPECT_EQ(list2.ListCount(), 10001);
  EXPECT_EQ(f().ListView2->Count(), 0);
  EXPECT_EQ(f().ListView1->Count(), 2);
  EXPECT_FALSE(f().DelCache->Enabled());
  EXPECT_TRUE(f().DelCook->Enabled());
  EXPECT_EQ(program->app().MousePointer(), kPointerDefault);
  list2.RemoveItem(0);
  f().refresh2->UserClick();
  EXPECT_EQ(list2.ListCount(), 3);
  EXPECT_TRUE(f().DelCache->Enabled());
}

}  // namespace
}  // namespace vb
