// Letter case as Windows ignores it in names: ASCII letters fold to upper case.
#pragma once

#include <string>
#include <string_view>

namespace vb::platform {

constexpr char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// The name with its letters in upper case, so names compare and sort without
// regard to case.
std::string FoldAscii(std::string_view name);
bool EqualsIgnoringCase(std::string_view a, std::string_view b);
// Alphabetical order of the folded names.
bool LessIgnoringCase(std::string_view a, std::string_view b);

}  // namespace vb::platform
