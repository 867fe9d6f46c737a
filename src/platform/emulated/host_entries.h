// Host entries as the emulated file system meets them, shared by its parts:
// the Windows error of a host errno, the names a Windows path can name
// again, entries looked at and opened without following a link, and files
// in use.
#pragma once

#include <sys/stat.h>

#include <string>

#include "platform/emulated/host_paths.h"
#include "platform/win_types.h"

namespace vb::emu {

// The Windows error closest to a host errno.
win::LONG FromErrno(int error);

// Read-only is the absence of every write permission bit.
inline bool ReadOnlyMode(mode_t mode) { return (mode & 0222) == 0; }

inline bool SameEntry(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// A host name that a Windows path can name again. Names with characters that
// Windows refuses, or with trailing dots or spaces (which Win32 strips from a
// path), would lead a later operation on "folder\name" to another entry, so
// listings leave them out.
bool RepresentableName(const std::string& name);

// A name an entry operation accepts: one component a listing could give.
bool BareName(const std::string& name);

// The entry of an open folder by its bare name, looked at without following
// a link: kErrorInvalidName for a name no listing gives.
[[nodiscard]] win::LONG StatEntry(int folderFd, const std::string& name, struct stat* st);

// The path of an entry through the folder's descriptor, for the calls that
// have no *at() form: it names the entry of the folder that is open, wherever
// that folder is now.
std::string ThroughDescriptor(int folderFd, const std::string& name);

// True while another open file description holds an exclusive flock on the
// file; otherwise `fd` keeps a shared lock until it is closed, so the file
// cannot be taken exclusively while this process works on it.
bool InUse(int fd);

// The whole content of an open file, read from where it stands.
[[nodiscard]] win::LONG ReadWhole(int fd, std::string* bytes);

// Opens the folder or regular file `name` of an open folder whose lstat is
// `st`, never through a link, and checks that it is still the entry looked
// at; invalid for any other kind of entry, or one put in its place since.
[[nodiscard]] HostFd OpenEntryAt(int folderFd, const std::string& name, const struct stat& st);

// Whether the entry, whose lstat is `st`, is a symbolic link to a folder.
bool IsFolderLink(int folderFd, const std::string& name, const struct stat& st);

// The target of an operation by path: the resolved path, its parent folder
// open, and the lstat of the last component when it exists.
struct Located {
  HostPaths::Resolved where;
  HostFd parent;  // invalid for a drive root
  bool exists = false;
  struct stat st {};
};

[[nodiscard]] win::LONG Locate(const HostPaths& paths, const std::string& path, Located* out);

}  // namespace vb::emu
