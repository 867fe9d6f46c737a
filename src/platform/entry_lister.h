// The program's directory listing: ListEntries (pattern, attributes) gives the
// first matching name, NextEntry each further one, "" when there are no more.
#pragma once

#include <string>

#include "platform/file_system_api.h"

namespace vb::platform {

// Attribute filters the program passes.
inline constexpr DWORD kListPlainFiles = 0;     // files that are neither hidden nor system
inline constexpr DWORD kListWithFolders = 16;   // those files and the folders
inline constexpr DWORD kListWithArchive = 32;   // plain and archive files (the same files)

// An entry is listed when each of its hidden, system and directory attributes
// is asked for; read-only and archive entries are always listed. The program
// asks only for 0, 16 and 32, so hidden and system entries never come back.
// When folders are asked for, "." and ".." come first in any folder but a
// drive root (whatever that folder's own attributes), and callers skip them.
class EntryLister {
 public:
  explicit EntryLister(FileSystemApi& files);
  ~EntryLister();
  EntryLister(const EntryLister&) = delete;
  EntryLister& operator=(const EntryLister&) = delete;

  // A pattern is a folder path plus a wildcard ("C:\Temp\*.*"); a pattern
  // ending in "\" lists the whole folder. Starts a new listing, ending any
  // earlier one.
  std::string ListEntries(const std::string& pattern, DWORD attributes);
  std::string NextEntry();

 private:
  bool Wanted(const FindData& entry) const;
  std::string NextWanted(FindData entry);
  void Close();

  FileSystemApi& files_;
  FindHandle handle_ = -1;
  bool open_ = false;
  DWORD attributes_ = 0;
};

}  // namespace vb::platform
