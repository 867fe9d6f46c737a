#include "platform/emulated/entry_changes.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "platform/emulated/dos_attributes.h"
#include "platform/emulated/host_entries.h"

namespace vb::emu {

using namespace vb::win;

namespace {

LONG Unlink(int folderFd, const std::string& name, int flags) {
  if (unlinkat(folderFd, name.c_str(), flags) == 0) return kErrorSuccess;
  // A folder that holds anything is not empty, whichever errno says so.
  return errno == EEXIST && flags == AT_REMOVEDIR ? kErrorDirNotEmpty : FromErrno(errno);
}

}  // namespace

LONG DeleteFileAt(int folderFd, const std::string& name, const struct stat& st, LinkEntry links) {
  if (S_ISLNK(st.st_mode)) {
    // A link to a folder is a folder, removed by RemoveDirectoryA.
    if (links == LinkEntry::kLeaveInPlace || IsFolderLink(folderFd, name, st))
      return kErrorAccessDenied;
    return Unlink(folderFd, name, 0);
  }
  if (S_ISDIR(st.st_mode) || ReadOnlyMode(st.st_mode)) return kErrorAccessDenied;
  HostFd held;
  if (S_ISREG(st.st_mode)) {
    // Held with a shared lock until it is gone, so it cannot be taken in use
    // in between.
    held = OpenEntryAt(folderFd, name, st);
    if (!held.valid()) return kErrorAccessDenied;
    if (InUse(held.get())) return kErrorSharingViolation;
  }
  return Unlink(folderFd, name, 0);
}

LONG RemoveFolderAt(int folderFd, const std::string& name, const struct stat& st,
                    LinkEntry links) {
  if (S_ISLNK(st.st_mode)) {
    if (links == LinkEntry::kLeaveInPlace) return kErrorAccessDenied;
    // A link to a folder is removed as a link, whatever its target holds.
    if (!IsFolderLink(folderFd, name, st)) return kErrorDirectory;
    return Unlink(folderFd, name, 0);
  }
  if (!S_ISDIR(st.st_mode)) return kErrorDirectory;
  if (ReadOnlyMode(st.st_mode)) return kErrorAccessDenied;
  return Unlink(folderFd, name, AT_REMOVEDIR);
}

LONG SetAttributesAt(int folderFd, const std::string& name, const struct stat& st,
                     DWORD attributes, unsigned umask) {
  if (S_ISLNK(st.st_mode)) return kErrorAccessDenied;
  // The entry itself, opened without following a link and checked to be the
  // one looked at.
  HostFd fd = OpenEntryAt(folderFd, name, st);
  if (!fd.valid()) return kErrorAccessDenied;
  return SetAttributesOf(fd.get(), attributes, umask);
}

}  // namespace vb::emu
