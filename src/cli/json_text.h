// JSON texts for the machine-readable output of vanbrisk-cli: one object per
// line ("JSON Lines"), so that a reader can take each line as it comes.
#pragma once

#include <string>

namespace vb::cli {

// The text, Windows-1252 as all the program's texts, as a JSON string,
// quotes included. Every byte beyond ASCII is written as the \uXXXX escape of
// its character (see registry::Cp1252ToUnicode), so the JSON is plain ASCII whatever the
// terminal speaks, and two different texts never read the same: each byte
// has a character of its own, the five bytes the code page leaves undefined
// included.
[[nodiscard]] std::string JsonString(const std::string& text);

}  // namespace vb::cli
