// The changes made to one entry of an open host folder: deleting a file,
// removing an empty folder, setting attributes. The path operations
// (DeleteFileA, RemoveDirectoryA, SetFileAttributesA) and the folder-handle
// operations (DeleteEntryFile, RemoveEntryFolder, SetEntryAttributes) both
// come here once they hold the entry's folder open and its lstat, so that
// their refusals (read-only, in use, a folder where a file is wanted and the
// other way round, links) are decided in one place.
#pragma once

#include <sys/stat.h>

#include <string>

#include "platform/win_types.h"

namespace vb::emu {

// What a change does when the entry is a symbolic link. It never acts
// through the link on what the link points at.
enum class LinkEntry {
  // The folder-handle operations: a link stays in place (kErrorAccessDenied).
  kLeaveInPlace,
  // The path operations: DeleteFileA removes a link to a file and
  // RemoveDirectoryA a link to a folder, as links themselves.
  kRemoveAsLink,
};

// As DeleteFileA: kErrorAccessDenied for a folder or a read-only file,
// kErrorSharingViolation for a file in use.
[[nodiscard]] win::LONG DeleteFileAt(int folderFd, const std::string& name, const struct stat& st,
                                     LinkEntry links);

// As RemoveDirectoryA: kErrorDirectory for anything but a folder,
// kErrorAccessDenied for a read-only folder, kErrorDirNotEmpty for one that
// holds anything.
[[nodiscard]] win::LONG RemoveFolderAt(int folderFd, const std::string& name, const struct stat& st,
                                       LinkEntry links);

// As SetFileAttributesA, for a folder or a regular file: kErrorAccessDenied
// for a link (whatever `links` says) or any other kind of entry. `umask` as
// SetAttributesOf takes it.
[[nodiscard]] win::LONG SetAttributesAt(int folderFd, const std::string& name,
                                        const struct stat& st, win::DWORD attributes,
                                        unsigned umask);

}  // namespace vb::emu
