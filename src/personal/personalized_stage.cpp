#include "personal/personalized_stage.h"

#include <array>

#include "engine/number_format.h"
#include "personal/personalized_items.h"
#include "personal/registry_entry.h"
#include "personal/registry_tree.h"
#include "platform/file_helpers.h"

namespace vb::personal {

namespace {

// A plain file (neither hidden, system nor a folder) at exactly that path.
bool PlainFileExists(platform::FileSystemApi& files, const std::string& path) {
  platform::FindData data;
  platform::FindHandle handle = 0;
  if (files.FindFirstFileA(path, &data, &handle) != win::kErrorSuccess) return false;
  files.FindClose(handle);
  constexpr win::DWORD kNotPlain =
      win::kFileAttributeHidden | win::kFileAttributeSystem | win::kFileAttributeDirectory;
  return (data.attributes & kNotPlain) == 0;
}

// Runs the action on each row's text from the first until the list is empty.
template <class Action>
void Consume(toolkit::ListView& list, Action action) {
  while (list.Count() > 0) {
    std::string entry = list.ItemAt(0).text;
    list.Remove(0);
    action(entry);
  }
}

}  // namespace

void CleanPersonalized(PersonalizedStageContext& context) {
  engine::RemovalContext& removal = context.removal;
  platform::Platform& platform = removal.platform;
  const std::array<toolkit::ListView*, 4> lists = {&context.ListView3, &context.ListView4,
                                                   &context.ListView5, &context.ListView6};
  for (std::size_t i = 0; i < lists.size(); ++i) {
    lists[i]->Clear();
    AddSectionRows(platform, kSections[i], *lists[i]);
  }
  if (context.Check8.Value() != 1) return;
  bool analyzeOnly = removal.analyzeOnly;
  Consume(context.ListView3,
          [&](const std::string& folder) { engine::ClearDirTree(removal, folder); });
  Consume(context.ListView4, [&](const std::string& file) {
    auto& files = platform.Files();
    if (!PlainFileExists(files, file)) return;
    std::int64_t size = platform::FileLength(files, file);
    if (!analyzeOnly && platform::DeleteFiles(files, file) != win::kErrorSuccess) return;
    engine::TallyFile(removal.tally, file, static_cast<std::uint32_t>(size), !analyzeOnly);
    removal.L.AddItem(engine::FileLogLine(file, size));
  });
  Consume(context.ListView5, [&](const std::string& key) {
    if (!analyzeOnly) del_reg_sub(platform, key);
  });
  Consume(context.ListView6, [&](const std::string& value) {
    if (!analyzeOnly) engine::TallyValue(removal.tally, DeleteRegistryValueEntry(platform, value));
  });
}

void AddPersonalizedRoutine(PersonalizedStageContext& context, engine::RoutineTable& routines) {
  routines.Set(engine::Routine::kPersonalized, [&context] { CleanPersonalized(context); });
}

}  // namespace vb::personal
