// The URL cache cursor and the cache and cookie views built on it.
#include <gtest/gtest.h>

#include "browser/cache_cursor.h"
#include "browser/cache_views.h"
#include "registry/settings_store.h"
#include "support/temp_machine.h"
#include "toolkit/application.h"
#include "toolkit/form.h"

namespace vb {
namespace {

using namespace vb::win;
using browser::CacheCursor;

TEST(CacheCursor, WalksDeletesAndRefusesOutOfOrderCalls) {
  test::TempMachine m;
  auto& cache = m.platform().UrlCache();
  CacheCursor cursor(cache);
  EXPECT_FALSE(cursor.NextCacheEntry());
  EXPECT_FALSE(cursor.FirstCacheEntry());
  EXPECT_FALSE(cursor.HoldsBuffer());  // an empty cache allocates nothing

  test::WriteHostFile(m.Host("drive_c/a.htm"), "a");
  cache.CommitUrlCacheEntryA("http://a/", "C:\\a.htm", kNormalCacheEntry);
  cache.CommitUrlCacheEntryA("http://b/", "", kNormalCacheEntry);
  ASSERT_TRUE(cursor.FirstCacheEntry());
  EXPECT_EQ(cursor.CacheEntryUrl(), "http://a/");
  EXPECT_EQ(cursor.CacheEntryFile(), "C:\\a.htm");
  ASSERT_TRUE(cursor.NextCacheEntry());
  EXPECT_EQ(cursor.CacheEntryUrl(), "http://b/");
  EXPECT_EQ(cursor.CacheEntryFile(), "");
  // A new walk while one is open starts again from the first entry.
  ASSERT_TRUE(cursor.FirstCacheEntry());
  EXPECT_EQ(cursor.CacheEntryUrl(), "http://a/");
  cursor.CloseCacheEnum();
  EXPECT_FALSE(cursor.NextCacheEntry());

  EXPECT_FALSE(cursor.DeleteCacheEntry("http://absent/"));
  EXPECT_TRUE(cursor.DeleteCacheEntry("http://a/"));
  ASSERT_TRUE(cursor.FirstCacheEntry());
  EXPECT_EQ(cursor.CacheEntryUrl(), "http://b/");
  EXPECT_FALSE(cursor.NextCacheEntry());
}

class CacheViewsTest : public ::testing::Test {
 protected:
  CacheViewsTest()
      : app(m.platform()),
        form(app, "Form1"),
        cursor(m.platform().UrlCache()),
        views{m.platform(),
              cursor,
              form.Add<toolkit::ListBox>("List2"),
              form.Add<toolkit::ListView>("ListView2"),
              form.Add<toolkit::ListView>("ListView1"),
              form.Add<toolkit::ListView>("LV1"),
              form.Add<toolkit::ListView>("LV2"),
              form.Add<toolkit::Frame>("Frame4"),
              form.Add<toolkit::Frame>("Frame5")} {}
  void Add(const char* url, DWORD type) {
    ASSERT_EQ(m.platform().UrlCache().CommitUrlCacheEntryA(url, "", type), kErrorSuccess);
  }
  static std::vector<std::string> Texts(const toolkit::ListView& view) {
    std::vector<std::string> out;
    for (int i = 0; i < view.Count(); ++i) out.push_back(view.ItemAt(i).text);
    return out;
  }

  test::TempMachine m;
  toolkit::Application app;
  toolkit::Form form;
  CacheCursor cursor;
  browser::CacheViews views;
};

TEST_F(CacheViewsTest, TheFirstEntryIsTakenWithoutTheTypeTest) {
  Add("http://first/", kUrlHistoryCacheEntry);  // no normal-entry bit, but first
  Add("http://normal/", kNormalCacheEntry);
  Add("Visited: u@http://x/", kUrlHistoryCacheEntry);
  Add("cookie:lower/", kNormalCacheEntry);  // not "Cookie": a cache entry
  Add("Cookie:u@site/", kNormalCacheEntry | kCookieCacheEntry);
  Add("Cookie:u@odd/", kCookieCacheEntry);  // no normal-entry bit
  browser::LoadHistory(views);
  EXPECT_EQ(Texts(views.cacheView),
            (std::vector<std::string>{"http://first/", "http://normal/", "cookie:lower/"}));
  EXPECT_EQ(views.cacheUrls.ListCount(), 3);
  EXPECT_EQ(views.cacheFrame.Caption(), "Cache: 3 Files");
  browser::LoadCookies(views);
  EXPECT_EQ(Texts(views.cookieView), std::vector<std::string>{"Cookie:u@site/"});
  EXPECT_EQ(views.cookiesFrame.Caption(), "Cookies: 1 Files");
  // One walk for both views fills them as the two walks do.
  auto history = Texts(views.cacheView), cookies = Texts(views.cookieView);
  views.cacheFrame.SetCaption("");
  views.cookiesFrame.SetCaption("");
  browser::LoadHistoryAndCookies(views);
  EXPECT_EQ(Texts(views.cacheView), history);
  EXPECT_EQ(views.cacheUrls.ListCount(), 3);
  EXPECT_EQ(Texts(views.cookieView), cookies);
  EXPECT_EQ(Texts(views.cookiesToDelete), cookies);
  EXPECT_EQ(views.cacheFrame.Caption(), "Cache: 3 Files");
  EXPECT_EQ(views.cookiesFrame.Caption(), "Cookies: 1 Files");
}

TEST_F(CacheViewsTest, TheKeepListProtectsOnlyExactTexts) {
  Add("Cookie:u@keep/", kNormalCacheEntry);
  Add("Cookie:u@Other/", kNormalCacheEntry);
  Add("Cookie:u@go/", kNormalCacheEntry);
  namespace settings = registry::settings;
  settings::AddListEntry(m.platform(), settings::kCookies, "Cookie:u@keep/");
  settings::AddListEntry(m.platform(), settings::kCookies, "Cookie:u@other/");
  settings::AddListEntry(m.platform(), settings::kCookies, "Cookie:u@gone-long-ago/");
  browser::LoadCookies(views);
  EXPECT_EQ(Texts(views.cookieView).size(), 3u);
  EXPECT_EQ(Texts(views.cookiesToDelete),
            (std::vector<std::string>{"Cookie:u@Other/", "Cookie:u@go/"}));
  EXPECT_EQ(Texts(views.cookiesToKeep).size(), 3u);
}

}  // namespace
}  // namespace vb
