// The sizes of the local files of URL cache entries, looked up for one
// enumeration: the folders the files are in stay open while it lasts, so that
// each size costs one look into an open folder rather than a walk of the path
// from the drive's root.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "platform/file_system_api.h"

namespace vb::emu {

class UrlCacheFileSizes {
 public:
  explicit UrlCacheFileSizes(platform::FileSystemApi& files) : files_(&files) {}
  UrlCacheFileSizes(UrlCacheFileSizes&& other) noexcept;
  UrlCacheFileSizes& operator=(UrlCacheFileSizes&&) = delete;
  ~UrlCacheFileSizes() { CloseAll(); }

  // The size of the file at a Windows path, as GetFileAttributesExA gives it;
  // false when there is no such file.
  [[nodiscard]] bool SizeOf(const std::string& path, std::uint64_t* size);

 private:
  void CloseAll();

  platform::FileSystemApi* files_;
  // By the folder's path as the entries spell it; kInvalidFolderHandle for a
  // folder that did not open.
  std::map<std::string, platform::FolderHandle> folders_;
};

}  // namespace vb::emu
