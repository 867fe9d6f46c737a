#include "browser/cache_views.h"

#include "registry/c_registry.h"
#include "registry/settings_store.h"

namespace vb::browser {

using namespace vb::win;

namespace {

bool IsCookie(const std::string& url) { return url.compare(0, 6, "Cookie") == 0; }

// Walks the cache and calls take(url) for each entry that fits: cookies or
// not as asked; every entry after the first also needs the normal-entry bit.
template <class Take>
void Walk(CacheCursor& cursor, bool cookies, Take take) {
  bool first = true;
  for (bool more = cursor.FirstCacheEntry(); more; more = cursor.NextCacheEntry()) {
    std::string url = cursor.CacheEntryUrl();
    bool typeOk = first || (cursor.CacheEntryType() & kNormalCacheEntry) != 0;
    first = false;
    if (IsCookie(url) == cookies && typeOk) take(url);
  }
  cursor.CloseCacheEnum();
}

}  // namespace

void LoadHistroy(CacheViews& v) {
  v.List2.Clear();
  v.ListView2.Clear();
  Walk(v.cursor, false, [&](const std::string& url) {
    v.List2.AddItem(url);
    v.ListView2.Add(url);
  });
  v.Frame4.SetCaption("Cache: " + std::to_string(v.ListView2.Count()) + " Files");
}

void LoadCookies(CacheViews& v) {
  v.ListView1.Clear();
  v.LV1.Clear();
  v.LV2.Clear();
  Walk(v.cursor, true, [&](const std::string& url) {
    v.ListView1.Add(url);
    v.LV1.Add(url);
  });
  v.Frame5.SetCaption("Cookies: " + std::to_string(v.ListView1.Count()) + " Files");
  for (const std::string& kept : registry::settings::ListEntries(v.platform, registry::settings::kCookies))
    v.LV2.Add(kept);
  for (int k = 0; k < v.LV2.Count(); ++k)
    for (int i = v.LV1.Count() - 1; i >= 0; --i)
      if (v.LV1.ItemAt(i).text == v.LV2.ItemAt(k).text) v.LV1.Remove(i);
}

}  // namespace vb::browser
