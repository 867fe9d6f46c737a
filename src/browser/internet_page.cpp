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
  for (int n = EntryCount(p.IE, kFirefoxEntry); n > 0; --n) Firefox(p, operation);
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
  if (engine::DeleteViewEntry(p.builtin, url)) p.builtin.removal.L2.AddItem(url);
  parts.view.Remove(index);
  parts.deleteSelected.SetVisible(false);
  RewriteLog(p);
  parts.frame.SetCaption(FilesCaption(parts.caption, parts.view.Count()));
  p.builtin.resultsLogFrame.SetCaption(
      FilesCaption("Results Log: ", p.builtin.removal.L2.ListCount()));
}

void PrepareMenu(InternetPage& p, const toolkit::ListView& view, toolkit::MenuItem& selected,
                 toolkit::MenuItem& firefox, toolkit::MenuItem& opera) {
  selected.SetVisible(view.Count() > 0 && view.SelectedIndex() >= 0);
  if (Holds(p.IE, kFirefoxEntry)) firefox.SetEnabled(true);
  if (Holds(p.IE, kOperaEntry)) opera.SetEnabled(true);
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
void ReloadWithinLimit(CacheViews& views) {
  if (views.List2.ListCount() <= kCacheReloadLimit)
    LoadHistoryAndCookies(views);
  else
    LoadCookies(views);
}

}  // namespace

void RewriteLog(InternetPage& p) {
  const toolkit::ListBox& log = p.builtin.removal.L2;
  std::string text;
  for (int i = 0; i < log.ListCount(); ++i) text += log.List(i) + "\r\n";
  p.Text2.SetText(text);
}

void LoadInternetPage(InternetPage& p) {
  Waiting(p.app, [&] {
    ReloadWithinLimit(p.builtin.views);
    RewriteLog(p);
  });
}

void DeleteCache(InternetPage& p) {
  p.dscache.SetVisible(false);
  engine::CleanIETemp(p.builtin);
  for (int i = 0; i < p.IE.ListCount(); ++i) {
    if (p.IE.List(i) == kFirefoxEntry) {
      Firefox(p, &FireFox::Delete_Cache);
    } else if (p.IE.List(i) == kOperaEntry) {
      p.operaCookies = false;
      RunOpera(p);
      p.File4.Refresh();
    }
  }
  p.builtin.views.List2.Clear();
  p.DelCache.SetEnabled(false);
  RewriteLog(p);
}

void DeleteCookies(InternetPage& p) {
  p.dscookie.SetVisible(false);
  engine::Cookies(p.builtin);
  ForEachFirefox(p, &FireFox::Delete_Cookies);
  p.DelCook.SetEnabled(false);
  RewriteLog(p);
}

void CleanBrowsers(InternetPage& p) {
  CacheViews& views = p.builtin.views;
  if (views.List2.ListCount() > 0) {
    engine::CleanIETemp(p.builtin);
    p.DelCache.SetEnabled(false);
  }
  if (views.ListView1.Count() > 0) {
    engine::Cookies(p.builtin);
    p.DelCook.SetEnabled(false);
  }
  for (int n = EntryCount(p.IE, kFirefoxEntry); n > 0; --n) {
    Firefox(p, &FireFox::Delete_Cache);
    Firefox(p, &FireFox::Delete_Cookies);
    Firefox(p, &FireFox::Delete_History);
  }
  for (int n = EntryCount(p.IE, kOperaEntry); n > 0; --n) RunOpera(p);
  p.routines.Run(Routine::kHistory);
  p.routines.Run(Routine::kClearTypedURLs);
  p.routines.Run(Routine::kClearIEDownloadDir);
  RewriteLog(p);
}

void DeleteIECache(InternetPage& p) {
  engine::CleanIETemp(p.builtin);
  RewriteLog(p);
  if (p.builtin.views.ListView2.Count() == 0) p.DelCache.SetEnabled(false);
}

void DeleteIECookies(InternetPage& p) {
  engine::Cookies(p.builtin);
  RewriteLog(p);
  if (p.builtin.views.ListView1.Count() == 0) p.DelCook.SetEnabled(false);
}

void DeleteFirefoxCache(InternetPage& p) { Firefox(p, &FireFox::Delete_Cache); }

void DeleteFirefoxCookies(InternetPage& p) { Firefox(p, &FireFox::Delete_Cookies); }

void DeleteOperaCache(InternetPage& p) {
  p.operaCookies = false;
  RunOpera(p);
  if (p.builtin.views.ListView2.Count() == 0) p.DelCache.SetEnabled(false);
}

void DeleteOperaCookies(InternetPage& p) {
  p.operaCookies = true;
  RunOpera(p);
}

void DeleteSelectedCache(InternetPage& p) {
  CacheViews& v = p.builtin.views;
  DeleteSelected(p, {v.ListView2, v.Frame4, "Cache: ", p.dscache});
}

void DeleteSelectedCookie(InternetPage& p) {
  CacheViews& v = p.builtin.views;
  DeleteSelected(p, {v.ListView1, v.Frame5, "Cookies: ", p.dscookie});
}

void ReloadViews(InternetPage& p) {
  CacheViews& views = p.builtin.views;
  Waiting(p.app, [&] { ReloadWithinLimit(views); });
  p.DelCache.SetEnabled(views.ListView2.Count() > 0);
  p.DelCook.SetEnabled(views.ListView1.Count() > 0);
}

void PrepareCacheMenu(InternetPage& p) {
  PrepareMenu(p, p.builtin.views.ListView2, p.dscache, p.mozff, p.operacache2);
}

void PrepareCookieMenu(InternetPage& p) {
  PrepareMenu(p, p.builtin.views.ListView1, p.dscookie, p.mozffcook, p.operacook);
}

}  // namespace vb::browser
