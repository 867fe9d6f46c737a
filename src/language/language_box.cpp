#include "language/language_box.h"

#include "language/language_file.h"
#include "platform/entry_lister.h"
#include "registry/reg32.h"
#include "registry/settings_store.h"

namespace vb::language {

using namespace vb::win;

std::string LanguagePath(platform::Platform& platform, const std::string& name) {
  return platform.System().ProgramFolder() + "\\" + name + ".lng";
}

void FillLanguageBox(platform::Platform& platform, toolkit::ComboBox& box) {
  box.Clear();
  box.SetText(registry::ReadRegString(platform.Registry(), kHkeyCurrentUser,
                                      registry::settings::SectionPath(registry::settings::kSettings),
                                      "Language", ""));
  platform::EntryLister lister(platform.Files());
  for (std::string file = lister.ListEntries(platform.System().ProgramFolder() + "\\*.lng",
                                             platform::kListPlainFiles);
       !file.empty(); file = lister.NextEntry()) {
    // Every ".lng" goes, in one pass from the left.
    std::string name;
    std::size_t from = 0;
    for (std::size_t at; (at = file.find(".lng", from)) != std::string::npos; from = at + 4)
      name += file.substr(from, at - from);
    box.AddItem(name + file.substr(from));
  }
}

void ChooseLanguage(platform::Platform& platform, LanguageTable& table, toolkit::Form& form,
                    toolkit::ComboBox& box) {
  if (!LoadLanguage(platform, LanguagePath(platform, box.Text()), table, form)) return;
  platform.Ui().MessageBoxA("Invalid language file.", "Vanbrisk Suite", kMbIconExclamation);
  box.SetText("");
}

}  // namespace vb::language
