// The cache and cookie views of the Internet page and the Cookies tab, filled
// from the URL cache, and the cookie keep-list that protects cookies.
#pragma once

#include <string>
#include <unordered_map>

#include "browser/cache_cursor.h"
#include "engine/cache_view_port.h"
#include "platform/platform.h"
#include "toolkit/controls.h"

namespace vb::browser {

// The views, filled from the URL cache: the engine's port to them.
class CacheViews final : public engine::CacheViewPort {
 public:
  CacheViews(platform::Platform& platform, CacheCursor& cursor, toolkit::ListBox& cacheUrls,
             toolkit::ListView& cacheView, toolkit::ListView& cookieView,
             toolkit::ListView& cookiesToDelete, toolkit::ListView& cookiesToKeep,
             toolkit::Frame& cacheFrame, toolkit::Frame& cookiesFrame)
      : CacheViewPort(cacheUrls, cacheView, cookieView, cookiesToDelete, cookiesToKeep,
                      cacheFrame, cookiesFrame),
        platform(platform),
        cursor(cursor) {}

  platform::Platform& platform;
  CacheCursor& cursor;
  // The local file of each entry the views list, as the cache gave it.
  std::unordered_map<std::string, std::string> localFiles = {};

  const std::string& LocalFile(const std::string& url) const override;
  void Reload(bool cacheEntries, bool cookies) override;
};

// Fills cacheUrls and the cache view with the entries that are not cookies.
void LoadHistory(CacheViews& views);
// Fills the cookie view and "Cookies to delete:" with the cookie entries, and
// "Cookies to keep:" with the keep-list, which it then takes out of the
// cookies to delete (whole text, letter case counting).
void LoadCookies(CacheViews& views);
// Both of the above from one walk of the cache.
void LoadHistoryAndCookies(CacheViews& views);

}  // namespace vb::browser
