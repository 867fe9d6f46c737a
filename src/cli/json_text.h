// JSON texts for the machine-readable output of vanbrisk-cli: one object per
// line ("JSON Lines"), so that a reader can take each line as it comes.
#pragma once

#include <string>

#include "platform/win_types.h"

namespace vb::cli {

// The text, in the program's code page (codePage: UTF-8 on the emulated
// machine and under the manifest, Windows-1252 on older Windows), as a JSON
// string, quotes included. Every character beyond ASCII is written as its
// \uXXXX escape, so the JSON is plain ASCII whatever the terminal speaks.
// Two different texts never read the same:
//  - under UTF-8, a byte that starts no well-formed character (a Linux file
//    name may hold any bytes) is written as the lone surrogate \udcXX of that
//    byte, which no well-formed character escapes to;
//  - under Windows-1252 each byte has a character of its own, the five bytes
//    the code page leaves undefined being the controls of the same number
//    (see registry::Cp1252ToUnicode).
[[nodiscard]] std::string JsonString(const std::string& text, win::DWORD codePage);

}  // namespace vb::cli
