// .reg files: any bytes are read or refused without a fault, and a file that
// is read, written back and read again gives the same keys and values.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <string>
#include <string_view>

#include "registry/reg_file.h"

namespace {

// Under one code page of the program's: UTF-8 or Windows-1252.
void ReadWriteRead(std::string_view bytes, vb::win::DWORD codePage) {
  using namespace vb::registry;
  vb::Result<RegFile> file = ParseRegFile(bytes, codePage);
  if (!file) {
    if (file.message().empty()) std::abort();  // a refusal always says why
    return;
  }
  vb::Result<std::string> written = FormatRegFile(*file, codePage);
  if (!written) return;  // a name that a .reg file cannot hold
  vb::Result<RegFile> again = ParseRegFile(*written, codePage);
  if (!again) {
    std::fprintf(stderr, "the written file is refused: %s\n", again.message().c_str());
    std::abort();
  }
  if (again->format != file->format || again->keys != file->keys) {
    std::fprintf(stderr, "the written file reads differently\n");
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  ReadWriteRead(bytes, 65001);
  ReadWriteRead(bytes, 1252);
  return 0;
}
