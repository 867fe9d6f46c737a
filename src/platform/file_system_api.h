// The file-system functions the program calls. Paths are Windows paths with
// "\" separators, matched without regard to letter case.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/win_types.h"

namespace vb::platform {

using namespace vb::win;

// One entry found by FindFirstFileA / FindNextFileA.
struct FindData {
  DWORD attributes = 0;
  std::uint64_t size = 0;
  std::string name;  // the bare name, no folder
};

// Search and folder handles of a realisation are never less than -1 (-1
// being none), so that a layer over one (the recording platform) can give out
// handles of its own below that without meeting the realisation's.
using FindHandle = std::intptr_t;

// An open folder, for the operations on the entries inside it.
using FolderHandle = std::intptr_t;
inline constexpr FolderHandle kInvalidFolderHandle = -1;

// A clean of an SQLite database: statements run in order in one transaction,
// a statement over a table the database does not have left out.
// In them, the SQL function kept_host(host) is 1 for a cookie host of a kept
// one (the same host, or one below it: ".www.example.com" for
// "example.com"), so that `DELETE FROM cookies WHERE NOT kept_host(host_key)`
// keeps the user's kept cookies.
struct DatabaseWork {
  std::vector<std::string> statements;
  std::vector<std::string> keptHosts;
};

// What a database clean did, or would do: the rows its statements deleted
// or changed, and the bytes the database gave back (its pages before the
// statements against its pages after them and a VACUUM).
struct DatabaseOutcome {
  std::uint64_t rows = 0;
  std::uint64_t bytesFreed = 0;
};

// How much of each entry a folder listing fills in.
enum class ListDetail {
  // Names, and of the attributes only the directory and reparse point ones;
  // sizes 0. Needs no look at each entry where the file system tells entry
  // types with the names. A realisation may fill in more.
  kTypes,
  // Names, every attribute and the size, as FindFirstFileA gives them.
  kFull,
};

// What tells whether the entries of a folder changed: the folder's identity
// and the time of its last change. Two equal stamps of a folder, the earlier
// one settled, mean that no entry was added to it, removed from it or renamed
// in it between them. A stamp is settled when the folder's last change lies
// far enough before the moment the stamp was taken that any later change
// gives the folder a later time (file systems keep times coarser than the
// changes can come).
struct FolderStamp {
  std::uint64_t volume = 0;
  std::uint64_t file = 0;
  std::int64_t changed = 0;  // nanoseconds
  bool settled = false;
  bool SameAs(const FolderStamp& other) const {
    return volume == other.volume && file == other.file && changed == other.changed;
  }
};

class FileSystemApi {
 public:
  virtual ~FileSystemApi() = default;

  // Lists the entries of a folder whose long names match the pattern of the
  // last component ("C:\Temp\*.*"). "." and ".." come too, except in a drive
  // root. Hidden and system entries are returned with their attributes; the
  // caller filters.
  [[nodiscard]] virtual LONG FindFirstFileA(const std::string& pattern, FindData* data,
                                            FindHandle* handle) = 0;
  // kErrorNoMoreFiles at the end.
  [[nodiscard]] virtual LONG FindNextFileA(FindHandle handle, FindData* data) = 0;
  virtual void FindClose(FindHandle handle) = 0;

  // kInvalidFileAttributes when the path does not exist.
  [[nodiscard]] virtual DWORD GetFileAttributesA(const std::string& path) = 0;
  virtual LONG SetFileAttributesA(const std::string& path, DWORD attributes) = 0;
  // Attributes and size in one call, as GetFileAttributesExA gives them.
  [[nodiscard]] virtual LONG GetFileAttributesExA(const std::string& path, FindData* data) = 0;

  // One file; wildcards are not expanded. Fails for a read-only file
  // (kErrorAccessDenied) and a file in use (kErrorSharingViolation).
  virtual LONG DeleteFileA(const std::string& path) = 0;
  // One empty folder.
  virtual LONG RemoveDirectoryA(const std::string& path) = 0;
  // One folder level; the parent must exist.
  [[nodiscard]] virtual LONG CreateDirectoryA(const std::string& path) = 0;

  // The whole content of a file, as bytes.
  [[nodiscard]] virtual LONG ReadFileBytes(const std::string& path, std::string* content) = 0;
  // Creates or truncates the file and writes the bytes.
  [[nodiscard]] virtual LONG WriteFileBytes(const std::string& path,
                                            const std::string& content) = 0;

  // Folder handles. The removal routines work inside a folder through these:
  // each operation names an entry of an open folder by its bare name as a
  // listing of that folder gives it (no separators, no wildcards, neither "."
  // nor ".."), and none of them follows a symbolic link, junction or other
  // reparse point: such an entry is reported with kFileAttributeReparsePoint,
  // never opened as a folder, never changed, deleted or removed. A folder
  // replaced by a link while a run is inside it therefore cannot redirect the
  // run: the run goes on in the folder it opened.
  //
  // A subfolder handle must be used only while the folder it was opened
  // through is still open. The Windows realisation relies on it: it opens a
  // folder with CreateFileA(path, FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES |
  // FILE_WRITE_ATTRIBUTES | SYNCHRONIZE, FILE_SHARE_READ | FILE_SHARE_WRITE,
  // nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS |
  // FILE_FLAG_OPEN_REPARSE_POINT), the reparse-point flag for a subfolder
  // (whose handle is closed again and refused when its attributes carry
  // FILE_ATTRIBUTE_REPARSE_POINT). Without FILE_SHARE_DELETE no folder of the
  // chain from the first one opened down to the current one can be renamed,
  // deleted or replaced while it is open, so the path of the chain plus a
  // bare name names exactly the entry that was listed. An entry is then
  // opened by that path with FILE_FLAG_OPEN_REPARSE_POINT (and
  // FILE_FLAG_BACKUP_SEMANTICS), so that a link is met as itself, and acted on
  // through its own handle: GetFileInformationByHandleEx(FileIdBothDirectoryInfo)
  // on the folder handle lists it, SetFileInformationByHandle(FileBasicInfo)
  // sets attributes, FileDispositionInfo on a handle opened with DELETE access
  // deletes, and GetFileInformationByHandle (volume serial number, file index,
  // last write time) gives the stamp.

  // Opens the folder a path names; links on the way and at its end are
  // followed as any path's are. `driveRoot` (may be null) tells whether it is
  // a drive root. kErrorPathNotFound when there is no such folder.
  [[nodiscard]] virtual LONG OpenFolder(const std::string& path, FolderHandle* folder,
                                        bool* driveRoot) = 0;
  // Opens a subfolder of an open folder. kErrorAccessDenied for a reparse
  // point, kErrorDirectory for a file, kErrorFileNotFound when missing.
  [[nodiscard]] virtual LONG OpenSubfolder(FolderHandle folder, const std::string& name,
                                           FolderHandle* sub) = 0;
  virtual void CloseFolder(FolderHandle folder) = 0;
  // The entries of an open folder, "." and ".." left out, in no set order.
  [[nodiscard]] virtual LONG ListFolder(FolderHandle folder, ListDetail detail,
                                        std::vector<FindData>* entries) = 0;
  [[nodiscard]] virtual LONG GetFolderStamp(FolderHandle folder, FolderStamp* stamp) = 0;
  // Sets the attributes of the open folder itself, as SetFileAttributesA.
  virtual LONG SetFolderAttributes(FolderHandle folder, DWORD attributes) = 0;
  // One entry of an open folder: its attributes and size, as a listing gives them.
  [[nodiscard]] virtual LONG GetEntryInfo(FolderHandle folder, const std::string& name,
                                          FindData* data) = 0;
  // As SetFileAttributesA; kErrorAccessDenied for a reparse point.
  virtual LONG SetEntryAttributes(FolderHandle folder, const std::string& name,
                                  DWORD attributes) = 0;
  // Deletes one file, as DeleteFileA: kErrorAccessDenied for a read-only
  // file, a folder or a reparse point (left in place), kErrorSharingViolation
  // for a file in use.
  [[nodiscard]] virtual LONG DeleteEntryFile(FolderHandle folder, const std::string& name) = 0;
  // What DeleteEntryFile(folder, name) would return now were the entry not
  // read-only, changing nothing (the entry, its attributes and whether
  // anybody may take it in use): kErrorSuccess for a file that would go,
  // kErrorSharingViolation for a file in use, kErrorAccessDenied for a folder
  // or a reparse point, kErrorFileNotFound when there is no such entry. A
  // preview of a clean asks it once per file, so a realisation answers from
  // the folder's last full listing where it can, as its own deletion trusts
  // that listing (an entry changed since by another program may be answered
  // as it was listed).
  [[nodiscard]] virtual LONG ProbeDeleteEntryFile(FolderHandle folder,
                                                  const std::string& name) = 0;
  // Removes one empty subfolder, as RemoveDirectoryA: kErrorDirNotEmpty when
  // it holds anything, kErrorAccessDenied for a reparse point (left in place)
  // or a read-only folder, kErrorDirectory for a file.
  virtual LONG RemoveEntryFolder(FolderHandle folder, const std::string& name) = 0;

  // Runs the work on the SQLite database that is the entry `name` of an open
  // folder, opened without following a link and only when it is a regular
  // file: the statements in one transaction, then PRAGMA integrity_check,
  // the transaction committed only when it answers "ok", then VACUUM.
  // kErrorSharingViolation when another program holds the database (its
  // browser runs) or the file is in use; kErrorAccessDenied for a folder or
  // a reparse point; kErrorFileNotFound when there is no such entry;
  // kErrorInvalidData when it is no database, a statement fails or the check
  // does not answer "ok". On any failure the database is as it was.
  [[nodiscard]] virtual LONG CleanEntryDatabase(FolderHandle folder, const std::string& name,
                                                const DatabaseWork& work,
                                                DatabaseOutcome* outcome) = 0;
  // What CleanEntryDatabase would do now, run over a copy of the file in
  // memory: the same answers, the rows and the bytes; nothing on the
  // machine changes, not even a journal file.
  [[nodiscard]] virtual LONG ProbeCleanEntryDatabase(FolderHandle folder, const std::string& name,
                                                     const DatabaseWork& work,
                                                     DatabaseOutcome* outcome) = 0;

  // GetPrivateProfileStringA: the value of key in [section] of an INI file, or
  // defaultValue when the file, section or key is missing.
  virtual std::string GetPrivateProfileStringA(const std::string& section, const std::string& key,
                                               const std::string& defaultValue,
                                               const std::string& iniPath) = 0;
};

}  // namespace vb::platform
