// Which setting each check box of the main window stores, and how the stored
// values are applied at start-up, as tables.
#pragma once

#include <vector>

#include "platform/win_types.h"

namespace vb::app {

// How a box stores its state when clicked.
enum class StoreForm {
  kNumber,       // "1" or "0"
  kOneOrDelete,  // "1" when checked, the value deleted when cleared
  kWarnedFlag,   // as kOneOrDelete, with a warning the first time it is checked
  kNone,         // the box stores nothing itself
};

struct StoredBox {
  const char* box;
  const char* setting;  // value name in the Settings section
  StoreForm form;
  const char* warning = nullptr;  // for kWarnedFlag
};

// How a stored value is applied to its box at start-up.
enum class LoadRule {
  kNumber,       // non-empty: the text as the box's value
  kChecked,      // non-empty: checked
  kProgressBar,  // non-empty: a number other than 0 checks the box, 0 clears it
};

struct LoadedBox {
  const char* box;
  const char* value;  // value name
  LoadRule rule;
  bool runKey = false;  // under HKEY_CURRENT_USER's Run key instead of the Settings section
};

inline constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

const std::vector<StoredBox>& StoredBoxes();
// Applied first, before "Show Only Default Settings" decides about the rest.
const std::vector<LoadedBox>& BoxesLoadedFirst();
// Applied in this order only when "Show Only Default Settings" is not checked.
const std::vector<LoadedBox>& BoxesLoadedUnlessDefaults();

}  // namespace vb::app
