// Registry values as text: the names of the value types ("REG_SZ" ...
// "REG_QWORD"), a value's data as reg query shows it, and data typed as text
// turned into the bytes a value of a type holds. All text is Windows-1252.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/result.h"
#include "platform/win_types.h"

namespace vb::registry {

inline constexpr win::DWORD kRegQword = 11;

// "REG_SZ" for kRegSz, and so for every type Windows names; "0x1f" for a
// type without a name.
[[nodiscard]] std::string TypeText(win::DWORD type);
// The type a name stands for, in any letter case; nothing for an unknown one.
[[nodiscard]] std::optional<win::DWORD> ParseTypeName(std::string_view name);

// The data of a value as reg query prints it: strings up to their NUL, a
// REG_MULTI_SZ list joined with "\0", numbers as 0x hexadecimal, anything
// else (and a number of the wrong size) as upper-case hex digits.
[[nodiscard]] std::string DataText(win::DWORD type, std::string_view data);

// A decimal or 0x-hexadecimal number no larger than max.
[[nodiscard]] std::optional<std::uint64_t> ParseNumber(std::string_view text, std::uint64_t max);

// Whether DataFromText can make a value of the type: the strings, the
// numbers, REG_BINARY and REG_NONE.
[[nodiscard]] bool IsWritableFromText(win::DWORD type);

// The bytes a value of the type holds for text: a string with its NUL; the
// strings of a REG_MULTI_SZ list split at separator, each with its NUL, and
// one more NUL to close the list; a number (decimal or 0x hexadecimal, 0 when
// text is absent) in its byte order; pairs of hex digits for REG_BINARY and
// REG_NONE. Fails, saying why, for text that the type cannot hold.
[[nodiscard]] Result<std::string> DataFromText(win::DWORD type,
                                               const std::optional<std::string>& text,
                                               const std::string& separator);

}  // namespace vb::registry
