#include "registry/c_registry.h"

#include <cstring>

#include "platform/registry_name.h"

namespace vb::registry {

using namespace vb::win;
using platform::HoldsNul;

namespace {

std::int32_t SwapEndian(std::int32_t value) {
  auto u = static_cast<std::uint32_t>(value);
  u = (u >> 24) | ((u >> 8) & 0xFF00u) | ((u << 8) & 0xFF0000u) | (u << 24);
  return static_cast<std::int32_t>(u);
}

}  // namespace

void cRegistry::SetMachine(const std::string& name) {
  if (name.size() < 3)
    machine_.clear();
  else if (name.rfind("\\\\", 0) != 0)
    machine_ = "\\\\" + name;
  else
    machine_ = name;
}

std::string cRegistry::ErrorSource() const {
  return platform_.System().ProgramName() + ".cRegistry";
}

bool cRegistry::KeyExists() {
  if (HoldsNul(sectionKey_)) return false;
  auto& reg = platform_.Registry();
  HKEY key = 0;
  if (reg.RegOpenKeyExA(Root(), sectionKey_.c_str(), 0, kKeyQueryValue, &key) != kErrorSuccess)
    return false;
  reg.RegCloseKey(key);
  return true;
}

Result<> cRegistry::CreateKey() {
  auto& reg = platform_.Registry();
  HKEY key = 0;
  LONG rc = HoldsNul(sectionKey_)
                ? kErrorInvalidParameter
                : reg.RegCreateKeyExA(Root(), sectionKey_.c_str(), 0, "", 0, 0x3F, &key, nullptr);
  if (rc != kErrorSuccess) return Fail("Failed to create registry Key: '" + sectionKey_, rc);
  reg.RegCloseKey(key);
  return {};
}

bool cRegistry::DeleteKey() {
  // An empty path names the hive itself, which is never deleted.
  if (sectionKey_.empty() || HoldsNul(sectionKey_)) return false;
  return platform_.Registry().RegDeleteKeyA(Root(), sectionKey_.c_str()) == kErrorSuccess;
}

Result<> cRegistry::DeleteValue() {
  auto& reg = platform_.Registry();
  HKEY key = 0;
  std::string where = std::to_string(classKey_) + "',Section: '" + sectionKey_;
  LONG rc = HoldsNul(sectionKey_) ? kErrorInvalidParameter
                                  : reg.RegOpenKeyExA(Root(), sectionKey_.c_str(), 0, 0x3F, &key);
  if (rc != kErrorSuccess) return Fail("Failed to open key '" + where + "' for delete access", rc);
  rc = HoldsNul(valueKey_) ? kErrorInvalidParameter : reg.RegDeleteValueA(key, valueKey_.c_str());
  reg.RegCloseKey(key);
  if (rc != kErrorSuccess)
    return Fail("Failed to delete registry Key: '" + where + "',Key: '" + valueKey_, rc);
  return {};
}

std::string cRegistry::ExpandEnvStr(const std::string& text) {
  auto& env = platform_.Environment();
  DWORD needed = env.ExpandEnvironmentStringsA(text.c_str(), nullptr, 0);
  if (needed == 0) return text;
  std::vector<char> buffer(needed);
  env.ExpandEnvironmentStringsA(text.c_str(), buffer.data(), needed);
  return std::string(buffer.data(), needed - 1);
}

RegVariant cRegistry::Value() {
  if (HoldsNul(sectionKey_) || HoldsNul(valueKey_)) return default_;
  auto& reg = platform_.Registry();
  HKEY key = 0;
  if (reg.RegOpenKeyExA(Root(), sectionKey_.c_str(), 0, kKeyQueryValue, &key) != kErrorSuccess)
    return default_;
  RegVariant result = default_;
  DWORD type = 0, size = 0;
  LONG rc = reg.RegQueryValueExA(key, valueKey_.c_str(), &type, nullptr, &size);
  if (rc == kErrorSuccess || rc == kErrorMoreData) {
    valueType_ = static_cast<std::int32_t>(type);
    std::vector<std::uint8_t> data(size);
    DWORD got = size;
    bool read = size == 0 ||
                reg.RegQueryValueExA(key, valueKey_.c_str(), &type, data.data(), &got) ==
                    kErrorSuccess;
    if (read) {
      if (type == kRegSz || type == kRegMultiSz || type == kRegExpandSz) {
        // The string without its terminating NUL; the NULs between the parts
        // of a multi-string stay.
        std::string text = size ? std::string(data.begin(), data.end() - 1) : std::string();
        result = type == kRegExpandSz ? ExpandEnvStr(text.substr(0, text.find('\0'))) : text;
      } else if ((type == kRegDword || type == kRegDwordBigEndian) && size >= 4) {
        std::int32_t number;
        std::memcpy(&number, data.data(), 4);
        result = type == kRegDword ? number : SwapEndian(number);
      } else {
        result = data;
      }
    }
  }
  reg.RegCloseKey(key);
  return result;
}

bool cRegistry::EnumerateValues(std::vector<std::string>* names, long* count) {
  names->clear();
  *count = 0;
  auto& reg = platform_.Registry();
  HKEY key = 0;
  if (HoldsNul(sectionKey_) ||
      reg.RegOpenKeyExA(Root(), sectionKey_.c_str(), 0, kKeyQueryValue, &key) != kErrorSuccess)
    return true;
  platform::RegKeyInfo info;
  if (reg.RegQueryInfoKeyA(key, &info) == kErrorSuccess) {
    DWORD length = info.maxValueNameLen + 1;
    for (DWORD index = 0;; ++index) {
      std::vector<char> buffer(length, '\0');
      DWORD size = length;
      if (reg.RegEnumValueA(key, index, buffer.data(), &size, nullptr, nullptr, nullptr) !=
          kErrorSuccess)
        break;
      names->emplace_back(buffer.data(), size);
      ++*count;
    }
  }
  reg.RegCloseKey(key);
  return true;
}

bool cRegistry::EnumerateSections(std::vector<std::string>* names, long* count) {
  names->clear();
  *count = 0;
  auto& reg = platform_.Registry();
  HKEY key = 0;
  if (HoldsNul(sectionKey_) ||
      reg.RegOpenKeyExA(Root(), sectionKey_.c_str(), 0, kKeyEnumerateSubKeys, &key) !=
          kErrorSuccess)
    return true;
  constexpr DWORD kBufferSize = 255;
  for (DWORD index = 0;; ++index) {
    char buffer[kBufferSize] = {};
    if (reg.RegEnumKeyA(key, index, buffer, kBufferSize) != kErrorSuccess) break;
    names->emplace_back(buffer, strnlen(buffer, kBufferSize));
    ++*count;
  }
  reg.RegCloseKey(key);
  return true;
}

}  // namespace vb::registry
