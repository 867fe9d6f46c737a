// The file system of the recording platform. Passing through, each call is
// the call of the file system below. Recording, reads go below and are seen
// through the record; changes are checked as the file system below would
// check them, by what it reads, and recorded instead.
//
// The record is kept by folder identity (GetFolderStamp's volume and file)
// and entry name without regard to case, whether a change came by path or
// through an open folder. Deleting a file through an open folder is the call
// a clean makes once per file, so it reads nothing more than it must:
// whether the file is read-only comes from the folder's last full listing
// through this layer, and the rest from ProbeDeleteEntryFile, which the
// realisations answer from their own listing.
//
// Folder and search handles are those of the file system below, but for a
// folder the record made and a search seen through the record, whose
// handles are this layer's own, below -1 (which no realisation gives out).
// They die with the record: after StopRecording, the calls on them reach the
// file system below, which knows no such handle.
//
// For one thread at a time, as the platforms' callers are.
#pragma once

#include <map>
#include <tuple>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "platform/file_record.h"
#include "platform/file_system_api.h"
#include "platform/recorded_change.h"

namespace vb::platform {

class RecordingFiles final : public FileSystemApi {
 public:
  RecordingFiles(FileSystemApi& below, const RecordingSession& session);
  ~RecordingFiles() override;
  RecordingFiles(const RecordingFiles&) = delete;
  RecordingFiles& operator=(const RecordingFiles&) = delete;

  // Forgets the record, and with it the folders it made, its searches and
  // what it knew of open folders.
  void Forget();

  [[nodiscard]] LONG FindFirstFileA(const std::string& pattern, FindData* data,
                                    FindHandle* handle) override;
  [[nodiscard]] LONG FindNextFileA(FindHandle handle, FindData* data) override;
  void FindClose(FindHandle handle) override;

  [[nodiscard]] DWORD GetFileAttributesA(const std::string& path) override;
  LONG SetFileAttributesA(const std::string& path, DWORD attributes) override;
  [[nodiscard]] LONG GetFileAttributesExA(const std::string& path, FindData* data) override;

  LONG DeleteFileA(const std::string& path) override;
  LONG RemoveDirectoryA(const std::string& path) override;
  [[nodiscard]] LONG CreateDirectoryA(const std::string& path) override;

  [[nodiscard]] LONG ReadFileBytes(const std::string& path, std::string* content) override;
  [[nodiscard]] LONG WriteFileBytes(const std::string& path, const std::string& content) override;

  [[nodiscard]] LONG OpenFolder(const std::string& path, FolderHandle* folder,
                                bool* driveRoot) override;
  [[nodiscard]] LONG OpenSubfolder(FolderHandle folder, const std::string& name,
                                   FolderHandle* sub) override;
  void CloseFolder(FolderHandle folder) override;
  // A folder with changes recorded in it lists as the record leaves it, and
  // its stamp's time is moved on by one for each change.
  [[nodiscard]] LONG ListFolder(FolderHandle folder, ListDetail detail,
                                std::vector<FindData>* entries) override;
  [[nodiscard]] LONG GetFolderStamp(FolderHandle folder, FolderStamp* stamp) override;
  LONG SetFolderAttributes(FolderHandle folder, DWORD attributes) override;
  [[nodiscard]] LONG GetEntryInfo(FolderHandle folder, const std::string& name,
                                  FindData* data) override;
  LONG SetEntryAttributes(FolderHandle folder, const std::string& name, DWORD attributes) override;
  [[nodiscard]] LONG DeleteEntryFile(FolderHandle folder, const std::string& name) override;
  [[nodiscard]] LONG ProbeDeleteEntryFile(FolderHandle folder, const std::string& name) override;
  LONG RemoveEntryFolder(FolderHandle folder, const std::string& name) override;
  // Recorded; what it would do is asked of the platform below as a preview.
  [[nodiscard]] LONG CleanEntryDatabase(FolderHandle folder, const std::string& name,
                                        const DatabaseWork& work,
                                        DatabaseOutcome* outcome) override;
  [[nodiscard]] LONG ProbeCleanEntryDatabase(FolderHandle folder, const std::string& name,
                                             const DatabaseWork& work,
                                             DatabaseOutcome* outcome) override;

  std::string GetPrivateProfileStringA(const std::string& section, const std::string& key,
                                       const std::string& defaultValue,
                                       const std::string& iniPath) override;

 private:
  // What the recording knows of an open folder.
  struct Held {
    FolderId id;
    bool made = false;  // a folder the record made: nothing of it is below
    std::string path;   // the Windows path it was reached by, for the changes told
    // Its own entry in the folder above, where its attributes are recorded;
    // looked for when they are first set, for a folder opened by path.
    bool selfKnown = false;
    bool selfLooked = false;
    FolderId parent;
    std::string name;
    // The read-only entries of its last full listing through this layer,
    // named as listed (the names deletions give); until one, each deletion
    // asks the entry.
    bool listed = false;
    std::unordered_set<std::string> readOnly;
  };

  // A folder found for one call: a handle of the file system below (closed
  // at the end, when opened for the call) or a folder the record made.
  struct Place {
    explicit Place(FileSystemApi& below) : below(below) {}
    ~Place() {
      if (owned) below.CloseFolder(handle);
    }
    Place(const Place&) = delete;
    Place& operator=(const Place&) = delete;
    FileSystemApi& below;
    FolderHandle handle = kInvalidFolderHandle;
    bool owned = false;
    FolderId id;
    bool made = false;
    bool root = false;
    std::string path;
  };

  struct Search {
    std::vector<FindData> entries;
    std::size_t next = 0;
  };

  bool Recording() const { return session_.recording; }
  // What is known of an open folder; learnt from the file system below for
  // one opened before the recording began. Null for a handle of nobody.
  Held* Hold(FolderHandle folder);
  [[nodiscard]] LONG IdentityOf(FolderHandle folder, FolderId* id);
  FolderHandle Keep(Held held, FolderHandle belowHandle);

  // The folder a path names, as the record leaves it: one the record
  // removed is not there, one it made is.
  [[nodiscard]] LONG Locate(const std::string& path, Place* place);
  // The folder holding a path's last component, and that component as
  // Windows reads it (trailing dots and blanks dropped). kErrorSuccess with
  // an empty leaf for a drive root.
  [[nodiscard]] LONG LocateParent(const std::string& path, Place* parent, std::string* leaf);

  // An entry of a folder, seen through the record: as the folder below
  // gives it (by the name given), with what the record changed of it.
  [[nodiscard]] LONG Look(FolderHandle belowFolder, const FolderId& id, bool made,
                          const std::string& name, FindData* data);
  // The entry a path names in its folder (the leaf without wildcards), seen
  // through the record; its name as the file system spells it.
  [[nodiscard]] LONG LookPath(const std::string& path, const Place& parent, const std::string& leaf,
                              FindData* data);
  // The entry a path changes: the folder holding it and its leaf, and in
  // *found LookPath's answer (kErrorSuccess, or why it is not there).
  // Returns why the path is refused first: a folder on the way missing, a
  // drive root (kErrorAccessDenied), wildcards (kErrorInvalidName).
  [[nodiscard]] LONG LookLeaf(const std::string& path, Place* parent, std::string* leaf,
                              FindData* data, LONG* found);
  // Whether a folder of the file system below holds nothing once the record
  // is seen through: kErrorSuccess, kErrorDirNotEmpty, or why it cannot be
  // told. `id` is the folder's identity.
  [[nodiscard]] LONG EmptyBelow(const Place& parent, const std::string& name, FolderId* id);
  // Removes a folder found in `parent` as `data` shows it, as
  // RemoveDirectoryA (`linksAsLinks`) or RemoveEntryFolder would.
  [[nodiscard]] LONG RemoveFolder(const Place& parent, const FindData& data, bool linksAsLinks);
  // A listing of a folder as the record leaves it: entries gone left out,
  // attributes and contents as recorded, and the entries the record made
  // that match the pattern (every one when it is empty) added. Whether any
  // was added.
  bool SeeThrough(const FolderId& id, const std::string& pattern, std::vector<FindData>* entries);
  void SetRecordedAttributes(const FolderId& folder, const std::string& name, DWORD attributes);
  // Finds the entry of a folder opened by path in the folder above it.
  void FindSelf(Held& held);
  // Whether the entry is read-only, and what deleting it would answer, had
  // it not been: `entry` is its record, when it has one.
  bool ReadOnly(Held& held, FolderHandle folder, const std::string& name, const EntryRecord* entry);
  [[nodiscard]] LONG ProbeThrough(Held& held, FolderHandle folder, const std::string& name,
                                  const EntryRecord* entry);

  void Tell(ChangeKind kind, const std::string& folder, const std::string& name,
            DWORD number = 0) const;

  FileSystemApi& below_;
  const RecordingSession& session_;
  FileRecord record_;
  std::unordered_map<FolderHandle, Held> held_;
  // The entries each folder below held at its last listing through this
  // layer, for telling a folder emptied through the record.
  std::unordered_map<FolderId, std::size_t, FolderIdHash> listedBelow_;
  // The identities of the subfolders opened through this layer, by their
  // folder and key, so that removing one needs not open it again.
  struct Child {
    FolderId parent;
    std::string key;
    bool operator==(const Child& other) const { return parent == other.parent && key == other.key; }
  };
  struct ChildHash {
    std::size_t operator()(const Child& child) const {
      return FolderIdHash()(child.parent) ^ std::hash<std::string>()(child.key);
    }
  };
  std::unordered_map<Child, FolderId, ChildHash> children_;
  FolderHandle nextMade_ = -2;
  std::map<FindHandle, Search> searches_;
  // The databases the record has cleaned: every statement run over each so
  // far, and what they did together. A later clean of the same database is
  // previewed as the rest of that sequence, as it would meet the database
  // the earlier ones left.
  struct CleanedDatabase {
    DatabaseWork work;
    DatabaseOutcome outcome;
  };
  std::map<std::tuple<std::uint64_t, std::uint64_t, std::string>, CleanedDatabase> databases_;
  FindHandle nextSearch_ = -2;
};

}  // namespace vb::platform
