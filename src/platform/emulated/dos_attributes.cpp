#include "platform/emulated/dos_attributes.h"

#include <fcntl.h>
#include <sys/syscall.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "platform/emulated/host_entries.h"

namespace vb::emu {

using namespace vb::win;
using platform::FindData;

namespace {

constexpr DWORD kDosAttribBits = kFileAttributeHidden | kFileAttributeSystem;

// The hidden and system bits of "user.DOSATTRIB" text such as "0x6"; other
// bits and text that is no hexadecimal number are ignored.
DWORD ParseDosAttrib(const char* text, ssize_t length) {
  std::string value(text, static_cast<std::size_t>(length));
  value = value.substr(0, value.find('\0'));
  if (value.size() < 3 || value[0] != '0' || (value[1] != 'x' && value[1] != 'X')) return 0;
  char* end = nullptr;
  unsigned long bits = std::strtoul(value.c_str() + 2, &end, 16);
  if (end == value.c_str() + 2) return 0;
  return static_cast<DWORD>(bits) & kDosAttribBits;
}

DWORD ReadDosAttrib(const std::string& hostPath) {
  char buffer[64];
  ssize_t length = lgetxattr(hostPath.c_str(), kDosAttribXattr, buffer, sizeof buffer);
  return length > 0 ? ParseDosAttrib(buffer, length) : 0;
}

DWORD ReadDosAttrib(int fd) {
  char buffer[64];
  ssize_t length = fgetxattr(fd, kDosAttribXattr, buffer, sizeof buffer);
  return length > 0 ? ParseDosAttrib(buffer, length) : 0;
}

// Writes the hidden and system bits as Wine writes them, removing the
// attribute when neither is set.
bool WriteDosAttrib(int fd, DWORD bits) {
  bits &= kDosAttribBits;
  if (bits == 0) return fremovexattr(fd, kDosAttribXattr) == 0 || errno == ENODATA;
  char text[16];
  int length = std::snprintf(text, sizeof text, "0x%x", static_cast<unsigned>(bits));
  return fsetxattr(fd, kDosAttribXattr, text, static_cast<std::size_t>(length), 0) == 0;
}

// getxattrat(2) (Linux 6.13): an extended attribute of an entry named
// relative to an open folder, the link itself when AT_SYMLINK_NOFOLLOW. -1
// with errno ENOSYS where the kernel or the architecture lacks it.
struct XattrArgs {
  std::uint64_t value;
  std::uint32_t size;
  std::uint32_t flags;
};

ssize_t GetXattrAt(int folderFd, const char* name, const char* attribute, char* buffer,
                   std::size_t size) {
#if defined(__linux__) && (defined(__x86_64__) || defined(__aarch64__))
  constexpr long kSysGetxattrat = 464;
  XattrArgs args{reinterpret_cast<std::uintptr_t>(buffer), static_cast<std::uint32_t>(size), 0};
  return static_cast<ssize_t>(syscall(kSysGetxattrat, folderFd, name, AT_SYMLINK_NOFOLLOW,
                                      attribute, &args, sizeof args));
#else
  (void)folderFd, (void)name, (void)attribute, (void)buffer, (void)size;
  errno = ENOSYS;
  return -1;
#endif
}

// The attributes of a symbolic link: only to tell a link to a folder from one
// to a file; nothing is read or done through it.
DWORD LinkAttributes(bool toFolder) {
  return kFileAttributeReparsePoint | (toFolder ? kFileAttributeDirectory : 0);
}

// The attributes the mode tells: folder or archive, and read-only.
DWORD ModeAttributes(mode_t mode) {
  DWORD attributes = S_ISDIR(mode) ? kFileAttributeDirectory : kFileAttributeArchive;
  return ReadOnlyMode(mode) ? attributes | kFileAttributeReadonly : attributes;
}

}  // namespace

FindData EntryOf(const std::string& hostPath, const std::string& name, const struct stat& st) {
  FindData data;
  if (S_ISLNK(st.st_mode)) {
    struct stat target;
    data.attributes = LinkAttributes(stat(hostPath.c_str(), &target) == 0 && S_ISDIR(target.st_mode));
  } else {
    data.attributes = ModeAttributes(st.st_mode) | ReadDosAttrib(hostPath);
  }
  data.size = S_ISREG(st.st_mode) ? static_cast<std::uint64_t>(st.st_size) : 0;
  data.name = name;
  return data;
}

DWORD DosAttribReader::BitsAt(int folderFd, const char* name) {
  char buffer[64];
  ssize_t length = -1;
  if (!noXattrAt_.load(std::memory_order_relaxed)) {
    length = GetXattrAt(folderFd, name, kDosAttribXattr, buffer, sizeof buffer);
    if (length < 0 && errno == ENOSYS) noXattrAt_.store(true, std::memory_order_relaxed);
  }
  if (noXattrAt_.load(std::memory_order_relaxed))
    length = lgetxattr(ThroughDescriptor(folderFd, name).c_str(), kDosAttribXattr, buffer,
                       sizeof buffer);
  return length > 0 ? ParseDosAttrib(buffer, length) : 0;
}

FindData EntryAt(int folderFd, std::string name, const struct stat& st,
                 DosAttribReader& dosAttrib) {
  FindData data;
  data.name = std::move(name);
  if (S_ISLNK(st.st_mode)) {
    struct stat target;
    data.attributes = LinkAttributes(fstatat(folderFd, data.name.c_str(), &target, 0) == 0 &&
                                     S_ISDIR(target.st_mode));
    return data;
  }
  data.attributes = ModeAttributes(st.st_mode);
  // Only folders and regular files carry user extended attributes.
  if (S_ISDIR(st.st_mode) || S_ISREG(st.st_mode))
    data.attributes |= dosAttrib.BitsAt(folderFd, data.name.c_str());
  data.size = S_ISREG(st.st_mode) ? static_cast<std::uint64_t>(st.st_size) : 0;
  return data;
}

LONG SetAttributesOf(int fd, DWORD attributes, unsigned umask) {
  struct stat st;
  if (fstat(fd, &st) != 0) return kErrorAccessDenied;

  mode_t mode = st.st_mode & 07777;
  mode_t wanted = mode;
  if (attributes & kFileAttributeReadonly) {
    wanted = mode & ~static_cast<mode_t>(0222);
  } else if (ReadOnlyMode(mode)) {
    wanted = mode | 0200 | (((mode & 0044) >> 1) & ~static_cast<mode_t>(umask));
  }
  DWORD dosBits = attributes & kDosAttribBits;
  bool dosChange = ReadDosAttrib(fd) != dosBits;

  // A file without write bits refuses its extended attributes to a non-root
  // owner, so write bits come back before and go away after.
  if (wanted != mode && !ReadOnlyMode(wanted) && fchmod(fd, wanted) != 0)
    return FromErrno(errno);
  if (dosChange && !WriteDosAttrib(fd, dosBits)) return FromErrno(errno);
  if (wanted != mode && ReadOnlyMode(wanted) && fchmod(fd, wanted) != 0)
    return FromErrno(errno);
  return kErrorSuccess;
}

unsigned ProcessUmask() {
  std::FILE* status = std::fopen("/proc/self/status", "r");
  if (!status) return 022;
  unsigned mask = 022;
  char line[256];
  while (std::fgets(line, sizeof line, status))
    if (std::sscanf(line, "Umask: %o", &mask) == 1) break;
  std::fclose(status);
  return mask & 0777;
}

}  // namespace vb::emu
