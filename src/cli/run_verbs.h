// The verbs of vanbrisk-cli that run the program: analyze, clean, plan, /AUTO
// and run. Each starts the program over the platform of the Program given;
// with io.verbose (or --verbose) it prints every message box it shows, with
// its answer, to io.err, one readable line each (ui: the machine's scripted
// user; null on a platform without one).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/program.h"
#include "base/result.h"
#include "cli/verb_io.h"
#include "engine/run_tally.h"
#include "platform/scripted_ui.h"

namespace vb::cli {

// analyze [--select NAME[,NAME...]] [--json] [--results] [--verbose|--quiet]:
// starts the program, presses Analyze, prints the results box and the
// totals (--quiet: the totals only), closes. It never cleans
// first, whatever "Automatically Clean When Vanbrisk Opens" says.
//
// --select: for this run only, exactly the named item boxes (control name or
// English caption) and catalogue entries (text) are ticked, every other one
// cleared; the stored settings and marks stay as they were, and the program
// does not clean by itself when it opens. An unknown or empty name is refused
// before anything runs (kExitUsage). --json: one JSON object per line for
// each action (file, folder, key, value, cache entry, Recycle Bin, refusal,
// failure), then a summary object holding the totals, and the results box
// with --results. While io.err is a terminal, the progress of the run is
// shown there. A registry deletion that failed makes the status kExitFailed.
int RunAnalyzeVerb(app::Program& program, platform::ScriptedUi* ui,
                   const std::vector<std::string>& args, VerbIo io);

// clean [--yes] [--select ...] [--json]: as analyze, with Run Cleaner. With
// --yes the warning of the first clean is accepted and the "Confirm Before
// Deletion" box, if it comes, answered Yes; without it the warning is
// cancelled and the box answered No, nothing is deleted, and the verb gives
// kExitStopped (with --json after a summary with "status": "stopped" and the
// reason).
int RunCleanVerb(app::Program& program, platform::ScriptedUi* ui,
                 const std::vector<std::string>& args, VerbIo io);

// plan [--select ...] [--json]: Run Cleaner's own run, with the warning and
// the confirmation accepted, over a platform that records every change
// instead of making it; prints each action (what, how big or which value,
// and the item or entry that asked for it) and the totals clean would print.
// Nothing on the machine changes.
int RunPlanVerb(app::Program& program, platform::ScriptedUi* ui,
                const std::vector<std::string>& args, VerbIo io);

// A plan over the program with the boxes and entries the machine stores,
// printing nothing on io.out: its totals in *totals. The plan's status
// (kExitOk, or why it could not run, said on io.err).
int PlanTotals(app::Program& program, platform::ScriptedUi* ui, VerbIo io,
               engine::RunTally* totals);

// /AUTO: quiet mode, exactly as the program's own command line: one clean,
// and the program ends by itself. Prints nothing when it cleaned; a run that
// the warning's gate or a No stopped is kExitStopped, with the reason.
int RunAutoVerb(app::Program& program, platform::ScriptedUi* ui,
                const std::vector<std::string>& args, VerbIo io);

// run [--verbose] SCRIPT|-: drives the windows from a script file, or from io.in for "-"
// (see script_driver.h); closes the program if the script leaves it running.
int RunRunVerb(app::Program& program, platform::ScriptedUi* ui,
               const std::vector<std::string>& args, VerbIo io);

// Whether the verb is one of the above. Quiet mode is exactly "/AUTO", as
// the program itself decides.
bool IsProgramVerb(const std::string& verb);
// Fails for quiet mode spelt otherwise ("/auto", "/Auto"), with the usage
// error to print.
[[nodiscard]] Result<> CheckQuietModeSpelling(const std::string& verb);
// Runs the verb of that name; args follow the verb.
int RunProgramVerb(const std::string& verb, app::Program& program, platform::ScriptedUi* ui,
                   const std::vector<std::string>& args, VerbIo io);

}  // namespace vb::cli
