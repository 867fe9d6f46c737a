#include "cli/window_peek.h"

#include "cli/stored_marks.h"
#include "cli/verb_run.h"

namespace vb::cli {

int PeekAtMainWindow(const char* verb, app::Program& program, platform::ScriptedUi* ui, VerbIo io,
                     const std::function<int(app::MainWindow& window)>& peek) {
  StoredMarks marks(program.platform());
  bool cleanWhenOpening = program.cleanWhenOpening;
  program.cleanWhenOpening = false;
  int code = kExitFailed;
  {
    VerbRun run(verb, program, ui, io);
    if (run.Do("start") && run.target().Running()) code = peek(program.Main());
    run.Finish(code);
  }
  program.cleanWhenOpening = cleanWhenOpening;
  marks.Restore();
  return code;
}

}  // namespace vb::cli
