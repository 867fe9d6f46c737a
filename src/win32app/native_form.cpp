#include "win32app/native_form.h"

#include "win32app/adapter_factory.h"
#include "win32app/popup_menu.h"

namespace vb::win32app {

using toolkit::Control;
using toolkit::Property;

namespace {

constexpr const char* kFormClass = "VanbriskForm";
constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
// What a window the user may resize has besides.
constexpr DWORD kResizableStyle = WS_THICKFRAME | WS_MAXIMIZEBOX;
constexpr int kTwipsPerPixel = 15;
constexpr int kFirstId = 100;

// Sets a flag for the length of a scope and restores it after.
class FlagScope {
 public:
  explicit FlagScope(bool& flag) : flag_(flag), before_(flag) { flag_ = true; }
  ~FlagScope() { flag_ = before_; }
  FlagScope(const FlagScope&) = delete;
  FlagScope& operator=(const FlagScope&) = delete;

 private:
  bool& flag_;
  bool before_;
};

LRESULT CALLBACK FormProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* host = reinterpret_cast<FormHost*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  NativeForm* native = host ? host->NativeFormOf(hwnd) : nullptr;
  if (!native) return DefWindowProcA(hwnd, message, wParam, lParam);
  host->EnterEvent();
  LRESULT result = native->Handle(message, wParam, lParam);
  host->LeaveEvent();  // may destroy the native form
  return result;
}

// The top-left corner of a window of that size at the form's position; a
// position off every monitor (a stored one from another screen) centres it
// in the work area instead.
POINT Place(const toolkit::Form& form, int width, int height) {
  POINT at = {static_cast<int>(form.Left()) / kTwipsPerPixel,
              static_cast<int>(form.Top()) / kTwipsPerPixel};
  RECT place = {at.x, at.y, at.x + width, at.y + height};
  if (!MonitorFromRect(&place, MONITOR_DEFAULTTONULL)) {
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    at.x = work.left + ((work.right - work.left) - width) / 2;
    at.y = work.top + ((work.bottom - work.top) - height) / 2;
  }
  return at;
}

}  // namespace

void NativeForm::RegisterWindowClass(HINSTANCE instance) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = FormProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kFormClass;
  wc.hIcon = LoadIconA(instance, "APPICON");
  RegisterClassA(&wc);
}

NativeForm::NativeForm(toolkit::Form& form) : form_(form) {}

NativeForm::~NativeForm() {
  if (!hwnd_) return;
  // Windows hands activation to another window when the active one goes; the
  // user expects its owner, enabled again by the unload, to have it.
  HWND owner = GetWindow(hwnd_, GW_OWNER);
  if (owner && (activateOwner_ || GetActiveWindow() == hwnd_) && IsWindowEnabled(owner) &&
      IsWindowVisible(owner))
    SetForegroundWindow(owner);
  DestroyWindow(hwnd_);
}

SIZE NativeForm::FrameSize(int clientWidth, int clientHeight) const {
  RECT window, client;
  GetWindowRect(hwnd_, &window);
  GetClientRect(hwnd_, &client);
  return {dpi_(clientWidth) + (window.right - window.left) - client.right,
          dpi_(clientHeight) + (window.bottom - window.top) - client.bottom};
}

void NativeForm::Open(HINSTANCE instance, HWND owner, FormHost& host) {
  const DWORD exStyle = owner ? WS_EX_DLGMODALFRAME : 0;
  // Made hidden at the model's size first: only the window knows the DPI of
  // the monitor it lands on, which its size and place then follow.
  const DWORD style = kFormStyle | (form_.Resizable() ? kResizableStyle : 0);
  hwnd_ = CreateWindowExA(exStyle, kFormClass, form_.Caption().c_str(), style, 0, 0,
                          form_.ClientWidth(), form_.ClientHeight(), owner, nullptr, instance,
                          &host);
  if (UINT dpi = WindowDpi(hwnd_); dpi != dpi_.value()) {
    dpi_ = Dpi(dpi);
    Fonts scaled(dpi_);
    fonts_.Swap(scaled);
  }
  // A resizable window opens at its opening size where the work area holds
  // it, else at its design size; its WM_SIZE lays the model out to match.
  SIZE size = FrameSize(form_.OpenWidth(), form_.OpenHeight());
  RECT work;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  if (size.cx > work.right - work.left || size.cy > work.bottom - work.top)
    size = FrameSize(form_.MinClientWidth(), form_.MinClientHeight());
  POINT at = Place(form_, size.cx, size.cy);
  SetWindowPos(hwnd_, nullptr, at.x, at.y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
  tips_ = std::make_unique<ToolTips>(instance, hwnd_);

  FlagScope syncing(syncing_);
  const NativeParent parent{instance, hwnd_, fonts_, dpi_};
  int id = kFirstId;
  for (const auto& control : form_.Controls()) {
    std::unique_ptr<ControlAdapter> adapter = MakeAdapter(*control, parent, id++);
    if (adapter) {
      byControl_[control.get()] = adapter.get();
      tips_->Set(adapter->hwnd(), control->ToolTipText());
      for (Property p : {Property::kItems, Property::kValue, Property::kEnabled}) adapter->Sync(p);
    }
    adapters_.push_back(std::move(adapter));
  }
  // Frames, tab strips and shapes lie under what is drawn on them.
  for (auto it = adapters_.rbegin(); it != adapters_.rend(); ++it)
    if (*it && (*it)->Background())
      SetWindowPos((*it)->hwnd(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SyncAll(Property::kDefaultButton);
  SyncAll(Property::kVisible);
  EnableWindow(hwnd_, form_.Enabled());
  ShowWindow(hwnd_, SW_SHOW);
  UpdateWindow(hwnd_);
}

ControlAdapter* NativeForm::AdapterOf(int id) const {
  std::size_t index = static_cast<std::size_t>(id - kFirstId);
  return id >= kFirstId && index < adapters_.size() ? adapters_[index].get() : nullptr;
}

ControlAdapter* NativeForm::AdapterOf(const Control& control) const {
  auto found = byControl_.find(&control);
  return found == byControl_.end() ? nullptr : found->second;
}

void NativeForm::OnChange(Control* control, Property property) {
  if (!hwnd_) return;
  if (control && control->kind() == toolkit::Kind::kMenu) {
    if (property == Property::kVisible && form_.OpenPopup() == control)
      ShowPopupMenu(hwnd_, static_cast<toolkit::Menu&>(*control));
    return;
  }
  FlagScope syncing(syncing_);
  // The default button changes from one button to another or to none.
  if (property == Property::kDefaultButton) return SyncAll(property);
  if (!control) return SyncForm(property);
  ControlAdapter* adapter = AdapterOf(*control);
  if (!adapter) return;
  switch (property) {
    // A frame shows, hides, enables or disables what it holds as well.
    case Property::kVisible: SyncVisibility(); break;
    case Property::kEnabled: SyncAll(property); break;
    case Property::kToolTip: tips_->Set(adapter->hwnd(), control->ToolTipText()); break;
    default: adapter->Sync(property); break;
  }
}

void NativeForm::Rescale(UINT dpi) {
  dpi_ = Dpi(dpi);
  Fonts scaled(dpi_);
  fonts_.Swap(scaled);  // the old fonts go once every control has the new ones
  FlagScope syncing(syncing_);
  for (const auto& adapter : adapters_)
    if (adapter) adapter->Rescale();
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void NativeForm::SyncForm(Property property) {
  switch (property) {
    case Property::kVisible:
      if (form_.Visible()) {
        activateOwner_ = false;
        ShowWindow(hwnd_, SW_SHOW);
        SyncVisibility();
      } else {
        HWND owner = GetWindow(hwnd_, GW_OWNER);
        activateOwner_ = owner && GetActiveWindow() == hwnd_;
        // An owner that can take activation now takes it before Windows
        // chooses some other window.
        if (activateOwner_ && IsWindowEnabled(owner) && IsWindowVisible(owner))
          SetActiveWindow(owner);
        ShowWindow(hwnd_, SW_HIDE);
      }
      break;
    case Property::kEnabled: EnableWindow(hwnd_, form_.Enabled()); break;
    case Property::kCaption: SetWindowTextA(hwnd_, form_.Caption().c_str()); break;
    default: break;
  }
}

void NativeForm::SyncAll(Property property) {
  for (const auto& adapter : adapters_)
    if (adapter) adapter->Sync(property);
}

void NativeForm::SyncVisibility() {
  SyncAll(Property::kVisible);
  // Frames and tab strips do not paint what lies inside them: repaint the
  // whole window so that nothing of the page before remains.
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

LRESULT NativeForm::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (!syncing_) Command(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_NOTIFY: {
      const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
      ControlAdapter* adapter = AdapterOf(static_cast<int>(header.idFrom));
      if (!syncing_ && adapter && adapter->hwnd() == header.hwndFrom) adapter->Notify(header);
      return 0;
    }
    case kRightButtonMessage:
      if (ControlAdapter* adapter = AdapterOf(static_cast<int>(wParam)))
        adapter->control().UserMouseDown(toolkit::MouseButton::kRight);
      return 0;
    case WM_SETCURSOR: {
      // A control with the hand pointer sets the cursor itself as the mouse moves.
      HWND over = reinterpret_cast<HWND>(wParam);
      ControlAdapter* adapter = over != hwnd_ ? AdapterOf(GetDlgCtrlID(over)) : nullptr;
      if (adapter && adapter->hwnd() == over &&
          adapter->control().MousePointer() == toolkit::Pointer::kHand) {
        adapter->control().UserMouseMove();
        return TRUE;
      }
      break;
    }
    case DM_GETDEFID:
      if (toolkit::Button* button = form_.DefaultButton())
        if (ControlAdapter* adapter = AdapterOf(*button))
          return MAKELONG(GetDlgCtrlID(adapter->hwnd()), DC_HASDEFID);
      return 0;
    case WM_DRAWITEM: {
      const auto& draw = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      ControlAdapter* adapter = AdapterOf(static_cast<int>(draw.CtlID));
      if (adapter && adapter->Draw(draw)) return TRUE;
      break;
    }
    case WM_MOVE:
      if (!IsIconic(hwnd_) && !IsZoomed(hwnd_)) {
        RECT r;
        GetWindowRect(hwnd_, &r);
        form_.Move(static_cast<float>(r.left * kTwipsPerPixel),
                   static_cast<float>(r.top * kTwipsPerPixel));
      }
      return 0;
    case WM_SIZE:
      form_.SetState(wParam == SIZE_MINIMIZED   ? toolkit::WindowState::kMinimized
                     : wParam == SIZE_MAXIMIZED ? toolkit::WindowState::kMaximized
                                                : toolkit::WindowState::kNormal);
      if (form_.Resizable() && wParam != SIZE_MINIMIZED) {
        FlagScope syncing(syncing_);
        form_.Resize(dpi_.Unscale(LOWORD(lParam)), dpi_.Unscale(HIWORD(lParam)));
        RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
      }
      return 0;
    case WM_GETMINMAXINFO:
      if (form_.Resizable() && hwnd_) {
        SIZE least = FrameSize(form_.MinClientWidth(), form_.MinClientHeight());
        reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {least.cx, least.cy};
        return 0;
      }
      break;
    case WM_DPICHANGED: {
      // Another monitor: the layout at its DPI, in the rectangle Windows
      // suggests for the window there.
      Rescale(HIWORD(wParam));
      const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
      SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top,
                   suggested.right - suggested.left, suggested.bottom - suggested.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
    case WM_CLOSE: form_.Unload(); return 0;
    case WM_NCDESTROY: {
      // Destroyed with its owner's window while the form lives on.
      LRESULT result = DefWindowProcA(hwnd_, message, wParam, lParam);
      hwnd_ = nullptr;
      return result;
    }
    default: break;
  }
  return DefWindowProcA(hwnd_, message, wParam, lParam);
}

void NativeForm::Command(int id, int code) {
  if (id == IDOK) {  // Enter: the default button
    if (toolkit::Button* button = form_.DefaultButton(); button && button->Usable())
      button->UserClick();
    return;
  }
  if (ControlAdapter* adapter = AdapterOf(id)) adapter->Command(code);
}

}  // namespace vb::win32app
