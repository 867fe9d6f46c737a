#include "bench_tree.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cstdio>

namespace bench {
namespace {

bool WriteFile(const std::string& path, std::size_t size, bool hidden) {
  static const std::string kBytes(5000, 'x');
  int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  bool ok = write(fd, kBytes.data(), size) == static_cast<ssize_t>(size);
  if (hidden) ok = fsetxattr(fd, "user.DOSATTRIB", "0x2", 3, 0) == 0 && ok;
  close(fd);
  return ok;
}

}  // namespace

long MakeTree(const std::string& root, int filesPerFolder) {
  long files = 0;
  auto fill = [&](const std::string& folder, int folderIndex) {
    mkdir(folder.c_str(), 0755);
    for (int f = 0; f < filesPerFolder; ++f) {
      long n = static_cast<long>(folderIndex) * filesPerFolder + f;
      char name[32];
      std::snprintf(name, sizeof name, "/f%03d.tmp", f);
      if (WriteFile(folder + name, static_cast<std::size_t>((n * 7919) % 5000), n % 100 == 7))
        ++files;
    }
  };
  int folderIndex = 0;
  for (int g = 0; g < kGroups; ++g) {
    char group[32];
    std::snprintf(group, sizeof group, "/Group%02d", g);
    std::string groupFolder = root + group;
    fill(groupFolder, folderIndex++);
    for (int s = 0; s < kSubfoldersPerGroup; ++s) {
      char sub[32];
      std::snprintf(sub, sizeof sub, "/sub%03d", s);
      fill(groupFolder + sub, folderIndex++);
    }
  }
  return files;
}

}  // namespace bench
