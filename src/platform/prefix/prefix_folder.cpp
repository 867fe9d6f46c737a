#include "platform/prefix/prefix_folder.h"

#include <filesystem>
#include <system_error>

namespace vb::prefix {

bool IsWinePrefix(const std::string& folder) {
  namespace fs = std::filesystem;
  std::error_code error;
  fs::path root(folder);
  return fs::is_regular_file(root / "system.reg", error) &&
         fs::is_regular_file(root / "user.reg", error) &&
         fs::is_directory(root / "drive_c", error) &&
         !fs::exists(root / "registry.db", error);
}

}  // namespace vb::prefix
