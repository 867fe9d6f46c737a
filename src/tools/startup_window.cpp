#include "tools/startup_window.h"

#include "toolkit/application.h"

namespace vb::tools {

using toolkit::Bind;
using F = StartupForm;

const toolkit::FormTable<StartupForm>& StartupTable() {
  static const toolkit::FormTable<StartupForm> table{
      "Startup",
      600,
      330,
      {
          Bind<&F::Label1>(
              {.name = "Label1", .caption = "Vanbrisk Startup List", .font = toolkit::FontRole::kBanner}),
          Bind<&F::Label2>({.name = "Label2",
                            .caption = "These programs are set to run when your computer starts:"}),
          Bind<&F::ListView2>({.name = "ListView2"}),
          Bind<&F::ListView1>({.name = "ListView1"}),
          Bind<&F::ListView3>({.name = "ListView3"}),
          Bind<&F::Command1>({.name = "Command1", .caption = "Delete Value", .enabled = false}),
          Bind<&F::Command2>({.name = "Command2", .caption = "OK", .flags = toolkit::kDefault}),
      },
      // Pixels at 96 DPI: the location, name and command lists side by side.
      {
          {"Label1", {12, 8, 576, 30}},
          {"Label2", {12, 44, 576, 18}},
          {"ListView2", {12, 66, 110, 216}},
          {"ListView1", {124, 66, 170, 216}},
          {"ListView3", {296, 66, 292, 216}},
          {"Command1", {12, 292, 110, 28}},
          {"Command2", {504, 292, 84, 28}},
      }};
  return table;
}

StartupForm::StartupForm(toolkit::Application& app) : toolkit::Form(app, "Startup") {
  toolkit::BuildForm(*this, StartupTable());
}

StartupWindow::StartupWindow(toolkit::Application& app, std::function<void()> reapplyLanguage)
    : platform_(app.platform()), form_(app), reapplyLanguage_(std::move(reapplyLanguage)) {
  form_.onLoad = [this] { Form_Load(); };
  form_.ListView1->onItemClick = [this](int index) { ListView1_ItemClick(index); };
  // Only a row chosen by its name can be deleted.
  auto disable = [this](int) { form_.Command1->SetEnabled(false); };
  form_.ListView2->onItemClick = disable;
  form_.ListView3->onItemClick = disable;
  form_.Command1->onClick = [this] { Command1_Click(); };
  form_.Command2->onClick = [this] { form_.Unload(); };
}

void StartupWindow::Form_Load() {
  entries_ = ListStartup(platform_);
  for (const StartupEntry& entry : entries_) {
    form_.ListView1->Add(entry.name);
    form_.ListView2->Add(entry.location);
    form_.ListView3->Add(entry.command);
  }
  if (reapplyLanguage_) reapplyLanguage_();
}

void StartupWindow::ListView1_ItemClick(int index) {
  form_.Command1->SetEnabled(index >= 0 && form_.ListView1->SelectedIndex() == index);
}

void StartupWindow::Command1_Click() {
  int row = form_.ListView1->SelectedIndex();
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
  form_.Command1->SetEnabled(false);
}

void StartupWindow::RemoveRow(int index) {
  entries_.erase(entries_.begin() + index);
  form_.ListView1->Remove(index);
  form_.ListView2->Remove(index);
  form_.ListView3->Remove(index);
}

}  // namespace vb::tools
