#include "registry/settings_store.h"

#include "platform/registry_name.h"
#include "registry/c_registry.h"
#include "registry/reg32.h"

namespace vb::registry::settings {

using namespace vb::win;

std::string SectionPath(const std::string& section) {
  return std::string(kStoreRoot) + "\\" + kAppName + "\\" + section;
}

LONG SaveSetting(platform::RegistryApi& registry, const std::string& appName,
                 const std::string& section, const std::string& key, const std::string& value) {
  std::string path = std::string(kStoreRoot) + "\\" + appName + "\\" + section;
  if (platform::HoldsNul(path) || platform::HoldsNul(key)) return kErrorInvalidParameter;
  HKEY handle = 0;
  LONG rc = registry.RegCreateKeyExA(kHkeyCurrentUser, path.c_str(), 0, nullptr, 0, kKeyAllAccess,
                                     &handle, nullptr);
  if (rc != kErrorSuccess) return rc;
  rc = registry.RegSetValueExA(handle, key.c_str(), kRegSz,
                               reinterpret_cast<const BYTE*>(value.c_str()),
                               static_cast<DWORD>(value.size() + 1));
  registry.RegCloseKey(handle);
  return rc;
}

std::string ReadSetting(platform::Platform& platform, const std::string& section,
                        const std::string& name) {
  return ReadRegString(platform.Registry(), kHkeyCurrentUser, SectionPath(section), name, "");
}

void DeleteSetting(platform::Platform& platform, const std::string& section,
                   const std::string& name) {
  Reg32::DeleteValue(platform.Registry(), kHkeyCurrentUser, SectionPath(section), name);
}

void AddListEntry(platform::Platform& platform, const std::string& section,
                  const std::string& entry) {
  SaveSetting(platform.Registry(), kAppName, section, entry, entry);
}

std::vector<std::string> ListEntries(platform::Platform& platform, const std::string& section) {
  cRegistry reg(platform);
  reg.SetClassKey(kHkeyCurrentUser);
  reg.SetSectionKey(SectionPath(section));
  std::vector<std::string> names;
  long count = 0;
  reg.EnumerateValues(&names, &count);
  return names;
}

}  // namespace vb::registry::settings
