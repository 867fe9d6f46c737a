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

// The views, filled from the URL cache, as the engine's port to them.
class CacheViews final : public engine::CacheViewPort {
 public:
  // The controls in this order: the URL list, the cache view, the cookie
  // view, the cookies to delete and to keep, the "Cache:" and "Cookies:" frames.
  CacheViews(platform::Platform& platform, CacheCursor& cursor, toolkit::ListBox& cacheUrls,
             toolkit::ListView& cacheView, toolkit::ListView& cookieView,
             toolkit::ListView& cookiesToDelete, toolkit::ListView& cookiesToKeep,
             toolkit::Frame& cacheFrame, toolkit::Frame& cookieFrame)
      : platform(platform),
        cursor(cursor),
        cacheUrls_(cacheUrls),
        cacheView_(cacheView),
        cookieView_(cookieView),
        cookiesToDelete_(cookiesToDelete),
        cookiesToKeep_(cookiesToKeep),
        cacheFrame_(cacheFrame),
        cookieFrame_(cookieFrame) {}

  platform::Platform& platform;
  CacheCursor& cursor;
  // The local file of each entry the views list, as the cache gave it.
  std::unordered_map<std::string, std::string> localFiles = {};


  toolkit::ListBox& CacheUrls() override { return cacheUrls_; }
  toolkit::ListView& CacheView() override { return cacheView_; }
  toolkit::ListView& CookieView() override { return cookieView_; }
  toolkit::ListView& CookiesToDelete() override { return cookiesToDelete_; }
  toolkit::ListView& CookiesToKeep() override { return cookiesToKeep_; }
  toolkit::Frame& CacheFrame() override { return cacheFrame_; }
  toolkit::Frame& CookieFrame() override { return cookieFrame_; }
  const std::string& LocalFile(const std::string& url) const override;
  void Reload(bool cacheEntries, bool cookies) override;

 private:
  toolkit::ListBox& cacheUrls_;
  toolkit::ListView& cacheView_;
  toolkit::ListView& cookieView_;
  toolkit::ListView& cookiesToDelete_;
  toolkit::ListView& cookiesToKeep_;
  toolkit::Frame& cacheFrame_;
  toolkit::Frame& cookieFrame_;
};

// Fills the URL list and the cache view with the entries that are not cookies.
void LoadHistory(CacheViews& views);
// Fills the cookie view and "Cookies to delete:" with the cookie entries, and
// "Cookies to keep:" with the keep-list, which it then takes out of the
// cookies to delete (whole text, letter case counting).
void LoadCookies(CacheViews& views);
// Both of the above from one walk of the cache.
void LoadHistoryAndCookies(CacheViews& views);

}  // namespace vb::browser
