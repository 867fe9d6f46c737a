// The fonts a window is drawn with, one per font role of the model, made for
// the window's DPI.
#pragma once

#include <windows.h>

#include <array>

#include "toolkit/control.h"
#include "win32app/dpi.h"

namespace vb::win32app {

class Fonts {
 public:
  explicit Fonts(const Dpi& dpi);
  ~Fonts();
  Fonts(const Fonts&) = delete;
  Fonts& operator=(const Fonts&) = delete;

  HFONT For(toolkit::FontRole role) const;
  // Takes the other's fonts and gives it these, which go with it: the window
  // hands its controls the new fonts before the old ones are deleted.
  void Swap(Fonts& other) { fonts_.swap(other.fonts_); }

 private:
  std::array<HFONT, 3> fonts_;  // by role: normal, symbol, banner
};

}  // namespace vb::win32app
