#include "app/program.h"

#include <algorithm>
#include <stdexcept>

#include "app/main_window.h"
#include "app/warning_window.h"
#include "personal/add_registry_window.h"
#include "tools/about_window.h"
#include "tools/diagnostics_window.h"
#include "tools/startup_window.h"

namespace vb::app {

std::vector<toolkit::WindowTable> WindowTables() {
  return {toolkit::Describe(Form1Table()),         toolkit::Describe(WarningTable()),
          toolkit::Describe(tools::AboutTable()),  toolkit::Describe(tools::StartupTable()),
          toolkit::Describe(tools::DiagnosticsTable()),
          toolkit::Describe(personal::AddRegistryTable())};
}

Program::Program(platform::Platform& platform)
    : recorder_(platform), app_(std::make_unique<toolkit::Application>(recorder_)) {}

Program::~Program() {
  windows_.clear();
  main_.reset();
}

void Program::Start(const std::string& commandLine) {
  // A new start is a new process: fresh windows over the same machine.
  windows_.clear();
  main_.reset();
  app_ = std::make_unique<toolkit::Application>(recorder_);
  if (onNewApplication) onNewApplication(*app_);
  commandLine_ = commandLine;
  main_ = std::make_unique<MainWindow>(*this);
  main_->SetRunTally(runTally);
  main_->Form_Initialize();
  main_->form().Load();
  if (!app_->Ended()) main_->form().Show();
}

bool Program::Running() const { return main_ && !app_->Ended(); }

MainWindow& Program::Main() {
  if (!main_) throw std::logic_error("the program has not started");
  return *main_;
}

void Program::AfterEvent() {
  windows_.erase(std::remove_if(windows_.begin(), windows_.end(),
                                [](const auto& window) { return !window->form().Loaded(); }),
                 windows_.end());
}

}  // namespace vb::app
