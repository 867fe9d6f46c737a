// The language box of the Advanced tab: choosing a language applies its file
// at once; the choice is saved when the window unloads. The language is
// applied again whenever a window is shown.
#include "app/main_window.h"
#include "app/program.h"
#include "language/language_box.h"
#include "language/language_file.h"
#include "toolkit/window.h"

namespace vb::app {

void MainWindow::WireLanguage() {
  form_.languageBox->onClick = [this] {
    language::ChooseLanguage(program_.platform(), language_, form_, *form_.languageBox);
  };
}

void MainWindow::Show(toolkit::Window& window) {
  window.ShowOwnedBy(form_);
  ApplyLanguage(&window.form());
}

void MainWindow::ApplyLanguage(toolkit::Form* shown) {
  auto& platform = program_.platform();
  // A missing or invalid file leaves the texts as they are.
  bool failed = language::LoadLanguage(platform,
                                       language::LanguagePath(platform, form_.languageBox->Text()),
                                       language_, form_);
  if (!failed && shown) language::ApplyLanguage(*shown, language_);
  ShowLocks();
}

}  // namespace vb::app
