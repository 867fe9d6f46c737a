// The script file that vanbrisk-cli run reads: only a regular file is taken.
// A folder, a device (/dev/zero never ends), a pipe or a socket is refused
// before anything is read from it; standard input ("-") is read as it is.
#pragma once

#include <fstream>
#include <optional>
#include <string>

namespace vb::cli {

// Opens path for reading into *file; the reason it cannot be run, if it cannot.
[[nodiscard]] std::optional<std::string> OpenScriptFile(const std::string& path,
                                                        std::ifstream* file);

}  // namespace vb::cli
