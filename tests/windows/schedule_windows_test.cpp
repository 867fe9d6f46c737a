// schedule over the Win32 API: the command line handed to schtasks.exe names
// vanbrisk.exe in this program's folder, and the runner of system commands
// waits for a command and gives its exit status. (Wine's schtasks.exe makes
// tasks from XML only, so the command line itself is checked here, not run.)
#include <gtest/gtest.h>

#include <sstream>

#include "cli/schedule_verb.h"
#include "platform/scripted_ui.h"
#include "platform/win32/win32_platform.h"
#include "registry/settings_store.h"

namespace vb {
namespace {

TEST(ScheduleOnWindows, HandsSchtasksTheTaskCommandLine) {
  platform::ScriptedUi ui;
  win32::Win32Platform platform(&ui);
  std::vector<std::string> passed;
  cli::CommandRunner record = [&](const std::string& line, bool) -> std::optional<int> {
    passed.push_back(line);
    return 0;
  };
  std::istringstream in;
  std::ostringstream out, err;
  // The user's "Cleaner Warning" as it was is put back afterwards.
  namespace settings = registry::settings;
  std::string warningOff = settings::ReadSetting(platform, settings::kSettings, "Cleaner Warning");
  ASSERT_EQ(cli::RunScheduleVerb(platform, record, {"daily", "--at", "6:15", "--accept-warning"},
                                 {in, out, err}),
            cli::kExitOk)
      << err.str();
  EXPECT_EQ(settings::ReadSetting(platform, settings::kSettings, "Cleaner Warning"), "1");
  if (warningOff.empty())
    settings::DeleteSetting(platform, settings::kSettings, "Cleaner Warning");
  else
    (void)settings::SaveSetting(platform.Registry(), settings::kAppName, settings::kSettings,
                                "Cleaner Warning", warningOff);
  std::string program = platform.System().ProgramFolder() + "\\vanbrisk.exe";
  ASSERT_EQ(passed.size(), 1u);
  EXPECT_EQ(passed[0], "schtasks.exe /Create /F /TN \"Vanbrisk Scheduled Clean\" /TR \"\\\"" +
                           program + "\\\" /AUTO\" /SC DAILY /ST 06:15");

  // A failing schtasks.exe is a failed verb.
  cli::CommandRunner fails = [](const std::string&, bool) -> std::optional<int> { return 1; };
  EXPECT_EQ(cli::RunScheduleVerb(platform, fails, {"remove"}, {in, out, err}), cli::kExitFailed);

  cli::CommandRunner system = cli::SystemCommandRunner(platform, out);
  EXPECT_EQ(system("cmd.exe /c exit 3", false), std::optional<int>(3));
  EXPECT_EQ(system("cmd.exe /c exit 4", true), std::optional<int>(4));
  EXPECT_EQ(system("no-such-program-of-vanbrisk.exe", false), std::nullopt);
}

}  // namespace
}  // namespace vb
