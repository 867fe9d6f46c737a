#include "tools/memory_figure.h"

namespace vb::tools {

std::string MegabytesText(std::uint64_t bytes) {
  constexpr std::uint64_t kMegabyte = 1024 * 1024;
  // Hundredths of a megabyte, rounded half up, in integers so that no binary
  // fraction can tip a rounding.
  std::uint64_t hundredths = bytes / kMegabyte * 100 + ((bytes % kMegabyte) * 100 + kMegabyte / 2) / kMegabyte;
  std::string text = std::to_string(hundredths / 100);
  unsigned fraction = static_cast<unsigned>(hundredths % 100);
  if (fraction != 0) {
    text += '.';
    text += static_cast<char>('0' + fraction / 10);
    if (fraction % 10 != 0) text += static_cast<char>('0' + fraction % 10);
  }
  return text;
}

platform::MemoryStatus MemoryOf(platform::Platform& platform) {
  platform::MemoryStatus status;
  platform.System().GlobalMemoryStatus(&status);
  return status;
}

}  // namespace vb::tools
