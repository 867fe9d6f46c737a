#include "win32app/control_adapter.h"

namespace vb::win32app {

namespace {

// Whether the native control should be enabled: it and every frame it sits in.
bool EnabledChain(const toolkit::Control& c) {
  for (const toolkit::Control* p = &c; p; p = p->container())
    if (!p->Enabled()) return false;
  return true;
}

}  // namespace

ControlAdapter::ControlAdapter(toolkit::Control& control, const NativeParent& parent, int id,
                               const NativeKind& kind, const std::string& text, int extraHeight)
    : control_(control), parent_(parent), extraHeight_(extraHeight) {
  toolkit::Rect r = control.Position();
  r.height += extraHeight;
  RECT at = parent.dpi(r);
  hwnd_ = CreateWindowExA(kind.exStyle, kind.windowClass, text.c_str(),
                          WS_CHILD | WS_CLIPSIBLINGS | kind.style, at.left, at.top,
                          at.right - at.left, at.bottom - at.top, parent.window,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), parent.instance,
                          nullptr);
  SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
}

void ControlAdapter::Place() {
  toolkit::Rect r = control_.Position();
  r.height += extraHeight_;
  RECT at = dpi()(r);
  SetWindowPos(hwnd_, nullptr, at.left, at.top, at.right - at.left, at.bottom - at.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void ControlAdapter::Rescale() {
  SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
  Place();
}

void ControlAdapter::Sync(toolkit::Property property) {
  switch (property) {
    case toolkit::Property::kCaption: SetWindowTextA(hwnd_, control_.Caption().c_str()); break;
    case toolkit::Property::kVisible:
      ShowWindow(hwnd_, control_.Shown() ? SW_SHOWNA : SW_HIDE);
      break;
    case toolkit::Property::kEnabled: EnableWindow(hwnd_, EnabledChain(control_)); break;
    case toolkit::Property::kPosition: Place(); break;
    default: break;
  }
}

std::string WindowText(HWND hwnd) {
  int length = GetWindowTextLengthA(hwnd);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  GetWindowTextA(hwnd, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(length));
  return text;
}

void SyncWindowText(HWND hwnd, const std::string& text) {
  if (WindowText(hwnd) != text) SetWindowTextA(hwnd, text.c_str());
}

}  // namespace vb::win32app
