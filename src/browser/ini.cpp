#include "browser/ini.h"

namespace vb::browser {

namespace {

// The buffer handed to GetPrivateProfileStringA; a longer value is cut so
// that it fits with its NUL.
constexpr std::size_t kBufferSize = 255;

}  // namespace

std::string GetFromINI(platform::FileSystemApi& files, const std::string& File_Path,
                       const std::string& Section, const std::string& Key) {
  std::string value = files.GetPrivateProfileStringA(Section, Key, "", File_Path);
  if (value.size() >= kBufferSize) value.resize(kBufferSize - 1);
  return value;
}

}  // namespace vb::browser
