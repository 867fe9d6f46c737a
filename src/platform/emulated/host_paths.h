// Resolves Windows paths of the emulated machine to host paths below the
// machine folder, one component at a time without regard to letter case.
//
// "C:\a\b", "c:/a/b", "\a" (below C:) and "a\b" (below C:\) are accepted; "."
// components are skipped, a trailing "\" is allowed, and trailing dots and
// spaces of a component are dropped as Win32 drops them. A symbolic link on the
// way is followed only when its target lies inside one of the machine's drive
// folders (never the machine folder itself, its registry.db or anything else
// beside the drives); a link leading anywhere else is refused. The last
// component is never followed, so operations on it see the link itself.
//
// A path spelled as on the host resolves in one kernel walk that refuses every
// symbolic link; only a link or a name in another case takes the walk one
// component at a time. A folder scanned for a name in another case is
// remembered while its modification time stays the same, and so is the host
// spelling of a folder path given in another case, while it leads to the same
// folder without links.
#pragma once

#include <time.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/win_types.h"

namespace vb::emu {

// An owned host file descriptor, closed on destruction.
class HostFd {
 public:
  HostFd() = default;
  explicit HostFd(int fd) : fd_(fd) {}
  HostFd(const HostFd&) = delete;
  HostFd& operator=(const HostFd&) = delete;
  HostFd(HostFd&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
  HostFd& operator=(HostFd&& other) noexcept;
  ~HostFd();

  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  // Gives up the descriptor, which the caller now closes.
  int release() {
    int fd = fd_;
    fd_ = -1;
    return fd;
  }

 private:
  int fd_ = -1;
};

class HostPaths {
 public:
  explicit HostPaths(std::string machineFolder);
  ~HostPaths();
  HostPaths(const HostPaths&) = delete;
  HostPaths& operator=(const HostPaths&) = delete;

  struct Resolved {
    std::string host;     // host path; the last component in the case given when missing
    bool exists = false;  // whether the last component exists (as an entry of any kind)
    bool root = false;    // the path names a drive root (host is the drive folder)
    std::string parent;   // the host folder holding the last component; empty for a root
    std::string leaf;     // the last component as found (or as given); empty for a root
  };

  // kErrorSuccess, kErrorPathNotFound when a folder on the way is missing or
  // is no folder, kErrorAccessDenied when a link on the way leads outside the
  // machine's drives (refused); kErrorInvalidName for a path
  // that names nothing on a drive (no drive, a UNC path, a ".." component, a
  // character Windows does not allow in a name, such as a wildcard).
  [[nodiscard]] win::LONG Resolve(const std::string& windowsPath, Resolved* out) const;

  // Resolves a path that must name an existing folder, following a link in the
  // last component as links on the way are followed (only inside the drives).
  // kErrorPathNotFound when it is missing or no folder, kErrorAccessDenied
  // when a link leads outside the drives. `root` tells whether the folder it
  // really resolves to is a drive root, however the path is spelled.
  [[nodiscard]] win::LONG ResolveFolder(const std::string& windowsPath, std::string* host,
                                        bool* root = nullptr) const;

  // The host folder of a drive letter ("drive_c" below the machine folder).
  std::string DriveFolder(char letter) const;
  const std::string& MachineFolder() const { return machine_; }

  // Whether a host path, with every link in it resolved, lies inside one of
  // the machine's drive folders (or is one: then `driveRoot`, when given, is
  // set). The machine folder itself and what lies beside the drives is not.
  bool InsideDrives(const std::string& hostPath, bool* driveRoot = nullptr) const;

 private:
  struct NameCache;

  bool WalkWithoutLinks(const std::string& relative, std::size_t leafStart, bool followLast,
                        Resolved* out) const;
  void RememberSpelling(const std::string& givenRelative, const std::string& hostRelative) const;
  win::LONG Walk(const std::string& windowsPath, bool followLast, Resolved* out) const;
  // The entry of a folder named as `name` in another case; "" when none. The
  // folder is given open, or by its host path alone (folderFd -1).
  std::string FindNoCase(int folderFd, const std::string& folderHost,
                         const std::string& name) const;

  std::string machine_;
  std::string machineReal_;  // realpath of the machine folder, when it existed at construction
  HostFd machineFd_;         // the machine folder, for walks relative to it
  std::unique_ptr<NameCache> names_;
};

// Opens a host folder for use with the *at() calls.
[[nodiscard]] HostFd OpenHostFolder(const std::string& hostPath);
// The names in an open folder, "." and ".." left out. False when it cannot be read.
[[nodiscard]] bool ReadFolderNames(int folderFd, std::vector<std::string>* names);

// Whether what is known of a folder as of `now` may be remembered for as long
// as its modification (or change) time stays `modified`: only once that time
// lies clearly before `now`, since any later change then gives the folder
// another time. Filesystems with whole-second times need a wider margin than
// those with nanoseconds.
bool SettledChange(const timespec& modified, const timespec& now);

// ASCII comparisons without regard to letter case, as NTFS compares names
// (both sides upper-cased, so "_" sorts after letters).
int CompareNoCase(const std::string& a, const std::string& b);

}  // namespace vb::emu
