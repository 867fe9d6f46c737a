// Files of the host that a verb reads whole. Only a regular file of at most
// a given size is read: a folder, a device (/dev/zero never ends), a FIFO (it
// waits for a writer that may never come) or a socket is refused before
// anything is read from it, and so is a file larger than the limit, or one
// that grows past it while it is read.
#pragma once

#include <cstdint>
#include <string>

#include "base/result.h"

namespace vb::cli {

// The bytes of path; fails with the reason it was not read ("it is a folder").
[[nodiscard]] Result<std::string> ReadHostFile(const std::string& path, std::uint64_t limit);

}  // namespace vb::cli
