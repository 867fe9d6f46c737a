#include "browser/internet_page.h"

#include <string>

#include "browser/firefox.h"

namespace vb::browser {

namespace {

using Routine = engine::Routine;

// How many entries of the Internet list have this text, checked or not.
int EntryCount(const toolkit::ListBox& list, const char* text) {
  int count = 0;
  for (int i = 0; i < list.ListCount(); ++i) count += list.List(i) == text ? 1 : 0;
  return count;
}

bool Holds(const toolkit::ListBox& list, const char* text) { return EntryCount(list, text) > 0; }

// A new FireFox object, which finds the profile afresh.
void Firefox(InternetPage& p, void (FireFox::*operation)()) {
  engine::StepContext steps{p.builtin.platform, p.builtin.removal, p.routines};
  FireFox firefox(steps);
  (firefox.*operation)();
}

// Runs one Firefox operation on a new FireFox object per Firefox entry.
void ForEachFirefox(InternetPage& p, void (FireFox::*operation)()) {
  for (int n = EntryCount(p.internetList, kFirefoxEntry); n > 0; --n) Firefox(p, operation);
}

void RunOpera(InternetPage& p) {
  p.routines.Run(p.operaCookies ? Routine::kOperaCookies : Routine::kOperaCache);
}

std::string FilesCaption(const char* prefix, int count) {
  return prefix + std::to_string(count) + " Files";
}

// One view with what belongs to it, for the deletion of its selected entry.
struct ViewParts {
  toolkit::ListView& view;
  toolkit::Frame& frame;
  const char* caption;
  toolkit::MenuItem& deleteSelected;
};

void DeleteSelected(InternetPage& p, ViewParts parts) {
  int index = parts.view.SelectedIndex();
  if (index < 0 || index >= parts.view.Count()) return;
  std::string url = parts.view.ItemAt(index).text;
  // An entry that stays still leaves the view; the next reload shows it
  // again. One the safety policy refused is not logged as deleted.
  if (engine::DeleteViewEntry(p.builtin, url)) p.builtin.removal.internetLog.AddItem(url);
  parts.view.Remove(index);
  parts.deleteSelected.SetVisible(false);
  RewriteLog(p);
  parts.frame.SetCaption(FilesCaption(parts.caption, parts.view.Count()));
  p.builtin.resultsLogFrame.SetCaption(
      FilesCaption("Results Log: ", p.builtin.removal.internetLog.ListCount()));
}

void PrepareMenu(InternetPage& p, const toolkit::ListView& view, toolkit::MenuItem& selected,
                 toolkit::MenuItem& firefox, toolkit::MenuItem& opera) {
  selected.SetVisible(view.Count() > 0 && view.SelectedIndex() >= 0);
  if (Holds(p.internetList, kFirefoxEntry)) firefox.SetEnabled(true);
  if (Holds(p.internetList, kOperaEntry)) opera.SetEnabled(true);
}

// Runs the body under the wait cursor.
template <class Body>
void Waiting(toolkit::Application& app, Body body) {
  app.SetMousePointer(toolkit::kPointerHourglass);
  body();
  app.SetMousePointer(toolkit::kPointerDefault);
}

// The cache view is reloaded only while it holds at most the limit of
// entries; the cookie views always.
void ReloadWithinLimit(engine::CacheViewPort& views) {
  views.Reload(views.cacheUrls.ListCount() <= engine::kCacheReloadLimit, true);
}

}  // namespace

void RewriteLog(InternetPage& p) {
  const toolkit::ListBox& log = p.builtin.removal.internetLog;
  std::string text;
  for (int i = 0; i < log.ListCount(); ++i) text += log.List(i) + "\r\n";
  p.logText.SetText(text);
}

void LoadInternetPage(InternetPage& p) {
  Waiting(p.app, [&] {
    ReloadWithinLimit(p.builtin.views);
    RewriteLog(p);
  });
}

void DeleteCache(InternetPage& p) {
  p.deleteSelectedCacheItem.SetVisible(false);
  engine::CleanIETemp(p.builtin);
  for (int i = 0; i < p.internetList.ListCount(); ++i) {
    if (p.internetList.List(i) == kFirefoxEntry) {
      Firefox(p, &FireFox::Delete_Cache);
    } else if (p.internetList.List(i) == kOperaEntry) {
      p.operaCookies = false;
      RunOpera(p);
      p.fileList.Refresh();
    }
  }
  p.builtin.views.cacheUrls.Clear();
  p.deleteCacheButton.SetEnabled(false);
  RewriteLog(p);
}

void DeleteCookies(InternetPage& p) {
  p.deleteSelectedCookieItem.SetVisible(false);
  engine::Cookies(p.builtin);
  ForEachFirefox(p, &FireFox::Delete_Cookies);
  p.deleteCookiesButton.SetEnabled(false);
  RewriteLog(p);
}

void CleanBrowsers(InternetPage& p) {
  engine::CacheViewPort& views = p.builtin.views;
  if (views.cacheUrls.ListCount() > 0) {
    engine::CleanIETemp(p.builtin);
    p.deleteCacheButton.SetEnabled(false);
  }
  if (views.cookieView.Count() > 0) {
    engine::Cookies(p.builtin);
    p.deleteCookiesButton.SetEnabled(false);
  }
  for (int n = EntryCount(p.internetList, kFirefoxEntry); n > 0; --n) {
    Firefox(p, &FireFox::Delete_Cache);
    Firefox(p, &FireFox::Delete_Cookies);
    Firefox(p, &FireFox::Delete_History);
  }
  for (int n = EntryCount(p.internetList, kOperaEntry); n > 0; --n) RunOpera(p);
  p.routines.Run(Routine::kHistory);
  p.routines.Run(Routine::kClearTypedURLs);
  p.routines.Run(Routine::kClearIEDownloadDir);
  RewriteLog(p);
}

void DeleteIECache(InternetPage& p) {
  engine::CleanIETemp(p.builtin);
  RewriteLog(p);
  if (p.builtin.views.cacheView.Count() == 0) p.deleteCacheButton.SetEnabled(false);
}

void DeleteIECookies(InternetPage& p) {
  engine::Cookies(p.builtin);
  RewriteLog(p);
  if (p.builtin.views.cookieView.Count() == 0) p.deleteCookiesButton.SetEnabled(false);
}

void DeleteFirefoxCache(InternetPage& p) { Firefox(p, &FireFox::Delete_Cache); }

void DeleteFirefoxCookies(InternetPage& p) { Firefox(p, &FireFox::Delete_Cookies); }

void DeleteOperaCache(InternetPage& p) {
  p.operaCookies = false;
  RunOpera(p);
  if (p.builtin.views.cacheView.Count() == 0) p.deleteCacheButton.SetEnabled(false);
}

void DeleteOperaCookies(InternetPage& p) {
  p.operaCookies = true;
  RunOpera(p);
}

void DeleteSelectedCache(InternetPage& p) {
  engine::CacheViewPort& v = p.builtin.views;
  DeleteSelected(p, {v.cacheView, v.cacheFrame, "Cache: ", p.deleteSelectedCacheItem});
}

void DeleteSelectedCookie(InternetPage& p) {
  engine::CacheViewPort& v = p.builtin.views;
  DeleteSelected(p, {v.cookieView, v.cookiesFrame, "Cookies: ", p.deleteSelectedCookieItem});
}

void ReloadViews(InternetPage& p) {
  engine::CacheViewPort& views = p.builtin.views;
  Waiting(p.app, [&] { ReloadWithinLimit(views); });
  p.deleteCacheButton.SetEnabled(views.cacheView.Count() > 0);
  p.deleteCookiesButton.SetEnabled(views.cookieView.Count() > 0);
}

void PrepareCacheMenu(InternetPage& p) {
  PrepareMenu(p, p.builtin.views.cacheView, p.deleteSelectedCacheItem, p.deleteFirefoxCacheItem,
              p.deleteOperaCacheItem);
}

void PrepareCookieMenu(InternetPage& p) {
  PrepareMenu(p, p.builtin.views.cookieView, p.deleteSelectedCookieItem, p.deleteFirefoxCookiesItem,
              p.deleteOperaCookiesItem);
}

}  // namespace vb::browser
