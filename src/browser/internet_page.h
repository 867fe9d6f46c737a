// The commands of the Internet page: its buttons, the context menus of the
// cache view and the cookie view, and the Delete key in either view. They
// work through the built-in item routines, the Firefox profile cleaner and
// the Opera cleaner of the routine table.
#pragma once

#include "engine/builtin_items.h"
#include "engine/file_lists.h"
#include "engine/routines.h"
#include "toolkit/application.h"
#include "toolkit/controls.h"

namespace vb::browser {

// The Internet application list entries that enable the other browsers'
// commands.
inline constexpr const char* kFirefoxEntry = "Mozilla Firefox (Cache)";
inline constexpr const char* kOperaEntry = "Opera (Cache)";

struct InternetPage {
  toolkit::Application& app;  // its mouse pointer
  // The views, the removal context with the Internet log, the entry deletion.
  engine::BuiltinContext& builtin;
  const engine::RoutineTable& routines;
  // The main window's file list, read again after the Opera cache is deleted.
  engine::FileList& fileList;
  const toolkit::ListBox& internetList;  // the Internet application list
  toolkit::TextBox& logText;             // the Internet log as text
  toolkit::Button& deleteCacheButton;
  toolkit::Button& deleteCookiesButton;
  // The context menu entries that change with the views and the list.
  toolkit::MenuItem& deleteOperaCacheItem;
  toolkit::MenuItem& deleteFirefoxCacheItem;
  toolkit::MenuItem& deleteSelectedCacheItem;
  toolkit::MenuItem& deleteOperaCookiesItem;
  toolkit::MenuItem& deleteFirefoxCookiesItem;
  toolkit::MenuItem& deleteSelectedCookieItem;
  // The main window's flag OperaCookies: which part the Opera cleaner takes
  // when "Clean Browsers" runs it. "Delete Opera Browser Cookies" and a clean
  // run of "Opera (Cookies)" set it; the Opera cache commands and entry clear it.
  bool& operaCookies;
};

// Showing the page: the wait cursor, both views loaded (the cache view only
// while cacheUrls holds at most 10,000 entries), logText rewritten from the
// Internet log.
void LoadInternetPage(InternetPage& page);
// logText: every line of the Internet log, each followed by CR LF.
void RewriteLog(InternetPage& page);

// The buttons "Delete Cache", "Delete Cookies" and "Clean Browsers".
void DeleteCache(InternetPage& page);
void DeleteCookies(InternetPage& page);
void CleanBrowsers(InternetPage& page);

// The context menu entries.
void DeleteIECache(InternetPage& page);
void DeleteIECookies(InternetPage& page);
void DeleteFirefoxCache(InternetPage& page);
void DeleteFirefoxCookies(InternetPage& page);
void DeleteOperaCache(InternetPage& page);
void DeleteOperaCookies(InternetPage& page);
// "Delete Selected Cache File..." / "Delete Selected Cookie...", also the
// Delete key in the view: nothing when no item is selected.
void DeleteSelectedCache(InternetPage& page);
void DeleteSelectedCookie(InternetPage& page);
// "Reload Cache/Cookies".
void ReloadViews(InternetPage& page);

// Before a context menu opens: the entry for the selected item shown exactly
// when an item is selected; the Firefox and Opera entries enabled when the
// Internet list holds their "(Cache)" entries (never disabled again).
void PrepareCacheMenu(InternetPage& page);
void PrepareCookieMenu(InternetPage& page);

}  // namespace vb::browser
