// A file replaced whole, so that a process killed at any moment leaves
// either the old file or the new one: the new content goes to a temporary
// file beside it, is flushed to disk, then renamed over the old file, and
// the folder is flushed so that the rename lasts too.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "base/result.h"
#include "platform/win_types.h"

namespace vb::wine {

// What tells one version of a file from another: where it lies, its size,
// when it was written. Two stamps of a file that nobody wrote are equal.
struct FileStamp {
  bool exists = false;
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  std::uint64_t size = 0;
  std::int64_t modifiedNs = 0;
  bool operator==(const FileStamp&) const = default;
};
[[nodiscard]] FileStamp StampOf(const std::string& path);

// The whole content of a file; the Windows error when it cannot be read.
[[nodiscard]] Result<std::string> ReadWholeFile(const std::string& path);

// The first half of a replacement: the content in a new temporary file in
// the folder of path (of the file a symbolic link names), flushed to disk,
// with the old file's permissions. Its path, or the Windows error.
[[nodiscard]] Result<std::string> WriteBeside(const std::string& path, std::string_view content);
// The second half: the temporary file renamed over path, and the folder
// flushed. The Windows error when the rename fails (the old file is then
// as it was).
[[nodiscard]] win::LONG PutInPlace(const std::string& temporary, const std::string& path);
// Removes the temporary files that replacements of path left when killed
// before their rename; they were never the file, and nothing reads them.
void RemoveLeftovers(const std::string& path);

}  // namespace vb::wine
