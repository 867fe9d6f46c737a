// The Windows attributes of host entries, kept as Wine keeps them: a regular
// file always carries the archive attribute, read-only is the absence of
// every write permission bit, hidden and system live in the extended
// attribute "user.DOSATTRIB" as hexadecimal text ("0x2", "0x4", "0x6"). A
// symbolic link reports the reparse point attribute (and the directory one
// when it points at a folder).
#pragma once

#include <sys/stat.h>

#include <atomic>
#include <string>

#include "platform/file_system_api.h"

namespace vb::emu {

// The extended attribute that holds the hidden and system attributes.
inline constexpr const char* kDosAttribXattr = "user.DOSATTRIB";

// A host entry as a listing gives it, by its host path; `st` is its lstat.
platform::FindData EntryOf(const std::string& hostPath, const std::string& name,
                           const struct stat& st);

// Reads the extended attribute of an entry named relative to an open folder,
// without following a link: getxattrat where the kernel has it, else
// through the folder's descriptor in /proc. Remembers which, for every later
// call of the file system that owns it.
class DosAttribReader {
 public:
  win::DWORD BitsAt(int folderFd, const char* name);

 private:
  std::atomic<bool> noXattrAt_{false};  // the kernel lacks getxattrat
};

// An entry of an open folder as a listing gives it; `st` is its lstat.
platform::FindData EntryAt(int folderFd, std::string name, const struct stat& st,
                           DosAttribReader& dosAttrib);

// Sets the attributes of the open entry `fd` as SetFileAttributesA does.
// Write bits that come back are the owner's, and group's and others' where
// they may read and the file-creation mask `umask` allows (as Wine restores
// them).
[[nodiscard]] win::LONG SetAttributesOf(int fd, win::DWORD attributes, unsigned umask);

// The process's file-creation mask, read without changing it (umask() would
// set it, racing other threads); 022 when /proc does not tell.
unsigned ProcessUmask();

}  // namespace vb::emu
