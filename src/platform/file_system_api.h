// The file-system functions the program calls. Paths are Windows paths with
// "\" separators, matched without regard to letter case.
#pragma once

#include <cstdint>
#include <string>

#include "platform/win_types.h"

namespace vb::platform {

using namespace vb::win;

// One entry found by FindFirstFileA / FindNextFileA.
struct FindData {
  DWORD attributes = 0;
  std::uint64_t size = 0;
  std::string name;  // the bare name, no folder
};

using FindHandle = std::intptr_t;

class FileSystemApi {
 public:
  virtual ~FileSystemApi() = default;

  // Lists the entries of a folder whose long names match the pattern of the
  // last component ("C:\Temp\*.*"). "." and ".." come too, except in a drive
  // root. Hidden and system entries are returned with their attributes; the
  // caller filters.
  virtual LONG FindFirstFileA(const std::string& pattern, FindData* data, FindHandle* handle) = 0;
  // kErrorNoMoreFiles at the end.
  virtual LONG FindNextFileA(FindHandle handle, FindData* data) = 0;
  virtual void FindClose(FindHandle handle) = 0;

  // kInvalidFileAttributes when the path does not exist.
  virtual DWORD GetFileAttributesA(const std::string& path) = 0;
  virtual LONG SetFileAttributesA(const std::string& path, DWORD attributes) = 0;
  // Attributes and size in one call, as GetFileAttributesExA gives them.
  virtual LONG GetFileAttributesExA(const std::string& path, FindData* data) = 0;

  // One file; wildcards are not expanded. Fails for a read-only file
  // (kErrorAccessDenied) and a file in use (kErrorSharingViolation).
  virtual LONG DeleteFileA(const std::string& path) = 0;
  // One empty folder.
  virtual LONG RemoveDirectoryA(const std::string& path) = 0;
  // One folder level; the parent must exist.
  virtual LONG CreateDirectoryA(const std::string& path) = 0;

  // The whole content of a file, as bytes.
  virtual LONG ReadFileBytes(const std::string& path, std::string* content) = 0;
  // Creates or truncates the file and writes the bytes.
  virtual LONG WriteFileBytes(const std::string& path, const std::string& content) = 0;

  // GetPrivateProfileStringA: the value of key in [section] of an INI file, or
  // defaultValue when the file, section or key is missing.
  virtual std::string GetPrivateProfileStringA(const std::string& section, const std::string& key,
                                               const std::string& defaultValue,
                                               const std::string& iniPath) = 0;
};

}  // namespace vb::platform
