// The escapes of Wine's registry files, for key names, value names, class
// names and string data, read and written exactly as Wine's server does
// (parse_strW and dump_strW in its server/unicode.c).
//
// Wine holds names and strings in UTF-16. It writes every code unit above
// 127 as "\x" and lower-case hex digits ("\xe9", and "\x00e9" when a hex
// digit follows, so that the escape ends where it should); a surrogate pair
// is two such escapes. Control characters are written as \a \b \t \n \v \f
// \r \e, the rest of them in octal ("\0", "\001" when an octal digit
// follows). A backslash and the delimiters of the string ('"', or '[' and ']'
// in key paths) get a backslash before them. Reading takes those escapes,
// up to four hex digits after \x and three octal ones, any other escaped
// character as itself, and raw UTF-8, whose malformed bytes Wine drops.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vb::wine {

// Reads an escaped string from the start of text up to its delimiter (an
// unescaped endChar) into units. Returns how many bytes were read, the
// delimiter included; nothing when the delimiter is missing.
[[nodiscard]] std::optional<std::size_t> ReadEscaped(std::string_view text, char endChar,
                                                     std::u16string* units);

// Appends units escaped as Wine writes them; quotes holds the two
// delimiters to escape. Returns the number of bytes appended.
std::size_t AppendEscaped(std::string& out, std::u16string_view units, std::string_view quotes);

}  // namespace vb::wine
