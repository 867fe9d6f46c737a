#include "tools/diagnostics_window.h"

#include "personal/text_saving.h"
#include "toolkit/application.h"

namespace vb::tools {

using toolkit::Bind;
using F = DiagnosticsForm;

const toolkit::FormTable<DiagnosticsForm>& DiagnosticsTable() {
  // Pixels at 96 DPI; the hidden list sits outside the visible area.
  static const toolkit::FormTable<DiagnosticsForm> table{
      .name = "Diagnostics",
      .caption = "Diagnostics",
      .captionKey = 905,
      .clientWidth = 520,
      .clientHeight = 420,
      .controls = {
          Bind<&F::title>({.name = "Label1",
                           .at = {12, 8, 496, 30},
                           .caption = "Vanbrisk Diagnostic Tool",
                           .key = 910,
                           .font = toolkit::FontRole::kBanner}),
          Bind<&F::reportLines>({.name = "List1", .at = {600, 0, 10, 10}, .visible = false}),
          Bind<&F::reportText>({.name = "Text1",
                                .at = {12, 44, 496, 326},
                                .flags = toolkit::kMultiLine | toolkit::kLocked}),
          Bind<&F::saveButton>(
              {.name = "Command2", .at = {12, 380, 140, 28}, .caption = "Save to text file...",
               .key = 915}),
          Bind<&F::okButton>({.name = "Command1",
                              .at = {424, 380, 84, 28},
                              .caption = "OK",
                              .key = 920,
                              .flags = toolkit::kDefault}),
      }};
  return table;
}

DiagnosticsForm::DiagnosticsForm(toolkit::Application& app) : toolkit::Form(app, DiagnosticsTable().name) {
  toolkit::BuildForm(*this, DiagnosticsTable());
}

DiagnosticsWindow::DiagnosticsWindow(toolkit::Application& app)
    : platform_(app.platform()), form_(app) {
  form_.saveButton->onClick = [this] {
    personal::SaveResultsText(platform_, *form_.reportText, "");
  };
  form_.okButton->onClick = [this] { form_.Unload(); };
}

void DiagnosticsWindow::FillReport(const AppListBoxes& lists) {
  form_.reportLines->Clear();
  std::vector<std::string> lines = DiagnosticsReport(platform_, lists);
  for (const std::string& line : lines) form_.reportLines->AddItem(line);
  form_.reportText->SetText(ReportText(lines));
}

}  // namespace vb::tools
