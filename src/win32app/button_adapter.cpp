#include "win32app/button_adapter.h"

#include "toolkit/controls.h"
#include "toolkit/form.h"

namespace vb::win32app {

using toolkit::Kind;
using toolkit::Property;

namespace {

DWORD Style(Kind kind) {
  switch (kind) {
    case Kind::kCheckBox: return WS_TABSTOP | BS_AUTOCHECKBOX;
    case Kind::kFrame: return BS_GROUPBOX;
    default: return WS_TABSTOP | BS_PUSHBUTTON;
  }
}

}  // namespace

ButtonAdapter::ButtonAdapter(toolkit::Control& control, const NativeParent& parent, int id)
    : ControlAdapter(control, parent, id, {"BUTTON", Style(control.kind())}, control.Caption()) {}

void ButtonAdapter::Sync(Property property) {
  switch (property) {
    case Property::kValue:
      if (control().kind() == Kind::kCheckBox)
        SendMessageA(hwnd(), BM_SETCHECK, static_cast<toolkit::CheckBox&>(control()).Value(), 0);
      break;
    case Property::kDefaultButton:
      if (control().kind() == Kind::kButton)
        SendMessageA(hwnd(), BM_SETSTYLE,
                     control().form().DefaultButton() == &control() ? BS_DEFPUSHBUTTON
                                                                     : BS_PUSHBUTTON,
                     TRUE);
      break;
    default: ControlAdapter::Sync(property); break;
  }
}

void ButtonAdapter::Command(int code) {
  if (code != BN_CLICKED) return;
  if (control().kind() == Kind::kButton) {
    control().UserClick();
  } else if (control().kind() == Kind::kCheckBox) {
    // The native box has toggled itself; the model follows and fires its click.
    auto& box = static_cast<toolkit::CheckBox&>(control());
    int value = static_cast<int>(SendMessageA(hwnd(), BM_GETCHECK, 0, 0));
    if (value != box.Value()) box.SetValue(value);
  }
}

}  // namespace vb::win32app
