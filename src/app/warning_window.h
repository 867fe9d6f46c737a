// The first-clean warning, shown before a Run Cleaner until the user turns it
// off. Ok lets the run through once; Cancel cleans nothing.
#pragma once

#include <functional>

#include "platform/platform.h"
#include "toolkit/form.h"

namespace vb::app {

class WarningWindow {
 public:
  // runAgain starts the clean run again after Ok.
  WarningWindow(toolkit::Application& app, std::function<void()> runAgain);

  toolkit::Form& form() { return form_; }
  // Shows the window owned by the main window, which stays disabled until the
  // warning unloads.
  void ShowOwnedBy(toolkit::Form& main);

 private:
  void Check1_Click();
  void OKButton_Click();

  platform::Platform& platform_;
  toolkit::Form form_;
  std::function<void()> runAgain_;
};

}  // namespace vb::app
