// The recording file system's folder handles: open folders of the file
// system below (or made by the record), their entries seen through the
// record, and the changes a walk makes through them recorded by the
// folder's identity.
#include "platform/ascii_case.h"
#include "platform/recording_files.h"
#include "platform/wildcard.h"

namespace vb::platform {

namespace {

std::string Join(const std::string& folder, const std::string& name) {
  if (folder.empty()) return folder;
  return folder.back() == '\\' ? folder + name : folder + "\\" + name;
}

}  // namespace

RecordingFiles::RecordingFiles(FileSystemApi& below, const RecordingSession& session)
    : below_(below), session_(session) {}

RecordingFiles::~RecordingFiles() = default;

void RecordingFiles::Forget() {
  record_.Clear();
  held_.clear();
  listedBelow_.clear();
  children_.clear();
  searches_.clear();
  databases_.clear();
}

void RecordingFiles::Tell(ChangeKind kind, const std::string& folder, const std::string& name,
                          DWORD number) const {
  if (session_.Listening()) session_.Tell(RecordedChange{kind, folder, name, number});
}

LONG RecordingFiles::IdentityOf(FolderHandle folder, FolderId* id) {
  FolderStamp stamp;
  LONG error = below_.GetFolderStamp(folder, &stamp);
  if (error != kErrorSuccess) return error;
  *id = FolderId{stamp.volume, stamp.file};
  return kErrorSuccess;
}

RecordingFiles::Held* RecordingFiles::Hold(FolderHandle folder) {
  auto it = held_.find(folder);
  if (it != held_.end()) return &it->second;
  // Below -1 only this layer's own handles, which are all known.
  if (folder < 0) return nullptr;
  Held held;
  if (IdentityOf(folder, &held.id) != kErrorSuccess) return nullptr;
  return &held_.emplace(folder, std::move(held)).first->second;
}

FolderHandle RecordingFiles::Keep(Held held, FolderHandle belowHandle) {
  FolderHandle handle = held.made ? nextMade_-- : belowHandle;
  held_.insert_or_assign(handle, std::move(held));
  return handle;
}

LONG RecordingFiles::Look(FolderHandle belowFolder, const FolderId& id, bool made,
                          const std::string& name, FindData* data) {
  if (const EntryRecord* entry = record_.Entry(id, FileRecord::Key(name))) {
    switch (entry->kind) {
      case EntryRecord::Kind::kGone:
        return kErrorFileNotFound;
      case EntryRecord::Kind::kFolder:
      case EntryRecord::Kind::kFile:
        *data = EntryData(*entry);
        return kErrorSuccess;
      case EntryRecord::Kind::kAttributes: {
        LONG error = below_.GetEntryInfo(belowFolder, name, data);
        if (error == kErrorSuccess)
          data->attributes = AttributesAfterSet(data->attributes, entry->attributes);
        return error;
      }
    }
  }
  if (made) return kErrorFileNotFound;
  return below_.GetEntryInfo(belowFolder, name, data);
}

bool RecordingFiles::SeeThrough(const FolderId& id, const std::string& pattern,
                                std::vector<FindData>* entries) {
  FolderRecord* record = record_.Find(id);
  if (!record || record->entries.empty()) return false;
  // Which of the entries the record made were listed already (written over
  // an entry below, or made again where one was), when it made any.
  bool made = record_.HoldsMade(id);
  std::unordered_set<std::string> seen;
  std::size_t kept = 0;
  for (FindData& entry : *entries) {
    auto it = entry.name == "." || entry.name == ".."
                  ? record->entries.end()
                  : record->entries.find(FileRecord::Key(entry.name));
    if (it != record->entries.end()) {
      const EntryRecord& change = it->second;
      if (made) seen.insert(it->first);
      if (change.kind == EntryRecord::Kind::kGone) continue;
      if (change.kind == EntryRecord::Kind::kAttributes)
        entry.attributes = AttributesAfterSet(entry.attributes, change.attributes);
      else
        entry = EntryData(change);
    }
    if (&(*entries)[kept] != &entry) (*entries)[kept] = std::move(entry);
    ++kept;
  }
  entries->resize(kept);
  if (!made) return false;
  bool added = false;
  for (const auto& [key, change] : record->entries) {
    bool mine =
        change.kind == EntryRecord::Kind::kFolder || change.kind == EntryRecord::Kind::kFile;
    if (!mine || seen.count(key) || (!pattern.empty() && !MatchesWildcard(pattern, change.name)))
      continue;
    entries->push_back(EntryData(change));
    added = true;
  }
  return added;
}

void RecordingFiles::SetRecordedAttributes(const FolderId& folder, const std::string& name,
                                           DWORD attributes) {
  std::string key = FileRecord::Key(name);
  const EntryRecord* before = record_.Entry(folder, key);
  EntryRecord::Kind kind = before ? before->kind : EntryRecord::Kind::kAttributes;
  EntryRecord& entry = record_.Change(folder, std::move(key), name, kind, false);
  entry.attributes = kind == EntryRecord::Kind::kAttributes
                         ? attributes & kRecordedAttributes
                         : AttributesAfterSet(entry.attributes, attributes);
}

void RecordingFiles::FindSelf(Held& held) {
  held.selfLooked = true;
  Place parent(below_);
  std::string leaf;
  if (held.path.empty() || LocateParent(held.path, &parent, &leaf) != kErrorSuccess || leaf.empty())
    return;
  FindData data;
  if (LookPath(held.path, parent, leaf, &data) != kErrorSuccess) return;
  // A link at the end of the path led elsewhere: the folder's own entry is
  // not this one.
  if ((data.attributes & (kFileAttributeDirectory | kFileAttributeReparsePoint)) !=
      kFileAttributeDirectory)
    return;
  FolderId id;
  const EntryRecord* entry = record_.Entry(parent.id, FileRecord::Key(data.name));
  if (entry && entry->kind == EntryRecord::Kind::kFolder) {
    id = entry->made;
  } else {
    FolderHandle sub = kInvalidFolderHandle;
    if (parent.made || below_.OpenSubfolder(parent.handle, data.name, &sub) != kErrorSuccess)
      return;
    LONG error = IdentityOf(sub, &id);
    below_.CloseFolder(sub);
    if (error != kErrorSuccess) return;
  }
  if (!(id == held.id)) return;
  held.selfKnown = true;
  held.parent = parent.id;
  held.name = data.name;
}

LONG RecordingFiles::OpenFolder(const std::string& path, FolderHandle* folder, bool* driveRoot) {
  if (!Recording()) return below_.OpenFolder(path, folder, driveRoot);
  if (!folder) return kErrorInvalidParameter;
  *folder = kInvalidFolderHandle;
  Place place(below_);
  LONG error = Locate(path, &place);
  if (error != kErrorSuccess) return error;
  Held held;
  held.id = place.id;
  held.made = place.made;
  held.path = place.path;
  if (driveRoot) *driveRoot = place.root;
  place.owned = false;  // the caller's now
  *folder = Keep(std::move(held), place.handle);
  return kErrorSuccess;
}

LONG RecordingFiles::OpenSubfolder(FolderHandle folder, const std::string& name,
                                   FolderHandle* sub) {
  if (!Recording()) return below_.OpenSubfolder(folder, name, sub);
  if (!sub) return kErrorInvalidParameter;
  *sub = kInvalidFolderHandle;
  Held* parent = Hold(folder);
  if (!parent) return kErrorInvalidHandle;
  Held held;
  held.selfKnown = held.selfLooked = true;
  held.parent = parent->id;
  held.name = name;
  held.path = Join(parent->path, name);
  if (const EntryRecord* entry = record_.Entry(parent->id, FileRecord::Key(name))) {
    if (entry->kind == EntryRecord::Kind::kGone) return kErrorFileNotFound;
    if (entry->kind == EntryRecord::Kind::kFile) return kErrorDirectory;
    if (entry->kind == EntryRecord::Kind::kFolder) {
      held.made = true;
      held.id = entry->made;
      held.name = entry->name;
      *sub = Keep(std::move(held), kInvalidFolderHandle);
      return kErrorSuccess;
    }
  }
  if (parent->made) return kErrorFileNotFound;
  FolderHandle opened = kInvalidFolderHandle;
  LONG error = below_.OpenSubfolder(folder, name, &opened);
  if (error != kErrorSuccess) return error;
  error = IdentityOf(opened, &held.id);
  if (error != kErrorSuccess) {
    below_.CloseFolder(opened);
    return error;
  }
  children_.insert_or_assign(Child{held.parent, FileRecord::Key(name)}, held.id);
  *sub = Keep(std::move(held), opened);
  return kErrorSuccess;
}

void RecordingFiles::CloseFolder(FolderHandle folder) {
  if (!Recording()) return below_.CloseFolder(folder);
  auto it = held_.find(folder);
  bool made = it != held_.end() && it->second.made;
  if (it != held_.end()) held_.erase(it);
  if (!made && folder >= 0) below_.CloseFolder(folder);
}

LONG RecordingFiles::ListFolder(FolderHandle folder, ListDetail detail,
                                std::vector<FindData>* entries) {
  if (!Recording()) return below_.ListFolder(folder, detail, entries);
  if (!entries) return kErrorInvalidParameter;
  entries->clear();
  Held* held = Hold(folder);
  if (!held) return kErrorInvalidHandle;
  // A folder removed while open lists as a folder that is gone.
  if (record_.WasRemoved(held->id)) return kErrorFileNotFound;
  if (!held->made) {
    LONG error = below_.ListFolder(folder, detail, entries);
    if (error != kErrorSuccess) return error;
    listedBelow_[held->id] = entries->size();
    if (detail == ListDetail::kFull) {
      held->listed = true;
      held->readOnly.clear();
      for (const FindData& entry : *entries)
        if (entry.attributes & kFileAttributeReadonly) held->readOnly.insert(entry.name);
    }
  }
  SeeThrough(held->id, std::string(), entries);
  return kErrorSuccess;
}

LONG RecordingFiles::GetFolderStamp(FolderHandle folder, FolderStamp* stamp) {
  if (!Recording()) return below_.GetFolderStamp(folder, stamp);
  if (!stamp) return kErrorInvalidParameter;
  Held* held = Hold(folder);
  if (!held) return kErrorInvalidHandle;
  if (held->made) {
    *stamp = FolderStamp{held->id.volume, held->id.file, 0, true};
  } else if (LONG error = below_.GetFolderStamp(folder, stamp); error != kErrorSuccess) {
    return error;
  }
  if (FolderRecord* record = record_.Find(held->id))
    stamp->changed += static_cast<std::int64_t>(record->changes);
  return kErrorSuccess;
}

LONG RecordingFiles::SetFolderAttributes(FolderHandle folder, DWORD attributes) {
  if (!Recording()) return below_.SetFolderAttributes(folder, attributes);
  Held* held = Hold(folder);
  if (!held) return kErrorInvalidHandle;
  if (!held->selfLooked) FindSelf(*held);
  // A folder whose own entry is unknown (a drive root, one opened before
  // the recording or through a link at the end of its path) keeps the
  // attributes its folder lists.
  if (held->selfKnown) SetRecordedAttributes(held->parent, held->name, attributes);
  Tell(ChangeKind::kSetAttributes, held->path, std::string(), attributes);
  return kErrorSuccess;
}

LONG RecordingFiles::GetEntryInfo(FolderHandle folder, const std::string& name, FindData* data) {
  if (!Recording()) return below_.GetEntryInfo(folder, name, data);
  if (!data) return kErrorInvalidParameter;
  Held* held = Hold(folder);
  if (!held) return kErrorInvalidHandle;
  return Look(folder, held->id, held->made, name, data);
}

LONG RecordingFiles::SetEntryAttributes(FolderHandle folder, const std::string& name,
                                        DWORD attributes) {
  if (!Recording()) return below_.SetEntryAttributes(folder, name, attributes);
  Held* held = Hold(folder);
  if (!held) return kErrorInvalidHandle;
  FindData data;
  LONG error = Look(folder, held->id, held->made, name, &data);
  if (error != kErrorSuccess) return error;
  if (data.attributes & kFileAttributeReparsePoint) return kErrorAccessDenied;
  SetRecordedAttributes(held->id, data.name, attributes);
  Tell(ChangeKind::kSetAttributes, held->path, data.name, attributes);
  return kErrorSuccess;
}

bool RecordingFiles::ReadOnly(Held& held, FolderHandle folder, const std::string& name,
                              const EntryRecord* entry) {
  if (entry)
    return entry->kind != EntryRecord::Kind::kGone && (entry->attributes & kFileAttributeReadonly);
  if (held.made) return false;
  if (held.listed) return !held.readOnly.empty() && held.readOnly.count(name) != 0;
  FindData data;
  return below_.GetEntryInfo(folder, name, &data) == kErrorSuccess &&
         (data.attributes & kFileAttributeReadonly);
}

LONG RecordingFiles::ProbeThrough(Held& held, FolderHandle folder, const std::string& name,
                                  const EntryRecord* entry) {
  if (entry) {
    switch (entry->kind) {
      case EntryRecord::Kind::kGone:
        return kErrorFileNotFound;
      case EntryRecord::Kind::kFolder:
        return kErrorAccessDenied;
      case EntryRecord::Kind::kFile:
        if (!entry->overBelow) return kErrorSuccess;
        return below_.ProbeDeleteEntryFile(folder, entry->name);
      case EntryRecord::Kind::kAttributes:
        break;
    }
  }
  if (held.made) return kErrorFileNotFound;
  return below_.ProbeDeleteEntryFile(folder, name);
}

LONG RecordingFiles::ProbeDeleteEntryFile(FolderHandle folder, const std::string& name) {
  if (!Recording()) return below_.ProbeDeleteEntryFile(folder, name);
  Held* held = Hold(folder);
  if (!held) return kErrorInvalidHandle;
  return ProbeThrough(*held, folder, name, record_.Entry(held->id, FileRecord::Key(name)));
}

LONG RecordingFiles::DeleteEntryFile(FolderHandle folder, const std::string& name) {
  if (!Recording()) return below_.DeleteEntryFile(folder, name);
  Held* held = Hold(folder);
  if (!held) return kErrorInvalidHandle;
  // The call a clean makes once per file: the name is folded and looked up
  // once, and the file itself is not read.
  std::string key = FileRecord::Key(name);
  const EntryRecord* entry = record_.Entry(held->id, key);
  // Read-only refuses first, as the emulated machine refuses (Windows tells
  // a file in use first).
  if (ReadOnly(*held, folder, name, entry)) return kErrorAccessDenied;
  LONG error = ProbeThrough(*held, folder, name, entry);
  if (error != kErrorSuccess) return error;
  record_.Change(held->id, std::move(key), name, EntryRecord::Kind::kGone, true);
  Tell(ChangeKind::kDeleteFile, held->path, name);
  return kErrorSuccess;
}

LONG RecordingFiles::ProbeCleanEntryDatabase(FolderHandle folder, const std::string& name,
                                             const DatabaseWork& work, DatabaseOutcome* outcome) {
  if (!Recording()) return below_.ProbeCleanEntryDatabase(folder, name, work, outcome);
  Held* held = Hold(folder);
  if (!held) return kErrorInvalidHandle;
  // A database this run deleted, or one in a folder it made, is not there;
  // any other is as the machine holds it.
  std::string key = FileRecord::Key(name);
  const EntryRecord* entry = record_.Entry(held->id, key);
  if (held->made || (entry && entry->kind == EntryRecord::Kind::kGone)) return kErrorFileNotFound;
  CleanedDatabase& cleaned = databases_[{held->id.volume, held->id.file, key}];
  DatabaseWork all = work;
  all.statements.insert(all.statements.begin(), cleaned.work.statements.begin(),
                        cleaned.work.statements.end());
  DatabaseOutcome together;
  if (LONG error = below_.ProbeCleanEntryDatabase(folder, name, all, &together);
      error != kErrorSuccess)
    return error;
  auto less = [](std::uint64_t a, std::uint64_t b) { return a > b ? a - b : 0; };
  outcome->rows = less(together.rows, cleaned.outcome.rows);
  outcome->bytesFreed = less(together.bytesFreed, cleaned.outcome.bytesFreed);
  cleaned = {std::move(all), together};
  return kErrorSuccess;
}

LONG RecordingFiles::CleanEntryDatabase(FolderHandle folder, const std::string& name,
                                        const DatabaseWork& work, DatabaseOutcome* outcome) {
  if (!Recording()) return below_.CleanEntryDatabase(folder, name, work, outcome);
  LONG error = ProbeCleanEntryDatabase(folder, name, work, outcome);
  if (error != kErrorSuccess) return error;
  Tell(ChangeKind::kCleanDatabase, Hold(folder)->path, name,
       static_cast<DWORD>(std::min<std::uint64_t>(outcome->rows, 0xFFFFFFFFu)));
  return kErrorSuccess;
}

LONG RecordingFiles::EmptyBelow(const Place& parent, const std::string& name, FolderId* id) {
  // A folder opened and listed through this layer is known without a look.
  auto child = children_.find(Child{parent.id, FileRecord::Key(name)});
  if (child != children_.end() && listedBelow_.count(child->second)) {
    *id = child->second;
    FolderRecord* record = record_.Find(*id);
    if ((record ? record->goneBelow : 0) < listedBelow_[*id]) return kErrorDirNotEmpty;
    return record_.HoldsMade(*id) ? kErrorDirNotEmpty : kErrorSuccess;
  }
  FolderHandle sub = kInvalidFolderHandle;
  LONG error = below_.OpenSubfolder(parent.handle, name, &sub);
  if (error != kErrorSuccess) return error;
  error = IdentityOf(sub, id);
  // What a listing through this layer counted below is still there (nothing
  // below changes while recording): empty once the record took as many.
  auto counted = listedBelow_.find(*id);
  std::vector<FindData> entries;
  if (error == kErrorSuccess && counted == listedBelow_.end())
    error = below_.ListFolder(sub, ListDetail::kTypes, &entries);
  below_.CloseFolder(sub);
  if (error != kErrorSuccess) return error;
  std::size_t there = counted != listedBelow_.end() ? counted->second : entries.size();
  FolderRecord* record = record_.Find(*id);
  if ((record ? record->goneBelow : 0) < there) return kErrorDirNotEmpty;
  return record_.HoldsMade(*id) ? kErrorDirNotEmpty : kErrorSuccess;
}

LONG RecordingFiles::RemoveFolder(const Place& parent, const FindData& data, bool linksAsLinks) {
  DWORD attributes = data.attributes;
  FolderId id;
  bool link = attributes & kFileAttributeReparsePoint;
  if (link) {
    // A link is removed as itself, whatever its target holds; only the path
    // operation removes it, and only a link to a folder.
    if (!linksAsLinks) return kErrorAccessDenied;
    if (!(attributes & kFileAttributeDirectory)) return kErrorDirectory;
  } else {
    if (!(attributes & kFileAttributeDirectory)) return kErrorDirectory;
    if (attributes & kFileAttributeReadonly) return kErrorAccessDenied;
    const EntryRecord* entry = record_.Entry(parent.id, FileRecord::Key(data.name));
    if (entry && entry->kind == EntryRecord::Kind::kFolder) {
      id = entry->made;
      if (record_.HoldsMade(id)) return kErrorDirNotEmpty;
    } else if (LONG error = EmptyBelow(parent, data.name, &id); error != kErrorSuccess) {
      return error;
    }
  }
  record_.Change(parent.id, FileRecord::Key(data.name), data.name, EntryRecord::Kind::kGone, true);
  if (!link) record_.Removed(id);
  Tell(ChangeKind::kRemoveFolder, parent.path, data.name);
  return kErrorSuccess;
}

LONG RecordingFiles::RemoveEntryFolder(FolderHandle folder, const std::string& name) {
  if (!Recording()) return below_.RemoveEntryFolder(folder, name);
  Held* held = Hold(folder);
  if (!held) return kErrorInvalidHandle;
  FindData data;
  std::string key = FileRecord::Key(name);
  if (held->listed && !record_.Entry(held->id, key) && children_.count(Child{held->id, key})) {
    // A subfolder opened through this layer, of a folder it listed: a
    // folder (no link), read-only as that listing found it.
    data.name = name;
    data.attributes =
        kFileAttributeDirectory | (held->readOnly.count(name) ? kFileAttributeReadonly : 0);
  } else if (LONG error = Look(folder, held->id, held->made, name, &data); error != kErrorSuccess) {
    return error;
  }
  Place parent(below_);
  parent.handle = folder;
  parent.id = held->id;
  parent.made = held->made;
  parent.path = held->path;
  return RemoveFolder(parent, data, false);
}

}  // namespace vb::platform
