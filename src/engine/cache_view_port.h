// The Internet page's cache and cookie views, as the built-in items and a run
// use them: the engine states what it needs of them here, and the browser
// layer, which loads them from the URL cache, provides it.
#pragma once

#include <string>

#include "toolkit/controls.h"

namespace vb::engine {

// A run reloads the cache view only while it lists at most this many entries.
inline constexpr int kCacheReloadLimit = 10000;

class CacheViewPort {
 public:
  CacheViewPort(toolkit::ListBox& cacheUrls, toolkit::ListView& cacheView,
                toolkit::ListView& cookieView, toolkit::ListView& cookiesToDelete,
                toolkit::ListView& cookiesToKeep, toolkit::Frame& cacheFrame,
                toolkit::Frame& cookiesFrame)
      : cacheUrls(cacheUrls),
        cacheView(cacheView),
        cookieView(cookieView),
        cookiesToDelete(cookiesToDelete),
        cookiesToKeep(cookiesToKeep),
        cacheFrame(cacheFrame),
        cookiesFrame(cookiesFrame) {}
  virtual ~CacheViewPort() = default;
  CacheViewPort(const CacheViewPort&) = delete;
  CacheViewPort& operator=(const CacheViewPort&) = delete;

  toolkit::ListBox& cacheUrls;         // the cache entries' URLs, not shown
  toolkit::ListView& cacheView;        // the Internet page's cache files
  toolkit::ListView& cookieView;       // the Internet page's cookies, kept cookies included
  toolkit::ListView& cookiesToDelete;  // "Cookies to delete:" of the Cookies tab
  toolkit::ListView& cookiesToKeep;    // "Cookies to keep:", the keep-list
  toolkit::Frame& cacheFrame;          // "Cache:"
  toolkit::Frame& cookiesFrame;        // "Cookies:"

  // The local file of a listed entry, as the cache gave it; empty for none.
  virtual const std::string& LocalFile(const std::string& url) const = 0;

  // Refills the views from the URL cache: the cache entries, the cookies, or
  // both from one walk of the cache.
  virtual void Reload(bool cacheEntries, bool cookies) = 0;
};

}  // namespace vb::engine
