#include "personal/personalized_items.h"

#include <cctype>

#include "platform/ascii_case.h"
#include "registry/reg32.h"
#include "registry/settings_store.h"

namespace vb::personal {

namespace settings = registry::settings;

namespace {

constexpr const char* kTitle = "Vanbrisk";
constexpr const char* kSuiteTitle = "Vanbrisk Suite";
constexpr win::DWORD kExclamation = 48;
constexpr win::DWORD kYesNoInformation = 68;

std::string WithoutFinalBackslashes(std::string path) {
  while (!path.empty() && path.back() == '\\') path.pop_back();
  return path;
}

bool SameFolder(const std::string& a, const std::string& b) {
  return !b.empty() &&
         platform::EqualsIgnoringCase(WithoutFinalBackslashes(a), WithoutFinalBackslashes(b));
}

void Append(PersonalizedContext& context, const char* section, const std::string& entry) {
  settings::AddListEntry(context.platform, section, entry);
  context.LV.Add(entry);
}

}  // namespace

void AddSectionRows(platform::Platform& platform, const char* section, toolkit::ListView& list) {
  for (const std::string& entry : settings::ListEntries(platform, section)) list.Add(entry);
}

void LoadPersonalized(PersonalizedContext& context) {
  context.LV.Clear();
  for (const char* section : kSections) AddSectionRows(context.platform, section, context.LV);
}

void AddFile(PersonalizedContext& context) {
  std::string path = context.platform.Ui().GetOpenFileNameA(
      {.title = "Save As", .filter = "All Files (*.*)|*.*", .initialFolder = "", .fileName = ""});
  if (!path.empty()) Append(context, settings::kFiles, path);
}

std::optional<std::string> FolderRefusal(platform::Platform& platform, const std::string& folder) {
  std::string path = WithoutFinalBackslashes(folder);
  if (path.size() == 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':')
    return "You cannot select the root of a drive.";
  auto& environment = platform.Environment();
  std::string windows = environment.GetEnvironmentVariableA("SystemRoot");
  std::string programs = environment.GetEnvironmentVariableA("ProgramFiles");
  if (SameFolder(path, windows) ||
      (!windows.empty() &&
       (SameFolder(path, windows + "\\system") || SameFolder(path, windows + "\\system32"))) ||
      SameFolder(path, programs))
    return "You cannot select a system folder.";
  return std::nullopt;
}

void AddFolder(PersonalizedContext& context) {
  auto& ui = context.platform.Ui();
  std::string path = ui.BrowseForFolder("Choose folder");
  if (path.empty()) return;
  if (std::optional<std::string> refusal = FolderRefusal(context.platform, path)) {
    ui.MessageBoxA(*refusal, kTitle, kExclamation);
    return;
  }
  if (ui.MessageBoxA("Warning!\r\nThis folder and all subfolders will be emptied of all files "
                     "upon cleaning!\r\nDo you wish to do this?",
                     kSuiteTitle, kYesNoInformation) == win::kIdYes)
    Append(context, settings::kFolders, path);
}

void AddRegistryEntry(PersonalizedContext& context, const std::string& entry, bool value) {
  Append(context, value ? settings::kRegValues : settings::kRegKeys, entry);
}

void RemoveSelected(PersonalizedContext& context) {
  auto& list = context.LV;
  int row = list.SelectedIndex();
  if (list.Count() == 0 || row < 0) return;
  if (context.platform.Ui().MessageBoxA("Remove Selected Entry?", kSuiteTitle, kYesNoInformation) !=
      win::kIdYes)
    return;
  std::string entry = list.ItemAt(row).text;
  for (const char* section : kSections) settings::DeleteSetting(context.platform, section, entry);
  list.Remove(row);
}

void RemoveAll(PersonalizedContext& context) {
  if (context.LV.Count() == 0) return;
  if (context.platform.Ui().MessageBoxA("Remove All Entries?", kSuiteTitle, kYesNoInformation) !=
      win::kIdYes)
    return;
  for (const char* section : kSections)
    registry::Reg32::DeleteKey(context.platform.Registry(), win::kHkeyCurrentUser,
                               settings::SectionPath(section));
  context.LV.Clear();
}

}  // namespace vb::personal
