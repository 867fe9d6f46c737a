// Where the main window's controls sit: pixels at 96 DPI in the window's
// client area. Controls of different pages may share a place; those of one
// page never overlap, except a frame and what it holds.
#pragma once

#include <vector>

#include "toolkit/form.h"

namespace vb::app {

struct Placement {
  const char* name;
  toolkit::Rect rect;
};

inline constexpr int kForm1ClientWidth = 664;
inline constexpr int kForm1ClientHeight = 476;

const std::vector<Placement>& Form1Layout();
// Gives every control of the table its place.
void PlaceForm1(toolkit::Form& form);

}  // namespace vb::app
