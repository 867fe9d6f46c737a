#include "platform/emulated/emulated_shell.h"

#include "platform/ascii_case.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "platform/emulated/host_paths.h"

namespace vb::emu {

using namespace vb::win;

namespace {

// Deeper trees are left alone rather than holding a descriptor per level
// without bound.
constexpr int kMaxDepth = 256;

// The bookkeeping files of a bin, which are neither items nor emptied.
bool BinFile(const std::string& name) {
  return platform::EqualsIgnoringCase(name, "desktop.ini") || platform::EqualsIgnoringCase(name, "INFO2");
}

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// The RECYCLER folder of a drive, opened without following a link; invalid
// when the drive has none (or only a link or a file of that name).
HostFd OpenBin(const HostPaths& paths, char letter) {
  HostPaths::Resolved bin;
  std::string path = std::string(1, letter) + ":\\RECYCLER";
  if (paths.Resolve(path, &bin) != kErrorSuccess || !bin.exists || bin.root) return HostFd();
  HostFd parent = OpenHostFolder(bin.parent);
  if (!parent.valid()) return HostFd();
  return HostFd(
      openat(parent.get(), bin.leaf.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
}

HostFd OpenChildFolder(int folderFd, const std::string& name) {
  return HostFd(
      openat(folderFd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
}

// The bytes of the regular files of an entry and everything below it; links
// count nothing and are not followed.
std::int64_t TreeBytes(int folderFd, const std::string& name, int depth) {
  struct stat st;
  if (fstatat(folderFd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) return 0;
  if (S_ISREG(st.st_mode)) return st.st_size;
  if (!S_ISDIR(st.st_mode) || depth >= kMaxDepth) return 0;
  HostFd fd = OpenChildFolder(folderFd, name);
  std::vector<std::string> names;
  if (!fd.valid() || !ReadFolderNames(fd.get(), &names)) return 0;
  std::int64_t total = 0;
  for (const std::string& child : names) total += TreeBytes(fd.get(), child, depth + 1);
  return total;
}

// Removes an entry and everything below it, each step relative to the open
// folder that holds it, so a folder swapped for a link cannot redirect the
// removal. A file held by an exclusive flock stays (and so does its folder).
bool RemoveTree(int folderFd, const std::string& name, int depth) {
  struct stat st;
  if (fstatat(folderFd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) return errno == ENOENT;
  if (S_ISDIR(st.st_mode)) {
    if (depth >= kMaxDepth) return false;
    HostFd fd = OpenChildFolder(folderFd, name);
    if (!fd.valid()) return false;
    // The folder is going anyway; an owner who is not root needs its write bit.
    if ((st.st_mode & 0700) != 0700) fchmod(fd.get(), (st.st_mode & 07777) | 0700);
    std::vector<std::string> names;
    if (!ReadFolderNames(fd.get(), &names)) return false;
    bool all = true;
    for (const std::string& child : names) all = RemoveTree(fd.get(), child, depth + 1) && all;
    if (!all) return false;
    return unlinkat(folderFd, name.c_str(), AT_REMOVEDIR) == 0 || errno == ENOENT;
  }
  if (S_ISREG(st.st_mode)) {
    HostFd fd(openat(folderFd, name.c_str(),
                     O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (fd.valid() && flock(fd.get(), LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK)
      return false;
  }
  return unlinkat(folderFd, name.c_str(), 0) == 0 || errno == ENOENT;
}

}  // namespace

EmulatedShell::EmulatedShell(const HostPaths& paths) : paths_(paths) {}

bool EmulatedShell::Drives(const char* rootPath, std::string* letters) const {
  letters->clear();
  auto exists = [this](char letter) {
    std::string host;
    return paths_.ResolveFolder(std::string(1, letter) + ":\\", &host) == kErrorSuccess;
  };
  if (!rootPath || !*rootPath) {
    for (char letter = 'a'; letter <= 'z'; ++letter)
      if (exists(letter)) *letters += letter;
    return true;
  }
  if (!IsLetter(rootPath[0]) || rootPath[1] != ':') return false;
  if (rootPath[2] != '\0' && rootPath[2] != '\\' && rootPath[2] != '/') return false;
  char letter = static_cast<char>(rootPath[0] | 0x20);
  if (!exists(letter)) return false;
  *letters = std::string(1, letter);
  return true;
}

HRESULT EmulatedShell::SHQueryRecycleBinA(const char* rootPath, platform::RecycleBinInfo* info) {
  if (!info) return kEInvalidArg;
  info->i64Size = 0;
  info->i64NumItems = 0;
  std::string letters;
  if (!Drives(rootPath, &letters)) return kEInvalidArg;
  for (char letter : letters) {
    HostFd bin = OpenBin(paths_, letter);
    std::vector<std::string> names;
    if (!bin.valid() || !ReadFolderNames(bin.get(), &names)) continue;
    for (const std::string& name : names) {
      if (BinFile(name)) continue;
      ++info->i64NumItems;
      info->i64Size += TreeBytes(bin.get(), name, 1);
    }
  }
  return kSOk;
}

HRESULT EmulatedShell::SHEmptyRecycleBinA(std::intptr_t /*ownerWindow*/, const char* rootPath,
                                          DWORD /*flags*/) {
  // No window is shown, so the confirmation, progress and sound flags change nothing.
  std::string letters;
  if (!Drives(rootPath, &letters)) return kEInvalidArg;
  bool all = true;
  for (char letter : letters) {
    HostFd bin = OpenBin(paths_, letter);
    std::vector<std::string> names;
    if (!bin.valid()) continue;
    if (!ReadFolderNames(bin.get(), &names)) {
      all = false;
      continue;
    }
    for (const std::string& name : names)
      if (!BinFile(name)) all = RemoveTree(bin.get(), name, 1) && all;
  }
  return all ? kSOk : kEFail;
}

}  // namespace vb::emu
