#include "cli/script_file.h"

#include <filesystem>
#include <system_error>

namespace vb::cli {

std::optional<std::string> OpenScriptFile(const std::string& path, std::ifstream* file) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::file_status status = fs::status(fs::path(path), ec);
  if (status.type() == fs::file_type::not_found) return "the script " + path + " does not exist";
  if (ec) return "cannot read the script " + path + ": " + ec.message();
  if (status.type() == fs::file_type::directory) return "the script " + path + " is a folder";
  if (status.type() != fs::file_type::regular)
    return "the script " + path + " is not a regular file (use - for standard input)";
  file->open(path, std::ios::binary);
  if (!*file) return "cannot read the script " + path;
  return std::nullopt;
}

}  // namespace vb::cli
