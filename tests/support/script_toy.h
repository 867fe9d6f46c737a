// A small program of toolkit windows that scripts drive: the script driver's
// tests and its fuzz target use it, so it needs no test framework.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "cli/script_driver.h"
#include "platform/platform.h"
#include "toolkit/application.h"
#include "toolkit/form.h"

namespace vb::test {

// Two windows: Form1 with one control of each kind, and Warning, shown owned
// by Form1 as a new instance each time. Handlers record what they saw.
class Toy final : public cli::ScriptTarget {
 public:
  explicit Toy(platform::Platform& platform) : platform_(platform) {}
  ~Toy() override {
    forms_.clear();
    app_.reset();
  }

  void Start(const std::string& commandLine) override {
    forms_.clear();
    app_ = std::make_unique<toolkit::Application>(platform_);
    commandLines.push_back(commandLine);
    Build();
    main_->Show();
    if (commandLine == "/QUIT") app_->End();
  }
  bool Running() override { return app_ && !app_->Ended(); }
  toolkit::Application* App() override { return app_.get(); }
  toolkit::Form* MainForm() override { return Running() ? main_ : nullptr; }
  // As the program does: a window other than the main one goes once unloaded.
  void AfterEvent() override {
    std::erase_if(forms_, [this](const auto& f) { return f.get() != main_ && !f->Loaded(); });
  }

  toolkit::Form& Main() { return *main_; }
  std::vector<std::string> events;
  std::vector<std::string> commandLines;

 private:
  toolkit::Form& NewForm(const std::string& name) {
    forms_.push_back(std::make_unique<toolkit::Form>(*app_, name));
    return *forms_.back();
  }
  void Log(std::string event) { events.push_back(std::move(event)); }

  void Build();

  platform::Platform& platform_;
  std::unique_ptr<toolkit::Application> app_;
  std::vector<std::unique_ptr<toolkit::Form>> forms_;
  toolkit::Form* main_ = nullptr;
};

}  // namespace vb::test
