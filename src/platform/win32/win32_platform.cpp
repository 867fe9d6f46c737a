#include <windows.h>

#include "platform/win32/win32_platform.h"

namespace vb::win32 {

Win32Platform::Win32Platform(platform::UserInterfaceApi* ui) : ui_(ui) {}

Win32Platform::~Win32Platform() = default;

std::string WineVersion() {
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  if (!ntdll) return std::string();
  using Getter = const char*(__cdecl*)();
  auto get = reinterpret_cast<Getter>(
      reinterpret_cast<void*>(GetProcAddress(ntdll, "wine_get_version")));
  const char* version = get ? get() : nullptr;
  return version ? std::string(version) : std::string();
}

}  // namespace vb::win32
