// .reg files: any bytes are read or refused without a fault, and a file that
// is read, written back and read again gives the same keys and values.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <string>
#include <string_view>

#include "registry/reg_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vb::registry;
  vb::Result<RegFile> file =
      ParseRegFile(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!file) {
    if (file.message().empty()) std::abort();  // a refusal always says why
    return 0;
  }
  vb::Result<std::string> written = FormatRegFile(*file);
  if (!written) return 0;  // a name that a .reg file cannot hold
  vb::Result<RegFile> again = ParseRegFile(*written);
  if (!again) {
    std::fprintf(stderr, "the written file is refused: %s\n", again.message().c_str());
    std::abort();
  }
  if (again->format != file->format || again->keys != file->keys) {
    std::fprintf(stderr, "the written file reads differently\n");
    std::abort();
  }
  return 0;
}
