#include "win32app/edit_adapter.h"

#include "toolkit/controls.h"

namespace vb::win32app {

namespace {

toolkit::TextBox& TextOf(toolkit::Control& control) {
  return static_cast<toolkit::TextBox&>(control);
}

DWORD Style(const toolkit::TextBox& text) {
  DWORD style = WS_TABSTOP | (text.Locked() ? ES_READONLY : 0);
  if (!text.MultiLine()) return style | ES_AUTOHSCROLL;
  style |= ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL;
  return style | (text.ScrollsSideways() ? ES_AUTOHSCROLL | WS_HSCROLL : 0);
}

// The edit control's window procedure in front of the system's, which it
// keeps in GWLP_USERDATA.
LRESULT CALLBACK EditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto previous = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (message == WM_CONTEXTMENU) return 0;
  if (message == WM_RBUTTONDOWN) {
    SendMessageA(GetParent(hwnd), kRightButtonMessage, static_cast<WPARAM>(GetDlgCtrlID(hwnd)), 0);
    return 0;
  }
  return CallWindowProcA(previous, hwnd, message, wParam, lParam);
}

}  // namespace

EditAdapter::EditAdapter(toolkit::Control& control, const NativeParent& parent, int id)
    : ControlAdapter(control, parent, id, {"EDIT", Style(TextOf(control)), WS_EX_CLIENTEDGE},
                     TextOf(control).Text()) {
  SetWindowLongPtrA(hwnd(), GWLP_USERDATA,
                    SetWindowLongPtrA(hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EditProc)));
}

void EditAdapter::Sync(toolkit::Property property) {
  switch (property) {
    case toolkit::Property::kText: SyncWindowText(hwnd(), TextOf(control()).Text()); break;
    case toolkit::Property::kCaption: break;  // a text box shows its text, not its caption
    default: ControlAdapter::Sync(property); break;
  }
}

void EditAdapter::Command(int code) {
  if (code == EN_CHANGE) TextOf(control()).SetText(WindowText(hwnd()));
}

}  // namespace vb::win32app
