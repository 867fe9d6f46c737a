// Wine's registry files: any bytes are read or refused without a fault; a
// file that is read, written back and read again gives the same keys and
// values, whether its keys are copied as they were read or all written anew.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/wine/wine_registry_file.h"

namespace {

using namespace vb::wine;

void RewriteAll(WineKey& key) {
  key.rewrite = true;
  key.blocks.clear();
  for (auto& subkey : key.subkeys) RewriteAll(*subkey);
}

void Check(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "%s\n", what);
  std::abort();
}

// Reads back what was written from hive: it must hold the same.
void ReadsTheSame(const WineHive& hive, const std::string& written, const char* how) {
  vb::Result<WineHive> again = ReadWineHive(written);
  Check(again.ok(), how);
  Check(SameTree(*again->root, *hive.root), how);
  Check(again->arch == hive.arch && again->unreadKeys.size() == hive.unreadKeys.size(), how);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vb::Result<WineHive> hive = ReadWineHive(std::string(reinterpret_cast<const char*>(data), size));
  if (!hive) {
    Check(!hive.message().empty(), "a refusal says why");
    return 0;
  }
  ReadsTheSame(*hive, WriteWineHive(*hive), "the file copied back reads differently");
  RewriteAll(*hive->root);
  std::string anew = WriteWineHive(*hive);
  ReadsTheSame(*hive, anew, "the file written anew reads differently");
  return 0;
}
