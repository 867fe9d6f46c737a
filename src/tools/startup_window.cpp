#include "tools/startup_window.h"

#include "toolkit/application.h"

namespace vb::tools {

using toolkit::Bind;
using F = StartupForm;

const toolkit::FormTable<StartupForm>& StartupTable() {
  // Pixels at 96 DPI: the location, name and command lists side by side.
  static const toolkit::FormTable<StartupForm> table{
      .name = "Startup",
      .caption = "Startup",
      .captionKey = 925,
      .clientWidth = 600,
      .clientHeight = 330,
      .controls = {
          Bind<&F::title>({.name = "Label1",
                           .at = {12, 8, 576, 30},
                           .caption = "Vanbrisk Startup List",
                           .key = 930,
                           .font = toolkit::FontRole::kBanner}),
          Bind<&F::intro>({.name = "Label2",
                           .at = {12, 44, 576, 18},
                           .caption = "These programs are set to run when your computer starts:",
                           .key = 935}),
          Bind<&F::locations>({.name = "ListView2", .at = {12, 66, 110, 216}}),
          Bind<&F::names>({.name = "ListView1", .at = {124, 66, 170, 216}}),
          Bind<&F::commands>({.name = "ListView3", .at = {296, 66, 292, 216}}),
          Bind<&F::deleteButton>({.name = "Command1",
                                  .at = {12, 292, 110, 28},
                                  .caption = "Delete Value",
                                  .key = 940,
                                  .enabled = false}),
          Bind<&F::okButton>({.name = "Command2",
                              .at = {504, 292, 84, 28},
                              .caption = "OK",
                              .key = 945,
                              .flags = toolkit::kDefault}),
      }};
  return table;
}

StartupForm::StartupForm(toolkit::Application& app) : toolkit::Form(app, StartupTable().name) {
  toolkit::BuildForm(*this, StartupTable());
}

StartupWindow::StartupWindow(toolkit::Application& app) : platform_(app.platform()), form_(app) {
  form_.onLoad = [this] { Form_Load(); };
  form_.names->onItemClick = [this](int index) { Names_ItemClick(index); };
  // Only a row chosen by its name can be deleted.
  auto disable = [this](int) { form_.deleteButton->SetEnabled(false); };
  form_.locations->onItemClick = disable;
  form_.commands->onItemClick = disable;
  form_.deleteButton->onClick = [this] { Delete_Click(); };
  form_.okButton->onClick = [this] { form_.Unload(); };
}

void StartupWindow::Form_Load() {
  entries_ = ListStartup(platform_);
  for (const StartupEntry& entry : entries_) {
    form_.names->Add(entry.name);
    form_.locations->Add(entry.location);
    form_.commands->Add(entry.command);
  }
}

void StartupWindow::Names_ItemClick(int index) {
  form_.deleteButton->SetEnabled(index >= 0 && form_.names->SelectedIndex() == index);
}

void StartupWindow::Delete_Click() {
  int row = form_.names->SelectedIndex();
  if (row < 0 || row >= static_cast<int>(entries_.size())) return;
  auto& ui = platform_.Ui();
  if (ui.MessageBoxA("Delete selected value?", "Vanbrisk Suite",
                     win::kMbYesNo | win::kMbIconInformation) != win::kIdYes)
    return;
  if (!DeleteStartupEntry(platform_, entries_[row])) {
    // The entry still starts with Windows, so it stays listed.
    ui.MessageBoxA("\"" + entries_[row].name + "\" could not be removed from " +
                       entries_[row].location + ".",
                   "Vanbrisk Suite", win::kMbIconExclamation);
    return;
  }
  RemoveRow(row);
  form_.deleteButton->SetEnabled(false);
}

void StartupWindow::RemoveRow(int index) {
  entries_.erase(entries_.begin() + index);
  form_.names->Remove(index);
  form_.locations->Remove(index);
  form_.commands->Remove(index);
}

}  // namespace vb::tools
