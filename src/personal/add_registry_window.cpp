#include "personal/add_registry_window.h"

#include "personal/registry_entry.h"
#include "toolkit/application.h"

namespace vb::personal {

using toolkit::Bind;
using F = AddRegistryForm;

const toolkit::FormTable<AddRegistryForm>& AddRegistryTable() {
  static const toolkit::FormTable<AddRegistryForm> table{
      "Vanbrisk Personalized Registry",
      420,
      120,
      {
          Bind<&F::Label1>({.name = "Label1", .caption = "Type registry path."}),
          Bind<&F::Label2>(
              {.name = "Label2", .caption = "Example: HKEY_LOCAL_MACHINE\\Test\\TEST\\Example"}),
          Bind<&F::Text1>({.name = "Text1"}),
          Bind<&F::Command1>(
              {.name = "Command1", .caption = "Add Registry Key", .flags = toolkit::kDefault}),
      },
      // A small fixed dialog, pixels at 96 DPI.
      {
          {"Label1", {8, 8, 404, 18}},
          {"Label2", {8, 26, 404, 18}},
          {"Text1", {8, 50, 404, 24}},
          {"Command1", {284, 84, 128, 28}},
      }};
  return table;
}

AddRegistryForm::AddRegistryForm(toolkit::Application& app) : toolkit::Form(app, "reg") {
  toolkit::BuildForm(*this, AddRegistryTable());
}

AddRegistryWindow::AddRegistryWindow(toolkit::Application& app, PersonalizedContext context)
    : context_(context), form_(app) {
  form_.Command1->onClick = [this] { Command1_Click(); };
}

void AddRegistryWindow::Command1_Click() {
  std::string text = form_.Text1->Text();
  if (text.empty()) return;
  auto& ui = context_.platform.Ui();
  RegistryEntryCheck check = CheckRegistryEntry(text);
  if (check.kind == RegistryEntryCheck::kRefused) {
    ui.MessageBoxA(check.message, "Vanbrisk", win::kMbIconExclamation);
    if (!check.keepText) form_.Text1->SetText("");
    return;
  }
  if (ui.MessageBoxA("Warning!\r\nThis registry key, all subkeys and subvalues will be deleted "
                     "upon cleaning.\r\nDo you wish to do this?",
                     "", win::kMbYesNo | win::kMbIconInformation) != win::kIdYes)
    return;
  AddRegistryEntry(context_, text, check.kind == RegistryEntryCheck::kValue);
  form_.Unload();
}

}  // namespace vb::personal
