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
    Show(program_.Open<personal::AddRegistryWindow>(program_.app(), personal_));
  };
  auto removeSelected = [this] { personal::RemoveSelected(personal_); };
  auto removeAll = [this] { personal::RemoveAll(personal_); };
  f.addFileButton->onClick = f.addFileItem->onClick = addFile;
  f.addFolderButton->onClick = f.addFolderItem->onClick = addFolder;
  f.addRegistryButton->onClick = f.addRegistryItem->onClick = addRegistry;
  f.removeSelectedButton->onClick = f.removeSelectedItem->onClick = removeSelected;
  f.removeAllButton->onClick = f.removeAllItem->onClick = removeAll;
  f.personalizedList->onMouseDown = [this](toolkit::MouseButton button, int, int) {
    if (button != toolkit::MouseButton::kRight) return;
    auto& list = *form_.personalizedList;
    if (list.Count() > 0) form_.removeSelectedItem->SetEnabled(list.SelectedIndex() >= 0);
    form_.PopupMenu(*form_.personalizedMenu);
  };
  f.saveTextItem->onClick = [this] {
    personal::SaveResultsText(program_.platform(), *form_.resultsText);
  };
  // The Internet page's log: its menu belongs to the box that shows it, and
  // the button sits on that page.
  auto saveLog = [this] { personal::SaveLogLines(program_.platform(), *form_.internetLog); };
  f.saveLogItem->onClick = saveLog;
  f.saveLogButton->onClick = saveLog;
}

}  // namespace vb::app
