#include "app/warning_window.h"

#include "registry/reg32.h"
#include "registry/settings_store.h"
#include "toolkit/application.h"

namespace vb::app {

namespace settings = registry::settings;

WarningWindow::WarningWindow(toolkit::Application& app, std::function<void()> runAgain)
    : platform_(app.platform()), form_(app, "Warning"), runAgain_(std::move(runAgain)) {
  form_.SetCaption("Warning!");
  form_.Add<toolkit::Label>("Label1").SetCaption(
      "Warning!, this process will permanetly delete files on your computer! (Press \"Analyze\" "
      "to scan for useless files without deleting them...)");
  auto& frame = form_.Add<toolkit::Frame>("Frame1");
  frame.SetCaption("Cleaning Details");
  form_.Add<toolkit::Label>("Label2", &frame)
      .SetCaption("This Program will only delete what is selected in 'Cleaner Settings'..." +
                  std::string(145, ' ') + "Be sure to select only what you want deleted!");
  auto& check = form_.Add<toolkit::CheckBox>("Check1");
  check.SetCaption("Do Not Show Me This Message Again...");
  check.onClick = [this] { Check1_Click(); };
  auto& ok = form_.Add<toolkit::Button>("OKButton");
  ok.SetCaption("Ok");
  ok.onClick = [this] { OKButton_Click(); };
  auto& cancel = form_.Add<toolkit::Button>("Command1");
  cancel.SetCaption("Cancel");
  cancel.onClick = [this] { form_.Unload(); };
  form_.SetDefaultButton(&ok);
  // A small fixed dialog, pixels at 96 DPI.
  form_.Get<toolkit::Control>("Label1").SetPosition({8, 8, 404, 44});
  frame.SetPosition({8, 56, 404, 96});
  form_.Get<toolkit::Control>("Label2").SetPosition({16, 74, 388, 70});
  check.SetPosition({8, 160, 260, 20});
  ok.SetPosition({236, 188, 84, 28});
  cancel.SetPosition({328, 188, 84, 28});
}

void WarningWindow::ShowOwnedBy(toolkit::Form& main) {
  form_.Move(main.Left() + 1800, main.Top() + 1500);
  form_.ShowOwned(main);
  main.SetEnabled(false);
}

void WarningWindow::Check1_Click() {
  auto& box = form_.Get<toolkit::CheckBox>("Check1");
  if (box.Value() == 1)
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
