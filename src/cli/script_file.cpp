#include "cli/script_file.h"

#include <filesystem>
#include <system_error>

namespace vb::cli {

Result<> OpenScriptFile(const std::string& path, std::ifstream* file) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::file_status status = fs::status(fs::path(path), ec);
  if (status.type() == fs::file_type::not_found)
    return Fail("the script " + path + " does not exist");
  if (ec) return Fail("cannot read the script " + path + ": " + ec.message());
  if (status.type() == fs::file_type::directory)
    return Fail("the script " + path + " is a folder");
  if (status.type() != fs::file_type::regular)
    return Fail("the script " + path + " is not a regular file (use - for standard input)");
  file->open(path, std::ios::binary);
  if (!*file) return Fail("cannot read the script " + path);
  return {};
}

}  // namespace vb::cli
