// --select of analyze and clean: exactly the named item boxes and catalogue
// entries are ticked for that run, every other one cleared, and nothing of
// it is stored (see stored_marks.h for the catalogue marks, which the run
// itself stores).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/form1.h"
#include "app/main_window.h"
#include "base/result.h"
#include "cli/window_choices.h"

namespace vb::cli {

struct Selection {
  std::vector<toolkit::CheckBox*> boxes;
  std::vector<EntryChoice> entries;
};

// The names of one or more --select arguments, split at the commas. A name
// may itself hold commas (an entry's text, a caption): the pieces are joined
// again where that gives a known name.
// Each name is an item box's control name or its English caption (the one
// the window is built with, never a language file's), or the text of an
// entry of the application lists as they are listed (rule-file entries
// included), letter case ignored; one name may match several. Fails, naming
// the first name that matches nothing, or for an empty name (an empty
// argument, two commas together, a comma first or last).
[[nodiscard]] Result<Selection> ResolveSelection(app::Form1& form,
                                                 const std::vector<std::string>& arguments);

// What Group Policy locks is not the selection's to change: naming a box
// that policy clears, or an entry while policy sets the entries, fails with a
// message naming it.
[[nodiscard]] Result<> CheckSelectionAgainstPolicy(app::MainWindow& window,
                                                   const Selection& selection);

// Ticks the selection and clears every other item box and entry; with any
// entry, "Third Party Applications" is ticked too, as its stage cleans them.
// A box or entry that policy locks keeps the policy's value. The boxes store
// nothing; the entries' marks are the run's own.
void ApplySelection(app::MainWindow& window, const Selection& selection);

}  // namespace vb::cli
