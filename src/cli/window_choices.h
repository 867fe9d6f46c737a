// What a user chooses in the main window, as vanbrisk-cli lists and selects
// it: the item boxes that guard the stages of a run, the option boxes, and
// the catalogue entries of the five application lists, as the running
// window holds them (built-in entries and those read from rule files alike).
#pragma once

#include <string>
#include <vector>

#include "app/form1.h"
#include "toolkit/controls.h"

namespace vb::cli {

struct BoxChoice {
  toolkit::CheckBox* box;
  bool item;  // an item box; false: an option box
  // An item box: the name its stage's actions give as their source (its
  // English caption); null for an option box.
  const char* source = nullptr;
};

// The item boxes in the order the run visits their stages, with the box of
// the personalized items, then every other box with a stored setting.
[[nodiscard]] std::vector<BoxChoice> MainWindowBoxes(app::Form1& form);

struct EntryChoice {
  toolkit::ListBox* list;
  const char* listName;  // "Applications", "Internet", "Multimedia", "Utilities", "Windows"
  int index;
};

// Every entry of the five lists, list by list, in the order the lists hold them.
[[nodiscard]] std::vector<EntryChoice> CatalogueEntries(app::Form1& form);

// A caption as the user reads it: "&&" is "&", any other "&" marks the
// access key and is not shown.
[[nodiscard]] std::string ShownCaption(const std::string& caption);

// Sets the box's value as the run should see it, without its click handler:
// the box stores no setting and shows no warning.
void SetValueQuietly(toolkit::CheckBox& box, int value);

}  // namespace vb::cli
