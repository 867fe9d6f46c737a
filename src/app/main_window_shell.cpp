// The main window's shell-integration boxes: their clicks write and remove
// the program's entries in the Windows shell.
#include "app/main_window.h"

namespace vb::app {

void MainWindow::WireShell() {
  auto& f = form_;
  auto& context = shell_;
  f.openOnStartup->onClick = [&context] { shell::OpenOnStartup_Click(context); };
  f.cleanAtStartup->onClick = [&context] { shell::CleanAtStartup_Click(context); };
  f.recycleBinOpenVerb->onClick = [&context] { shell::RecycleBinOpenVerb_Click(context); };
  f.recycleBinRunVerb->onClick = [&context] { shell::RecycleBinRunVerb_Click(context); };
  f.explorerButton->onClick = [&context] { shell::ExplorerButton_Click(context); };
}

}  // namespace vb::app
