#include "app/program.h"

#include "app/main_window.h"

namespace vb::app {

Program::Program(platform::Platform& platform)
    : platform_(platform), app_(std::make_unique<toolkit::Application>(platform)) {}

Program::~Program() = default;

void Program::Start(const std::string& commandLine) {
  // A new start is a new process: fresh windows over the same machine.
  main_.reset();
  app_ = std::make_unique<toolkit::Application>(platform_);
  if (onNewApplication) onNewApplication(*app_);
  commandLine_ = commandLine;
  main_ = std::make_unique<MainWindow>(*this);
  main_->Form_Initialize();
  main_->form().Load();
  if (!app_->Ended()) main_->form().Show();
}

bool Program::Running() const { return main_ && !app_->Ended(); }

MainWindow& Program::Main() { return *main_; }

}  // namespace vb::app
