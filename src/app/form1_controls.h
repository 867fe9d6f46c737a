// The controls of the main window, Form1, as a table: name, kind, the frame it
// sits in, caption, language key, tooltip, and design state.
#pragma once

#include <vector>

#include "toolkit/form.h"

namespace vb::app {

struct ControlSpec {
  const char* name;
  toolkit::Kind kind;
  const char* container;  // null: on the form itself
  const char* caption;
  int key;  // the language-table entry that replaces the caption; 0 for none
  const char* toolTip = nullptr;
  int toolTipKey = 0;
  bool visible = true;  // design visibility
  int value = 0;        // design value of a check box
  const char* font = nullptr;  // null: Tahoma
};

struct MenuSpec {
  const char* menu;
  const char* caption;
  struct Item {
    const char* name;
    const char* caption;
    int key;
    bool enabled = true;
    bool visible = true;
  };
  std::vector<Item> items;
};

const std::vector<ControlSpec>& Form1Controls();
const std::vector<MenuSpec>& Form1Menus();

// Creates every control and menu of the table on the form, in their design state.
void BuildForm1(toolkit::Form& form);

// The main window's form with every control in its design state.
class Form1 : public toolkit::Form {
 public:
  explicit Form1(toolkit::Application& app) : toolkit::Form(app, "Form1") { BuildForm1(*this); }
};

}  // namespace vb::app
