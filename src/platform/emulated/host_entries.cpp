#include "platform/emulated/host_entries.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <string_view>

namespace vb::emu {

using namespace vb::win;

LONG FromErrno(int error) {
  switch (error) {
    case ENOENT:
      return kErrorFileNotFound;
    case ENOTDIR:
      return kErrorPathNotFound;
    case EEXIST:
      return kErrorAlreadyExists;
    case ENOTEMPTY:
      return kErrorDirNotEmpty;
    case EBUSY:
    case ETXTBSY:
    case EWOULDBLOCK:
      return kErrorSharingViolation;
    case ENAMETOOLONG:
      return kErrorInvalidName;
    case ENOMEM:
      return kErrorNotEnoughMemory;
    default:  // EACCES, EPERM, EROFS, EISDIR, ELOOP, ENOTSUP...
      return kErrorAccessDenied;
  }
}

bool RepresentableName(const std::string& name) {
  // Control characters and <>:"|?*\ , as one table looked up per character.
  static constexpr auto kRefused = [] {
    std::array<bool, 256> refused{};
    for (int c = 0; c < 0x20; ++c) refused[c] = true;
    for (unsigned char c : std::string_view("<>:\"|?*\\")) refused[c] = true;
    return refused;
  }();
  if (name.empty() || name.back() == '.' || name.back() == ' ') return false;
  for (char c : name)
    if (kRefused[static_cast<unsigned char>(c)]) return false;
  return true;
}

bool BareName(const std::string& name) {
  return RepresentableName(name) && name.find('/') == std::string::npos;
}

LONG StatEntry(int folderFd, const std::string& name, struct stat* st) {
  if (!BareName(name)) return kErrorInvalidName;
  return fstatat(folderFd, name.c_str(), st, AT_SYMLINK_NOFOLLOW) == 0 ? kErrorSuccess
                                                                      : FromErrno(errno);
}

std::string ThroughDescriptor(int folderFd, const std::string& name) {
  return "/proc/self/fd/" + std::to_string(folderFd) + "/" + name;
}

win::LONG ReadWhole(int fd, std::string* bytes) {
  std::string read;
  char buffer[65536];
  for (;;) {
    ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      return FromErrno(errno);
    }
    read.append(buffer, static_cast<std::size_t>(n));
  }
  *bytes = std::move(read);
  return win::kErrorSuccess;
}

bool InUse(int fd) { return flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK; }

HostFd OpenEntryAt(int folderFd, const std::string& name, const struct stat& st) {
  HostFd fd;
  if (S_ISDIR(st.st_mode)) {
    fd = HostFd(openat(folderFd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
  } else if (S_ISREG(st.st_mode)) {
    fd = HostFd(openat(folderFd, name.c_str(),
                       O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  }
  struct stat opened;
  if (!fd.valid() || fstat(fd.get(), &opened) != 0 || !SameEntry(st, opened)) return HostFd();
  return fd;
}

bool IsFolderLink(int folderFd, const std::string& name, const struct stat& st) {
  struct stat target;
  return S_ISLNK(st.st_mode) && fstatat(folderFd, name.c_str(), &target, 0) == 0 &&
         S_ISDIR(target.st_mode);
}

LONG Locate(const HostPaths& paths, const std::string& path, Located* out) {
  LONG error = paths.Resolve(path, &out->where);
  if (error != kErrorSuccess) return error;
  if (out->where.root) {
    out->exists = stat(out->where.host.c_str(), &out->st) == 0;
    return out->exists ? kErrorSuccess : kErrorPathNotFound;
  }
  out->parent = OpenHostFolder(out->where.parent);
  if (!out->parent.valid()) return kErrorPathNotFound;
  if (fstatat(out->parent.get(), out->where.leaf.c_str(), &out->st, AT_SYMLINK_NOFOLLOW) == 0) {
    out->exists = true;
  } else if (errno != ENOENT) {
    return FromErrno(errno);
  }
  return kErrorSuccess;
}

}  // namespace vb::emu
