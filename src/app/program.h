// The program as a front end starts it: the toolkit application, the main
// window, and the secondary windows it opens, over one platform.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "toolkit/window.h"
#include "engine/run_tally.h"
#include "platform/platform.h"
#include "platform/recording_platform.h"
#include "toolkit/application.h"
#include "toolkit/form_builder.h"

namespace vb::app {

class MainWindow;

// The table of every window the program has, the main window first: what
// walks all of them (the checks of the tables) takes this list.
std::vector<toolkit::WindowTable> WindowTables();

class Program {
 public:
  explicit Program(platform::Platform& platform);
  ~Program();

  toolkit::Application& app() { return *app_; }
  // The platform the program works on: the one given, through a layer that
  // passes every call on, unless it records (a plan, or Analyze's stages).
  platform::Platform& platform() { return recorder_; }
  platform::RecordingPlatform& Recorder() { return recorder_; }

  // Starts the program with that command line (the text after the program's
  // name): creates the main window, runs its initialize and load handlers, and
  // shows it unless loading ended the program.
  void Start(const std::string& commandLine);
  // Started and not ended.
  bool Running() const;
  const std::string& CommandLine() const { return commandLine_; }
  // The main window; only while started.
  MainWindow& Main();

  // Creates a secondary window, which the caller shows in the same event.
  template <class W, class... Args>
  W& Open(Args&&... args) {
    auto window = std::make_unique<W>(std::forward<Args>(args)...);
    W& ref = *window;
    windows_.push_back(std::move(window));
    return ref;
  }
  // Destroys every secondary window that is no longer loaded. A front end
  // calls it after each event it hands to the windows: a window's own handler
  // may still be running when it unloads it.
  void AfterEvent();
  // The secondary windows open now, oldest first.
  const std::vector<std::unique_ptr<toolkit::Window>>& Windows() const { return windows_; }

  // Told of each new application before its main window is created, so that
  // a renderer can watch its forms from the first.
  std::function<void(toolkit::Application&)> onNewApplication;
  // Whether loading may run "Automatically Clean When Vanbrisk Opens"; a
  // front end that only reads the program's state, or runs a clean of its
  // own choosing, turns it off before the start.
  bool cleanWhenOpening = true;
  // Told of every action of the runs of each main window from its creation,
  // the clean that loading runs in quiet mode included; none: no one is.
  engine::RunTally* runTally = nullptr;

 private:
  platform::RecordingPlatform recorder_;
  std::unique_ptr<toolkit::Application> app_;
  std::string commandLine_;
  std::unique_ptr<MainWindow> main_;
  // Declared last: destroyed first, before the main window that owns them.
  std::vector<std::unique_ptr<toolkit::Window>> windows_;
};

}  // namespace vb::app
