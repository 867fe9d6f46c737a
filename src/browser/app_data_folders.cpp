#include "browser/app_data_folders.h"

#include <variant>

#include "registry/c_registry.h"
#include "registry/reg32.h"

namespace vb::browser {

namespace {

constexpr const char* kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

}  // namespace

std::string RoamingAppData(platform::Platform& platform) {
  registry::cRegistry reg(platform);
  reg.SetClassKey(win::kHkeyCurrentUser);
  reg.SetSectionKey(kShellFolders);
  reg.SetValueKey("AppData");
  registry::RegVariant value = reg.Value();
  const std::string* text = std::get_if<std::string>(&value);
  // Up to a NUL, as the path functions would read it.
  return text ? text->substr(0, text->find('\0')) : std::string();
}

std::string LocalAppData(platform::Platform& platform) {
  return registry::ReadRegString(platform.Registry(), win::kHkeyCurrentUser, kShellFolders,
                                 "Local AppData", "");
}

}  // namespace vb::browser
