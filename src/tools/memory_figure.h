// Physical memory as the diagnostics report and the About window write it:
// megabytes rounded to two decimals, in their shortest form (512, 511.5).
#pragma once

#include <cstdint>
#include <string>

#include "platform/platform.h"

namespace vb::tools {

// bytes / 1024 / 1024 rounded half up to two decimals, without digit grouping
// or trailing zeros. Counted in 64 bits: a machine with 2 GB or more shows its
// real figure, never a negative one.
std::string MegabytesText(std::uint64_t bytes);

// The memory status of the machine.
platform::MemoryStatus MemoryOf(platform::Platform& platform);

}  // namespace vb::tools
