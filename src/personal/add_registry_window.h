// The Add Registry dialog: the user types a registry key path (or a value
// entry) to be deleted by the personalized stage of the clean run.
#pragma once

#include "toolkit/window.h"
#include "personal/personalized_items.h"
#include "toolkit/form.h"
#include "toolkit/form_builder.h"

namespace vb::personal {

class AddRegistryForm : public toolkit::Form {
 public:
  explicit AddRegistryForm(toolkit::Application& app);

  toolkit::TextBox* Text1 = nullptr;
  toolkit::Label *Label1 = nullptr, *Label2 = nullptr;
  toolkit::Button* Command1 = nullptr;
};

const toolkit::FormTable<AddRegistryForm>& AddRegistryTable();

class AddRegistryWindow : public toolkit::Window {
 public:
  // An accepted entry is stored and appended to the context's list.
  AddRegistryWindow(toolkit::Application& app, PersonalizedContext context);

  toolkit::Form& form() override { return form_; }

 private:
  void Command1_Click();

  PersonalizedContext context_;
  AddRegistryForm form_;
};

}  // namespace vb::personal
