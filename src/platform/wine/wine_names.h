// Names and strings between Wine's UTF-16 and the program's ANSI text, which
// on the emulated machine is UTF-8 (code page 65001); and the order in which
// Wine keeps subkeys and values.
//
// UTF-16 that is well formed becomes UTF-8. A lone surrogate, which Wine's
// files can hold ("\xd800"), becomes its three-byte form (ED A0 80), so that
// every name read can be handed back to reach the same key or value, and
// every string read and written back comes out as it was.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vb::wine {

[[nodiscard]] std::string AnsiFromUnits(std::u16string_view units);
// Nothing for bytes that are neither UTF-8 nor the three-byte form of a
// lone surrogate.
[[nodiscard]] std::optional<std::u16string> UnitsFromAnsi(std::string_view bytes);

// UTF-16LE bytes, as registry string data is stored, and back; an odd last
// byte is no code unit and is not read.
[[nodiscard]] std::string BytesFromUnits(std::u16string_view units);
[[nodiscard]] std::u16string UnitsFromBytes(std::string_view bytes);

// A code unit in lower case, as Wine compares names: the letters of Latin,
// Greek, Cyrillic, Armenian and the full-width forms. Letters of other
// scripts compare as they are.
[[nodiscard]] char16_t LowerUnit(char16_t c);

// Wine's order of names: code unit by code unit in lower case, a name
// before the longer names it begins. Zero when the names are the same name.
[[nodiscard]] int CompareNames(std::u16string_view a, std::u16string_view b);

}  // namespace vb::wine
