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
  toolkit::ListBox& List2;       // the cache entries' URLs
  toolkit::ListView& ListView2;  // the cache view
  toolkit::ListView& ListView1;  // the cookie view, kept cookies included
  toolkit::ListView& LV1;        // the cookies to delete
  toolkit::ListView& LV2;        // the keep-list
  toolkit::Frame& Frame4;        // "Cache:"
  toolkit::Frame& Frame5;        // "Cookies:"
  // The local file of each entry the views list, as the cache gave it.
  std::unordered_map<std::string, std::string> localFiles = {};

  const std::string& LocalFile(const std::string& url) const {
    static const std::string kNone;
    auto it = localFiles.find(url);
    return it == localFiles.end() ? kNone : it->second;
  }
};

// The callers skip it while List2 holds more than this many entries.
inline constexpr int kCacheReloadLimit = 10000;

// Fills List2 and ListView2 with the entries that are not cookies.
void LoadHistory(CacheViews& views);
// Fills the cookie view and "Cookies to delete:" with the cookie entries, and
// "Cookies to keep:" with the keep-list, which it then takes out of the
// cookies to delete (whole text, letter case counting).
void LoadCookies(CacheViews& views);
// Both of the above from one walk of the cache.
void LoadHistoryAndCookies(CacheViews& views);

}  // namespace vb::browser
