// The main window's wiring of the Tools page, the About and Online Help
// buttons and the links to the product web site.
#include <utility>

#include "app/main_window.h"
#include "app/program.h"
#include "language/language_box.h"
#include "language/language_file.h"
#include "tools/about_window.h"
#include "tools/diagnostics_window.h"
#include "tools/startup_window.h"
#include "tools/tool_programs.h"
#include "tools/web_links.h"

namespace vb::app {

namespace {

using tools::Tool;

// The button of each Windows tool on the Tools page.
constexpr std::pair<Tool, toolkit::Button* Form1::*> kToolButtons[] = {
    {Tool::kDiskCleanup, &Form1::DClean},      {Tool::kRegistryEditor, &Form1::RegEdit},
    {Tool::kControlPanel, &Form1::CPanel},     {Tool::kDirectXDiagnostics, &Form1::DXDiag},
    {Tool::kCommandPrompt, &Form1::CPrompt},   {Tool::kTaskManager, &Form1::TMan},
};

}  // namespace

void MainWindow::WireTools() {
  auto& f = form_;
  auto& platform = program_.platform();
  for (const auto& [tool, button] : kToolButtons)
    (f.*button)->onClick = [&platform, tool = tool] {
      tools::StartTool(platform, tools::ProgramOf(tool));
    };
  auto reapply = [this] { ReapplyLanguage(); };
  f.Diag->onClick = [this] {
    tools::AppListBoxes lists{};
    for (std::size_t i = 0; i < lists.size(); ++i) lists[i] = apps_.lists[i];
    program_.Open<tools::DiagnosticsWindow>(program_.app()).ShowReport(form_, lists);
  };
  f.Start->onClick = [this, reapply] {
    program_.Open<tools::StartupWindow>(program_.app(), reapply).ShowOwnedBy(form_);
  };
  f.Command2->onClick = [this, reapply] {
    program_.Open<tools::AboutWindow>(program_.app(), reapply).ShowOwnedBy(form_);
  };
  f.Command3->onClick = [&platform] { tools::OpenWebPage(platform, tools::kHelpPage); };
  auto home = [&platform] { tools::OpenWebPage(platform, tools::kHomePage); };
  f.Label1->onClick = home;
  f.Picture1->onClick = home;
}

void MainWindow::DisableMissingTools() {
  // A button once disabled stays so while the program runs.
  for (const auto& [tool, button] : kToolButtons)
    if (!tools::ToolPresent(program_.platform(), tools::ProgramOf(tool)))
      (form_.*button)->SetEnabled(false);
}

void MainWindow::ReapplyLanguage() {
  auto& platform = program_.platform();
  [[maybe_unused]] bool failed = language::LoadLanguage(
      platform.Files(), language::LanguagePath(platform, form_.Combo1->Text()), language_, form_);
}

}  // namespace vb::app
