#include "platform/emulated/emulated_file_system.h"

#include "platform/ascii_case.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/syscall.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/emulated/host_paths.h"
#include "platform/wildcard.h"

namespace vb::emu {

using namespace vb::win;
using platform::FindData;
using platform::FindHandle;
using platform::FolderHandle;

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

// A name an entry operation accepts: one component a listing could give.
bool BareName(const std::string& name) {
  return RepresentableName(name) && name.find('/') == std::string::npos;
}

// The entry of an open folder by its bare name, looked at without following a
// link.
LONG StatEntry(int folderFd, const std::string& name, struct stat* st) {
  if (!BareName(name)) return kErrorInvalidName;
  return fstatat(folderFd, name.c_str(), st, AT_SYMLINK_NOFOLLOW) == 0 ? kErrorSuccess
                                                                      : FromErrno(errno);
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

// The path of an entry through the folder's descriptor, for the calls that
// have no *at() form: it names the entry of the folder that is open, wherever
// that folder is now.
std::string ThroughDescriptor(int folderFd, const std::string& name) {
  return "/proc/self/fd/" + std::to_string(folderFd) + "/" + name;
}

bool SameEntry(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

timespec CoarseNow() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME_COARSE, &now);
  return now;
}

}  // namespace

EmulatedFileSystem::EmulatedFileSystem(const HostPaths& paths)
    : paths_(paths), umask_(ProcessUmask()) {}

LONG EmulatedFileSystem::ListMatching(const std::string& folder, const std::string& pattern,
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
    LONG error = ListMatching(folder, leaf, &entries);
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
  if (!fd.valid()) return kErrorAccessDenied;
  return SetAttributesOf(fd.get(), attributes);
}

LONG EmulatedFileSystem::SetAttributesOf(int fd, DWORD attributes) {
  struct stat st;
  if (fstat(fd, &st) != 0) return kErrorAccessDenied;

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

LONG EmulatedFileSystem::DeleteFileA(const std::string& path) {
  std::shared_ptr<DeleteHook> hook;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    hook = beforeDelete_;
  }
  if (hook) {
    // Before the path is resolved, so that what the hook changes is what the
    // deletion meets.
    HostPaths::Resolved where;
    if (paths_.Resolve(path, &where) == kErrorSuccess && !where.root)
      (*hook)(where.parent, where.leaf);
  }
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

// ---- Folder handles ----

struct EmulatedFileSystem::HeldFolder {
  HostFd fd;         // O_RDONLY | O_DIRECTORY
  std::string host;  // where the folder was when it was opened
  std::mutex listing;  // guards what follows; listings share the descriptor's offset
  // The names and types the folder held at its last reading, kept while its
  // change time stays the same (and was settled when it was read): the file
  // and folder lists of one folder then cost one reading of it.
  struct Named {
    std::string name;
    unsigned char type;  // DT_*
  };
  std::vector<Named> names;
  timespec namesChanged{};
  bool namesKept = false;
};

EmulatedFileSystem::~EmulatedFileSystem() = default;

std::shared_ptr<EmulatedFileSystem::HeldFolder> EmulatedFileSystem::Held(FolderHandle folder) {
  std::lock_guard<std::mutex> lock(mutex_);
  auto it = folders_.find(folder);
  return it == folders_.end() ? nullptr : it->second;
}

FolderHandle EmulatedFileSystem::Hold(std::shared_ptr<HeldFolder> held) {
  std::lock_guard<std::mutex> lock(mutex_);
  FolderHandle id = nextFolder_++;
  folders_.emplace(id, std::move(held));
  return id;
}

std::size_t EmulatedFileSystem::OpenFolderCount() {
  std::lock_guard<std::mutex> lock(mutex_);
  return folders_.size();
}

void EmulatedFileSystem::SetBeforeDeleteHook(DeleteHook hook) {
  std::lock_guard<std::mutex> lock(mutex_);
  beforeDelete_ = hook ? std::make_shared<DeleteHook>(std::move(hook)) : nullptr;
}

void EmulatedFileSystem::BeforeDelete(const std::string& hostFolder, const std::string& name) {
  std::shared_ptr<DeleteHook> hook;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    hook = beforeDelete_;
  }
  if (hook) (*hook)(hostFolder, name);
}

DWORD EmulatedFileSystem::DosAttribAt(int folderFd, const char* name) {
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

FindData EmulatedFileSystem::EntryAt(int folderFd, const std::string& name,
                                     const struct stat& st) {
  FindData data;
  data.name = name;
  if (S_ISLNK(st.st_mode)) {
    // Only to tell a link to a folder from one to a file; nothing is read
    // or done through it.
    struct stat target;
    bool folder = fstatat(folderFd, name.c_str(), &target, 0) == 0 && S_ISDIR(target.st_mode);
    data.attributes = kFileAttributeReparsePoint | (folder ? kFileAttributeDirectory : 0);
    return data;
  }
  data.attributes = S_ISDIR(st.st_mode) ? kFileAttributeDirectory : kFileAttributeArchive;
  if (ReadOnlyMode(st.st_mode)) data.attributes |= kFileAttributeReadonly;
  // Only folders and regular files carry user extended attributes.
  if (S_ISDIR(st.st_mode) || S_ISREG(st.st_mode))
    data.attributes |= DosAttribAt(folderFd, name.c_str());
  data.size = S_ISREG(st.st_mode) ? static_cast<std::uint64_t>(st.st_size) : 0;
  return data;
}

LONG EmulatedFileSystem::OpenFolder(const std::string& path, FolderHandle* folder,
                                    bool* driveRoot) {
  if (!folder) return kErrorInvalidParameter;
  *folder = platform::kInvalidFolderHandle;
  std::string host;
  bool root = false;
  LONG error = paths_.ResolveFolder(path, &host, &root);
  if (error != kErrorSuccess) return error;
  auto held = std::make_shared<HeldFolder>();
  held->fd = OpenHostFolder(host);
  if (!held->fd.valid()) return errno == ENOENT || errno == ENOTDIR ? kErrorPathNotFound
                                                                    : FromErrno(errno);
  // The path was checked to stay inside the machine; so must the folder that
  // was opened, should a link on the way have changed in between.
  if (!paths_.InsideMachine(ThroughDescriptor(held->fd.get(), "."))) {
    // Without /proc to tell, it must at least be the folder the checked path
    // still leads to.
    struct stat opened, now;
    if (access("/proc/self/fd", F_OK) == 0 || fstat(held->fd.get(), &opened) != 0 ||
        stat(host.c_str(), &now) != 0 || !SameEntry(opened, now))
      return kErrorPathNotFound;
  }
  held->host = std::move(host);
  if (driveRoot) *driveRoot = root;
  *folder = Hold(std::move(held));
  return kErrorSuccess;
}

LONG EmulatedFileSystem::OpenSubfolder(FolderHandle folder, const std::string& name,
                                       FolderHandle* sub) {
  if (!sub) return kErrorInvalidParameter;
  *sub = platform::kInvalidFolderHandle;
  std::shared_ptr<HeldFolder> parent = Held(folder);
  if (!parent) return kErrorInvalidHandle;
  struct stat st;
  if (LONG error = StatEntry(parent->fd.get(), name, &st); error != kErrorSuccess) return error;
  if (S_ISLNK(st.st_mode)) return kErrorAccessDenied;
  if (!S_ISDIR(st.st_mode)) return kErrorDirectory;
  auto held = std::make_shared<HeldFolder>();
  held->fd = HostFd(openat(parent->fd.get(), name.c_str(),
                           O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
  struct stat opened;
  if (!held->fd.valid()) return errno == ELOOP ? kErrorAccessDenied : FromErrno(errno);
  // Still the folder that was looked at, not one put in its place since.
  if (fstat(held->fd.get(), &opened) != 0 || !SameEntry(st, opened)) return kErrorAccessDenied;
  held->host = parent->host + "/" + name;
  *sub = Hold(std::move(held));
  return kErrorSuccess;
}

void EmulatedFileSystem::CloseFolder(FolderHandle folder) {
  std::shared_ptr<HeldFolder> held;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = folders_.find(folder);
    if (it == folders_.end()) return;
    held = std::move(it->second);
    folders_.erase(it);
  }
  // The descriptor closes here, or when the last operation using it ends.
}

LONG EmulatedFileSystem::ListFolder(FolderHandle folder, platform::ListDetail detail,
                                    std::vector<FindData>* entries) {
  if (!entries) return kErrorInvalidParameter;
  entries->clear();
  std::shared_ptr<HeldFolder> held = Held(folder);
  if (!held) return kErrorInvalidHandle;
  int fd = held->fd.get();
  std::lock_guard<std::mutex> lock(held->listing);
  timespec began = CoarseNow();
  struct stat folderStat;
  if (fstat(fd, &folderStat) != 0) return FromErrno(errno);
  if (!held->namesKept || held->namesChanged.tv_sec != folderStat.st_ctim.tv_sec ||
      held->namesChanged.tv_nsec != folderStat.st_ctim.tv_nsec) {
    held->namesKept = false;
    held->names.clear();
    // getdents64 straight on the folder's descriptor, from its start: one
    // buffer holds some hundreds of names per call.
    if (lseek(fd, 0, SEEK_SET) != 0) return FromErrno(errno);
    alignas(8) char buffer[32768];
    for (;;) {
      long got = syscall(SYS_getdents64, fd, buffer, sizeof buffer);
      if (got < 0) {
        if (errno == EINTR) continue;
        held->names.clear();
        return FromErrno(errno);
      }
      if (got == 0) break;
      for (long at = 0; at < got;) {
        struct Dirent64 {
          std::uint64_t ino;
          std::int64_t off;
          unsigned short reclen;
          unsigned char type;
          char name[1];
        };
        const auto* entry = reinterpret_cast<const Dirent64*>(buffer + at);
        at += entry->reclen;
        const char* raw = entry->name;
        if (raw[0] == '.' && (raw[1] == 0 || (raw[1] == '.' && raw[2] == 0))) continue;
        std::string name(raw);
        if (!RepresentableName(name)) continue;
        held->names.push_back({std::move(name), entry->type});
      }
    }
    held->namesChanged = folderStat.st_ctim;
    held->namesKept = SettledChange(folderStat.st_ctim, began);
  }

  entries->reserve(held->names.size());
  for (const HeldFolder::Named& named : held->names) {
    if (detail == platform::ListDetail::kTypes && named.type != DT_UNKNOWN) {
      FindData data;
      data.attributes = named.type == DT_DIR   ? kFileAttributeDirectory
                        : named.type == DT_LNK ? kFileAttributeReparsePoint
                                               : kFileAttributeArchive;
      data.name = named.name;
      entries->push_back(std::move(data));
      continue;
    }
    struct stat st;
    if (fstatat(fd, named.name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) continue;  // gone since
    entries->push_back(EntryAt(fd, named.name, st));
  }
  return kErrorSuccess;
}

LONG EmulatedFileSystem::GetFolderStamp(FolderHandle folder, platform::FolderStamp* stamp) {
  if (!stamp) return kErrorInvalidParameter;
  std::shared_ptr<HeldFolder> held = Held(folder);
  if (!held) return kErrorInvalidHandle;
  timespec now = CoarseNow();
  struct stat st;
  if (fstat(held->fd.get(), &st) != 0) return FromErrno(errno);
  // The change time, which every new, removed or renamed entry moves and
  // which, unlike the modification time, no program can set back.
  stamp->volume = static_cast<std::uint64_t>(st.st_dev);
  stamp->file = static_cast<std::uint64_t>(st.st_ino);
  stamp->changed = static_cast<std::int64_t>(st.st_ctim.tv_sec) * 1000000000LL + st.st_ctim.tv_nsec;
  stamp->settled = SettledChange(st.st_ctim, now);
  return kErrorSuccess;
}

LONG EmulatedFileSystem::SetFolderAttributes(FolderHandle folder, DWORD attributes) {
  std::shared_ptr<HeldFolder> held = Held(folder);
  if (!held) return kErrorInvalidHandle;
  return SetAttributesOf(held->fd.get(), attributes);
}

LONG EmulatedFileSystem::GetEntryInfo(FolderHandle folder, const std::string& name,
                                      FindData* data) {
  if (!data) return kErrorInvalidParameter;
  std::shared_ptr<HeldFolder> held = Held(folder);
  if (!held) return kErrorInvalidHandle;
  struct stat st;
  if (LONG error = StatEntry(held->fd.get(), name, &st); error != kErrorSuccess) return error;
  *data = EntryAt(held->fd.get(), name, st);
  return kErrorSuccess;
}

LONG EmulatedFileSystem::SetEntryAttributes(FolderHandle folder, const std::string& name,
                                            DWORD attributes) {
  std::shared_ptr<HeldFolder> held = Held(folder);
  if (!held) return kErrorInvalidHandle;
  int folderFd = held->fd.get();
  struct stat st;
  if (LONG error = StatEntry(folderFd, name, &st); error != kErrorSuccess) return error;
  if (S_ISLNK(st.st_mode)) return kErrorAccessDenied;
  // The entry itself, opened without following a link and checked to be the
  // one looked at.
  HostFd fd;
  if (S_ISDIR(st.st_mode)) {
    fd = HostFd(openat(folderFd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
  } else if (S_ISREG(st.st_mode)) {
    fd = HostFd(openat(folderFd, name.c_str(),
                       O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  }
  struct stat opened;
  if (!fd.valid() || fstat(fd.get(), &opened) != 0 || !SameEntry(st, opened))
    return kErrorAccessDenied;
  return SetAttributesOf(fd.get(), attributes);
}

LONG EmulatedFileSystem::DeleteEntryFile(FolderHandle folder, const std::string& name) {
  std::shared_ptr<HeldFolder> held = Held(folder);
  if (!held) return kErrorInvalidHandle;
  if (!BareName(name)) return kErrorInvalidName;
  BeforeDelete(held->host, name);
  int folderFd = held->fd.get();
  struct stat st;
  if (LONG error = StatEntry(folderFd, name, &st); error != kErrorSuccess) return error;
  if (S_ISLNK(st.st_mode) || S_ISDIR(st.st_mode)) return kErrorAccessDenied;
  if (ReadOnlyMode(st.st_mode)) return kErrorAccessDenied;
  HostFd fd;
  if (S_ISREG(st.st_mode)) {
    // Held with a shared lock until it is gone, so it cannot be taken in
    // use in between.
    fd = HostFd(openat(folderFd, name.c_str(),
                       O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    struct stat opened;
    if (!fd.valid() || fstat(fd.get(), &opened) != 0 || !SameEntry(st, opened))
      return kErrorAccessDenied;
    if (InUse(fd.get())) return kErrorSharingViolation;
  }
  return unlinkat(folderFd, name.c_str(), 0) == 0 ? kErrorSuccess : FromErrno(errno);
}

LONG EmulatedFileSystem::RemoveEntryFolder(FolderHandle folder, const std::string& name) {
  std::shared_ptr<HeldFolder> held = Held(folder);
  if (!held) return kErrorInvalidHandle;
  int folderFd = held->fd.get();
  struct stat st;
  if (LONG error = StatEntry(folderFd, name, &st); error != kErrorSuccess) return error;
  if (S_ISLNK(st.st_mode)) return kErrorAccessDenied;
  if (!S_ISDIR(st.st_mode)) return kErrorDirectory;
  if (ReadOnlyMode(st.st_mode)) return kErrorAccessDenied;
  if (unlinkat(folderFd, name.c_str(), AT_REMOVEDIR) == 0) return kErrorSuccess;
  return errno == EEXIST ? kErrorDirNotEmpty : FromErrno(errno);
}

}  // namespace vb::emu
