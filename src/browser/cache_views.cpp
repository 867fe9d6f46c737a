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
  v.cacheUrls.Clear();
  v.cacheView.Clear();
}

void TakeHistory(CacheViews& v, const std::string& url) {
  v.cacheUrls.AddItem(url);
  v.cacheView.Add(url);
}

void CountHistory(CacheViews& v) {
  v.cacheFrame.SetCaption("Cache: " + std::to_string(v.cacheView.Count()) + " Files");
}

void ClearCookies(CacheViews& v) {
  v.cookieView.Clear();
  v.cookiesToDelete.Clear();
  v.cookiesToKeep.Clear();
}

void TakeCookie(CacheViews& v, const std::string& url) {
  v.cookieView.Add(url);
  v.cookiesToDelete.Add(url);
}

// The caption, the keep-list, and the kept cookies out of those to delete.
void FinishCookies(CacheViews& v) {
  v.cookiesFrame.SetCaption("Cookies: " + std::to_string(v.cookieView.Count()) + " Files");
  for (const std::string& kept : registry::settings::ListEntries(v.platform, registry::settings::kCookies))
    v.cookiesToKeep.Add(kept);
  for (int k = 0; k < v.cookiesToKeep.Count(); ++k)
    for (int i = v.cookiesToDelete.Count() - 1; i >= 0; --i)
      if (v.cookiesToDelete.ItemAt(i).text == v.cookiesToKeep.ItemAt(k).text)
        v.cookiesToDelete.Remove(i);
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
