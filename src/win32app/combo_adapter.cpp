#include "win32app/combo_adapter.h"

#include "toolkit/controls.h"

namespace vb::win32app {

namespace {

// How far the drop-down list reaches below the edit field, in model pixels.
constexpr int kDropHeight = 160;

toolkit::ComboBox& ComboOf(toolkit::Control& control) {
  return static_cast<toolkit::ComboBox&>(control);
}

}  // namespace

ComboAdapter::ComboAdapter(toolkit::Control& control, const NativeParent& parent, int id)
    : ControlAdapter(control, parent, id, {"COMBOBOX", WS_TABSTOP | CBS_DROPDOWN | WS_VSCROLL},
                     ComboOf(control).Text(), kDropHeight) {}

void ComboAdapter::Sync(toolkit::Property property) {
  toolkit::ComboBox& combo = ComboOf(control());
  switch (property) {
    case toolkit::Property::kItems:
      SendMessageA(hwnd(), CB_RESETCONTENT, 0, 0);
      for (int i = 0; i < combo.ListCount(); ++i)
        SendMessageA(hwnd(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(combo.List(i).c_str()));
      SetWindowTextA(hwnd(), combo.Text().c_str());
      break;
    case toolkit::Property::kText: SyncWindowText(hwnd(), combo.Text()); break;
    case toolkit::Property::kCaption: break;  // a combo box shows its text, not its caption
    default: ControlAdapter::Sync(property); break;
  }
}

void ComboAdapter::Command(int code) {
  if (code == CBN_SELCHANGE)
    ComboOf(control()).UserChoose(static_cast<int>(SendMessageA(hwnd(), CB_GETCURSEL, 0, 0)));
  else if (code == CBN_EDITCHANGE)
    ComboOf(control()).SetText(WindowText(hwnd()));
}

}  // namespace vb::win32app
