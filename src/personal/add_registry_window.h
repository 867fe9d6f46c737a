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

  toolkit::TextBox* pathText = nullptr;
  toolkit::Label *prompt = nullptr, *example = nullptr;
  toolkit::Button* addButton = nullptr;
};

const toolkit::FormTable<AddRegistryForm>& AddRegistryTable();

class AddRegistryWindow : public toolkit::Window {
 public:
  // An accepted entry is stored and appended to the context's list.
  AddRegistryWindow(toolkit::Application& app, PersonalizedContext context);

  toolkit::Form& form() override { return form_; }

 private:
  void Add_Click();

  PersonalizedContext context_;
  AddRegistryForm form_;
};

}  // namespace vb::personal
