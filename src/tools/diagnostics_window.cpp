#include "tools/diagnostics_window.h"

#include "personal/text_saving.h"
#include "toolkit/application.h"

namespace vb::tools {

using toolkit::Bind;
using F = DiagnosticsForm;

const toolkit::FormTable<DiagnosticsForm>& DiagnosticsTable() {
  static const toolkit::FormTable<DiagnosticsForm> table{
      "Diagnostics",
      520,
      420,
      {
          Bind<&F::Label1>({.name = "Label1",
                            .caption = "Vanbrisk Diagnostic Tool",
                            .font = toolkit::FontRole::kBanner}),
          Bind<&F::List1>({.name = "List1", .visible = false}),
          Bind<&F::Text1>(
              {.name = "Text1", .flags = toolkit::kMultiLine | toolkit::kLocked}),
          Bind<&F::Command2>({.name = "Command2", .caption = "Save to text file..."}),
          Bind<&F::Command1>({.name = "Command1", .caption = "OK", .flags = toolkit::kDefault}),
      },
      // Pixels at 96 DPI; the hidden list sits outside the visible area.
      {
          {"Label1", {12, 8, 496, 30}},
          {"List1", {600, 0, 10, 10}},
          {"Text1", {12, 44, 496, 326}},
          {"Command2", {12, 380, 140, 28}},
          {"Command1", {424, 380, 84, 28}},
      }};
  return table;
}

DiagnosticsForm::DiagnosticsForm(toolkit::Application& app) : toolkit::Form(app, "Diagnostics") {
  toolkit::BuildForm(*this, DiagnosticsTable());
}

DiagnosticsWindow::DiagnosticsWindow(toolkit::Application& app)
    : platform_(app.platform()), form_(app) {
  form_.Command2->onClick = [this] {
    personal::SaveResultsText(platform_, *form_.Text1, "");
  };
  form_.Command1->onClick = [this] { form_.Unload(); };
}

void DiagnosticsWindow::ShowReport(toolkit::Form& main, const AppListBoxes& lists) {
  form_.List1->Clear();
  ShowOwnedBy(main);
  std::vector<std::string> lines = DiagnosticsReport(platform_, lists);
  for (const std::string& line : lines) form_.List1->AddItem(line);
  form_.Text1->SetText(ReportText(lines));
}

}  // namespace vb::tools
