// Whole files: reading and writing their bytes, and the values of INI files.
#include "platform/emulated/emulated_file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/emulated/host_entries.h"
#include "platform/ini_text.h"

namespace vb::emu {

using namespace vb::win;

LONG EmulatedFileSystem::ReadFileBytes(const std::string& path, std::string* content) {
  if (!content) return kErrorInvalidParameter;
  Located at;
  LONG error = Locate(paths_, path, &at);
  if (error != kErrorSuccess) return error;
  if (at.where.root) return kErrorAccessDenied;
  if (!at.exists) return kErrorFileNotFound;
  // Folders, links and devices are not read as files.
  if (!S_ISREG(at.st.st_mode)) return kErrorAccessDenied;
  HostFd fd = OpenEntryAt(at.parent.get(), at.where.leaf, at.st);
  if (!fd.valid()) return kErrorAccessDenied;
  if (InUse(fd.get())) return kErrorSharingViolation;

  return ReadWhole(fd.get(), content);
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
  return platform::FindIniValue(text, section, key).value_or(fallback);
}

}  // namespace vb::emu
