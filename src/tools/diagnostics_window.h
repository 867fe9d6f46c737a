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

  toolkit::Label* Label1 = nullptr;
  toolkit::ListBox* List1 = nullptr;
  toolkit::TextBox* Text1 = nullptr;
  toolkit::Button *Command2 = nullptr, *Command1 = nullptr;
};

const toolkit::FormTable<DiagnosticsForm>& DiagnosticsTable();

class DiagnosticsWindow : public toolkit::Window {
 public:
  explicit DiagnosticsWindow(toolkit::Application& app);

  toolkit::Form& form() override { return form_; }
  // Shows the window owned by the main window and fills it with the report
  // of the machine and of the main window's application lists.
  void ShowReport(toolkit::Form& main, const AppListBoxes& lists);

 private:
  platform::Platform& platform_;
  DiagnosticsForm form_;
};

}  // namespace vb::tools
