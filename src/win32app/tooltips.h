// The tooltips of one window: one tooltip control that shows each control's
// text while the mouse rests on it.
#pragma once

#include <windows.h>

#include <set>
#include <string>

namespace vb::win32app {

class ToolTips {
 public:
  ToolTips(HINSTANCE instance, HWND window);
  ToolTips(const ToolTips&) = delete;
  ToolTips& operator=(const ToolTips&) = delete;

  // Sets the text shown over control; an empty text shows none.
  void Set(HWND control, const std::string& text);

 private:
  HWND window_;
  HWND tips_;  // owned by window_, which destroys it
  std::set<HWND> tools_;  // the controls that have a text
};

}  // namespace vb::win32app
