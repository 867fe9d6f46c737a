// The Startup window: the programs that start with Windows, in three side by
// side lists (location, name, command), and the deletion of one of them.
#pragma once

#include <functional>
#include <vector>

#include "toolkit/window.h"
#include "platform/platform.h"
#include "toolkit/form.h"
#include "toolkit/form_builder.h"
#include "tools/startup_list.h"

namespace vb::tools {

class StartupForm : public toolkit::Form {
 public:
  explicit StartupForm(toolkit::Application& app);

  toolkit::Label *Label1 = nullptr, *Label2 = nullptr;
  toolkit::ListView *ListView2 = nullptr, *ListView1 = nullptr, *ListView3 = nullptr;
  toolkit::Button *Command1 = nullptr, *Command2 = nullptr;
};

const toolkit::FormTable<StartupForm>& StartupTable();

class StartupWindow : public toolkit::Window {
 public:
  // reapplyLanguage applies the main window's language again once the lists
  // are loaded.
  StartupWindow(toolkit::Application& app, std::function<void()> reapplyLanguage);

  toolkit::Form& form() override { return form_; }
  // The entries listed now, in the rows' order.
  const std::vector<StartupEntry>& Entries() const { return entries_; }

 private:
  void Form_Load();
  void ListView1_ItemClick(int index);
  void Command1_Click();
  void RemoveRow(int index);

  platform::Platform& platform_;
  StartupForm form_;
  std::function<void()> reapplyLanguage_;
  std::vector<StartupEntry> entries_;
};

}  // namespace vb::tools
