#include "platform/emulated/host_paths.h"

#include "platform/ascii_case.h"

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <linux/openat2.h>
#include <sys/syscall.h>
#include <time.h>

#include <cerrno>
#include <cstdint>
#include <mutex>
#include <string_view>
#include <unordered_map>

namespace vb::emu {

using namespace vb::win;

namespace {


bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// Characters Windows refuses in a file name (the separators are split off before).
bool IsInvalidNameChar(char c) {
  return static_cast<unsigned char>(c) < 0x20 || c == '<' || c == '>' || c == ':' || c == '"' ||
         c == '|' || c == '?' || c == '*';
}

std::string RealPath(const std::string& path) {
  char buffer[PATH_MAX];
  if (!realpath(path.c_str(), buffer)) return std::string();
  return buffer;
}

// The components of a Windows path, with its drive letter (lower case).
// Components are normalised as Win32 normalises them: "." dropped, trailing
// dots and spaces removed; ".." and other all-dot names are refused.
LONG Split(std::string_view path, char* drive, std::vector<std::string>* components) {
  components->clear();
  if (path.empty()) return kErrorPathNotFound;
  if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
    // "\\?\C:\..." and "\\.\C:\..." name a local path; anything else is UNC.
    if (path.size() >= 6 && (path[2] == '?' || path[2] == '.') && IsSeparator(path[3]) &&
        IsLetter(path[4]) && path[5] == ':') {
      path.remove_prefix(4);
    } else {
      return kErrorInvalidName;
    }
  }
  *drive = 'c';
  if (path.size() >= 2 && path[1] == ':') {
    if (!IsLetter(path[0])) return kErrorInvalidName;
    *drive = static_cast<char>(path[0] | 0x20);
    path.remove_prefix(2);
  }
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = start;
    while (end < path.size() && !IsSeparator(path[end])) ++end;
    std::string_view part = path.substr(start, end - start);
    start = end + 1;
    if (part.empty() || part == ".") continue;
    for (char c : part)
      if (IsInvalidNameChar(c)) return kErrorInvalidName;
    std::size_t keep = part.size();
    while (keep > 0 && (part[keep - 1] == '.' || part[keep - 1] == ' ')) --keep;
    if (keep == 0) return kErrorInvalidName;  // "..", "...", " " and the like
    components->emplace_back(part.substr(0, keep));
  }
  return kErrorSuccess;
}

// openat2 with every symbolic link refused; -1 with errno ENOSYS where the
// kernel lacks it.
int OpenWithoutLinks(int folderFd, const std::string& relative, std::uint64_t flags) {
  open_how how{};
  how.flags = flags | O_CLOEXEC;
  how.resolve = RESOLVE_NO_SYMLINKS | RESOLVE_NO_MAGICLINKS | RESOLVE_BENEATH;
  return static_cast<int>(syscall(SYS_openat2, folderFd, relative.c_str(), &how, sizeof how));
}

// Folders remembered at most; the whole cache is dropped when it is full.
constexpr std::size_t kMaxRememberedFolders = 4096;

}  // namespace

// Folders already scanned: upper-case name to host name, valid while the
// folder keeps its identity and modification time.
struct HostPaths::NameCache {
  struct Listing {
    dev_t device = 0;
    ino_t inode = 0;
    timespec modified{};
    std::unordered_map<std::string, std::string> byUpper;
  };
  // A folder path spelled in another case (upper-cased, relative to the
  // machine folder) to its host spelling, valid while that path still leads,
  // without links, to the same folder.
  struct Spelling {
    std::string host;
    dev_t device = 0;
    ino_t inode = 0;
  };
  std::mutex mutex;
  std::unordered_map<std::string, Listing> folders;
  std::unordered_map<std::string, Spelling> spellings;
};

bool SettledChange(const timespec& modified, const timespec& now) {
  long long margin = modified.tv_nsec != 0 ? 20000000LL : 3000000000LL;
  long long m = modified.tv_sec * 1000000000LL + modified.tv_nsec;
  long long b = now.tv_sec * 1000000000LL + now.tv_nsec;
  return m + margin < b;
}

HostFd& HostFd::operator=(HostFd&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) close(fd_);
    fd_ = other.fd_;
    other.fd_ = -1;
  }
  return *this;
}

HostFd::~HostFd() {
  if (fd_ >= 0) close(fd_);
}

HostFd OpenHostFolder(const std::string& hostPath) {
  return HostFd(open(hostPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
}

bool ReadFolderNames(int folderFd, std::vector<std::string>* names) {
  names->clear();
  // A fresh open file description, so the listing has its own offset.
  int fd = openat(folderFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  DIR* dir = fdopendir(fd);
  if (!dir) {
    close(fd);
    return false;
  }
  errno = 0;
  while (dirent* entry = readdir(dir)) {
    std::string_view name(entry->d_name);
    if (name == "." || name == "..") continue;
    names->emplace_back(name);
  }
  bool ok = errno == 0;
  closedir(dir);
  return ok;
}

int CompareNoCase(const std::string& a, const std::string& b) {
  std::size_t n = a.size() < b.size() ? a.size() : b.size();
  for (std::size_t i = 0; i < n; ++i) {
    unsigned char x = static_cast<unsigned char>(platform::UpperAscii(a[i]));
    unsigned char y = static_cast<unsigned char>(platform::UpperAscii(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

HostPaths::HostPaths(std::string machineFolder)
    : machine_(std::move(machineFolder)), names_(std::make_unique<NameCache>()) {
  while (machine_.size() > 1 && machine_.back() == '/') machine_.pop_back();
  machineReal_ = RealPath(machine_);
  machineFd_ = HostFd(open(machine_.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
}

HostPaths::~HostPaths() = default;

std::string HostPaths::FindNoCase(int folderFd, const std::string& folderHost,
                                  const std::string& name) const {
  timespec began{};
  clock_gettime(CLOCK_REALTIME_COARSE, &began);
  struct stat st;
  if ((folderFd >= 0 ? fstat(folderFd, &st) : stat(folderHost.c_str(), &st)) != 0)
    return std::string();
  std::string upper = platform::FoldAscii(name);
  {
    std::lock_guard<std::mutex> lock(names_->mutex);
    auto it = names_->folders.find(folderHost);
    if (it != names_->folders.end() && it->second.device == st.st_dev &&
        it->second.inode == st.st_ino && it->second.modified.tv_sec == st.st_mtim.tv_sec &&
        it->second.modified.tv_nsec == st.st_mtim.tv_nsec) {
      auto found = it->second.byUpper.find(upper);
      return found == it->second.byUpper.end() ? std::string() : found->second;
    }
  }
  HostFd opened;
  if (folderFd < 0) {
    opened = OpenHostFolder(folderHost);
    folderFd = opened.get();
  }
  std::vector<std::string> entries;
  struct stat now;
  if (folderFd < 0 || fstat(folderFd, &now) != 0 || now.st_ino != st.st_ino ||
      now.st_dev != st.st_dev || !ReadFolderNames(folderFd, &entries))
    return std::string();
  NameCache::Listing listing;
  listing.device = st.st_dev;
  listing.inode = st.st_ino;
  listing.modified = st.st_mtim;
  for (std::string& entry : entries) {
    // Of names differing only in case, the byte-wise smallest stands for all.
    auto [it, added] = listing.byUpper.emplace(platform::FoldAscii(entry), entry);
    if (!added && entry < it->second) it->second = std::move(entry);
  }
  auto found = listing.byUpper.find(upper);
  std::string result = found == listing.byUpper.end() ? std::string() : found->second;
  if (SettledChange(st.st_mtim, began)) {
    std::lock_guard<std::mutex> lock(names_->mutex);
    if (names_->folders.size() >= kMaxRememberedFolders) names_->folders.clear();
    names_->folders[folderHost] = std::move(listing);
  }
  return result;
}

std::string HostPaths::DriveFolder(char letter) const {
  return machine_ + "/drive_" + static_cast<char>(letter | 0x20);
}

bool HostPaths::InsideDrives(const std::string& hostPath, bool* driveRoot) const {
  if (driveRoot) *driveRoot = false;
  std::string base = machineReal_.empty() ? RealPath(machine_) : machineReal_;
  std::string real = RealPath(hostPath);
  if (base.empty() || real.empty()) return false;
  // realpath leaves no link in either, so the drive folder named in `real`
  // is a real folder "drive_X" right below the machine folder.
  std::string drives = base == "/" ? "/drive_" : base + "/drive_";
  if (real.size() < drives.size() + 1 || real.compare(0, drives.size(), drives) != 0 ||
      !IsLetter(real[drives.size()]))
    return false;
  std::size_t end = drives.size() + 1;
  if (real.size() == end) {
    if (driveRoot) *driveRoot = true;
    return true;
  }
  return real[end] == '/';
}

LONG HostPaths::Resolve(const std::string& windowsPath, Resolved* out) const {
  return Walk(windowsPath, false, out);
}

LONG HostPaths::ResolveFolder(const std::string& windowsPath, std::string* host,
                              bool* root) const {
  Resolved r;
  LONG error = Walk(windowsPath, true, &r);
  if (error != kErrorSuccess) return error;
  if (!r.exists) return kErrorPathNotFound;
  if (host) *host = r.host;
  if (root) *root = r.root;
  return kErrorSuccess;
}

bool HostPaths::WalkWithoutLinks(const std::string& relative, std::size_t leafStart,
                                 bool followLast, Resolved* out) const {
  if (!machineFd_.valid()) return false;
  std::string leaf = relative.substr(leafStart);
  std::string parentRelative = relative.substr(0, leafStart - 1);
  struct stat st;
  HostFd fd(OpenWithoutLinks(machineFd_.get(), relative, O_PATH | O_NOFOLLOW));
  bool exists = fd.valid();
  if (exists) {
    if (fstat(fd.get(), &st) != 0) return false;
  } else {
    if (errno != ENOENT) return false;  // a link, a file on the way, no openat2...
    HostFd parent(OpenWithoutLinks(machineFd_.get(), parentRelative, O_PATH | O_DIRECTORY));
    if (!parent.valid()) {
      // A folder on the way in another case: its host spelling, when an
      // earlier walk found it and it is still the same link-free folder.
      if (errno != ENOENT) return false;
      std::string key = platform::FoldAscii(parentRelative);
      struct stat remembered{};
      {
        std::lock_guard<std::mutex> lock(names_->mutex);
        auto it = names_->spellings.find(key);
        if (it == names_->spellings.end()) return false;
        parentRelative = it->second.host;
        remembered.st_dev = it->second.device;
        remembered.st_ino = it->second.inode;
      }
      parent = HostFd(OpenWithoutLinks(machineFd_.get(), parentRelative, O_PATH | O_DIRECTORY));
      struct stat now;
      if (!parent.valid() || fstat(parent.get(), &now) != 0 || now.st_dev != remembered.st_dev ||
          now.st_ino != remembered.st_ino)
        return false;
      exists = fstatat(parent.get(), leaf.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0;
    }
    if (!exists) {
      std::string other = FindNoCase(parent.get(), machine_ + "/" + parentRelative, leaf);
      if (!other.empty()) {
        if (fstatat(parent.get(), other.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) return false;
        leaf = other;
        exists = true;
      }
    }
  }
  // A link as the folder asked for takes the walk that checks where it leads.
  if (exists && followLast && !S_ISDIR(st.st_mode)) return false;
  out->exists = exists;
  out->parent = machine_ + "/" + parentRelative;
  out->leaf = leaf;
  out->host = out->parent + "/" + leaf;
  return true;
}

void HostPaths::RememberSpelling(const std::string& givenRelative,
                                 const std::string& hostRelative) const {
  struct stat st;
  if (stat((machine_ + "/" + hostRelative).c_str(), &st) != 0) return;
  std::lock_guard<std::mutex> lock(names_->mutex);
  if (names_->spellings.size() >= kMaxRememberedFolders) names_->spellings.clear();
  names_->spellings[platform::FoldAscii(givenRelative)] = {hostRelative, st.st_dev, st.st_ino};
}

LONG HostPaths::Walk(const std::string& windowsPath, bool followLast, Resolved* out) const {
  *out = Resolved();
  char drive = 'c';
  std::vector<std::string> parts;
  LONG error = Split(windowsPath, &drive, &parts);
  if (error != kErrorSuccess) return error;

  // The common case first: the path as spelled, no link anywhere.
  std::string given = "drive_";
  given += drive;
  if (!parts.empty()) {
    for (const std::string& part : parts) given += "/" + part;
    if (WalkWithoutLinks(given, given.size() - parts.back().size(), followLast, out))
      return kErrorSuccess;
    *out = Resolved();
  }

  // Each folder on the way, the drive folder first, must be a folder or a link
  // to a folder that stays inside the machine's drives: a link elsewhere is
  // refused (kErrorAccessDenied). A link to a drive folder makes the path a
  // drive root when it is the path's last folder.
  bool linkFree = true;
  bool linkedRoot = false;
  auto enterFolder = [this, &linkFree, &linkedRoot](const std::string& path,
                                                   const struct stat& st) -> LONG {
    linkedRoot = false;
    if (S_ISDIR(st.st_mode)) return kErrorSuccess;
    if (!S_ISLNK(st.st_mode)) return kErrorPathNotFound;
    linkFree = false;
    if (!InsideDrives(path, &linkedRoot)) {
      struct stat target;
      return stat(path.c_str(), &target) == 0 ? kErrorAccessDenied : kErrorPathNotFound;
    }
    struct stat target;
    return stat(path.c_str(), &target) == 0 && S_ISDIR(target.st_mode) ? kErrorSuccess
                                                                        : kErrorPathNotFound;
  };

  std::string current = DriveFolder(drive);
  struct stat st;
  if (lstat(current.c_str(), &st) != 0) return kErrorPathNotFound;
  if (LONG refused = enterFolder(current, st); refused != kErrorSuccess) return refused;
  if (parts.empty()) {
    out->host = current;
    out->exists = true;
    out->root = true;
    return kErrorSuccess;
  }

  bool respelled = false;
  current.reserve(current.size() + windowsPath.size() + 8);
  for (std::size_t i = 0; i < parts.size(); ++i) {
    bool last = i + 1 == parts.size();
    std::string name = parts[i];
    std::size_t parentLength = current.size();
    if (last && linkFree && respelled) {
      // Later walks to this folder can start from its host spelling.
      std::size_t givenParent = given.size() - parts.back().size() - 1;
      RememberSpelling(given.substr(0, givenParent), current.substr(machine_.size() + 1));
    }
    current += '/';
    current += name;
    bool found = lstat(current.c_str(), &st) == 0;
    if (!found) {
      if (errno != ENOENT) return errno == EACCES ? kErrorAccessDenied : kErrorPathNotFound;
      // Only on a miss: look for the same name in another case.
      std::string other = FindNoCase(-1, current.substr(0, parentLength), name);
      if (!other.empty()) {
        current.resize(parentLength + 1);
        current += other;
        name = other;
        found = lstat(current.c_str(), &st) == 0;
        respelled = true;
      }
    }
    if (last) {
      out->parent = current.substr(0, parentLength);
      out->leaf = name;
      out->host = current;
      out->exists = found;
      if (!found || !followLast) return kErrorSuccess;
      LONG entered = enterFolder(current, st);
      out->root = entered == kErrorSuccess && linkedRoot;
      return entered;
    }
    if (!found) return kErrorPathNotFound;
    if (LONG refused = enterFolder(current, st); refused != kErrorSuccess) return refused;
  }
  return kErrorSuccess;
}

}  // namespace vb::emu
