// The DPI a window is drawn at, and the model's places (pixels at 96 DPI) in
// the window's own pixels. The manifest makes the program per-monitor aware:
// Windows no longer stretches its windows, so each window scales its layout,
// fonts and artwork itself, and again when it moves to a monitor of another
// DPI (WM_DPICHANGED).
#pragma once

#include <windows.h>

#include "toolkit/control.h"

namespace vb::win32app {

class Dpi {
 public:
  static constexpr UINT kDesign = 96;

  explicit Dpi(UINT dpi = kDesign) : dpi_(dpi ? dpi : kDesign) {}
  UINT value() const { return dpi_; }
  // Model pixels to the window's pixels.
  int operator()(int pixels) const { return MulDiv(pixels, static_cast<int>(dpi_), kDesign); }
  // The window's pixels to model pixels.
  int Unscale(int pixels) const { return MulDiv(pixels, kDesign, static_cast<int>(dpi_)); }
  RECT operator()(const toolkit::Rect& r) const {
    return {(*this)(r.left), (*this)(r.top), (*this)(r.left + r.width), (*this)(r.top + r.height)};
  }

 private:
  UINT dpi_;
};

// The DPI of the window: GetDpiForWindow where the system has it (Windows 10
// 1607 and later; looked up at run time, since Windows 7 lacks it), else that
// of the window's monitor (GetDpiForMonitor, Windows 8.1), else the screen's.
UINT WindowDpi(HWND window);

}  // namespace vb::win32app
