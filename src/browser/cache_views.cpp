#include "browser/cache_views.h"

#include "registry/c_registry.h"
#include "registry/settings_store.h"

namespace vb::browser {

using namespace vb::win;

namespace {

bool IsCookie(const std::string& url) { return url.compare(0, 6, "Cookie") == 0; }

// Walks the cache and calls take(url, cookie) for each entry it takes: every
// entry after the first needs the normal-entry bit; cookie tells whether the
// URL begins with "Cookie". The entry's file is kept for its deletion.
template <class Take>
void Walk(CacheViews& v, Take take) {
  CacheCursor& cursor = v.cursor;
  bool first = true;
  for (bool more = cursor.FirstCacheEntry(); more; more = cursor.NextCacheEntry()) {
    std::string url = cursor.CacheEntryUrl();
    bool typeOk = first || (cursor.CacheEntryType() & kNormalCacheEntry) != 0;
    first = false;
    if (!typeOk) continue;
    v.localFiles[url] = cursor.CacheEntryFile();
    take(url, IsCookie(url));
  }
  cursor.CloseCacheEnum();
}

void ClearHistory(CacheViews& v) {
  v.CacheUrls().Clear();
  v.CacheView().Clear();
}

void TakeHistory(CacheViews& v, const std::string& url) {
  v.CacheUrls().AddItem(url);
  v.CacheView().Add(url);
}

void CountHistory(CacheViews& v) {
  v.CacheFrame().SetCaption("Cache: " + std::to_string(v.CacheView().Count()) + " Files");
}

void ClearCookies(CacheViews& v) {
  v.CookieView().Clear();
  v.CookiesToDelete().Clear();
  v.CookiesToKeep().Clear();
}

void TakeCookie(CacheViews& v, const std::string& url) {
  v.CookieView().Add(url);
  v.CookiesToDelete().Add(url);
}

// The caption, the keep-list, and the kept cookies out of those to delete.
void FinishCookies(CacheViews& v) {
  v.CookieFrame().SetCaption("Cookies: " + std::to_string(v.CookieView().Count()) + " Files");
  for (const std::string& kept : registry::settings::ListEntries(v.platform, registry::settings::kCookies))
    v.CookiesToKeep().Add(kept);
  for (int k = 0; k < v.CookiesToKeep().Count(); ++k)
    for (int i = v.CookiesToDelete().Count() - 1; i >= 0; --i)
      if (v.CookiesToDelete().ItemAt(i).text == v.CookiesToKeep().ItemAt(k).text) v.CookiesToDelete().Remove(i);
}

}  // namespace

void LoadHistory(CacheViews& v) {
  ClearHistory(v);
  Walk(v, [&](const std::string& url, bool cookie) {
    if (!cookie) TakeHistory(v, url);
  });
  CountHistory(v);
}

void LoadCookies(CacheViews& v) {
  ClearCookies(v);
  Walk(v, [&](const std::string& url, bool cookie) {
    if (cookie) TakeCookie(v, url);
  });
  FinishCookies(v);
}

void LoadHistoryAndCookies(CacheViews& v) {
  ClearHistory(v);
  ClearCookies(v);
  Walk(v, [&](const std::string& url, bool cookie) {
    if (cookie)
      TakeCookie(v, url);
    else
      TakeHistory(v, url);
  });
  CountHistory(v);
  FinishCookies(v);
}

const std::string& CacheViews::LocalFile(const std::string& url) const {
  static const std::string kNone;
  auto it = localFiles.find(url);
  return it == localFiles.end() ? kNone : it->second;
}

void CacheViews::Reload(bool cacheEntries, bool cookies) {
  if (cacheEntries && cookies)
    LoadHistoryAndCookies(*this);
  else if (cacheEntries)
    LoadHistory(*this);
  else if (cookies)
    LoadCookies(*this);
}

}  // namespace vb::browser
