#include "platform/emulated/emulated_file_system.h"

#include "platform/ascii_case.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "platform/emulated/host_paths.h"
#include "platform/wildcard.h"

namespace vb::emu {

using namespace vb::win;
using platform::FindData;
using platform::FindHandle;

namespace {

constexpr DWORD kDosAttribBits = kFileAttributeHidden | kFileAttributeSystem;

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

bool ReadOnlyMode(mode_t mode) { return (mode & 0222) == 0; }

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

// The Windows attributes of a host entry; `st` is its lstat.
DWORD AttributesOf(const std::string& hostPath, const struct stat& st) {
  if (S_ISLNK(st.st_mode)) {
    struct stat target;
    bool folder = stat(hostPath.c_str(), &target) == 0 && S_ISDIR(target.st_mode);
    return kFileAttributeReparsePoint | (folder ? kFileAttributeDirectory : 0);
  }
  DWORD attributes = S_ISDIR(st.st_mode) ? kFileAttributeDirectory : kFileAttributeArchive;
  if (ReadOnlyMode(st.st_mode)) attributes |= kFileAttributeReadonly;
  return attributes | ReadDosAttrib(hostPath);
}

FindData EntryOf(const std::string& hostPath, const std::string& name, const struct stat& st) {
  FindData data;
  data.attributes = AttributesOf(hostPath, st);
  data.size = S_ISREG(st.st_mode) ? static_cast<std::uint64_t>(st.st_size) : 0;
  data.name = name;
  return data;
}

// A host name that a Windows path can name again. Names with characters that
// Windows refuses, or with trailing dots or spaces (which Win32 strips from a
// path), would lead a later operation on "folder\name" to another entry, so
// listings leave them out.
bool RepresentableName(const std::string& name) {
  if (name.empty() || name.back() == '.' || name.back() == ' ') return false;
  for (char c : name) {
    if (static_cast<unsigned char>(c) < 0x20) return false;
    if (std::string_view("<>:\"|?*\\").find(c) != std::string_view::npos) return false;
  }
  return true;
}

// The target of an operation: the resolved path, its parent folder open, and
// the lstat of the last component when it exists.
struct Located {
  HostPaths::Resolved where;
  HostFd parent;  // invalid for a drive root
  bool exists = false;
  struct stat st {};
};

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

bool IsFolderLink(const Located& at) {
  struct stat target;
  return S_ISLNK(at.st.st_mode) &&
         fstatat(at.parent.get(), at.where.leaf.c_str(), &target, 0) == 0 &&
         S_ISDIR(target.st_mode);
}

// Opens the regular file `at` names, never through a link, and checks that it
// is still the entry that was looked at.
HostFd OpenRegular(const Located& at, int flags) {
  HostFd fd(openat(at.parent.get(), at.where.leaf.c_str(),
                   flags | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0666));
  struct stat st;
  if (!fd.valid() || fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return HostFd();
  return fd;
}

// True while another open file description holds an exclusive flock on the
// file; otherwise `fd` keeps a shared lock until it is closed, so the file
// cannot be taken exclusively while this process works on it.
bool InUse(int fd) { return flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK; }

// The file-creation mask, read without changing it (umask() would set it,
// racing other threads); 022 when /proc does not tell.
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

std::string_view TrimView(std::string_view s) {
  const char* blanks = " \t\r\n";
  std::size_t begin = s.find_first_not_of(blanks);
  if (begin == std::string_view::npos) return std::string_view();
  std::size_t end = s.find_last_not_of(blanks);
  return s.substr(begin, end - begin + 1);
}

}  // namespace

EmulatedFileSystem::EmulatedFileSystem(const HostPaths& paths)
    : paths_(paths), umask_(ProcessUmask()) {}

EmulatedFileSystem::~EmulatedFileSystem() = default;

LONG EmulatedFileSystem::ListFolder(const std::string& folder, const std::string& pattern,
                                    std::vector<FindData>* entries) {
  std::string host;
  bool root = false;
  LONG error = paths_.ResolveFolder(folder, &host, &root);
  if (error != kErrorSuccess) return error;
  HostFd fd = OpenHostFolder(host);
  std::vector<std::string> names;
  if (!fd.valid() || !ReadFolderNames(fd.get(), &names)) return kErrorPathNotFound;

  std::vector<FindData> found;
  for (const std::string& name : names) {
    if (!RepresentableName(name) || !platform::MatchesWildcard(pattern, name)) continue;
    struct stat st;
    if (fstatat(fd.get(), name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
    found.push_back(EntryOf(host + "/" + name, name, st));
  }
  std::sort(found.begin(), found.end(), [](const FindData& a, const FindData& b) {
    int order = CompareNoCase(a.name, b.name);
    return order != 0 ? order < 0 : a.name < b.name;
  });

  // "." and ".." head the listing of any folder but a drive root.
  entries->clear();
  if (!root) {
    for (const char* dots : {".", ".."}) {
      struct stat st;
      if (!platform::MatchesWildcard(pattern, dots) || fstatat(fd.get(), dots, &st, 0) != 0)
        continue;
      FindData data = EntryOf(host + "/" + dots, dots, st);
      entries->push_back(data);
    }
  }
  entries->insert(entries->end(), found.begin(), found.end());
  return kErrorSuccess;
}

LONG EmulatedFileSystem::FindFirstFileA(const std::string& pattern, FindData* data,
                                        FindHandle* handle) {
  if (!data || !handle) return kErrorInvalidParameter;
  *handle = kInvalidFindHandle;
  std::size_t separator = pattern.find_last_of("\\/");
  std::string folder;
  std::string leaf;
  if (separator != std::string::npos) {
    folder = pattern.substr(0, separator + 1);
    leaf = pattern.substr(separator + 1);
  } else if (pattern.size() >= 2 && pattern[1] == ':') {
    folder = pattern.substr(0, 2);
    leaf = pattern.substr(2);
  } else {
    folder = "\\";
    leaf = pattern;
  }
  if (leaf.empty()) return kErrorFileNotFound;

  std::vector<FindData> entries;
  if (!platform::HasWildcard(leaf)) {
    // No wildcard: exactly the entry the path names, a folder included.
    Located at;
    LONG error = Locate(paths_, pattern, &at);
    if (error != kErrorSuccess) return error;
    if (!at.exists || at.where.root) return kErrorFileNotFound;
    entries.push_back(EntryOf(at.where.host, at.where.leaf, at.st));
  } else {
    for (char c : leaf)
      if (static_cast<unsigned char>(c) < 0x20 || std::string_view("<>:\"|").find(c) !=
                                                     std::string_view::npos)
        return kErrorInvalidName;
    LONG error = ListFolder(folder, leaf, &entries);
    if (error != kErrorSuccess) return error;
    if (entries.empty()) return kErrorFileNotFound;
  }

  std::lock_guard<std::mutex> lock(mutex_);
  FindHandle id = nextHandle_++;
  *data = entries.front();
  Search& search = searches_[id];
  search.entries = std::move(entries);
  search.next = 1;
  *handle = id;
  return kErrorSuccess;
}

LONG EmulatedFileSystem::FindNextFileA(FindHandle handle, FindData* data) {
  std::lock_guard<std::mutex> lock(mutex_);
  auto it = searches_.find(handle);
  if (it == searches_.end() || !data) return kErrorInvalidHandle;
  Search& search = it->second;
  if (search.next >= search.entries.size()) return kErrorNoMoreFiles;
  *data = search.entries[search.next++];
  return kErrorSuccess;
}

void EmulatedFileSystem::FindClose(FindHandle handle) {
  std::lock_guard<std::mutex> lock(mutex_);
  searches_.erase(handle);
}

DWORD EmulatedFileSystem::GetFileAttributesA(const std::string& path) {
  FindData data;
  return GetFileAttributesExA(path, &data) == kErrorSuccess ? data.attributes
                                                            : kInvalidFileAttributes;
}

LONG EmulatedFileSystem::GetFileAttributesExA(const std::string& path, FindData* data) {
  if (!data) return kErrorInvalidParameter;
  // Only read, so the resolved host path does without an open parent folder:
  // this is the call made most often, mostly for files that are not there.
  HostPaths::Resolved where;
  LONG error = paths_.Resolve(path, &where);
  if (error != kErrorSuccess) return error;
  if (!where.exists) return kErrorFileNotFound;
  struct stat st;
  int done = where.root ? stat(where.host.c_str(), &st) : lstat(where.host.c_str(), &st);
  if (done != 0) return errno == ENOENT ? kErrorFileNotFound : FromErrno(errno);
  *data = EntryOf(where.host, where.leaf, st);
  return kErrorSuccess;
}

LONG EmulatedFileSystem::SetFileAttributesA(const std::string& path, DWORD attributes) {
  Located at;
  LONG error = Locate(paths_, path, &at);
  if (error != kErrorSuccess) return error;
  if (!at.exists) return kErrorFileNotFound;
  if (S_ISLNK(at.st.st_mode)) return kErrorAccessDenied;

  // Work on an open descriptor of the entry itself, never through a link.
  HostFd fd;
  if (at.where.root) {
    fd = OpenHostFolder(at.where.host);
  } else if (S_ISDIR(at.st.st_mode)) {
    fd = HostFd(openat(at.parent.get(), at.where.leaf.c_str(),
                       O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
  } else if (S_ISREG(at.st.st_mode)) {
    fd = OpenRegular(at, O_RDONLY);
  }
  struct stat st;
  if (!fd.valid() || fstat(fd.get(), &st) != 0) return kErrorAccessDenied;

  mode_t mode = st.st_mode & 07777;
  mode_t wanted = mode;
  if (attributes & kFileAttributeReadonly) {
    wanted = mode & ~static_cast<mode_t>(0222);
  } else if (ReadOnlyMode(mode)) {
    // The owner's write bit comes back, and group and others get theirs where
    // they may read and the creation mask allows (as Wine restores them).
    wanted = mode | 0200 | (((mode & 0044) >> 1) & ~static_cast<mode_t>(umask_));
  }
  DWORD dosBits = attributes & kDosAttribBits;
  bool dosChange = ReadDosAttrib(fd.get()) != dosBits;

  // A file without write bits refuses its extended attributes to a non-root
  // owner, so write bits come back before and go away after.
  if (wanted != mode && !ReadOnlyMode(wanted) && fchmod(fd.get(), wanted) != 0)
    return FromErrno(errno);
  if (dosChange && !WriteDosAttrib(fd.get(), dosBits)) return FromErrno(errno);
  if (wanted != mode && ReadOnlyMode(wanted) && fchmod(fd.get(), wanted) != 0)
    return FromErrno(errno);
  return kErrorSuccess;
}

LONG EmulatedFileSystem::DeleteFileA(const std::string& path) {
  // Wildcards are no names: resolving refuses them (kErrorInvalidName).
  Located at;
  LONG error = Locate(paths_, path, &at);
  if (error != kErrorSuccess) return error;
  if (at.where.root) return kErrorAccessDenied;
  if (!at.exists) return kErrorFileNotFound;
  const char* leaf = at.where.leaf.c_str();

  if (S_ISLNK(at.st.st_mode)) {
    // The link itself goes; a link to a folder is a folder, removed by
    // RemoveDirectoryA.
    if (IsFolderLink(at)) return kErrorAccessDenied;
    return unlinkat(at.parent.get(), leaf, 0) == 0 ? kErrorSuccess : FromErrno(errno);
  }
  if (S_ISDIR(at.st.st_mode)) return kErrorAccessDenied;
  if (ReadOnlyMode(at.st.st_mode)) return kErrorAccessDenied;

  HostFd fd;
  if (S_ISREG(at.st.st_mode)) {
    fd = OpenRegular(at, O_RDONLY);
    if (!fd.valid()) return kErrorAccessDenied;
    if (InUse(fd.get())) return kErrorSharingViolation;
  }
  return unlinkat(at.parent.get(), leaf, 0) == 0 ? kErrorSuccess : FromErrno(errno);
}

LONG EmulatedFileSystem::RemoveDirectoryA(const std::string& path) {
  Located at;
  LONG error = Locate(paths_, path, &at);
  if (error != kErrorSuccess) return error;
  if (at.where.root) return kErrorAccessDenied;
  if (!at.exists) return kErrorFileNotFound;
  const char* leaf = at.where.leaf.c_str();

  if (S_ISLNK(at.st.st_mode)) {
    // A link to a folder is removed as a link, whatever its target holds.
    if (!IsFolderLink(at)) return kErrorDirectory;
    return unlinkat(at.parent.get(), leaf, 0) == 0 ? kErrorSuccess : FromErrno(errno);
  }
  if (!S_ISDIR(at.st.st_mode)) return kErrorDirectory;
  if (ReadOnlyMode(at.st.st_mode)) return kErrorAccessDenied;
  if (unlinkat(at.parent.get(), leaf, AT_REMOVEDIR) == 0) return kErrorSuccess;
  return errno == EEXIST ? kErrorDirNotEmpty : FromErrno(errno);
}

LONG EmulatedFileSystem::CreateDirectoryA(const std::string& path) {
  Located at;
  LONG error = Locate(paths_, path, &at);
  if (error != kErrorSuccess) return error;
  if (at.where.root) return kErrorAccessDenied;
  if (at.exists) return kErrorAlreadyExists;
  if (mkdirat(at.parent.get(), at.where.leaf.c_str(), 0777) == 0) return kErrorSuccess;
  return errno == ENOENT ? kErrorPathNotFound : FromErrno(errno);
}

LONG EmulatedFileSystem::ReadFileBytes(const std::string& path, std::string* content) {
  if (!content) return kErrorInvalidParameter;
  Located at;
  LONG error = Locate(paths_, path, &at);
  if (error != kErrorSuccess) return error;
  if (at.where.root) return kErrorAccessDenied;
  if (!at.exists) return kErrorFileNotFound;
  // Folders, links and devices are not read as files.
  if (!S_ISREG(at.st.st_mode)) return kErrorAccessDenied;
  HostFd fd = OpenRegular(at, O_RDONLY);
  if (!fd.valid()) return kErrorAccessDenied;
  if (InUse(fd.get())) return kErrorSharingViolation;

  std::string bytes;
  char buffer[65536];
  for (;;) {
    ssize_t n = read(fd.get(), buffer, sizeof buffer);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      return FromErrno(errno);
    }
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
  *content = std::move(bytes);
  return kErrorSuccess;
}

LONG EmulatedFileSystem::WriteFileBytes(const std::string& path, const std::string& content) {
  Located at;
  LONG error = Locate(paths_, path, &at);
  if (error != kErrorSuccess) return error;
  if (at.where.root) return kErrorAccessDenied;
  if (at.exists && (!S_ISREG(at.st.st_mode) || ReadOnlyMode(at.st.st_mode)))
    return kErrorAccessDenied;

  // Opened without truncation: the bytes go only once the file is known not
  // to be in use.
  HostFd fd(openat(at.parent.get(), at.where.leaf.c_str(),
                   O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0666));
  if (!fd.valid()) return errno == ENOENT ? kErrorPathNotFound : FromErrno(errno);
  struct stat st;
  if (fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return kErrorAccessDenied;
  if (InUse(fd.get())) return kErrorSharingViolation;
  if (ftruncate(fd.get(), 0) != 0) return FromErrno(errno);
  std::size_t written = 0;
  while (written < content.size()) {
    ssize_t n = write(fd.get(), content.data() + written, content.size() - written);
    if (n < 0) {
      if (errno == EINTR) continue;
      return FromErrno(errno);
    }
    written += static_cast<std::size_t>(n);
  }
  return kErrorSuccess;
}

std::string EmulatedFileSystem::GetPrivateProfileStringA(const std::string& section,
                                                         const std::string& key,
                                                         const std::string& defaultValue,
                                                         const std::string& iniPath) {
  std::string fallback = defaultValue;
  while (!fallback.empty() && fallback.back() == ' ') fallback.pop_back();
  std::string text;
  if (section.empty() || key.empty() || ReadFileBytes(iniPath, &text) != kErrorSuccess)
    return fallback;
  if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);

  std::string wantedSection(TrimView(section));
  std::string wantedKey(TrimView(key));
  bool inSection = false;
  bool sectionSeen = false;
  std::string_view rest(text);
  while (!rest.empty()) {
    std::size_t end = rest.find('\n');
    std::string_view line = TrimView(rest.substr(0, end));
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      // Only the first section of that name is looked at, as Windows does.
      if (sectionSeen) break;
      std::string_view name = line.substr(1, line.find(']') - 1);
      inSection = platform::EqualsIgnoringCase(std::string(TrimView(name)), wantedSection);
      sectionSeen = inSection;
      continue;
    }
    if (!inSection) continue;
    std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    if (!platform::EqualsIgnoringCase(std::string(TrimView(line.substr(0, equals))), wantedKey)) continue;
    std::string_view value = TrimView(line.substr(equals + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
      value = value.substr(1, value.size() - 2);
    return std::string(value);
  }
  return fallback;
}

}  // namespace vb::emu
