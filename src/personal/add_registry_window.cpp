#include "personal/add_registry_window.h"

#include "personal/registry_entry.h"
#include "toolkit/application.h"

namespace vb::personal {

using toolkit::Bind;
using F = AddRegistryForm;

const toolkit::FormTable<AddRegistryForm>& AddRegistryTable() {
  // A small fixed dialog, pixels at 96 DPI. The example, a registry path,
  // has no language key: language files have no way to write an underscore.
  static const toolkit::FormTable<AddRegistryForm> table{
      .name = "reg",
      .caption = "Vanbrisk Personalized Registry",
      .captionKey = 885,
      .clientWidth = 420,
      .clientHeight = 120,
      .controls = {
          Bind<&F::prompt>(
              {.name = "Label1", .at = {8, 8, 404, 18}, .caption = "Type registry path.",
               .key = 890}),
          Bind<&F::example>({.name = "Label2",
                             .at = {8, 26, 404, 18},
                             .caption = "Example: HKEY_LOCAL_MACHINE\\Test\\TEST\\Example"}),
          Bind<&F::pathText>({.name = "Text1", .at = {8, 50, 404, 24}}),
          Bind<&F::addButton>({.name = "Command1",
                               .at = {284, 84, 128, 28},
                               .caption = "Add Registry Key",
                               .key = 900,
                               .flags = toolkit::kDefault}),
      }};
  return table;
}

AddRegistryForm::AddRegistryForm(toolkit::Application& app) : toolkit::Form(app, AddRegistryTable().name) {
  toolkit::BuildForm(*this, AddRegistryTable());
}

AddRegistryWindow::AddRegistryWindow(toolkit::Application& app, PersonalizedContext context)
    : context_(context), form_(app) {
  form_.addButton->onClick = [this] { Add_Click(); };
}

void AddRegistryWindow::Add_Click() {
  std::string text = form_.pathText->Text();
  if (text.empty()) return;
  auto& ui = context_.platform.Ui();
  RegistryEntryCheck check = CheckRegistryEntry(text);
  if (check.kind == RegistryEntryCheck::kRefused) {
    ui.MessageBoxA(check.message, "Vanbrisk", win::kMbIconExclamation);
    if (!check.keepText) form_.pathText->SetText("");
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
