#include "cli/host_file.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace vb::cli {

Result<std::string> ReadHostFile(const std::string& path, std::uint64_t limit) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::file_status status = fs::status(fs::path(path), ec);
  switch (status.type()) {
    case fs::file_type::regular: break;
    case fs::file_type::not_found: return Fail("there is no such file");
    case fs::file_type::directory: return Fail("it is a folder");
    case fs::file_type::block:
    case fs::file_type::character: return Fail("it is a device, not a file");
    case fs::file_type::fifo: return Fail("it is a FIFO, not a file");
    default:
      return Fail(ec ? "it cannot be read: " + ec.message() : std::string("it is not a file"));
  }
  std::string tooLarge = "it is larger than " + std::to_string(limit >> 20) + " MB";
  if (fs::file_size(fs::path(path), ec) > limit && !ec) return Fail(tooLarge);
  std::ifstream in(path, std::ios::binary);
  if (!in) return Fail("it cannot be opened");
  std::string bytes;
  char chunk[65536];
  // Read until its end, or until it holds more than the limit: it grew past it.
  while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
    bytes.append(chunk, static_cast<std::size_t>(in.gcount()));
    if (bytes.size() > limit) return Fail(tooLarge);
  }
  if (in.bad()) return Fail("it cannot be read");
  return bytes;
}

}  // namespace vb::cli
