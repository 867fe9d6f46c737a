#include "browser/cookie_keep_list.h"

#include <optional>
#include <string>

#include "registry/settings_store.h"

namespace vb::browser {

namespace settings = registry::settings;

namespace {

// The selected item's text, when the list has items and one is selected.
std::optional<std::string> Selected(const toolkit::ListView& list) {
  int index = list.SelectedIndex();
  if (list.Count() == 0 || index < 0 || index >= list.Count()) return std::nullopt;
  return list.ItemAt(index).text;
}

}  // namespace

void KeepSelectedCookie(CookieKeepList& k) {
  std::optional<std::string> text = Selected(k.cookiesToDelete);
  if (!text) return;
  k.cookiesToKeep.Add(*text);
  settings::AddListEntry(k.platform, settings::kCookies, *text);
  k.cookiesToDelete.Remove(k.cookiesToDelete.SelectedIndex());
}

void ReleaseSelectedCookie(CookieKeepList& k) {
  std::optional<std::string> text = Selected(k.cookiesToKeep);
  if (!text) return;
  settings::DeleteSetting(k.platform, settings::kCookies, *text);
  k.cookiesToDelete.Add(*text);
  k.cookiesToKeep.Remove(k.cookiesToKeep.SelectedIndex());
}

void ShowSelectedCookie(CookieKeepList& k, const toolkit::ListView& list) {
  if (std::optional<std::string> text = Selected(list)) k.chosenCookieText.SetText(*text);
}

}  // namespace vb::browser
