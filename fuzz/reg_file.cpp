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
  std::string error;
  std::optional<RegFile> file =
      ParseRegFile(std::string_view(reinterpret_cast<const char*>(data), size), &error);
  if (!file) {
    if (error.empty()) std::abort();  // a refusal always says why
    return 0;
  }
  std::optional<std::string> written = FormatRegFile(*file, &error);
  if (!written) return 0;  // a name that a .reg file cannot hold
  std::optional<RegFile> again = ParseRegFile(*written, &error);
  if (!again) {
    std::fprintf(stderr, "the written file is refused: %s\n", error.c_str());
    std::abort();
  }
  if (again->format != file->format || again->keys != file->keys) {
    std::fprintf(stderr, "the written file reads differently\n");
    std::abort();
  }
  return 0;
}
