// What the recording platform keeps of the file changes it recorded: for
// each folder, by its identity (a folder reached by two paths, or renamed,
// is one folder), the entries changed in it, by name without regard to
// letter case. Folders the record made have identities of their own, on a
// volume no file system numbers.
#pragma once

#include <cstdint>
#include <memory_resource>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "platform/ascii_case.h"
#include "platform/file_system_api.h"

namespace vb::platform {

struct FolderId {
  std::uint64_t volume = 0;
  std::uint64_t file = 0;
  bool operator==(const FolderId& other) const {
    return volume == other.volume && file == other.file;
  }
};

struct FolderIdHash {
  std::size_t operator()(const FolderId& id) const {
    return std::hash<std::uint64_t>()(id.file * 0x9E3779B97F4A7C15ULL ^ id.volume);
  }
};

// The attributes a recorded SetFileAttributesA decides; the others (folder,
// archive, reparse point) stay as the entry had them.
inline constexpr DWORD kRecordedAttributes =
    kFileAttributeReadonly | kFileAttributeHidden | kFileAttributeSystem;

inline DWORD AttributesAfterSet(DWORD before, DWORD set) {
  return (before & ~kRecordedAttributes) | (set & kRecordedAttributes);
}

// One entry of a folder as the record has it.
struct EntryRecord {
  enum class Kind {
    kAttributes,  // still there, its attributes set
    kGone,        // deleted or removed
    kFolder,      // a folder the record made
    kFile,        // a file the record wrote (new, or over one that was there)
  };
  Kind kind = Kind::kAttributes;
  std::string name;  // as listed, or as the call that made it spelt it
  // kAttributes: the recorded bits (kRecordedAttributes) over those below;
  // kFolder and kFile: all of them.
  DWORD attributes = 0;
  std::string content;     // kFile
  bool overBelow = false;  // kFile: written over a file that was there
  FolderId made;           // kFolder: its identity
};

// An entry the record made (or wrote over), as a listing gives it.
inline FindData EntryData(const EntryRecord& entry) {
  FindData data;
  data.attributes = entry.attributes;
  data.size = entry.kind == EntryRecord::Kind::kFile ? entry.content.size() : 0;
  data.name = entry.name;
  return data;
}

struct FolderRecord {
  explicit FolderRecord(std::pmr::memory_resource* arena) : entries(arena) {}
  std::pmr::unordered_map<std::string, EntryRecord> entries;  // by key (FileRecord::Key)
  // Entries of the folder below that the record deleted or removed.
  std::size_t goneBelow = 0;
  // Entries recorded coming or going, added to the time of the folder's
  // stamp so that each gives it a stamp it never had (attributes and
  // contents change no folder's stamp, there as here).
  std::uint64_t changes = 0;
};

class FileRecord {
 public:
  bool empty() const { return folders_.empty(); }
  // Whether the record made any folder or file, which only then can be
  // where the platform below has nothing.
  bool madeAny() const { return madeAny_; }

  // Entries are recorded by their names without regard to case: this key.
  static std::string Key(const std::string& name) { return FoldAscii(name); }

  FolderRecord* Find(const FolderId& folder);
  // The entry of a folder by its key; null when unrecorded.
  const EntryRecord* Entry(const FolderId& folder, const std::string& key);
  // The record of an entry, now of the kind given (the name it had kept);
  // `comesOrGoes` when the entry is added to the folder or leaves it.
  EntryRecord& Change(const FolderId& folder, std::string key, const std::string& name,
                      EntryRecord::Kind kind, bool comesOrGoes);
  // A folder removed: reached again by a path, it is not there.
  void Removed(const FolderId& folder) { removed_.insert(folder); }
  bool WasRemoved(const FolderId& folder) const { return removed_.count(folder) != 0; }
  // The identity of a folder the record makes.
  FolderId NewFolder();
  // Whether a folder, seen through the record, holds anything of its own
  // making (a folder made or a file written that was not there).
  bool HoldsMade(const FolderId& folder);

  void Clear();

 private:
  // The entries' nodes come from one arena, given back at once by Clear: a
  // plan records one per file it would delete, and a clean deletes many.
  std::pmr::monotonic_buffer_resource arena_;
  std::unordered_map<FolderId, FolderRecord, FolderIdHash> folders_;
  // The folder asked about last: a run asks about one folder's entries many
  // times in a row. (Records are never erased but all at once by Clear.)
  FolderId lastId_;
  FolderRecord* last_ = nullptr;
  std::unordered_set<FolderId, FolderIdHash> removed_;
  std::uint64_t nextFolder_ = 1;
  bool madeAny_ = false;
};

}  // namespace vb::platform
