#include "platform/emulated/emulated_databases.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

#include "platform/emulated/host_entries.h"
#include "platform/sqlite_cleaning.h"

namespace vb::emu {

using namespace vb::win;

namespace {

// SQLite locks a database by POSIX locks on the bytes from 1 GiB on: the
// pending byte, the reserved byte and the 510 shared bytes. A lock another
// process holds on any of them means a connection is using the database.
bool HeldBySqlite(int fd) {
  struct flock probe {};
  probe.l_type = F_WRLCK;
  probe.l_whence = SEEK_SET;
  probe.l_start = 0x40000000;
  probe.l_len = 512;
  if (fcntl(fd, F_GETLK, &probe) != 0) return false;
  return probe.l_type != F_UNLCK;
}

}  // namespace

LONG OpenDatabaseEntry(int folderFd, const std::string& name, HostFd* file) {
  if (!BareName(name)) return kErrorInvalidName;
  HostFd fd(openat(folderFd, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (!fd.valid()) return errno == ELOOP ? kErrorAccessDenied : FromErrno(errno);
  struct stat st;
  if (fstat(fd.get(), &st) != 0) return FromErrno(errno);
  if (!S_ISREG(st.st_mode)) return kErrorAccessDenied;
  if (InUse(fd.get()) || HeldBySqlite(fd.get())) return kErrorSharingViolation;
  *file = std::move(fd);
  return kErrorSuccess;
}

LONG CleanDatabaseEntry(int folderFd, const std::string& name, const platform::DatabaseWork& work,
                        platform::DatabaseOutcome* outcome) {
  HostFd file;
  if (LONG error = OpenDatabaseEntry(folderFd, name, &file); error != kErrorSuccess) return error;
  // SQLite opens it by the path the kernel gives the open folder now, which
  // holds no link (SQLite refuses any, as it refuses a link at the end), so
  // it is the entry of the folder that is open, and its journal goes beside it.
  char folder[PATH_MAX];
  ssize_t length = readlink(("/proc/self/fd/" + std::to_string(folderFd)).c_str(), folder,
                            sizeof folder);
  if (length <= 0 || static_cast<std::size_t>(length) >= sizeof folder) return kErrorPathNotFound;
  std::string path(folder, static_cast<std::size_t>(length));
  return platform::CleanDatabaseFile(path + "/" + name, work, outcome);
}

LONG ProbeDatabaseEntry(int folderFd, const std::string& name, const platform::DatabaseWork& work,
                        platform::DatabaseOutcome* outcome) {
  HostFd file;
  if (LONG error = OpenDatabaseEntry(folderFd, name, &file); error != kErrorSuccess) return error;
  std::string bytes;
  if (LONG error = ReadWhole(file.get(), &bytes); error != kErrorSuccess) return error;
  return platform::ProbeDatabaseBytes(std::move(bytes), work, outcome);
}

}  // namespace vb::emu
