// schedule over the Win32 API: the command line handed to schtasks.exe names
// vanbrisk.exe in this program's folder, and the runner of system commands
// waits for a command and gives its exit status. (Wine's schtasks.exe makes
// tasks from XML only, so the command line itself is checked here, not run.)
#include <gtest/gtest.h>

#include <sstream>

#include "cli/schedule_verb.h"
#include "platform/scripted_ui.h"
#include "platform/win32/win32_platform.h"

namespace vb {
namespace {

TEST(ScheduleOnWindows, HandsSchtasksTheTaskCommandLine) {
  platform::ScriptedUi ui;
  win32::Win32Platform platform(&ui);
  std::vector<std::string> passed;
  cli::CommandRunner record = [&](const std::string& line) -> std::optional<int> {
    passed.push_back(line);
    return 0;
  };
  std::istringstream in;
  std::ostringstream out, err;
  ASSERT_EQ(cli::RunScheduleVerb(platform, record, {"daily", "--at", "06:15"}, {in, out, err}),
            cli::kExitOk)
      << err.str();
  std::string program = platform.System().ProgramFolder() + "\\vanbrisk.exe";
  ASSERT_EQ(passed.size(), 1u);
  EXPECT_EQ(passed[0], "schtasks.exe /Create /F /TN \"Vanbrisk Scheduled Clean\" /TR \"\\\"" +
                           program + "\\\" /AUTO\" /SC DAILY /ST 06:15");

  // A failing schtasks.exe is a failed verb.
  cli::CommandRunner fails = [](const std::string&) -> std::optional<int> { return 1; };
  EXPECT_EQ(cli::RunScheduleVerb(platform, fails, {"remove"}, {in, out, err}), cli::kExitFailed);

  cli::CommandRunner system = cli::SystemCommandRunner(platform, out);
  EXPECT_EQ(system("cmd.exe /c exit 3"), std::optional<int>(3));
  EXPECT_EQ(system("no-such-program-of-vanbrisk.exe"), std::nullopt);
}

}  // namespace
}  // namespace vb
