#include "win32app/popup_menu.h"

#include "toolkit/form.h"

namespace vb::win32app {

namespace {

// Command ids of the items: the base plus the item's index in the menu.
constexpr int kFirstItemId = 40000;

}  // namespace

void ShowPopupMenu(HWND owner, toolkit::Menu& menu) {
  const std::vector<toolkit::MenuItem*>& items = menu.Items();
  HMENU popup = CreatePopupMenu();
  for (std::size_t i = 0; i < items.size(); ++i) {
    const toolkit::MenuItem& item = *items[i];
    if (!item.Visible()) continue;
    if (item.IsSeparator())
      AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
    else
      AppendMenuA(popup, MF_STRING | (item.Enabled() ? 0 : MF_GRAYED),
                  kFirstItemId + static_cast<UINT_PTR>(i), item.Caption().c_str());
  }
  POINT at;
  GetCursorPos(&at);
  int chosen = TrackPopupMenu(popup, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, owner, nullptr);
  DestroyMenu(popup);
  if (chosen >= kFirstItemId && chosen - kFirstItemId < static_cast<int>(items.size()))
    items[static_cast<std::size_t>(chosen - kFirstItemId)]->UserClick();
  menu.form().ClosePopup();
}

}  // namespace vb::win32app
