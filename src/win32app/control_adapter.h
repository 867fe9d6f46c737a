// The native counterpart of one control: it creates the control's native
// window, brings it in line with a property the model says has changed, and
// turns the native control's notifications into the model's events. Each kind
// of control has its adapter in a file of its own; this base holds what all
// kinds share.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "toolkit/control.h"
#include "win32app/dpi.h"
#include "win32app/fonts.h"

namespace vb::win32app {

// What a native control that keeps the right button to itself sends its form
// (wParam: the control's id), so that the press reaches the model as an event
// of the form's window.
constexpr UINT kRightButtonMessage = WM_APP;

// The window a control's native window is created in, with its DPI and the
// fonts made for it, which change when the window moves to a monitor of
// another DPI.
struct NativeParent {
  HINSTANCE instance;
  HWND window;
  const Fonts& fonts;
  const Dpi& dpi;
};

class ControlAdapter {
 public:
  ControlAdapter(const ControlAdapter&) = delete;
  ControlAdapter& operator=(const ControlAdapter&) = delete;
  virtual ~ControlAdapter() = default;

  toolkit::Control& control() const { return control_; }
  HWND hwnd() const { return hwnd_; }

  // Brings the native control in line with one changed property of the
  // model. The base handles caption, visibility, enabled state and position.
  virtual void Sync(toolkit::Property property);
  // A WM_COMMAND notification code sent by the native control.
  virtual void Command(int /*code*/) {}
  // A WM_NOTIFY notification sent by the native control.
  virtual void Notify(const NMHDR& /*header*/) {}
  // Draws an owner-drawn control; false for a kind that draws itself.
  virtual bool Draw(const DRAWITEMSTRUCT& /*draw*/) { return false; }
  // Frames, tab strips and shapes lie under the controls drawn on them.
  virtual bool Background() const { return false; }
  // The window's DPI changed: takes the new fonts and places itself anew.
  virtual void Rescale();

 protected:
  struct NativeKind {
    const char* windowClass;
    DWORD style;  // WS_CHILD and WS_CLIPSIBLINGS are added
    DWORD exStyle = 0;
  };
  // Creates the control's native window, hidden, at its position (made
  // extraHeight taller: a combo box's drop-down list), in its font; places
  // and extraHeight are model pixels, scaled to the window's DPI.
  ControlAdapter(toolkit::Control& control, const NativeParent& parent, int id,
                 const NativeKind& kind, const std::string& text, int extraHeight = 0);

  const Dpi& dpi() const { return parent_.dpi; }
  HFONT Font() const { return parent_.fonts.For(control_.Font()); }

 private:
  void Place();

  toolkit::Control& control_;
  NativeParent parent_;
  HWND hwnd_;
  int extraHeight_;
};

// The text of a native window.
std::string WindowText(HWND hwnd);
// Sets the text of a native window unless it has it already: the user's own
// typing comes back from the model, and setting it again would move the caret.
void SyncWindowText(HWND hwnd, const std::string& text);

}  // namespace vb::win32app
