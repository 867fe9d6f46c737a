// Character conversions for .reg files and the registry's ANSI functions.
//
// Windows-1252 is the legacy ANSI code page. Its five undefined bytes (0x81, 0x8D,
// 0x8F, 0x90, 0x9D) map to the C1 controls of the same number, as Windows
// converts them, so every byte string goes to Unicode and back unchanged.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/result.h"
#include "platform/win_types.h"

namespace vb::registry {

[[nodiscard]] char32_t Cp1252ToUnicode(unsigned char byte);
// Nothing for a character that Windows-1252 cannot hold.
[[nodiscard]] std::optional<unsigned char> UnicodeToCp1252(char32_t c);

// Windows-1252 text to UTF-8, for printing on the host.
[[nodiscard]] std::string Cp1252ToUtf8(std::string_view text);

// Windows-1252 bytes as UTF-16LE bytes, one code unit per byte.
[[nodiscard]] std::string Cp1252ToUtf16Le(std::string_view text);

// Code points to Windows-1252; fails for a character Windows-1252 cannot hold.
[[nodiscard]] Result<std::string> UnicodeToCp1252(std::u32string_view text);

// The program's ANSI text is in its code page: UTF-8 (the emulated machine,
// Windows under the manifest) or Windows-1252. These convert between it and
// Unicode; a character the code page cannot hold, or bytes that are no text
// of it, fail with a message naming them.
[[nodiscard]] Result<std::string> AnsiFromUnicode(std::u32string_view text, win::DWORD codePage);
[[nodiscard]] Result<std::string> AnsiFromUtf16Le(std::string_view bytes, win::DWORD codePage);
[[nodiscard]] Result<std::string> AnsiToUtf16Le(std::string_view text, win::DWORD codePage);

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
// An ANSI file (REGEDIT4): under UTF-8, UTF-8 when it is well formed, else
// Windows-1252, the code page such files were written in.
[[nodiscard]] DecodedText DecodeAnsi(std::string_view bytes, win::DWORD codePage);

}  // namespace vb::registry
