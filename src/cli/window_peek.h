// A verb that only reads the main window (list, policy templates): the
// program is started without its clean on opening, the window handed to the
// verb, and the catalogue marks that closing the program stores are put back.
#pragma once

#include <functional>

#include "app/main_window.h"
#include "app/program.h"
#include "cli/verb_io.h"
#include "platform/scripted_ui.h"

namespace vb::cli {

// The verb's exit status; kExitFailed when the program did not start.
int PeekAtMainWindow(const char* verb, app::Program& program, platform::ScriptedUi* ui, VerbIo io,
                     const std::function<int(app::MainWindow& window)>& peek);

}  // namespace vb::cli
