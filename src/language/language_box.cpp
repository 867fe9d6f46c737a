#include "language/language_box.h"

#include "language/language_file.h"
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
  auto& files = platform.Files();
  platform::FindData data;
  platform::FindHandle handle = 0;
  if (files.FindFirstFileA(platform.System().ProgramFolder() + "\\*.lng", &data, &handle) !=
      kErrorSuccess)
    return;
  constexpr DWORD kNotPlain = kFileAttributeHidden | kFileAttributeSystem | kFileAttributeDirectory;
  do {
    if (data.attributes & kNotPlain) continue;
    // Every ".lng" goes, in one pass from the left.
    std::string name;
    std::size_t from = 0;
    for (std::size_t at; (at = data.name.find(".lng", from)) != std::string::npos; from = at + 4)
      name += data.name.substr(from, at - from);
    box.AddItem(name + data.name.substr(from));
  } while (files.FindNextFileA(handle, &data) == kErrorSuccess);
  files.FindClose(handle);
}

void ChooseLanguage(platform::Platform& platform, LanguageTable& table, toolkit::Form& form,
                    toolkit::ComboBox& box) {
  if (!LoadLanguage(platform.Files(), LanguagePath(platform, box.Text()), table, form)) return;
  platform.Ui().MessageBoxA("Invalid language file.", "Vanbrisk Suite", 48);
  box.SetText("");
}

}  // namespace vb::language
