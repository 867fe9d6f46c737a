#include "registry/reg32.h"

#include <vector>

#include "platform/registry_name.h"

namespace vb::registry {

using namespace vb::win;
using platform::HoldsNul;

namespace {

// The text of a buffer up to its first NUL, or the whole buffer without one.
std::string UpToNul(const char* data, std::size_t size) {
  std::size_t n = 0;
  while (n < size && data[n] != '\0') ++n;
  return std::string(data, n);
}

}  // namespace

namespace Reg32 {

void CreateKey(platform::RegistryApi& registry, HKEY root, const std::string& subKey) {
  if (HoldsNul(subKey)) return;
  HKEY key = 0;
  if (registry.RegCreateKeyA(root, subKey.c_str(), &key) == kErrorSuccess) registry.RegCloseKey(key);
}

std::string GetString(platform::RegistryApi& registry, HKEY root, const std::string& subKey,
                      const std::string& valueName) {
  if (HoldsNul(subKey) || HoldsNul(valueName)) return {};
  HKEY key = 0;
  if (registry.RegOpenKeyA(root, subKey.c_str(), &key) != kErrorSuccess) return {};
  std::string result;
  DWORD type = 0, size = 0;
  if (registry.RegQueryValueExA(key, valueName.c_str(), &type, nullptr, &size) == kErrorSuccess &&
      type == kRegSz) {
    std::vector<char> buffer(size);
    if (registry.RegQueryValueExA(key, valueName.c_str(), &type,
                                  reinterpret_cast<BYTE*>(buffer.data()), &size) == kErrorSuccess)
      result = UpToNul(buffer.data(), buffer.size());
  }
  registry.RegCloseKey(key);
  return result;
}

bool DeleteValue(platform::RegistryApi& registry, HKEY root, const std::string& subKey,
                 const std::string& valueName) {
  if (HoldsNul(subKey) || HoldsNul(valueName)) return false;
  HKEY key = 0;
  if (registry.RegOpenKeyA(root, subKey.c_str(), &key) != kErrorSuccess) return false;
  bool deleted = registry.RegDeleteValueA(key, valueName.c_str()) == kErrorSuccess;
  registry.RegCloseKey(key);
  return deleted;
}

bool DeleteKey(platform::RegistryApi& registry, HKEY root, const std::string& subKey) {
  if (HoldsNul(subKey)) return false;
  HKEY key = 0;
  bool opened = registry.RegOpenKeyA(root, subKey.c_str(), &key) == kErrorSuccess;
  // An empty path would name the root itself; a hive is never deleted.
  bool deleted = !subKey.empty() && registry.RegDeleteKeyA(root, subKey.c_str()) == kErrorSuccess;
  if (opened) registry.RegCloseKey(key);
  return deleted;
}

}  // namespace Reg32

std::string ReadRegString(platform::RegistryApi& registry, HKEY root, const std::string& subKey,
                          const std::string& valueName, const std::string& defaultValue) {
  if (HoldsNul(subKey) || HoldsNul(valueName)) return defaultValue;
  HKEY key = 0;
  if (registry.RegOpenKeyExA(root, subKey.c_str(), 0, kKeyAllAccess, &key) != kErrorSuccess)
    return defaultValue;
  constexpr DWORD kBufferSize = 128;
  char buffer[kBufferSize] = {};
  DWORD size = kBufferSize;
  DWORD type = kRegSz;
  LONG rc = registry.RegQueryValueExA(key, valueName.c_str(), &type,
                                      reinterpret_cast<BYTE*>(buffer), &size);
  registry.RegCloseKey(key);
  return rc == kErrorSuccess ? UpToNul(buffer, kBufferSize) : defaultValue;
}

}  // namespace vb::registry
