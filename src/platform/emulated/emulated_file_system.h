// FileSystemApi over the drive folders of the emulated machine.
//
// DOS attributes are kept as Wine keeps them: a regular file always carries
// the archive attribute, read-only is the absence of every write permission
// bit, hidden and system live in the extended attribute "user.DOSATTRIB" as
// hexadecimal text ("0x2", "0x4", "0x6"). A symbolic link reports the reparse
// point attribute (and the directory one when it points at a folder) and is
// never changed or acted through. Read-only and files in use (another open
// file description holding an exclusive flock) are enforced here, since the
// host user may be root, who ignores permission bits.
#pragma once

#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/file_system_api.h"

namespace vb::emu {

class HostPaths;

// The extended attribute that holds the hidden and system attributes.
inline constexpr const char* kDosAttribXattr = "user.DOSATTRIB";

class EmulatedFileSystem final : public platform::FileSystemApi {
 public:
  explicit EmulatedFileSystem(const HostPaths& paths);
  ~EmulatedFileSystem() override;
  EmulatedFileSystem(const EmulatedFileSystem&) = delete;
  EmulatedFileSystem& operator=(const EmulatedFileSystem&) = delete;

  win::LONG FindFirstFileA(const std::string& pattern, platform::FindData* data,
                           platform::FindHandle* handle) override;
  win::LONG FindNextFileA(platform::FindHandle handle, platform::FindData* data) override;
  void FindClose(platform::FindHandle handle) override;

  win::DWORD GetFileAttributesA(const std::string& path) override;
  win::LONG SetFileAttributesA(const std::string& path, win::DWORD attributes) override;
  win::LONG GetFileAttributesExA(const std::string& path, platform::FindData* data) override;

  win::LONG DeleteFileA(const std::string& path) override;
  win::LONG RemoveDirectoryA(const std::string& path) override;
  win::LONG CreateDirectoryA(const std::string& path) override;

  win::LONG ReadFileBytes(const std::string& path, std::string* content) override;
  win::LONG WriteFileBytes(const std::string& path, const std::string& content) override;

  std::string GetPrivateProfileStringA(const std::string& section, const std::string& key,
                                       const std::string& defaultValue,
                                       const std::string& iniPath) override;

  // The handle value FindFirstFileA gives back when it fails.
  static constexpr platform::FindHandle kInvalidFindHandle = -1;

 private:
  struct Search {
    std::vector<platform::FindData> entries;
    std::size_t next = 0;
  };

  win::LONG ListFolder(const std::string& folder, const std::string& pattern,
                       std::vector<platform::FindData>* entries);

  const HostPaths& paths_;
  unsigned umask_;  // the process's file-creation mask, which restored write bits respect
  std::mutex mutex_;  // guards the searches
  std::map<platform::FindHandle, Search> searches_;
  platform::FindHandle nextHandle_ = 1;
};

}  // namespace vb::emu
