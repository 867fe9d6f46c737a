// Environment variables, the temporary folder and the locale over kernel32.
#include <windows.h>

#include <cstring>
#include <vector>

#include "platform/win32/win32_platform.h"

namespace vb::win32 {

std::string Win32Environment::GetEnvironmentVariableA(const std::string& name) {
  std::vector<char> buffer(256);
  for (;;) {
    SetLastError(ERROR_SUCCESS);
    DWORD length = ::GetEnvironmentVariableA(name.c_str(), buffer.data(),
                                             static_cast<DWORD>(buffer.size()));
    if (length == 0) return std::string();
    // Too small: the length needed, its NUL included, comes back.
    if (length < buffer.size()) return std::string(buffer.data(), length);
    buffer.resize(length);
  }
}

win::DWORD Win32Environment::ExpandEnvironmentStringsA(const char* source, char* destination,
                                                       win::DWORD size) {
  // Expanded into a buffer of our own first: the ANSI function may count a
  // character more than it writes, and may fill a short buffer partly.
  const char* text = source ? source : "";
  DWORD needed = ::ExpandEnvironmentStringsA(text, nullptr, 0);
  if (needed == 0) return 0;
  std::vector<char> buffer(needed + 1);
  if (::ExpandEnvironmentStringsA(text, buffer.data(), static_cast<DWORD>(buffer.size())) == 0)
    return 0;
  auto length = static_cast<win::DWORD>(std::strlen(buffer.data()) + 1);
  if (destination && size >= length) std::memcpy(destination, buffer.data(), length);
  return length;
}

std::string Win32Environment::GetTempPathA() {
  char buffer[MAX_PATH + 1];
  DWORD length = ::GetTempPathA(sizeof buffer, buffer);
  if (length == 0 || length > sizeof buffer) return std::string();
  std::string path(buffer, length);
  if (path.empty() || path.back() != '\\') path += '\\';
  return path;
}

std::string Win32Environment::GetDecimalSeparator() {
  char buffer[16] = {};
  int length = GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buffer, sizeof buffer);
  return length > 1 ? std::string(buffer, static_cast<std::size_t>(length - 1)) : ".";
}

}  // namespace vb::win32
