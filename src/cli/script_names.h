// The names a script gives: a control of the main window ("CleanCom"), a
// control of another window ("Warning.OKButton") or a window ("Warning"),
// letter case ignored; and whether the user can reach what a name names.
#pragma once

#include <string>

#include "cli/script_commands.h"
#include "cli/script_driver.h"
#include "toolkit/control.h"
#include "toolkit/form.h"

namespace vb::cli::script {

// A name resolved in the running program: a window, or a control of one.
struct Named {
  toolkit::Form* form = nullptr;
  toolkit::Control* control = nullptr;
};

// Resolves a name in the program the target runs (which must be running).
Result<> Resolve(ScriptTarget& target, const std::string& name, Named* named);

// Whether the user can reach the window, and the control through the
// frames (or the menu) that hold it; `name` as the script gave it.
Result<> Reachable(const Named& named, const std::string& name);

// "a check box", "a list view"..., for messages.
const char* KindName(toolkit::Kind kind);

}  // namespace vb::cli::script
