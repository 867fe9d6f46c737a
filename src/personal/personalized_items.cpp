#include "personal/personalized_items.h"

#include "engine/places.h"
#include "engine/safety_policy.h"
#include "platform/ascii_case.h"
#include "platform/wildcard.h"
#include "registry/reg32.h"
#include "registry/settings_store.h"

namespace vb::personal {

namespace settings = registry::settings;

namespace {

constexpr const char* kTitle = "Vanbrisk";
constexpr const char* kSuiteTitle = "Vanbrisk Suite";

void Append(PersonalizedContext& context, const char* section, const std::string& entry) {
  settings::AddListEntry(context.platform, section, entry);
  context.list.Add(entry);
}

}  // namespace

void AddSectionRows(platform::Platform& platform, const char* section, toolkit::ListView& list) {
  for (const std::string& entry : settings::ListEntries(platform, section)) list.Add(entry);
}

void LoadPersonalized(PersonalizedContext& context) {
  context.list.Clear();
  for (const char* section : kSections) AddSectionRows(context.platform, section, context.list);
}

void AddFile(PersonalizedContext& context) {
  auto& ui = context.platform.Ui();
  std::string path = ui.GetOpenFileNameA(
      {.title = "Save As", .filter = "All Files (*.*)|*.*", .initialFolder = "", .fileName = ""});
  if (path.empty()) return;
  // An entry is one file: a name with wildcards would take every match.
  if (platform::HasWildcard(path)) {
    ui.MessageBoxA("You cannot select more than one file.", kTitle, win::kMbIconExclamation);
    return;
  }
  Append(context, settings::kFiles, path);
}

Result<> FolderMayBeEmptied(platform::Platform& platform, const std::string& folder) {
  constexpr const char* kSystemFolder = "You cannot select a system folder.";
  std::optional<engine::SplitPath> split = engine::Split(folder, "", true);
  if (split && split->components.empty()) return Fail("You cannot select the root of a drive.");
  // The folder as the run opens it, and as any path opens it: one reached
  // only through a link is refused as the run would refuse it.
  engine::Places places(platform);
  engine::SafetyPolicy policy(places);
  bool found = false;
  bool refused = false;
  places.ForEach(engine::PathFolder(folder), [&](const engine::OpenedFolder& opened) {
    found = true;
    refused = policy.Protected(opened.handle, opened.driveRoot);
  });
  // The Windows folder, its system folders and Program Files by their text
  // as well, so that one not made yet is refused too.
  auto& environment = platform.Environment();
  std::string windows = environment.GetEnvironmentVariableA("SystemRoot");
  std::string text = places.PathText(engine::PathFolder(folder));
  for (const std::string& system :
       {windows, windows + "\\system", windows + "\\system32",
        environment.GetEnvironmentVariableA("ProgramFiles")})
    if (!system.empty() && system.front() != '\\' &&
        platform::EqualsIgnoringCase(text, places.PathText(engine::PathFolder(system))))
      refused = true;
  if (refused) return Fail(kSystemFolder);
  if (!found) {
    std::optional<engine::FolderId> id = places.IdOfPath(folder);
    if (id && policy.Protected(*id)) return Fail(kSystemFolder);
    if (id) return Fail("You cannot select a link to another folder.");
  }
  return {};
}

void AddFolder(PersonalizedContext& context) {
  auto& ui = context.platform.Ui();
  std::string path = ui.BrowseForFolder("Choose folder");
  if (path.empty()) return;
  if (Result<> mayBe = FolderMayBeEmptied(context.platform, path); !mayBe) {
    ui.MessageBoxA(mayBe.message(), kTitle, win::kMbIconExclamation);
    return;
  }
  if (ui.MessageBoxA("Warning!\r\nThis folder and all subfolders will be emptied of all files "
                     "upon cleaning!\r\nDo you wish to do this?",
                     kSuiteTitle, win::kMbYesNo | win::kMbIconInformation) == win::kIdYes)
    Append(context, settings::kFolders, path);
}

void AddRegistryEntry(PersonalizedContext& context, const std::string& entry, bool value) {
  Append(context, value ? settings::kRegValues : settings::kRegKeys, entry);
}

void RemoveSelected(PersonalizedContext& context) {
  auto& list = context.list;
  int row = list.SelectedIndex();
  if (list.Count() == 0 || row < 0) return;
  if (context.platform.Ui().MessageBoxA("Remove Selected Entry?", kSuiteTitle,
                                        win::kMbYesNo | win::kMbIconInformation) != win::kIdYes)
    return;
  std::string entry = list.ItemAt(row).text;
  for (const char* section : kSections) settings::DeleteSetting(context.platform, section, entry);
  list.Remove(row);
}

void RemoveAll(PersonalizedContext& context) {
  if (context.list.Count() == 0) return;
  if (context.platform.Ui().MessageBoxA("Remove All Entries?", kSuiteTitle,
                                        win::kMbYesNo | win::kMbIconInformation) != win::kIdYes)
    return;
  for (const char* section : kSections)
    registry::Reg32::DeleteKey(context.platform.Registry(), win::kHkeyCurrentUser,
                               settings::SectionPath(section));
  context.list.Clear();
}

}  // namespace vb::personal
