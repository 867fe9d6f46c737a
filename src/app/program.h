// The program as a front end starts it: the toolkit application and the main
// window over one platform.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/platform.h"
#include "toolkit/application.h"

namespace vb::app {

class MainWindow;

class Program {
 public:
  explicit Program(platform::Platform& platform);
  ~Program();

  toolkit::Application& app() { return *app_; }
  platform::Platform& platform() { return platform_; }

  // Starts the program with that command line (the text after the program's
  // name): creates the main window, runs its initialize and load handlers, and
  // shows it unless loading ended the program.
  void Start(const std::string& commandLine);
  // Started and not ended.
  bool Running() const;
  const std::string& CommandLine() const { return commandLine_; }
  // The main window; only while started.
  MainWindow& Main();

  // Told of each new application before its main window is created, so that
  // a renderer can watch its forms from the first.
  std::function<void(toolkit::Application&)> onNewApplication;

 private:
  platform::Platform& platform_;
  std::unique_ptr<toolkit::Application> app_;
  std::string commandLine_;
  std::unique_ptr<MainWindow> main_;
};

}  // namespace vb::app
