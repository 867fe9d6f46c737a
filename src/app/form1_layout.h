// Where the main window's controls sit: pixels at 96 DPI in the window's
// client area. Controls of different pages may share a place; those of one
// page never overlap, except a frame and what it holds.
#pragma once

#include <vector>

#include "toolkit/form_builder.h"

namespace vb::app {

const std::vector<toolkit::Placement>& Form1Layout();

}  // namespace vb::app
