// The check boxes of the main window that have a stored setting, as one
// table in the order start-up applies them: each box's value name (spelled
// once), how its click stores it, and how start-up applies the stored text.
#pragma once

#include <optional>
#include <vector>

#include "app/form1.h"
#include "engine/clean_run.h"
#include "shell/shell_integration.h"

namespace vb::app {

// How a box stores its state when clicked.
enum class StoreForm {
  kNumber,       // "1" or "0"
  kOneOrDelete,  // "1" when checked, the value deleted when cleared
  kWarnedFlag,   // as kOneOrDelete, with a warning the first time it is checked
  kNone,         // the box stores nothing itself (shell integration writes its own entries)
};

// How a stored text is applied to its box at start-up; an empty text is
// never applied (the box keeps its design state).
enum class LoadRule {
  kNumber,       // the text as the box's value, when it is 0, 1 or 2
  kChecked,      // checked
  kProgressBar,  // a number other than 0 checks the box, 0 clears it
};

// When start-up applies the row: first, or only while "Show Only Default
// Settings" is not checked after the first rows.
enum class LoadWhen { kFirst, kUnlessDefaults };

// Where the value lives: the program's Settings section, or the user's Run key.
enum class SettingPlace { kSettings, kRunKey };

struct BoxSetting {
  toolkit::CheckBox* Form1::*box;  // null for an item's box
  const char* value;
  StoreForm store;
  LoadRule load;
  LoadWhen when = LoadWhen::kUnlessDefaults;
  SettingPlace place = SettingPlace::kSettings;
  const char* warning = nullptr;  // kWarnedFlag: the warning's text
  std::optional<engine::Item> item = std::nullopt;  // the item whose box it is

  toolkit::CheckBox& BoxOf(const Form1& form) const {
    return item ? form.ItemBox(*item) : *(form.*box);
  }
};

using shell::kRunKey;

// Every box with a setting, in the order start-up applies them: the options,
// then every item's box (after "Hide Warning Messages", which silences an
// item's warning), then the boxes of the shell integration.
const std::vector<BoxSetting>& BoxSettings();


}  // namespace vb::app
