// A form's native window: made when the form is first shown, with one adapter
// per control, and destroyed with the form. It brings the window in line with
// each change the model reports and hands the user's input to the adapters,
// which turn it into the model's events. It keeps nothing of the program's
// own: what it shows is read from the model.
#pragma once

#include <windows.h>

#include <memory>
#include <unordered_map>
#include <vector>

#include "toolkit/form.h"
#include "win32app/control_adapter.h"
#include "win32app/dpi.h"
#include "win32app/fonts.h"
#include "win32app/tooltips.h"

namespace vb::win32app {

class NativeForm;

// What the window procedure asks of whoever keeps the native forms.
class FormHost {
 public:
  // The native form of a window; null for a window whose form is being
  // destroyed, so that the window procedure never reaches a dying form.
  virtual NativeForm* NativeFormOf(HWND window) = 0;
  // Bracket every message a native form handles; the host acts on the end of
  // the outermost one.
  virtual void EnterEvent() = 0;
  virtual void LeaveEvent() = 0;

 protected:
  ~FormHost() = default;
};

class NativeForm {
 public:
  // Registers the window class that every form's window has.
  static void RegisterWindowClass(HINSTANCE instance);

  explicit NativeForm(toolkit::Form& form);
  NativeForm(const NativeForm&) = delete;
  NativeForm& operator=(const NativeForm&) = delete;
  // Destroys the window, handing activation back to its owner.
  ~NativeForm();

  toolkit::Form& form() const { return form_; }
  // Null before Open and once the window is gone.
  HWND hwnd() const { return hwnd_; }

  // Makes the window over owner (null for none) and its controls, sized and
  // placed as the model says at the window's DPI, and shows it.
  void Open(HINSTANCE instance, HWND owner, FormHost& host);
  // Brings the window in line with a change of the form (control null) or of
  // one of its controls.
  void OnChange(toolkit::Control* control, toolkit::Property property);
  // A message of the window.
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  ControlAdapter* AdapterOf(int id) const;
  ControlAdapter* AdapterOf(const toolkit::Control& control) const;
  void SyncForm(toolkit::Property property);
  void SyncAll(toolkit::Property property);
  void SyncVisibility();
  void Command(int id, int code);
  // The window's size for a client area of that many model pixels: scaled to
  // the window's DPI, with the frame the window has around it.
  SIZE FrameSize(int clientWidth, int clientHeight) const;
  // The window is drawn at another DPI: new fonts, every control placed anew.
  void Rescale(UINT dpi);

  toolkit::Form& form_;
  Dpi dpi_;
  Fonts fonts_{dpi_};
  HWND hwnd_ = nullptr;
  std::unique_ptr<ToolTips> tips_;
  // One per control in the form's order (its id is kFirstId plus the index);
  // null for menus, which have no window of their own.
  std::vector<std::unique_ptr<ControlAdapter>> adapters_;
  std::unordered_map<const toolkit::Control*, ControlAdapter*> byControl_;
  bool syncing_ = false;        // true while the window itself changes native controls
  bool activateOwner_ = false;  // hidden while active: the owner is to be activated
};

}  // namespace vb::win32app
