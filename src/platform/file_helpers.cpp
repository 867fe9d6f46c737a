#include "platform/file_helpers.h"

#include <vector>

namespace vb::platform {

std::string FolderPrefix(const std::string& pathOrPattern) {
  std::size_t separator = pathOrPattern.find_last_of("\\/");
  if (separator != std::string::npos) return pathOrPattern.substr(0, separator + 1);
  if (pathOrPattern.size() >= 2 && pathOrPattern[1] == ':') return pathOrPattern.substr(0, 2);
  return std::string();
}

LONG DeleteFiles(FileSystemApi& files, const std::string& pathOrPattern) {
  constexpr DWORD kNotPlain = kFileAttributeHidden | kFileAttributeSystem | kFileAttributeDirectory;
  FindData entry;
  FindHandle handle = -1;
  LONG error = files.FindFirstFileA(pathOrPattern, &entry, &handle);
  if (error != kErrorSuccess) return error;
  // The names first, then the deletions, so the listing never sees its own work.
  std::vector<std::string> names;
  do {
    if ((entry.attributes & kNotPlain) == 0) names.push_back(entry.name);
  } while (files.FindNextFileA(handle, &entry) == kErrorSuccess);
  files.FindClose(handle);
  if (names.empty()) return kErrorFileNotFound;

  std::string prefix = FolderPrefix(pathOrPattern);
  LONG result = kErrorSuccess;
  for (const std::string& name : names) {
    LONG deleted = files.DeleteFileA(prefix + name);
    if (deleted != kErrorSuccess && result == kErrorSuccess) result = deleted;
  }
  return result;
}

std::int64_t FileLength(FileSystemApi& files, const std::string& path) {
  FindData data;
  if (files.GetFileAttributesExA(path, &data) != kErrorSuccess) return 0;
  if (data.attributes & kFileAttributeDirectory) return 0;
  return static_cast<std::int64_t>(data.size);
}

}  // namespace vb::platform
