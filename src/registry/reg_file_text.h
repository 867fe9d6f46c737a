// Character conversions for .reg files and the registry's ANSI functions.
//
// The ANSI code page is Windows-1252. Its five undefined bytes (0x81, 0x8D,
// 0x8F, 0x90, 0x9D) map to the C1 controls of the same number, as Windows
// converts them, so every byte string goes to Unicode and back unchanged.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/result.h"

namespace vb::registry {

[[nodiscard]] char32_t Cp1252ToUnicode(unsigned char byte);
// Nothing for a character that Windows-1252 cannot hold.
[[nodiscard]] std::optional<unsigned char> UnicodeToCp1252(char32_t c);

// Windows-1252 text to UTF-8, for printing on the host.
[[nodiscard]] std::string Cp1252ToUtf8(std::string_view text);
// UTF-8 text (a host command line) to Windows-1252. Fails with a message
// naming the offending character or byte.
[[nodiscard]] Result<std::string> Utf8ToCp1252(std::string_view text);

// Windows-1252 bytes as UTF-16LE bytes, one code unit per byte.
[[nodiscard]] std::string Cp1252ToUtf16Le(std::string_view text);
// UTF-16LE bytes back to Windows-1252; fails for an odd byte count, an
// unpaired surrogate or a character Windows-1252 cannot hold.
[[nodiscard]] Result<std::string> Utf16LeToCp1252(std::string_view bytes);

// Code points to Windows-1252; fails for a character Windows-1252 cannot hold.
[[nodiscard]] Result<std::string> UnicodeToCp1252(std::u32string_view text);

// "U+20AC" style name of a character, for messages.
[[nodiscard]] std::string CharacterName(char32_t c);

// A whole text file decoded to code points.
struct DecodedText {
  std::u32string text;
  bool ok = true;
  int errorLine = 0;  // 1-based line of the first undecodable sequence
  std::string error;
};
[[nodiscard]] DecodedText DecodeUtf8(std::string_view bytes);
[[nodiscard]] DecodedText DecodeUtf16Le(std::string_view bytes);
[[nodiscard]] DecodedText DecodeCp1252(std::string_view bytes);

}  // namespace vb::registry
