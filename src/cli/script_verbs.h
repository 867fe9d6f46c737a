// What each command of a script does: to the program (start, unload), to
// the platform (answer), and to a control, as a user's click, key or choice
// would.
#pragma once

#include <ostream>

#include "cli/script_commands.h"
#include "cli/script_driver.h"
#include "platform/scripted_ui.h"

namespace vb::cli::script {

// Carries out one command; ui null refuses "answer". Prints to out.
Result<> Perform(const Command& command, ScriptTarget& target, platform::ScriptedUi* ui,
                 std::ostream& out);

}  // namespace vb::cli::script
