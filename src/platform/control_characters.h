// Control characters: NUL, the other codes below 0x20, and DEL (0x7F). No
// key, value, section, folder or file name that the program reads from a
// file or takes from a user may hold one.
#pragma once

#include <string>
#include <string_view>

namespace vb::platform {

[[nodiscard]] constexpr bool IsControlCharacter(char c) {
  auto code = static_cast<unsigned char>(c);
  return code < 0x20 || code == 0x7F;
}

[[nodiscard]] bool HoldsControlCharacter(std::string_view text);

// The text as a message may show it: each control character written as
// "<NUL>" or "<0xHH>".
[[nodiscard]] std::string ShowControlCharacters(std::string_view text);

}  // namespace vb::platform
