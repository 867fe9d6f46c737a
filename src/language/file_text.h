// The text of a language file in the program's code page. The shipped files,
// and those written for earlier versions, are Windows-1252, the ANSI code page
// they were made in; a program whose text is UTF-8 (the manifest's code page
// on Windows, and the emulated machine) would show each of their accented
// letters as a broken character. So a file that is not UTF-8 is taken there
// as Windows-1252, and a UTF-8 file is taken as it is, without its byte-order
// mark. A program in a legacy code page takes every file as it is.
#pragma once

#include <string>
#include <string_view>

#include "platform/win_types.h"

namespace vb::language {

// The file's bytes as the text of a program whose code page is codePage.
[[nodiscard]] std::string FileText(std::string bytes, win::DWORD codePage);

}  // namespace vb::language
