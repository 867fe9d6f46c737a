#include "cli/stored_marks.h"

#include "registry/c_registry.h"
#include "registry/reg32.h"
#include "registry/settings_store.h"

namespace vb::cli {

namespace settings = registry::settings;
namespace Reg32 = registry::Reg32;

StoredMarks::StoredMarks(platform::Platform& platform) : platform_(platform) {
  registry::cRegistry apps(platform);
  apps.SetClassKey(win::kHkeyCurrentUser);
  apps.SetSectionKey(settings::SectionPath(settings::kApps));
  std::vector<std::string> names;
  long count = 0;
  apps.EnumerateValues(&names, &count);
  for (std::string& name : names) {
    std::string text = Reg32::GetString(platform.Registry(), win::kHkeyCurrentUser,
                                        settings::SectionPath(settings::kApps), name);
    values_.emplace_back(std::move(name), std::move(text));
  }
}

void StoredMarks::Restore() {
  auto& registry = platform_.Registry();
  Reg32::DeleteKey(registry, win::kHkeyCurrentUser, settings::SectionPath(settings::kApps));
  for (const auto& [name, text] : values_)
    settings::SaveSetting(registry, settings::kAppName, settings::kApps, name, text);
}

}  // namespace vb::cli
