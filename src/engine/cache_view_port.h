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
  virtual ~CacheViewPort() = default;

  virtual toolkit::ListBox& CacheUrls() = 0;         // the cache entries' URLs, not shown
  virtual toolkit::ListView& CacheView() = 0;        // the cache view
  virtual toolkit::ListView& CookieView() = 0;       // every cookie, kept ones included
  virtual toolkit::ListView& CookiesToDelete() = 0;  // "Cookies to delete:"
  virtual toolkit::ListView& CookiesToKeep() = 0;    // "Cookies to keep:", the keep-list
  virtual toolkit::Frame& CacheFrame() = 0;          // "Cache:"
  virtual toolkit::Frame& CookieFrame() = 0;         // "Cookies:"

  // The local file of a listed entry, as the cache gave it; empty for none.
  virtual const std::string& LocalFile(const std::string& url) const = 0;

  // Refills the views from the URL cache: the cache entries, the cookies, or
  // both from one walk of the cache.
  virtual void Reload(bool cacheEntries, bool cookies) = 0;
};

}  // namespace vb::engine
