#include "win32app/tooltips.h"

#include <commctrl.h>

namespace vb::win32app {

ToolTips::ToolTips(HINSTANCE instance, HWND window)
    : window_(window),
      tips_(CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, TTS_ALWAYSTIP, 0, 0, 0, 0, window,
                            nullptr, instance, nullptr)) {}

void ToolTips::Set(HWND control, const std::string& text) {
  TOOLINFOA info = {};
  info.cbSize = sizeof info;
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  info.hwnd = window_;
  info.uId = reinterpret_cast<UINT_PTR>(control);
  info.lpszText = const_cast<char*>(text.c_str());
  const bool known = tools_.count(control) != 0;
  if (text.empty()) {
    if (known) SendMessageA(tips_, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&info));
    tools_.erase(control);
  } else if (known) {
    SendMessageA(tips_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&info));
  } else {
    SendMessageA(tips_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
    tools_.insert(control);
  }
}

}  // namespace vb::win32app
