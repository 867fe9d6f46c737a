// The language box of the main window: the language files it offers, and
// what choosing one does.
#pragma once

#include <string>

#include "language/language_table.h"
#include "platform/platform.h"
#include "toolkit/controls.h"
#include "toolkit/form.h"

namespace vb::language {

// The file of a language: the program's folder, "\", the name and ".lng".
std::string LanguagePath(platform::Platform& platform, const std::string& name);

// Empties the box, puts the stored "Language" setting into its text and lists
// the "*.lng" files of the program's folder in the file system's order, each
// with every ".lng" taken out of its name (letter case counts, so "A.LNG"
// stays whole).
void FillLanguageBox(platform::Platform& platform, toolkit::ComboBox& box);

// Loads the language named by the box's text into the table and the form; a
// file that fails is reported to the user and the box's text emptied.
void ChooseLanguage(platform::Platform& platform, LanguageTable& table, toolkit::Form& form,
                    toolkit::ComboBox& box);

}  // namespace vb::language
