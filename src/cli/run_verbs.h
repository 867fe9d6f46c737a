// The verbs of vanbrisk-cli that run the program: analyze, clean, /AUTO and
// run. Each starts the program over the platform of the Program given and
// prints every message box it shows, with its answer, to io.err (when ui is
// the emulated machine's scripted user; null on a platform without one).
#pragma once

#include <string>
#include <vector>

#include "app/program.h"
#include "cli/verb_io.h"
#include "platform/scripted_ui.h"

namespace vb::cli {

// analyze: starts the program, presses Analyze, prints the results box, closes.
int RunAnalyzeVerb(app::Program& program, platform::ScriptedUi* ui,
                   const std::vector<std::string>& args, VerbIo io);

// clean [--yes]: starts the program, presses Run Cleaner, prints the results
// box, closes. With --yes the warning of the first clean is accepted and the
// "Confirm Before Deletion" box, if it comes, answered Yes; without it the
// warning is cancelled, nothing is deleted, and the verb fails.
int RunCleanVerb(app::Program& program, platform::ScriptedUi* ui,
                 const std::vector<std::string>& args, VerbIo io);

// /AUTO: quiet mode, exactly as the program's own command line: one clean,
// and the program ends by itself. Prints nothing.
int RunAutoVerb(app::Program& program, platform::ScriptedUi* ui,
                const std::vector<std::string>& args, VerbIo io);

// run SCRIPT|-: drives the windows from a script file, or from io.in for "-"
// (see script_driver.h); closes the program if the script leaves it running.
int RunRunVerb(app::Program& program, platform::ScriptedUi* ui,
               const std::vector<std::string>& args, VerbIo io);

// Whether the verb is one of the above ("/AUTO" in any letter case).
bool IsProgramVerb(const std::string& verb);
// Runs the verb of that name; args follow the verb.
int RunProgramVerb(const std::string& verb, app::Program& program, platform::ScriptedUi* ui,
                   const std::vector<std::string>& args, VerbIo io);

}  // namespace vb::cli
