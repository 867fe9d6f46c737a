// The program's own settings: string values below
// HKEY_CURRENT_USER\Software\VB And VBA Program Settings\Vanbrisk.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"

namespace vb::registry::settings {

inline constexpr const char* kAppName = "Vanbrisk";
inline constexpr const char* kStoreRoot = "Software\\VB And VBA Program Settings";

// The sections.
inline constexpr const char* kSettings = "Settings";
inline constexpr const char* kCookies = "Settings\\Cookies";
inline constexpr const char* kFiles = "Settings\\Files";
inline constexpr const char* kFolders = "Settings\\Folders";
inline constexpr const char* kRegKeys = "Settings\\RegKeys";
inline constexpr const char* kRegValues = "Settings\\RegValues";
inline constexpr const char* kApps = "Apps";

// The full key path of a section of this program below HKEY_CURRENT_USER.
[[nodiscard]] std::string SectionPath(const std::string& section);

// Writes the string value key under the application's section, creating the
// keys as needed. A name holding a NUL is refused (kErrorInvalidParameter).
win::LONG SaveSetting(platform::RegistryApi& registry, const std::string& appName,
                      const std::string& section, const std::string& key,
                      const std::string& value);

// One value of this program's section; "" when it is missing.
[[nodiscard]] std::string ReadSetting(platform::Platform& platform, const std::string& section,
                                      const std::string& name);
void DeleteSetting(platform::Platform& platform, const std::string& section,
                   const std::string& name);

// The list form: one value per entry, named and holding the entry's text.
void AddListEntry(platform::Platform& platform, const std::string& section,
                  const std::string& entry);
[[nodiscard]] std::vector<std::string> ListEntries(platform::Platform& platform,
                                                   const std::string& section);

}  // namespace vb::registry::settings
