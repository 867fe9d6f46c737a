// The cache and cookie views of the Internet page and the Cookies tab, filled
// from the URL cache, and the cookie keep-list that protects cookies.
#pragma once

#include <string>
#include <unordered_map>

#include "browser/cache_cursor.h"
#include "platform/platform.h"
#include "toolkit/controls.h"

namespace vb::browser {

struct CacheViews {
  platform::Platform& platform;
  CacheCursor& cursor;
  toolkit::ListBox& cacheUrls;         // the cache entries' URLs
  toolkit::ListView& cacheView;        // the Internet page's cache files
  toolkit::ListView& cookieView;       // the Internet page's cookies, kept cookies included
  toolkit::ListView& cookiesToDelete;  // "Cookies to delete:" of the Cookies tab
  toolkit::ListView& cookiesToKeep;    // "Cookies to keep:", the keep-list
  toolkit::Frame& cacheFrame;          // "Cache:"
  toolkit::Frame& cookiesFrame;        // "Cookies:"
  // The local file of each entry the views list, as the cache gave it.
  std::unordered_map<std::string, std::string> localFiles = {};

  const std::string& LocalFile(const std::string& url) const {
    static const std::string kNone;
    auto it = localFiles.find(url);
    return it == localFiles.end() ? kNone : it->second;
  }
};

// The callers skip it while cacheUrls holds more than this many entries.
inline constexpr int kCacheReloadLimit = 10000;

// Fills cacheUrls and the cache view with the entries that are not cookies.
void LoadHistory(CacheViews& views);
// Fills the cookie view and "Cookies to delete:" with the cookie entries, and
// "Cookies to keep:" with the keep-list, which it then takes out of the
// cookies to delete (whole text, letter case counting).
void LoadCookies(CacheViews& views);
// Both of the above from one walk of the cache.
void LoadHistoryAndCookies(CacheViews& views);

}  // namespace vb::browser
