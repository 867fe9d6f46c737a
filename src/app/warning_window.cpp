#include "app/warning_window.h"

#include "registry/settings_store.h"
#include "toolkit/application.h"

namespace vb::app {

namespace settings = registry::settings;
using toolkit::Bind;
using W = WarningForm;

const toolkit::FormTable<WarningForm>& WarningTable() {
  // The blanks push the second sentence onto a line of its own.
  static const std::string details =
      "This Program will only delete what is selected in 'Cleaner Settings'..." +
      std::string(145, ' ') + "Be sure to select only what you want deleted!";
  static const toolkit::FormTable<WarningForm> table{
      "Warning!",
      420,
      224,
      {
          Bind<&W::Label1>({.name = "Label1",
                            .caption = "Warning!, this process will permanetly delete files on "
                                       "your computer! (Press \"Analyze\" to scan for useless "
                                       "files without deleting them...)"}),
          Bind<&W::Frame1>({.name = "Frame1", .caption = "Cleaning Details"}),
          Bind<&W::Label2>({.name = "Label2", .container = "Frame1", .caption = details.c_str()}),
          Bind<&W::Check1>({.name = "Check1", .caption = "Do Not Show Me This Message Again..."}),
          Bind<&W::OKButton>({.name = "OKButton", .caption = "Ok", .flags = toolkit::kDefault}),
          Bind<&W::Command1>({.name = "Command1", .caption = "Cancel"}),
      },
      // A small fixed dialog, pixels at 96 DPI.
      {
          {"Label1", {8, 8, 404, 44}},
          {"Frame1", {8, 56, 404, 96}},
          {"Label2", {16, 74, 388, 70}},
          {"Check1", {8, 160, 260, 20}},
          {"OKButton", {236, 188, 84, 28}},
          {"Command1", {328, 188, 84, 28}},
      }};
  return table;
}

WarningForm::WarningForm(toolkit::Application& app) : toolkit::Form(app, "Warning") {
  toolkit::BuildForm(*this, WarningTable());
}

WarningWindow::WarningWindow(toolkit::Application& app, std::function<void()> runAgain)
    : platform_(app.platform()), form_(app), runAgain_(std::move(runAgain)) {
  form_.Check1->onClick = [this] { Check1_Click(); };
  form_.OKButton->onClick = [this] { OKButton_Click(); };
  form_.Command1->onClick = [this] { form_.Unload(); };
}

void WarningWindow::Check1_Click() {
  if (form_.Check1->Value() == 1)
    settings::SaveSetting(platform_.Registry(), settings::kAppName, settings::kSettings,
                          "Cleaner Warning", "1");
  else
    settings::DeleteSetting(platform_, settings::kSettings, "Cleaner Warning");
}

void WarningWindow::OKButton_Click() {
  settings::SaveSetting(platform_.Registry(), settings::kAppName, settings::kSettings,
                        "MSG_CONFIRM_TMP", "True");
  form_.Unload();
  if (runAgain_) runAgain_();
}

}  // namespace vb::app
