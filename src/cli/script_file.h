// The script file that vanbrisk-cli run reads: only a regular file is taken.
// A folder, a device (/dev/zero never ends), a pipe or a socket is refused
// before anything is read from it; standard input ("-") is read as it is.
#pragma once

#include <fstream>
#include <optional>
#include <string>

#include "base/result.h"

namespace vb::cli {

// Opens path for reading into *file; fails with the reason it cannot be run.
[[nodiscard]] Result<> OpenScriptFile(const std::string& path, std::ifstream* file);

}  // namespace vb::cli
