// The cookie keep-list of the Cookies tab: "->" keeps the selected cookie to
// delete, "<-" lets a kept one go again. Each kept cookie is one value of the
// settings section "Settings\Cookies", named and holding its full cache URL.
#pragma once

#include "platform/platform.h"
#include "toolkit/controls.h"

namespace vb::browser {

struct CookieKeepList {
  platform::Platform& platform;
  toolkit::ListView& cookiesToDelete;  // "Cookies to delete:"
  toolkit::ListView& cookiesToKeep;    // "Cookies to keep:"
  toolkit::TextBox& chosenCookieText;  // the text of the item last clicked
};

// "->": stores the selected cookie to delete and moves it to the kept ones.
void KeepSelectedCookie(CookieKeepList& keep);
// "<-": deletes the selected kept cookie's value and moves it back.
void ReleaseSelectedCookie(CookieKeepList& keep);
// A click in either list: the selected item's text into chosenCookieText.
void ShowSelectedCookie(CookieKeepList& keep, const toolkit::ListView& list);

}  // namespace vb::browser
