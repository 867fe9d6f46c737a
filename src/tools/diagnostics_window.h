// The Diagnostics window: the diagnostics report, rebuilt each time the
// window opens, and its saving to a text file.
#pragma once

#include "toolkit/window.h"
#include "platform/platform.h"
#include "toolkit/form.h"
#include "toolkit/form_builder.h"
#include "tools/diagnostics_report.h"

namespace vb::tools {

class DiagnosticsForm : public toolkit::Form {
 public:
  explicit DiagnosticsForm(toolkit::Application& app);

  toolkit::Label* title = nullptr;
  toolkit::ListBox* reportLines = nullptr;
  toolkit::TextBox* reportText = nullptr;
  toolkit::Button *saveButton = nullptr, *okButton = nullptr;
};

const toolkit::FormTable<DiagnosticsForm>& DiagnosticsTable();

class DiagnosticsWindow : public toolkit::Window {
 public:
  explicit DiagnosticsWindow(toolkit::Application& app);

  toolkit::Form& form() override { return form_; }
  // Fills the window, once shown, with the report of the machine and of the
  // main window's application lists.
  void FillReport(const AppListBoxes& lists);

 private:
  platform::Platform& platform_;
  DiagnosticsForm form_;
};

}  // namespace vb::tools
