// The recording file system's path operations: a path is resolved to the
// folder holding its last component, by that folder's identity, so that a
// change made by path and one made through an open folder meet in the same
// record.
#include "platform/recording_files.h"

#include <algorithm>

#include "platform/ascii_case.h"
#include "platform/ini_text.h"
#include "platform/wildcard.h"

namespace vb::platform {

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// A path cut before its last component: "C:\a\" and "b" of "C:\a\b\". The
// folder is empty for a drive root ("C:\", "C:", "\").
void Split(const std::string& path, std::string* folder, std::string* leaf) {
  std::size_t end = path.size();
  while (end > 0 && IsSeparator(path[end - 1])) --end;
  std::string trimmed = path.substr(0, end);
  std::size_t cut = trimmed.find_last_of("\\/");
  if (cut != std::string::npos) {
    *folder = trimmed.substr(0, cut + 1);
    *leaf = trimmed.substr(cut + 1);
  } else if (trimmed.size() >= 2 && trimmed[1] == ':') {
    *folder = trimmed.substr(0, 2) + "\\";
    *leaf = trimmed.substr(2);
  } else {
    *folder = "\\";
    *leaf = trimmed;
  }
  if (leaf->empty()) folder->clear();
}

// A folder's path as changes name it: without a trailing "\" but for a
// drive root's.
std::string FolderText(const std::string& path) {
  std::size_t end = path.size();
  while (end > 0 && IsSeparator(path[end - 1])) --end;
  std::string text = path.substr(0, end);
  if (text.size() == 2 && text[1] == ':') text += '\\';
  return text.empty() ? path : text;
}

FindData Dots(const char* name) {
  FindData data;
  data.attributes = kFileAttributeDirectory;
  data.name = name;
  return data;
}

}  // namespace

LONG RecordingFiles::Locate(const std::string& path, Place* place) {
  FolderHandle handle = kInvalidFolderHandle;
  LONG error = below_.OpenFolder(path, &handle, &place->root);
  if (error == kErrorSuccess) {
    FolderId id;
    LONG identity = IdentityOf(handle, &id);
    if (identity == kErrorSuccess && !record_.WasRemoved(id)) {
      place->handle = handle;
      place->owned = true;
      place->id = id;
      place->path = FolderText(path);
      return kErrorSuccess;
    }
    below_.CloseFolder(handle);
    if (identity != kErrorSuccess) return identity;
    error = kErrorPathNotFound;
  }
  // A folder the record made (or made again) is where it says, below a
  // folder that is there.
  if (!record_.madeAny()) return error;
  Place parent(below_);
  std::string leaf;
  if (LocateParent(path, &parent, &leaf) != kErrorSuccess || leaf.empty()) return error;
  const EntryRecord* entry = record_.Entry(parent.id, FileRecord::Key(leaf));
  if (!entry || entry->kind != EntryRecord::Kind::kFolder) return error;
  place->made = true;
  place->id = entry->made;
  place->root = false;
  place->path = FolderText(path);
  return kErrorSuccess;
}

LONG RecordingFiles::LocateParent(const std::string& path, Place* parent, std::string* leaf) {
  std::string folder;
  Split(path, &folder, leaf);
  // Win32 drops trailing dots and blanks of a name.
  while (!leaf->empty() && (leaf->back() == '.' || leaf->back() == ' ')) leaf->pop_back();
  if (folder.empty()) return kErrorSuccess;
  if (leaf->empty()) return kErrorInvalidName;
  return Locate(folder, parent);
}

LONG RecordingFiles::LookPath(const std::string& path, const Place& parent, const std::string& leaf,
                              FindData* data) {
  const EntryRecord* entry = record_.Entry(parent.id, FileRecord::Key(leaf));
  if (entry && entry->kind == EntryRecord::Kind::kGone) return kErrorFileNotFound;
  if (entry && entry->kind != EntryRecord::Kind::kAttributes) {
    *data = EntryData(*entry);
    return kErrorSuccess;
  }
  if (parent.made) return kErrorFileNotFound;
  // A search by the path without wildcards finds the entry itself (a link
  // as a link) with its name as the file system spells it.
  FindHandle search = -1;
  LONG error = below_.FindFirstFileA(path, data, &search);
  if (error != kErrorSuccess) return error;
  below_.FindClose(search);
  if (entry) data->attributes = AttributesAfterSet(data->attributes, entry->attributes);
  return kErrorSuccess;
}

DWORD RecordingFiles::GetFileAttributesA(const std::string& path) {
  if (!Recording()) return below_.GetFileAttributesA(path);
  FindData data;
  return GetFileAttributesExA(path, &data) == kErrorSuccess ? data.attributes
                                                            : kInvalidFileAttributes;
}

LONG RecordingFiles::GetFileAttributesExA(const std::string& path, FindData* data) {
  if (!Recording() || record_.empty()) return below_.GetFileAttributesExA(path, data);
  if (!data) return kErrorInvalidParameter;
  LONG below = below_.GetFileAttributesExA(path, data);
  // Deletions never bring an entry back.
  if (below != kErrorSuccess && !record_.madeAny()) return below;
  Place parent(below_);
  std::string leaf;
  LONG error = LocateParent(path, &parent, &leaf);
  if (error == kErrorPathNotFound) return error;
  if (error != kErrorSuccess || leaf.empty()) return below;
  const EntryRecord* entry = record_.Entry(parent.id, FileRecord::Key(leaf));
  if (!entry) return parent.made ? kErrorFileNotFound : below;
  switch (entry->kind) {
    case EntryRecord::Kind::kGone:
      return kErrorFileNotFound;
    case EntryRecord::Kind::kFolder:
    case EntryRecord::Kind::kFile:
      *data = EntryData(*entry);
      return kErrorSuccess;
    case EntryRecord::Kind::kAttributes:
      if (below == kErrorSuccess)
        data->attributes = AttributesAfterSet(data->attributes, entry->attributes);
      return below;
  }
  return below;
}

LONG RecordingFiles::SetFileAttributesA(const std::string& path, DWORD attributes) {
  if (!Recording()) return below_.SetFileAttributesA(path, attributes);
  Place parent(below_);
  std::string leaf;
  LONG error = LocateParent(path, &parent, &leaf);
  if (error != kErrorSuccess) return error;
  if (leaf.empty()) {
    // A drive root keeps the attributes it shows.
    if (below_.GetFileAttributesA(path) == kInvalidFileAttributes) return kErrorPathNotFound;
    Tell(ChangeKind::kSetAttributes, path, std::string(), attributes);
    return kErrorSuccess;
  }
  if (HasWildcard(leaf)) return kErrorInvalidName;
  FindData data;
  error = LookPath(path, parent, leaf, &data);
  if (error != kErrorSuccess) return error;
  if (data.attributes & kFileAttributeReparsePoint) return kErrorAccessDenied;
  SetRecordedAttributes(parent.id, data.name, attributes);
  Tell(ChangeKind::kSetAttributes, parent.path, data.name, attributes);
  return kErrorSuccess;
}

LONG RecordingFiles::LookLeaf(const std::string& path, Place* parent, std::string* leaf,
                              FindData* data, LONG* found) {
  LONG error = LocateParent(path, parent, leaf);
  if (error != kErrorSuccess) return error;
  if (leaf->empty()) return kErrorAccessDenied;
  if (HasWildcard(*leaf)) return kErrorInvalidName;
  *found = LookPath(path, *parent, *leaf, data);
  return kErrorSuccess;
}

LONG RecordingFiles::DeleteFileA(const std::string& path) {
  if (!Recording()) return below_.DeleteFileA(path);
  Place parent(below_);
  std::string leaf;
  FindData data;
  LONG error = kErrorSuccess;
  if (LONG refused = LookLeaf(path, &parent, &leaf, &data, &error); refused != kErrorSuccess)
    return refused;
  if (error != kErrorSuccess) return error;
  DWORD attributes = data.attributes;
  if (attributes & kFileAttributeReparsePoint) {
    // A link to a file goes as itself; one to a folder is a folder.
    if (attributes & kFileAttributeDirectory) return kErrorAccessDenied;
  } else {
    if (attributes & (kFileAttributeDirectory | kFileAttributeReadonly)) return kErrorAccessDenied;
    const EntryRecord* entry = record_.Entry(parent.id, FileRecord::Key(leaf));
    bool written = entry && entry->kind == EntryRecord::Kind::kFile && !entry->overBelow;
    if (!written && !parent.made) {
      error = below_.ProbeDeleteEntryFile(parent.handle, data.name);
      if (error != kErrorSuccess) return error;
    }
  }
  record_.Change(parent.id, FileRecord::Key(data.name), data.name, EntryRecord::Kind::kGone, true);
  Tell(ChangeKind::kDeleteFile, parent.path, data.name);
  return kErrorSuccess;
}

LONG RecordingFiles::RemoveDirectoryA(const std::string& path) {
  if (!Recording()) return below_.RemoveDirectoryA(path);
  Place parent(below_);
  std::string leaf;
  FindData data;
  LONG error = kErrorSuccess;
  if (LONG refused = LookLeaf(path, &parent, &leaf, &data, &error); refused != kErrorSuccess)
    return refused;
  if (error != kErrorSuccess) return error;
  return RemoveFolder(parent, data, true);
}

LONG RecordingFiles::CreateDirectoryA(const std::string& path) {
  if (!Recording()) return below_.CreateDirectoryA(path);
  Place parent(below_);
  std::string leaf;
  FindData data;
  LONG error = kErrorSuccess;
  if (LONG refused = LookLeaf(path, &parent, &leaf, &data, &error); refused != kErrorSuccess)
    return refused;
  if (error == kErrorSuccess) return kErrorAlreadyExists;
  if (error != kErrorFileNotFound) return error;
  EntryRecord& made =
      record_.Change(parent.id, FileRecord::Key(leaf), leaf, EntryRecord::Kind::kFolder, true);
  made.name = leaf;
  made.attributes = kFileAttributeDirectory;
  made.content.clear();
  made.made = record_.NewFolder();
  Tell(ChangeKind::kMakeFolder, parent.path, leaf);
  return kErrorSuccess;
}

LONG RecordingFiles::WriteFileBytes(const std::string& path, const std::string& content) {
  if (!Recording()) return below_.WriteFileBytes(path, content);
  Place parent(below_);
  std::string leaf;
  FindData data;
  LONG error = kErrorSuccess;
  if (LONG refused = LookLeaf(path, &parent, &leaf, &data, &error); refused != kErrorSuccess)
    return refused;
  bool existed = error == kErrorSuccess;
  if (!existed && error != kErrorFileNotFound) return error;
  bool overBelow = false;
  if (existed) {
    if (data.attributes &
        (kFileAttributeDirectory | kFileAttributeReparsePoint | kFileAttributeReadonly))
      return kErrorAccessDenied;
    const EntryRecord* entry = record_.Entry(parent.id, FileRecord::Key(leaf));
    overBelow = !entry || entry->kind == EntryRecord::Kind::kAttributes || entry->overBelow;
    // A file in use refuses its new content (the emulated machine's test of
    // use; Windows asks for another sharing, so the answer may differ there).
    if (overBelow &&
        below_.ProbeDeleteEntryFile(parent.handle, data.name) == kErrorSharingViolation)
      return kErrorSharingViolation;
  }
  EntryRecord& written =
      record_.Change(parent.id, FileRecord::Key(leaf), leaf, EntryRecord::Kind::kFile, !existed);
  written.name = existed ? data.name : leaf;
  written.attributes = existed ? data.attributes : kFileAttributeArchive;
  written.content = content;
  written.overBelow = overBelow;
  Tell(ChangeKind::kWriteFile, parent.path, written.name, static_cast<DWORD>(content.size()));
  return kErrorSuccess;
}

LONG RecordingFiles::ReadFileBytes(const std::string& path, std::string* content) {
  if (!Recording() || record_.empty()) return below_.ReadFileBytes(path, content);
  if (!content) return kErrorInvalidParameter;
  Place parent(below_);
  std::string leaf;
  LONG error = LocateParent(path, &parent, &leaf);
  if (error != kErrorSuccess) return error;
  const EntryRecord* entry =
      leaf.empty() ? nullptr : record_.Entry(parent.id, FileRecord::Key(leaf));
  if (!entry || entry->kind == EntryRecord::Kind::kAttributes)
    return parent.made ? kErrorFileNotFound : below_.ReadFileBytes(path, content);
  if (entry->kind == EntryRecord::Kind::kGone) return kErrorFileNotFound;
  if (entry->kind == EntryRecord::Kind::kFolder) return kErrorAccessDenied;
  *content = entry->content;
  return kErrorSuccess;
}

std::string RecordingFiles::GetPrivateProfileStringA(const std::string& section,
                                                     const std::string& key,
                                                     const std::string& defaultValue,
                                                     const std::string& iniPath) {
  if (!Recording() || record_.empty())
    return below_.GetPrivateProfileStringA(section, key, defaultValue, iniPath);
  Place parent(below_);
  std::string leaf;
  const EntryRecord* entry = nullptr;
  if (LocateParent(iniPath, &parent, &leaf) == kErrorSuccess && !leaf.empty())
    entry = record_.Entry(parent.id, FileRecord::Key(leaf));
  if (!entry || entry->kind == EntryRecord::Kind::kAttributes)
    return below_.GetPrivateProfileStringA(section, key, defaultValue, iniPath);
  // A file the record deleted or wrote: read as the profile functions read.
  std::string fallback = defaultValue;
  while (!fallback.empty() && fallback.back() == ' ') fallback.pop_back();
  if (section.empty() || key.empty() || entry->kind != EntryRecord::Kind::kFile) return fallback;
  return FindIniValue(entry->content, section, key).value_or(fallback);
}

LONG RecordingFiles::FindFirstFileA(const std::string& pattern, FindData* data,
                                    FindHandle* handle) {
  if (!Recording() || record_.empty()) return below_.FindFirstFileA(pattern, data, handle);
  if (!data || !handle) return kErrorInvalidParameter;
  *handle = -1;
  std::vector<FindData> entries;
  FindHandle search = -1;
  FindData found;
  LONG error = below_.FindFirstFileA(pattern, &found, &search);
  if (error == kErrorSuccess) {
    do entries.push_back(found);
    while (below_.FindNextFileA(search, &found) == kErrorSuccess);
    below_.FindClose(search);
  }
  std::string folder, leaf;
  Split(pattern, &folder, &leaf);
  Place place(below_);
  if (folder.empty() || Locate(folder, &place) != kErrorSuccess)
    return error == kErrorSuccess ? kErrorPathNotFound : error;
  if (error != kErrorSuccess && error != kErrorFileNotFound && !place.made) return error;
  if (place.made) {
    for (const char* dots : {".", ".."})
      if (MatchesWildcard(leaf, dots)) entries.push_back(Dots(dots));
  }
  // "." is the folder itself and ".." the one above it: with the attributes
  // recorded for them where they are entries.
  for (FindData& entry : entries) {
    if (entry.name != "." && entry.name != "..") continue;
    std::string self = folder, name;
    if (entry.name == "..") Split(folder, &self, &name);
    Place above(below_);
    if (LocateParent(self, &above, &name) != kErrorSuccess || name.empty()) continue;
    const EntryRecord* recorded = record_.Entry(above.id, FileRecord::Key(name));
    if (recorded && recorded->kind != EntryRecord::Kind::kGone)
      entry.attributes = recorded->kind == EntryRecord::Kind::kAttributes
                             ? AttributesAfterSet(entry.attributes, recorded->attributes)
                             : recorded->attributes;
  }
  if (SeeThrough(place.id, leaf, &entries)) {
    // Sorted as NTFS sorts, the dots first.
    auto names = std::find_if(entries.begin(), entries.end(),
                              [](const FindData& e) { return e.name != "." && e.name != ".."; });
    std::stable_sort(names, entries.end(), [](const FindData& a, const FindData& b) {
      return LessIgnoringCase(a.name, b.name);
    });
  }
  if (entries.empty()) return kErrorFileNotFound;
  *data = entries.front();
  *handle = nextSearch_--;
  searches_[*handle] = Search{std::move(entries), 1};
  return kErrorSuccess;
}

LONG RecordingFiles::FindNextFileA(FindHandle handle, FindData* data) {
  if (!Recording() || handle >= -1) return below_.FindNextFileA(handle, data);
  auto it = searches_.find(handle);
  if (it == searches_.end() || !data) return kErrorInvalidHandle;
  Search& search = it->second;
  if (search.next >= search.entries.size()) return kErrorNoMoreFiles;
  *data = search.entries[search.next++];
  return kErrorSuccess;
}

void RecordingFiles::FindClose(FindHandle handle) {
  if (!Recording() || handle >= -1) return below_.FindClose(handle);
  searches_.erase(handle);
}

}  // namespace vb::platform
