// The Recycle Bin over shell32.
#include <windows.h>
#include <shellapi.h>

#include "platform/win32/win32_platform.h"

namespace vb::win32 {

win::HRESULT Win32Shell::SHQueryRecycleBinA(const char* rootPath, platform::RecycleBinInfo* info) {
  if (!info) return E_INVALIDARG;
  SHQUERYRBINFO native = {};
  native.cbSize = sizeof native;
  HRESULT hr = ::SHQueryRecycleBinA(rootPath, &native);
  if (SUCCEEDED(hr)) {
    info->i64Size = native.i64Size;
    info->i64NumItems = native.i64NumItems;
  }
  return hr;
}

win::HRESULT Win32Shell::SHEmptyRecycleBinA(std::intptr_t ownerWindow, const char* rootPath,
                                            win::DWORD flags) {
  return ::SHEmptyRecycleBinA(reinterpret_cast<HWND>(ownerWindow), rootPath, flags);
}

int Win32Shell::MoveToRecycleBin(const std::string& path) {
  std::string from = path;
  from.push_back('\0');  // the list of paths ends in two NULs
  SHFILEOPSTRUCTA operation = {};
  operation.wFunc = FO_DELETE;
  operation.pFrom = from.c_str();
  operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
  return SHFileOperationA(&operation);
}

}  // namespace vb::win32
