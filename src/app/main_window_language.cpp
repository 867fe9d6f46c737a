// The language box of the Advanced tab: choosing a language applies its file
// at once; the choice is saved when the window unloads.
#include "app/main_window.h"
#include "app/program.h"
#include "language/language_box.h"

namespace vb::app {

void MainWindow::WireLanguage() {
  form_.Combo1->onClick = [this] {
    language::ChooseLanguage(program_.platform(), language_, form_, *form_.Combo1);
  };
}

}  // namespace vb::app
