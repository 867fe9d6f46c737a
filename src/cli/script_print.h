// print NAME[.PROPERTY]: the value of a window or a control as a script
// reads it, one entry per line. PROPERTY: visible enabled value caption
// tooltip count checked index.
#pragma once

#include <ostream>
#include <string>

#include "cli/script_commands.h"
#include "cli/script_driver.h"

namespace vb::cli::script {

// Writes the value `name` names in the running program to out.
Result<> Print(ScriptTarget& target, const std::string& name, std::ostream& out);

}  // namespace vb::cli::script
