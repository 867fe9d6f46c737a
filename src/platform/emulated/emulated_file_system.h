// FileSystemApi over the drive folders of the emulated machine.
//
// DOS attributes are kept as Wine keeps them (dos_attributes.h). A symbolic
// link is never changed or acted through. Read-only and files in use
// (another open file description holding an exclusive flock) are enforced
// here, since the host user may be root, who ignores permission bits. A file
// that an open folder's last full listing found regular and writable is
// deleted through that folder with no second look at its mode (a routine
// lists, then deletes what it listed): whether it is in use, and that it is
// no link, are still tested at the deletion itself.
//
// The class is written in several files, one per job: the path operations
// on single entries (emulated_file_system.cpp), searches by wildcard
// (emulated_searches.cpp), whole-file contents and INI values
// (emulated_file_contents.cpp) and folder handles
// (emulated_folder_handles.cpp). The changes both the path and the handle
// operations make to an entry, with their checks, are in entry_changes.h.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/emulated/dos_attributes.h"
#include "platform/emulated/exclusive_flocks.h"
#include "platform/file_system_api.h"

namespace vb::emu {

class HostPaths;

class EmulatedFileSystem final : public platform::FileSystemApi {
 public:
  explicit EmulatedFileSystem(const HostPaths& paths);
  ~EmulatedFileSystem() override;
  EmulatedFileSystem(const EmulatedFileSystem&) = delete;
  EmulatedFileSystem& operator=(const EmulatedFileSystem&) = delete;

  [[nodiscard]] win::LONG FindFirstFileA(const std::string& pattern, platform::FindData* data,
                                         platform::FindHandle* handle) override;
  [[nodiscard]] win::LONG FindNextFileA(platform::FindHandle handle,
                                        platform::FindData* data) override;
  void FindClose(platform::FindHandle handle) override;

  [[nodiscard]] win::DWORD GetFileAttributesA(const std::string& path) override;
  win::LONG SetFileAttributesA(const std::string& path, win::DWORD attributes) override;
  [[nodiscard]] win::LONG GetFileAttributesExA(const std::string& path,
                                               platform::FindData* data) override;

  win::LONG DeleteFileA(const std::string& path) override;
  win::LONG RemoveDirectoryA(const std::string& path) override;
  [[nodiscard]] win::LONG CreateDirectoryA(const std::string& path) override;

  [[nodiscard]] win::LONG ReadFileBytes(const std::string& path, std::string* content) override;
  [[nodiscard]] win::LONG WriteFileBytes(const std::string& path,
                                         const std::string& content) override;

  std::string GetPrivateProfileStringA(const std::string& section, const std::string& key,
                                       const std::string& defaultValue,
                                       const std::string& iniPath) override;

  // A folder handle is an open descriptor of the folder; the entry
  // operations are the *at() calls on it with AT_SYMLINK_NOFOLLOW / O_NOFOLLOW.
  [[nodiscard]] win::LONG OpenFolder(const std::string& path, platform::FolderHandle* folder,
                                     bool* driveRoot) override;
  [[nodiscard]] win::LONG OpenSubfolder(platform::FolderHandle folder, const std::string& name,
                                        platform::FolderHandle* sub) override;
  void CloseFolder(platform::FolderHandle folder) override;
  [[nodiscard]] win::LONG ListFolder(platform::FolderHandle folder, platform::ListDetail detail,
                                     std::vector<platform::FindData>* entries) override;
  [[nodiscard]] win::LONG GetFolderStamp(platform::FolderHandle folder,
                                         platform::FolderStamp* stamp) override;
  win::LONG SetFolderAttributes(platform::FolderHandle folder, win::DWORD attributes) override;
  [[nodiscard]] win::LONG GetEntryInfo(platform::FolderHandle folder, const std::string& name,
                                       platform::FindData* data) override;
  win::LONG SetEntryAttributes(platform::FolderHandle folder, const std::string& name,
                               win::DWORD attributes) override;
  [[nodiscard]] win::LONG DeleteEntryFile(platform::FolderHandle folder,
                                          const std::string& name) override;
  // From the folder's last full listing and one read of /proc/locks per
  // listing where it can; by the entry itself otherwise.
  [[nodiscard]] win::LONG ProbeDeleteEntryFile(platform::FolderHandle folder,
                                               const std::string& name) override;
  win::LONG RemoveEntryFolder(platform::FolderHandle folder, const std::string& name) override;
  [[nodiscard]] win::LONG CleanEntryDatabase(platform::FolderHandle folder, const std::string& name,
                                             const platform::DatabaseWork& work,
                                             platform::DatabaseOutcome* outcome) override;
  [[nodiscard]] win::LONG ProbeCleanEntryDatabase(platform::FolderHandle folder,
                                                  const std::string& name,
                                                  const platform::DatabaseWork& work,
                                                  platform::DatabaseOutcome* outcome) override;

  // A test hook, run just before each file deletion (DeleteFileA and
  // DeleteEntryFile) with the host path of the folder holding the file (for
  // an open folder, where it was when opened) and the file's name: the moment
  // a test swaps a folder for a link between a listing and the deletions.
  using DeleteHook = std::function<void(const std::string& hostFolder, const std::string& name)>;
  void SetBeforeDeleteHook(DeleteHook hook);

  // Open folder handles, for tests that check none is left open.
  std::size_t OpenFolderCount();

  // The handle value FindFirstFileA gives back when it fails.
  static constexpr platform::FindHandle kInvalidFindHandle = -1;

 private:
  struct Search {
    std::vector<platform::FindData> entries;
    std::size_t next = 0;
  };
  struct HeldFolder;

  [[nodiscard]] win::LONG ListMatching(const std::string& folder, const std::string& pattern,
                                       std::vector<platform::FindData>* entries);
  std::shared_ptr<HeldFolder> Held(platform::FolderHandle folder);
  // An entry of the folder was deleted or removed: its last listing no longer
  // tells what the probe may answer from it.
  static void Changed(HeldFolder& held);
  platform::FolderHandle Hold(std::shared_ptr<HeldFolder> held);

  std::shared_ptr<DeleteHook> BeforeDeleteHook();
  void BeforeDelete(const std::string& hostFolder, const std::string& name);

  const HostPaths& paths_;
  unsigned umask_;  // the process's file-creation mask, which restored write bits respect
  std::mutex mutex_;  // guards the searches, the open folders and the hook
  std::map<platform::FindHandle, Search> searches_;
  platform::FindHandle nextHandle_ = 1;
  std::unordered_map<platform::FolderHandle, std::shared_ptr<HeldFolder>> folders_;
  platform::FolderHandle nextFolder_ = 1;
  std::shared_ptr<DeleteHook> beforeDelete_;
  DosAttribReader dosAttrib_;
  ExclusiveFlocksReader flocks_;
};

}  // namespace vb::emu
