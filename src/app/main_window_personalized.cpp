// The main window's wiring of the Personalized page and of the commands that
// save results to a file.
#include "app/main_window.h"
#include "app/program.h"
#include "personal/add_registry_window.h"
#include "personal/text_saving.h"

namespace vb::app {

void MainWindow::WirePersonalized() {
  auto& f = form_;
  auto addFile = [this] { personal::AddFile(personal_); };
  auto addFolder = [this] { personal::AddFolder(personal_); };
  auto addRegistry = [this] {
    program_.Open<personal::AddRegistryWindow>(program_.app(), personal_).ShowOwnedBy(form_);
  };
  auto removeSelected = [this] { personal::RemoveSelected(personal_); };
  auto removeAll = [this] { personal::RemoveAll(personal_); };
  f.AFil->onClick = f.afilmnu->onClick = addFile;
  f.AFol->onClick = f.afolmnu->onClick = addFolder;
  f.AReg->onClick = f.aregmnu->onClick = addRegistry;
  f.RSel->onClick = f.rselmnu->onClick = removeSelected;
  f.RAll->onClick = f.rallmnu->onClick = removeAll;
  f.LV->onMouseDown = [this](toolkit::MouseButton button, int, int) {
    if (button != toolkit::MouseButton::kRight) return;
    auto& list = *form_.LV;
    if (list.Count() > 0) form_.rselmnu->SetEnabled(list.SelectedIndex() >= 0);
    form_.PopupMenu(*form_.PersMenu);
  };
  f.mnusave->onClick = [this] { personal::SaveResultsText(program_.platform(), *form_.Text1); };
  // The Internet page's log: its menu belongs to the box that shows it, and
  // the button sits on that page.
  auto saveLog = [this] { personal::SaveLogLines(program_.platform(), *form_.L2); };
  f.mnulog->onClick = saveLog;
  f.SLF->onClick = saveLog;
}

}  // namespace vb::app
