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
  v.List2.Clear();
  v.ListView2.Clear();
}

void TakeHistory(CacheViews& v, const std::string& url) {
  v.List2.AddItem(url);
  v.ListView2.Add(url);
}

void CountHistory(CacheViews& v) {
  v.Frame4.SetCaption("Cache: " + std::to_string(v.ListView2.Count()) + " Files");
}

void ClearCookies(CacheViews& v) {
  v.ListView1.Clear();
  v.LV1.Clear();
  v.LV2.Clear();
}

void TakeCookie(CacheViews& v, const std::string& url) {
  v.ListView1.Add(url);
  v.LV1.Add(url);
}

// The caption, the keep-list, and the kept cookies out of those to delete.
void FinishCookies(CacheViews& v) {
  v.Frame5.SetCaption("Cookies: " + std::to_string(v.ListView1.Count()) + " Files");
  for (const std::string& kept : registry::settings::ListEntries(v.platform, registry::settings::kCookies))
    v.LV2.Add(kept);
  for (int k = 0; k < v.LV2.Count(); ++k)
    for (int i = v.LV1.Count() - 1; i >= 0; --i)
      if (v.LV1.ItemAt(i).text == v.LV2.ItemAt(k).text) v.LV1.Remove(i);
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

}  // namespace vb::browser
