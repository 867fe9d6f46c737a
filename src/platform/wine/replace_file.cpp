#include "platform/wine/replace_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

namespace vb::wine {

namespace {

using win::LONG;

// A write the disk refused for no reason named here.
constexpr LONG kErrorRegistryIoFailed = 1016;

LONG ErrorOf(int error) {
  switch (error) {
    case ENOSPC:
    case EDQUOT: return win::kErrorDiskFull;
    case EACCES:
    case EPERM:
    case EROFS: return win::kErrorAccessDenied;
    case ENOENT: return win::kErrorPathNotFound;
    default: return kErrorRegistryIoFailed;
  }
}

// The file that is written: the one a symbolic link names, so that the link
// stays a link.
std::string RealFile(const std::string& path) {
  std::error_code ec;
  std::filesystem::path real = std::filesystem::canonical(path, ec);
  return ec ? path : real.string();
}

std::string FolderOf(const std::string& path) {
  std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Temporary files are "." NAME ".new-" and six characters of mkstemp.
std::string LeftoverPrefix(const std::string& name) { return "." + name + ".new-"; }

bool WriteAll(int fd, std::string_view content) {
  while (!content.empty()) {
    ssize_t n = write(fd, content.data(), content.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    content.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

}  // namespace

FileStamp StampOf(const std::string& path) {
  struct stat st {};
  if (stat(path.c_str(), &st) != 0) return {};
  return {true, static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino),
          static_cast<std::uint64_t>(st.st_size),
          static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}

Result<std::string> ReadWholeFile(const std::string& path) {
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    int error = errno;
    return Fail("cannot open " + path, error == ENOENT ? win::kErrorFileNotFound : ErrorOf(error));
  }
  std::string content;
  char buffer[65536];
  for (;;) {
    ssize_t n = read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      int error = errno;
      close(fd);
      return Fail("cannot read " + path, ErrorOf(error));
    }
    if (n == 0) break;
    content.append(buffer, static_cast<std::size_t>(n));
  }
  close(fd);
  return content;
}

Result<std::string> WriteBeside(const std::string& path, std::string_view content) {
  std::string real = RealFile(path);
  std::string pattern = FolderOf(real) + "/" + LeftoverPrefix(NameOf(real)) + "XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  int fd = mkostemp(name.data(), O_CLOEXEC);
  if (fd < 0) return Fail("cannot write beside " + real, ErrorOf(errno));
  std::string temporary(name.data());
  struct stat old {};
  bool hadOld = stat(real.c_str(), &old) == 0;
  bool ok = fchmod(fd, hadOld ? (old.st_mode & 07777) : 0644) == 0;
  // Root writing a user's prefix leaves the file the user's.
  if (ok && hadOld && geteuid() == 0 && old.st_uid != 0)
    ok = fchown(fd, old.st_uid, old.st_gid) == 0;
  ok = ok && WriteAll(fd, content) && fsync(fd) == 0;
  int error = errno;
  if (close(fd) != 0 && ok) {
    ok = false;
    error = errno;
  }
  if (!ok) {
    unlink(temporary.c_str());
    return Fail("cannot write " + temporary, ErrorOf(error));
  }
  return temporary;
}

win::LONG PutInPlace(const std::string& temporary, const std::string& path) {
  std::string real = RealFile(path);
  if (rename(temporary.c_str(), real.c_str()) != 0) {
    int error = errno;
    unlink(temporary.c_str());
    return ErrorOf(error);
  }
  int folder = open(FolderOf(real).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder >= 0) {
    int synced = fsync(folder);
    close(folder);
    if (synced != 0) return ErrorOf(errno);
  }
  return win::kErrorSuccess;
}

void RemoveLeftovers(const std::string& path) {
  std::string real = RealFile(path);
  std::string folder = FolderOf(real);
  std::string prefix = LeftoverPrefix(NameOf(real));
  DIR* dir = opendir(folder.c_str());
  if (!dir) return;
  std::vector<std::string> found;
  while (dirent* entry = readdir(dir)) {
    std::string name = entry->d_name;
    if (name.size() == prefix.size() + 6 && name.compare(0, prefix.size(), prefix) == 0)
      found.push_back(folder + "/" + name);
  }
  closedir(dir);
  for (const std::string& leftover : found) unlink(leftover.c_str());
}

}  // namespace vb::wine
