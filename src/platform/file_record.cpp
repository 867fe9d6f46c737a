#include "platform/file_record.h"

namespace vb::platform {

FolderRecord* FileRecord::Find(const FolderId& folder) {
  if (last_ && lastId_ == folder) return last_;
  auto it = folders_.find(folder);
  if (it == folders_.end()) return nullptr;
  lastId_ = folder;
  return last_ = &it->second;
}

const EntryRecord* FileRecord::Entry(const FolderId& folder, const std::string& key) {
  FolderRecord* record = Find(folder);
  if (!record || record->entries.empty()) return nullptr;
  auto it = record->entries.find(key);
  return it == record->entries.end() ? nullptr : &it->second;
}

EntryRecord& FileRecord::Change(const FolderId& folder, std::string key, const std::string& name,
                                EntryRecord::Kind kind, bool comesOrGoes) {
  FolderRecord* found = Find(folder);
  if (!found) {
    found = &folders_.try_emplace(folder, &arena_).first->second;
    // Room for a folder's worth of entries at once: a clean records most
    // of a folder's files, one after the other.
    found->entries.reserve(128);
    lastId_ = folder;
    last_ = found;
  }
  FolderRecord& record = *found;
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
  last_ = nullptr;
  folders_.clear();
  arena_.release();
  removed_.clear();
  madeAny_ = false;
}

}  // namespace vb::platform
