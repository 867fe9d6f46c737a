// The fonts the windows are drawn with, one per font role of the model.
#pragma once

#include <windows.h>

#include "toolkit/control.h"

namespace vb::win32app {

class Fonts {
 public:
  Fonts();
  ~Fonts();
  Fonts(const Fonts&) = delete;
  Fonts& operator=(const Fonts&) = delete;

  HFONT For(toolkit::FontRole role) const;

 private:
  HFONT normal_;
  HFONT symbol_;
  HFONT banner_;
};

}  // namespace vb::win32app
