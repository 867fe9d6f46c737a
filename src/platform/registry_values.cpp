#include "platform/registry_values.h"

#include <cstring>

#include "platform/opened_key.h"
#include "platform/registry_name.h"

namespace vb::platform {

std::vector<RegValue> ReadAllValues(RegistryApi& registry, HKEY root, const std::string& path) {
  std::vector<RegValue> values;
  OpenedKey key(registry);
  if (key.Open(root, path, kKeyRead) != kErrorSuccess) return values;
  RegKeyInfo info;
  if (registry.RegQueryInfoKeyA(key.get(), &info) != kErrorSuccess) return values;
  std::vector<char> name(info.maxValueNameLen + 1);
  std::vector<BYTE> data(info.maxValueLen + 1);
  for (DWORD index = 0;; ++index) {
    DWORD nameSize = static_cast<DWORD>(name.size());
    DWORD dataSize = static_cast<DWORD>(data.size());
    DWORD type = 0;
    LONG rc = registry.RegEnumValueA(key.get(), index, name.data(), &nameSize, &type, data.data(),
                                     &dataSize);
    if (rc != kErrorSuccess) break;
    values.push_back({std::string(name.data(), nameSize), type,
                      std::vector<std::uint8_t>(data.begin(), data.begin() + dataSize)});
  }
  return values;
}

std::vector<std::string> ReadSubKeyNames(RegistryApi& registry, HKEY root,
                                         const std::string& path) {
  std::vector<std::string> names;
  OpenedKey key(registry);
  if (key.Open(root, path, kKeyRead) != kErrorSuccess) return names;
  char name[256];
  for (DWORD index = 0; registry.RegEnumKeyA(key.get(), index, name, sizeof name) == kErrorSuccess;
       ++index)
    names.emplace_back(name);
  return names;
}

std::string ReadStringValue(RegistryApi& registry, HKEY root, const std::string& path,
                            const std::string& name) {
  if (HoldsNul(name)) return {};
  OpenedKey key(registry);
  if (key.Open(root, path, kKeyQueryValue) != kErrorSuccess) return {};
  DWORD type = 0, size = 0;
  if (registry.RegQueryValueExA(key.get(), name.c_str(), &type, nullptr, &size) != kErrorSuccess ||
      (type != kRegSz && type != kRegExpandSz))
    return {};
  std::vector<std::uint8_t> data(size);
  if (registry.RegQueryValueExA(key.get(), name.c_str(), &type, data.data(), &size) !=
      kErrorSuccess)
    return {};
  data.resize(size);
  return StringFromBytes(data);
}

LONG WriteValue(RegistryApi& registry, HKEY root, const std::string& path, const std::string& name,
                DWORD type, const std::vector<std::uint8_t>& data) {
  if (HoldsNul(name)) return kErrorInvalidParameter;
  OpenedKey key(registry);
  LONG rc = key.Create(root, path, kKeySetValue);
  if (rc != kErrorSuccess) return rc;
  return registry.RegSetValueExA(key.get(), name.c_str(), type, data.data(),
                                 static_cast<DWORD>(data.size()));
}

LONG WriteString(RegistryApi& registry, HKEY root, const std::string& path,
                 const std::string& name, const std::string& text, DWORD type) {
  return WriteValue(registry, root, path, name, type, BytesFromString(text));
}

LONG WriteDword(RegistryApi& registry, HKEY root, const std::string& path, const std::string& name,
                DWORD value) {
  std::vector<std::uint8_t> data(4);
  for (int i = 0; i < 4; ++i) data[i] = static_cast<std::uint8_t>(value >> (8 * i));
  return WriteValue(registry, root, path, name, kRegDword, data);
}

std::vector<std::uint8_t> BytesFromString(const std::string& text) {
  std::vector<std::uint8_t> data(text.begin(), text.end());
  data.push_back(0);
  return data;
}

std::string StringFromBytes(const std::vector<std::uint8_t>& data) {
  std::string text(data.begin(), data.end());
  return text.substr(0, text.find('\0'));
}

LONG ServeValueBytes(DWORD type, const std::uint8_t* bytes, std::size_t count, DWORD* typeOut,
                     BYTE* data, DWORD* size) {
  auto needed = static_cast<DWORD>(count);
  if (typeOut) *typeOut = type;
  if (!data) {
    if (size) *size = needed;
    return kErrorSuccess;
  }
  if (*size < needed) {
    *size = needed;
    return kErrorMoreData;
  }
  if (needed) std::memcpy(data, bytes, needed);
  *size = needed;
  return kErrorSuccess;
}

}  // namespace vb::platform
