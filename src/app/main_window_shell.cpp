// The main window's shell-integration boxes: their clicks write and remove
// the program's entries in the Windows shell.
#include "app/main_window.h"

namespace vb::app {

void MainWindow::WireShell() {
  auto& f = form_;
  auto& context = shell_;
  f.VnbStartup->onClick = [&context] { shell::VnbStartup_Click(context); };
  f.Check10->onClick = [&context] { shell::Check10_Click(context); };
  f.Check7->onClick = [&context] { shell::Check7_Click(context); };
  f.Check9->onClick = [&context] { shell::Check9_Click(context); };
  f.Check5->onClick = [&context] { shell::Check5_Click(context); };
}

}  // namespace vb::app
