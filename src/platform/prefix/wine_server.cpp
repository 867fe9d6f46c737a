#include "platform/prefix/wine_server.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace vb::prefix {

namespace {

// The lock files that a server of the prefix would hold.
std::vector<std::string> LockFiles(const std::string& prefixFolder) {
  struct stat info {};
  if (stat(prefixFolder.c_str(), &info) != 0) return {};
  char name[64];
  std::snprintf(name, sizeof name, "/server-%llx-%llx/lock",
                static_cast<unsigned long long>(info.st_dev),
                static_cast<unsigned long long>(info.st_ino));
  std::vector<std::string> files = {"/tmp/.wine-" + std::to_string(getuid()) + name};
  // Debian's private folder: one name, nothing that climbs out of the
  // temporary folder.
  std::ifstream named(prefixFolder + "/wineserver");
  std::string folder;
  if (named && std::getline(named, folder) && !folder.empty() &&
      folder.find('/') == std::string::npos && folder != "." && folder != "..") {
    const char* tmp = std::getenv("TMPDIR");
    if (tmp && *tmp && std::string(tmp) != "/tmp")
      files.push_back(std::string(tmp) + "/" + folder + name);
    files.push_back("/tmp/" + folder + name);
  }
  return files;
}

// The process that holds a write lock on the open file; 0 when none.
pid_t Holder(int fd) {
  struct flock lock {};
  lock.l_type = F_WRLCK;
  lock.l_whence = SEEK_SET;
  if (fcntl(fd, F_GETLK, &lock) != 0 || lock.l_type == F_UNLCK) return 0;
  return lock.l_pid > 0 ? lock.l_pid : -1;
}

// "the prefix P is in use: a wineserver (process N) runs for it"
std::string InUse(const std::string& prefixFolder, pid_t server) {
  std::string process = server > 0 ? " (process " + std::to_string(server) + ")" : "";
  return "the prefix " + prefixFolder + " is in use: a wineserver" + process + " runs for it";
}


}  // namespace

pid_t RunningWineServer(const std::string& prefixFolder) {
  for (const std::string& file : LockFiles(prefixFolder)) {
    int fd = open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) continue;
    pid_t holder = Holder(fd);
    close(fd);
    if (holder != 0) return holder;
  }
  return 0;
}

std::string ServerRunningMessage(const std::string& prefixFolder, pid_t server) {
  return InUse(prefixFolder, server) +
         ", and would write its own registry over any change when it ends. "
         "Close the prefix's programs, or stop it with 'WINEPREFIX=" + prefixFolder +
         " wineserver -k', and run again";
}

std::string ServerRunningNote(const std::string& prefixFolder, pid_t server) {
  return InUse(prefixFolder, server) + ", and what is shown may change while it runs";
}

Result<std::unique_ptr<WineServerHold>> WineServerHold::Take(const std::string& prefixFolder) {
  std::unique_ptr<WineServerHold> hold(new WineServerHold);
  for (const std::string& file : LockFiles(prefixFolder)) {
    int fd = open(file.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) continue;
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    if (fcntl(fd, F_SETLK, &lock) != 0) {
      pid_t holder = Holder(fd);
      close(fd);
      return Fail(ServerRunningMessage(prefixFolder, holder));
    }
    hold->fds_.push_back(fd);
  }
  return hold;
}

WineServerHold::~WineServerHold() {
  for (int fd : fds_) close(fd);
}

}  // namespace vb::prefix
