#include "platform/file_record.h"

namespace vb::platform {

FolderRecord* FileRecord::Find(const FolderId& folder) {
  auto it = folders_.find(folder);
  return it == folders_.end() ? nullptr : &it->second;
}

const EntryRecord* FileRecord::Entry(const FolderId& folder, const std::string& key) {
  FolderRecord* record = Find(folder);
  if (!record || record->entries.empty()) return nullptr;
  auto it = record->entries.find(key);
  return it == record->entries.end() ? nullptr : &it->second;
}

EntryRecord& FileRecord::Change(const FolderId& folder, std::string key, const std::string& name,
                                EntryRecord::Kind kind, bool comesOrGoes) {
  FolderRecord& record = folders_[folder];
  if (comesOrGoes) ++record.changes;
  auto [it, added] = record.entries.try_emplace(std::move(key));
  EntryRecord& entry = it->second;
  if (added) entry.name = name;
  bool wasBelow = added || entry.kind == EntryRecord::Kind::kAttributes ||
                  (entry.kind == EntryRecord::Kind::kFile && entry.overBelow);
  if (kind == EntryRecord::Kind::kGone && wasBelow) ++record.goneBelow;
  entry.kind = kind;
  if (kind == EntryRecord::Kind::kFolder || kind == EntryRecord::Kind::kFile) madeAny_ = true;
  return entry;
}

FolderId FileRecord::NewFolder() { return FolderId{~std::uint64_t{0}, nextFolder_++}; }

bool FileRecord::HoldsMade(const FolderId& folder) {
  if (!madeAny_) return false;
  FolderRecord* record = Find(folder);
  if (!record) return false;
  for (const auto& [fold, entry] : record->entries)
    if (entry.kind == EntryRecord::Kind::kFolder ||
        (entry.kind == EntryRecord::Kind::kFile && !entry.overBelow))
      return true;
  return false;
}

void FileRecord::Clear() {
  folders_.clear();
  removed_.clear();
  madeAny_ = false;
}

}  // namespace vb::platform
