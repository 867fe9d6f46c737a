// Names between Windows' UTF-16 and the program's text, which is in the
// process's ANSI code page (UTF-8 where the manifest's activeCodePage is
// honoured, the legacy code page on older systems). Included only by the
// Win32 realisation's files, after <windows.h>.
#pragma once

#include <string>
#include <string_view>

namespace vb::win32 {

// The name in codePage (the process's ANSI code page when 0); false when a
// character has no exact form there. Never a best-fit mapping: a name that
// does not map is refused, since a lookalike (the ligature U+FB01 as "fi") could name another
// file. Under UTF-8 only a broken name (a lone surrogate) is refused.
[[nodiscard]] bool NarrowName(std::wstring_view wide, std::string* out, UINT codePage = 0);

// The UTF-16 form of a name in the process's ANSI code page; false for bytes
// that are no text of that code page.
[[nodiscard]] bool WideName(const std::string& narrow, std::wstring* out);

}  // namespace vb::win32
