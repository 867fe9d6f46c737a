// The Group Policy templates of the program: vanbrisk.admx and one
// vanbrisk.adml per shipped language, made from the settings table (one
// policy per box with a setting, so that no box is forgotten), the window's
// own captions and the language files' translations of them.
#pragma once

#include <string>
#include <vector>

#include "app/main_window.h"
#include "language/language_table.h"

namespace vb::cli {

struct TemplateFile {
  std::string path;  // relative: "vanbrisk.admx", "de-DE/vanbrisk.adml"
  std::string text;  // UTF-8 XML
};

// A language of the templates: its culture and its language file's table
// (UTF-8 text).
struct TemplateLanguage {
  std::string culture;  // "en-US", "de-DE", "fr-FR", "es-ES"
  const language::LanguageTable* table;
};

// The language files whose translations the templates carry, by culture.
struct ShippedLanguage {
  const char* culture;
  const char* file;  // in the program's folder
};
[[nodiscard]] const std::vector<ShippedLanguage>& ShippedLanguages();

// The files, the ADMX first; window: a started main window (the boxes'
// captions and language keys).
[[nodiscard]] std::vector<TemplateFile> PolicyTemplates(app::MainWindow& window,
                                                        const std::vector<TemplateLanguage>& languages);

}  // namespace vb::cli
