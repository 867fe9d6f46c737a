// JSON texts for the machine-readable output of vanbrisk-cli: one object per
// line ("JSON Lines"), so that a reader can take each line as it comes.
#pragma once

#include <string>

namespace vb::cli {

// The text as a JSON string, quotes included. Valid UTF-8 passes as it is;
// any other byte above 0x7F is taken as a Latin-1 character (the program's
// texts are ANSI), so the result is always valid JSON.
[[nodiscard]] std::string JsonString(const std::string& text);

}  // namespace vb::cli
