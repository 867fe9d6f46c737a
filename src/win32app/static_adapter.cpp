#include "win32app/static_adapter.h"

#include "win32app/artwork.h"

namespace vb::win32app {

using toolkit::Kind;
using toolkit::Look;

namespace {

DWORD Style(Kind kind) {
  switch (kind) {
    case Kind::kPictureBox: return SS_OWNERDRAW | SS_NOTIFY;
    case Kind::kShape: return SS_ETCHEDFRAME;
    default: return SS_LEFT | SS_NOTIFY;
  }
}

}  // namespace

StaticAdapter::StaticAdapter(toolkit::Control& control, const NativeParent& parent, int id)
    : ControlAdapter(control, parent, id, {"STATIC", Style(control.kind())}, control.Caption()) {}

void StaticAdapter::Sync(toolkit::Property property) {
  ControlAdapter::Sync(property);
  // A change of look arrives as a change of caption: draw the picture again.
  if (property == toolkit::Property::kCaption && control().kind() == Kind::kPictureBox)
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void StaticAdapter::Command(int code) {
  if (code == STN_CLICKED) control().UserClick();
}

bool StaticAdapter::Draw(const DRAWITEMSTRUCT& draw) {
  switch (control().GetLook()) {
    case Look::kPageButton:
    case Look::kPageButtonSelected:
      DrawPageButton(draw.hDC, draw.rcItem, control().Caption(),
                     control().GetLook() == Look::kPageButtonSelected, Font(), dpi());
      break;
    case Look::kLogo: DrawLogo(draw.hDC, draw.rcItem, Font()); break;
    default: FillRect(draw.hDC, &draw.rcItem, GetSysColorBrush(COLOR_BTNFACE)); break;
  }
  return true;
}

}  // namespace vb::win32app
