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
  // A small fixed dialog, pixels at 96 DPI.
  static const toolkit::FormTable<WarningForm> table{
      .name = "Warning",
      .caption = "Warning!",
      .captionKey = 850,
      .clientWidth = 420,
      .clientHeight = 224,
      .controls = {
          Bind<&W::warningText>(
              {.name = "Label1",
               .at = {8, 8, 404, 44},
               .caption = "Warning!, this process will permanetly delete files on your computer! "
                          "(Press \"Analyze\" to scan for useless files without deleting "
                          "them...)",
               .key = 855}),
          Bind<&W::detailsFrame>(
              {.name = "Frame1", .at = {8, 56, 404, 96}, .caption = "Cleaning Details",
               .key = 860}),
          Bind<&W::detailsText>({.name = "Label2",
                                 .container = "Frame1",
                                 .at = {16, 74, 388, 70},
                                 .caption = details.c_str(),
                                 .key = 865}),
          Bind<&W::dontShowAgain>({.name = "Check1",
                                   .at = {8, 160, 260, 20},
                                   .caption = "Do Not Show Me This Message Again...",
                                   .key = 870}),
          Bind<&W::okButton>({.name = "OKButton",
                              .at = {236, 188, 84, 28},
                              .caption = "Ok",
                              .key = 875,
                              .flags = toolkit::kDefault}),
          Bind<&W::cancelButton>(
              {.name = "Command1", .at = {328, 188, 84, 28}, .caption = "Cancel", .key = 880}),
      }};
  return table;
}

WarningForm::WarningForm(toolkit::Application& app) : toolkit::Form(app, WarningTable().name) {
  toolkit::BuildForm(*this, WarningTable());
}

WarningWindow::WarningWindow(toolkit::Application& app, std::function<void()> runAgain)
    : platform_(app.platform()), form_(app), runAgain_(std::move(runAgain)) {
  form_.dontShowAgain->onClick = [this] { DontShowAgain_Click(); };
  form_.okButton->onClick = [this] { Ok_Click(); };
  form_.cancelButton->onClick = [this] { form_.Unload(); };
}

void WarningWindow::DontShowAgain_Click() {
  if (form_.dontShowAgain->Value() == 1)
    settings::SaveSetting(platform_.Registry(), settings::kAppName, settings::kSettings,
                          "Cleaner Warning", "1");
  else
    settings::DeleteSetting(platform_, settings::kSettings, "Cleaner Warning");
}

void WarningWindow::Ok_Click() {
  settings::SaveSetting(platform_.Registry(), settings::kAppName, settings::kSettings,
                        "MSG_CONFIRM_TMP", "True");
  form_.Unload();
  if (runAgain_) runAgain_();
}

}  // namespace vb::app
