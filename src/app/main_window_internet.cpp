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
  f.DelCache->onClick = [&page] { browser::DeleteCache(page); };
  f.DelCook->onClick = [&page] { browser::DeleteCookies(page); };
  f.CleanIE->onClick = [&page] { browser::CleanBrowsers(page); };
  f.iecache2->onClick = [&page] { browser::DeleteIECache(page); };
  f.operacache2->onClick = [&page] { browser::DeleteOperaCache(page); };
  f.mozff->onClick = [&page] { browser::DeleteFirefoxCache(page); };
  f.dscache->onClick = [&page] { browser::DeleteSelectedCache(page); };
  f.iecook->onClick = [&page] { browser::DeleteIECookies(page); };
  f.operacook->onClick = [&page] { browser::DeleteOperaCookies(page); };
  f.mozffcook->onClick = [&page] { browser::DeleteFirefoxCookies(page); };
  f.dscookie->onClick = [&page] { browser::DeleteSelectedCookie(page); };
  f.refresh1->onClick = [&page] { browser::ReloadViews(page); };
  f.refresh2->onClick = [&page] { browser::ReloadViews(page); };
  f.ListView2->onKeyDown = [&page](int key) {
    if (key == kDeleteKey) browser::DeleteSelectedCache(page);
  };
  f.ListView1->onKeyDown = [&page](int key) {
    if (key == kDeleteKey) browser::DeleteSelectedCookie(page);
  };
  f.ListView2->onMouseDown = [this](toolkit::MouseButton button, int, int) {
    if (button != toolkit::MouseButton::kRight) return;
    browser::PrepareCacheMenu(internet_);
    form_.PopupMenu(*form_.cachepopup);
  };
  f.ListView1->onMouseDown = [this](toolkit::MouseButton button, int, int) {
    if (button != toolkit::MouseButton::kRight) return;
    browser::PrepareCookieMenu(internet_);
    form_.PopupMenu(*form_.cachepopup2);
  };

  auto& keep = keepList_;
  f.SC->onClick = [&keep] { browser::KeepSelectedCookie(keep); };
  f.RC->onClick = [&keep] { browser::ReleaseSelectedCookie(keep); };
  f.LV1->onItemClick = [&keep](int) { browser::ShowSelectedCookie(keep, keep.LV1); };
  f.LV2->onItemClick = [&keep](int) { browser::ShowSelectedCookie(keep, keep.LV2); };
}

}  // namespace vb::app
