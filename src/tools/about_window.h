// The About window: the program's version, a few facts about the system, the
// version history, and links to the product web site.
#pragma once

#include <functional>

#include "toolkit/window.h"
#include "platform/platform.h"
#include "toolkit/form.h"
#include "toolkit/form_builder.h"

namespace vb::tools {

class AboutForm : public toolkit::Form {
 public:
  explicit AboutForm(toolkit::Application& app);

  toolkit::Label *Label1 = nullptr, *Label8 = nullptr, *lblDescription = nullptr,
                 *lblDisclaimer = nullptr, *Label3 = nullptr, *Label4 = nullptr,
                 *Label5 = nullptr, *Label6 = nullptr, *Label7 = nullptr, *Label2 = nullptr;
  toolkit::PictureBox* Picture1 = nullptr;
  toolkit::Shape* Shape1 = nullptr;
  toolkit::TextBox* Text1 = nullptr;
  toolkit::Button *Command1 = nullptr, *Command2 = nullptr, *Command3 = nullptr;
};

const toolkit::FormTable<AboutForm>& AboutTable();

class AboutWindow : public toolkit::Window {
 public:
  // reapplyLanguage applies the main window's language again once the window
  // has loaded.
  AboutWindow(toolkit::Application& app, std::function<void()> reapplyLanguage);

  toolkit::Form& form() override { return form_; }

 private:
  void Form_Load();
  // The history view (the history text in its frame) or the normal view (the
  // logo and the description).
  void ShowHistory(bool history);

  platform::Platform& platform_;
  AboutForm form_;
  std::function<void()> reapplyLanguage_;
};

}  // namespace vb::tools
