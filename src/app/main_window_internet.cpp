// The main window's events of the Internet page and the Cookies tab; the
// commands themselves are the browser subsystem's.
#include "app/main_window.h"

namespace vb::app {

namespace {

constexpr int kDeleteKey = 46;

}  // namespace

void MainWindow::WireInternetPage() {
  auto& f = form_;
  auto& page = internet_;
  f.deleteCacheButton->onClick = [&page] { browser::DeleteCache(page); };
  f.deleteCookiesButton->onClick = [&page] { browser::DeleteCookies(page); };
  f.cleanBrowsersButton->onClick = [&page] { browser::CleanBrowsers(page); };
  f.deleteExplorerCacheItem->onClick = [&page] { browser::DeleteIECache(page); };
  f.deleteOperaCacheItem->onClick = [&page] { browser::DeleteOperaCache(page); };
  f.deleteFirefoxCacheItem->onClick = [&page] { browser::DeleteFirefoxCache(page); };
  f.deleteSelectedCacheItem->onClick = [&page] { browser::DeleteSelectedCache(page); };
  f.deleteExplorerCookiesItem->onClick = [&page] { browser::DeleteIECookies(page); };
  f.deleteOperaCookiesItem->onClick = [&page] { browser::DeleteOperaCookies(page); };
  f.deleteFirefoxCookiesItem->onClick = [&page] { browser::DeleteFirefoxCookies(page); };
  f.deleteSelectedCookieItem->onClick = [&page] { browser::DeleteSelectedCookie(page); };
  f.reloadCacheItem->onClick = [&page] { browser::ReloadViews(page); };
  f.reloadCookiesItem->onClick = [&page] { browser::ReloadViews(page); };
  f.cacheView->onKeyDown = [&page](int key) {
    if (key == kDeleteKey) browser::DeleteSelectedCache(page);
  };
  f.cookieView->onKeyDown = [&page](int key) {
    if (key == kDeleteKey) browser::DeleteSelectedCookie(page);
  };
  f.cacheView->onMouseDown = [this](toolkit::MouseButton button, int, int) {
    if (button != toolkit::MouseButton::kRight) return;
    browser::PrepareCacheMenu(internet_);
    form_.PopupMenu(*form_.cacheMenu);
  };
  f.cookieView->onMouseDown = [this](toolkit::MouseButton button, int, int) {
    if (button != toolkit::MouseButton::kRight) return;
    browser::PrepareCookieMenu(internet_);
    form_.PopupMenu(*form_.cookieMenu);
  };

  auto& keep = keepList_;
  f.keepCookieButton->onClick = [&keep] { browser::KeepSelectedCookie(keep); };
  f.releaseCookieButton->onClick = [&keep] { browser::ReleaseSelectedCookie(keep); };
  f.cookiesToDelete->onItemClick = [&keep](int) {
    browser::ShowSelectedCookie(keep, keep.cookiesToDelete);
  };
  f.cookiesToKeep->onItemClick = [&keep](int) {
    browser::ShowSelectedCookie(keep, keep.cookiesToKeep);
  };
}

}  // namespace vb::app
