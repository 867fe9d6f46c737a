// The Startup window: the programs that start with Windows, in three side by
// side lists (location, name, command), and the deletion of one of them.
#pragma once

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

  toolkit::Label *title = nullptr, *intro = nullptr;
  toolkit::ListView *locations = nullptr, *names = nullptr, *commands = nullptr;
  toolkit::Button *deleteButton = nullptr, *okButton = nullptr;
};

const toolkit::FormTable<StartupForm>& StartupTable();

class StartupWindow : public toolkit::Window {
 public:
  explicit StartupWindow(toolkit::Application& app);

  toolkit::Form& form() override { return form_; }
  // The entries listed now, in the rows' order.
  const std::vector<StartupEntry>& Entries() const { return entries_; }

 private:
  void Form_Load();
  void Names_ItemClick(int index);
  void Delete_Click();
  void RemoveRow(int index);

  platform::Platform& platform_;
  StartupForm form_;
  std::vector<StartupEntry> entries_;
};

}  // namespace vb::tools
