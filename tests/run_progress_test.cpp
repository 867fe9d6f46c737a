// The progress line of a run on a terminal: rewritten in place at most ten
// times a second, the end of a long path kept, erased at the end.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/run_progress.h"

namespace vb {
namespace {

using std::chrono::milliseconds;

TEST(RunProgress, RewritesOneLineAtMostTenTimesASecondAndErasesIt) {
  std::ostringstream terminal;
  std::chrono::steady_clock::time_point now{};
  {
    cli::RunProgress progress(terminal, [&] { return now; });
    engine::RunTally tally;
    tally.onAction = [&](const engine::Action& action) { progress.Update(tally, action); };
    tally.Add(engine::ActionKind::kFile, true, "C:\\WINDOWS\\Temp\\a.tmp", {}, 2048);
    now += milliseconds(50);
    tally.Add(engine::ActionKind::kFile, true, "C:\\WINDOWS\\Temp\\b.tmp", {}, 10);
    EXPECT_EQ(terminal.str(), "\r1 files, 2.0 KB  C:\\WINDOWS\\Temp");
    now += milliseconds(60);
    tally.Add(engine::ActionKind::kFolder, true, "C:\\T\\" + std::string(100, 'x') + "\\end");
    std::string last = terminal.str().substr(terminal.str().rfind('\r'));
    EXPECT_EQ(last.size(), 80u);  // the carriage return and 79 columns
    EXPECT_EQ(last.substr(last.size() - 4), "\\end");
    terminal.str("");
    now += milliseconds(100);
    tally.Add(engine::ActionKind::kKey, true, "HKEY_CURRENT_USER\\Software\\X");
    // The longer line before is blanked out behind the shorter one.
    const std::string line = "2 files, 2.0 KB  HKEY_CURRENT_USER\\Software\\X";
    EXPECT_EQ(terminal.str(), "\r" + line + std::string(79 - line.size(), ' '));
    terminal.str("");
  }
  EXPECT_EQ(terminal.str(), "\r" + std::string(45, ' ') + "\r");
}

}  // namespace
}  // namespace vb
