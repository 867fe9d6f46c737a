// The main window's wiring of the Tools page, the About and Online Help
// buttons and the links to the product web site.
#include <utility>

#include "app/main_window.h"
#include "app/program.h"
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
    {Tool::kDiskCleanup, &Form1::diskCleanupButton},
    {Tool::kRegistryEditor, &Form1::registryEditorButton},
    {Tool::kControlPanel, &Form1::controlPanelButton},
    {Tool::kDirectXDiagnostics, &Form1::directXDiagnosticsButton},
    {Tool::kCommandPrompt, &Form1::commandPromptButton},
    {Tool::kTaskManager, &Form1::taskManagerButton},
};

}  // namespace

void MainWindow::WireTools() {
  auto& f = form_;
  auto& platform = program_.platform();
  for (const auto& [tool, button] : kToolButtons)
    (f.*button)->onClick = [&platform, tool = tool] {
      tools::StartTool(platform, tools::ProgramOf(tool));
    };
  f.diagnosticsButton->onClick = [this] {
    tools::AppListBoxes lists{};
    for (std::size_t i = 0; i < lists.size(); ++i) lists[i] = apps_.lists[i];
    auto& diagnostics = program_.Open<tools::DiagnosticsWindow>(program_.app());
    Show(diagnostics);
    diagnostics.FillReport(lists);
  };
  f.startupButton->onClick = [this] { Show(program_.Open<tools::StartupWindow>(program_.app())); };
  f.aboutButton->onClick = [this] { Show(program_.Open<tools::AboutWindow>(program_.app())); };
  f.onlineHelpButton->onClick = [&platform] { tools::OpenWebPage(platform, tools::kHelpPage); };
  auto home = [&platform] { tools::OpenWebPage(platform, tools::kHomePage); };
  f.banner->onClick = home;
  f.logo->onClick = home;
}

void MainWindow::DisableMissingTools() {
  // A button once disabled stays so while the program runs.
  for (const auto& [tool, button] : kToolButtons)
    if (!tools::ToolPresent(program_.platform(), tools::ProgramOf(tool)))
      (form_.*button)->SetEnabled(false);
}

}  // namespace vb::app
