// The first-clean warning, shown before a Run Cleaner until the user turns it
// off. Ok lets the run through once; Cancel cleans nothing.
#pragma once

#include <functional>

#include "toolkit/window.h"
#include "platform/platform.h"
#include "toolkit/form.h"
#include "toolkit/form_builder.h"

namespace vb::app {

class WarningForm : public toolkit::Form {
 public:
  explicit WarningForm(toolkit::Application& app);

  toolkit::Label *warningText = nullptr, *detailsText = nullptr;
  toolkit::Frame* detailsFrame = nullptr;
  toolkit::CheckBox* dontShowAgain = nullptr;
  toolkit::Button *okButton = nullptr, *cancelButton = nullptr;
};

const toolkit::FormTable<WarningForm>& WarningTable();

class WarningWindow : public toolkit::Window {
 public:
  // runAgain starts the clean run again after Ok.
  WarningWindow(toolkit::Application& app, std::function<void()> runAgain);

  toolkit::Form& form() override { return form_; }

 private:
  void DontShowAgain_Click();
  void Ok_Click();

  platform::Platform& platform_;
  WarningForm form_;
  std::function<void()> runAgain_;
};

}  // namespace vb::app
