// Reading a language file into the table and applying the table to a window.
//
// A file is single-byte text with CR LF line ends. A line starting with ";"
// and a line of blanks are skipped; any other line gives its first three
// characters as the key (read as a number the way BASIC's Val reads one,
// rounded half to even), skips the fourth, and takes the rest as the text,
// each "_" becoming a carriage return.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "language/language_table.h"
#include "platform/platform.h"
#include "toolkit/form.h"

namespace vb::language {

// The key of an entry line's first three characters; nothing for a number
// outside the table (a minus sign or an exponent).
std::optional<int> KeyOf(std::string_view firstThree);

// Reads the file into the table, as text of the program's code page (see
// file_text.h), and, when it was read whole, had no key out of range and its
// entry 0 is the header, applies the table to the form.
// True when it failed: no such file (hidden files are not found), a read
// error, a key out of range or a wrong header. Entries stored before a
// failure stay in the table.
[[nodiscard]] bool LoadLanguage(platform::Platform& platform, const std::string& path,
                                LanguageTable& table, toolkit::Form& form);

// Reads a file's text into the table, as LoadLanguage does once it has the
// file. True when it failed: a key out of range or a wrong header.
[[nodiscard]] bool ReadLanguageText(const std::string& content, LanguageTable& table);

// Copies the entry of every key of the form into its text, in key order: the
// form's caption, each control's caption and tooltip, and each tab of a tab
// strip. An entry no file set is empty and empties the text, except for the
// keys added later (LanguageTable::kFirstAddedKey), whose texts it leaves.
void ApplyLanguage(toolkit::Form& form, const LanguageTable& table);

}  // namespace vb::language
