#include "personal/personalized_stage.h"

#include <array>

#include "personal/personalized_items.h"
#include "personal/registry_entry.h"
#include "platform/wildcard.h"
#include "registry/root_names.h"

namespace vb::personal {

namespace {

std::vector<std::string> Rows(const toolkit::ListView& list) {
  std::vector<std::string> rows;
  for (int i = 0; i < list.Count(); ++i) rows.push_back(list.ItemAt(i).text);
  return rows;
}

}  // namespace

std::vector<engine::Step> PersonalizedSteps(const PersonalizedStageContext& c) {
  std::vector<engine::Step> steps;
  // Folders: emptied as ClearDirTree empties them; a name with wildcards
  // names no one folder.
  for (const std::string& folder : Rows(c.folders)) {
    if (platform::HasWildcard(folder)) {
      steps.push_back(engine::Refused(folder, "not one folder"));
      continue;
    }
    steps.push_back(engine::EmptyDeepTree(engine::PathFolder(folder)));
  }
  // Files: one plain file each, named exactly.
  for (const std::string& file : Rows(c.files)) {
    std::size_t slash = file.find_last_of("\\/");
    std::string name = slash == std::string::npos ? std::string() : file.substr(slash + 1);
    if (name.empty() || platform::HasWildcard(file)) {
      steps.push_back(engine::Refused(file, "not one file"));
      continue;
    }
    steps.push_back({.kind = engine::StepKind::kFiles,
                     .folder = engine::PathFolder(file.substr(0, slash + 1)),
                     .patterns = {name},
                     .exactNames = true,
                     .plainFilesOnly = true});
  }
  steps.push_back(engine::CleanerOnly());
  for (const std::string& key : Rows(c.registryKeys)) {
    std::string text = key;
    while (!text.empty() && text.back() == '\\') text.pop_back();
    Result<registry::KeyPath> path = registry::SplitKeyPath(text, registry::RootNames::kLongOnly);
    if (!path || path->subKey.empty()) {
      steps.push_back(engine::Refused(key, "not a registry key"));
      continue;
    }
    steps.push_back(engine::DeleteTree(path->root, path->subKey));
  }
  for (const std::string& value : Rows(c.registryValues)) {
    std::optional<ValueEntry> entry = SplitValueEntry(value);
    if (!entry) {
      steps.push_back(engine::Refused(value, "not a registry value"));
      continue;
    }
    steps.push_back(engine::DeleteValue(entry->key.root, entry->key.subKey, entry->name));
  }
  return steps;
}

void CleanPersonalized(PersonalizedStageContext& c) {
  platform::Platform& platform = c.steps.platform;
  const std::array<toolkit::ListView*, 4> lists = {&c.folders, &c.files, &c.registryKeys,
                                                   &c.registryValues};
  for (std::size_t i = 0; i < lists.size(); ++i) {
    lists[i]->Clear();
    AddSectionRows(platform, kSections[i], *lists[i]);
  }
  if (c.cleanPersonalized.Value() != 1) return;
  engine::RunSteps(c.steps, PersonalizedSteps(c));
  for (toolkit::ListView* list : lists) list->Clear();
}

void AddPersonalizedRoutine(PersonalizedStageContext& context, engine::RoutineTable& routines) {
  routines.Set(engine::Routine::kPersonalized, [&context] { CleanPersonalized(context); });
}

}  // namespace vb::personal
