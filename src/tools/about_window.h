// The About window: the program's version, a few facts about the system, the
// version history, and links to the product web site.
#pragma once

#include "platform/platform.h"
#include "toolkit/form.h"
#include "toolkit/form_builder.h"
#include "toolkit/window.h"

namespace vb::tools {

class AboutForm : public toolkit::Form {
 public:
  explicit AboutForm(toolkit::Application& app);

  toolkit::Label *title = nullptr, *version = nullptr, *description = nullptr,
                 *lastUpdated = nullptr;
  // The system's facts, read when the window loads.
  toolkit::Label *windowsName = nullptr, *processorName = nullptr, *memorySize = nullptr;
  toolkit::Label *updatesNote = nullptr, *siteLink = nullptr, *updatesLink = nullptr;
  toolkit::PictureBox* logo = nullptr;
  toolkit::Shape* historyFrame = nullptr;
  toolkit::TextBox* historyText = nullptr;
  toolkit::Button *historyButton = nullptr, *closeHistoryButton = nullptr, *okButton = nullptr;
};

const toolkit::FormTable<AboutForm>& AboutTable();

class AboutWindow : public toolkit::Window {
 public:
  explicit AboutWindow(toolkit::Application& app);

  toolkit::Form& form() override { return form_; }

 private:
  void Form_Load();
  // The history view (the history text in its frame) or the normal view (the
  // logo and the description).
  void ShowHistory(bool history);

  platform::Platform& platform_;
  AboutForm form_;
};

}  // namespace vb::tools
