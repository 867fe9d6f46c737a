#include "win32app/dpi.h"

namespace vb::win32app {

namespace {

// A function of a system DLL that older systems lack, or null.
template <class Function>
Function Optional(const wchar_t* module, const char* name) {
  HMODULE dll = GetModuleHandleW(module);
  if (!dll) dll = LoadLibraryW(module);
  return dll ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(dll, name)))
             : nullptr;
}

}  // namespace

UINT WindowDpi(HWND window) {
  using ForWindow = UINT(WINAPI*)(HWND);
  static const auto forWindow = Optional<ForWindow>(L"user32.dll", "GetDpiForWindow");
  if (forWindow)
    if (UINT dpi = forWindow(window)) return dpi;
  using ForMonitor = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
  static const auto forMonitor = Optional<ForMonitor>(L"shcore.dll", "GetDpiForMonitor");
  UINT x = 0, y = 0;
  HMONITOR monitor = MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST);
  if (forMonitor && forMonitor(monitor, 0 /* MDT_EFFECTIVE_DPI */, &x, &y) == S_OK) return y;
  HDC screen = GetDC(nullptr);
  int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : Dpi::kDesign;
}

}  // namespace vb::win32app
