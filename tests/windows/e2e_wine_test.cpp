// The end-to-end scripts of tests/e2e over the real Windows API: each
// NAME.vbs runs against the machine this executable runs on, with the
// program's settings removed first (a fresh machine, as far as the program
// can tell), and its transcript must match NAME.expected as it does on the
// emulated machine. They run under Wine, in the private prefix CTest gives
// them; on a real Windows machine only when VANBRISK_TEST_MAY_RESET_SETTINGS
// is 1, since they reset this user's settings of the program.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/main_window.h"
#include "shared/transcript.h"
#include "app/program.h"
#include "cli/script_driver.h"
#include "conformance/platform_target.h"
#include "platform/scripted_ui.h"
#include "platform/win32/win32_platform.h"
#include "toolkit/form.h"

namespace vb {
namespace {

namespace fs = std::filesystem;
using test::LineMatches;
using test::Lines;
using test::ReadText;

constexpr const char* kSettingsKey = "Software\\VB And VBA Program Settings\\Vanbrisk";

fs::path ScriptFolder() { return fs::path(VANBRISK_E2E_FOLDER); }

// What a script prints on Windows where the machine, not the platform, makes
// it differ: tests/windows/e2e/NAME.expected when there is one, else the
// emulated machine's. A fresh emulated machine has no URL cache files, while
// on Windows (and under Wine once WinINet has started, which the program's
// start does) WinINet's index.dat files are always there, and the index.dat
// item lists them.
fs::path ExpectedFile(const std::string& name) {
  fs::path windows = fs::path(VANBRISK_WINDOWS_E2E_FOLDER) / (name + ".expected");
  std::error_code ec;
  return fs::exists(windows, ec) ? windows : ScriptFolder() / (name + ".expected");
}

std::vector<std::string> ScriptNames() { return test::ScriptNames(ScriptFolder()); }

class E2eOnWindows : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    if (test::WantsDemoMachine(ScriptFolder() / (GetParam() + ".vbs")))
      GTEST_SKIP() << "the demonstration traces exist on emulated machines only";
    bool wine = !win32::WineVersion().empty();
    if (!wine && platform_.Environment().GetEnvironmentVariableA(
                     "VANBRISK_TEST_MAY_RESET_SETTINGS") != "1")
      GTEST_SKIP() << "the scripts reset this user's settings of the program; "
                      "set VANBRISK_TEST_MAY_RESET_SETTINGS=1 to allow it";
    conformance::RemoveKeyTree(platform_.Registry(), win::kHkeyCurrentUser, kSettingsKey);
  }
  void TearDown() override {
    conformance::RemoveKeyTree(platform_.Registry(), win::kHkeyCurrentUser, kSettingsKey);
  }

  std::string Transcript(const std::string& name) {
    std::ostringstream transcript;
    std::istringstream none;
    std::ifstream script(ScriptFolder() / (name + ".vbs"), std::ios::binary);
    if (!script) return "cannot read the script";
    ui_.SetLog(&transcript);
    int code;
    {
      app::Program program(platform_);
      code = cli::RunScript(program, &ui_, script, {none, transcript, transcript});
      if (program.Running()) program.Main().form().Unload();
    }
    ui_.SetLog(nullptr);
    transcript << "exit " << code << "\n";
    return transcript.str();
  }

  platform::ScriptedUi ui_;
  win32::Win32Platform platform_{&ui_};
};

TEST_P(E2eOnWindows, PrintsTheTranscriptItPrintsOnTheEmulatedMachine) {
  std::string actual = Transcript(GetParam());
  std::vector<std::string> got = Lines(actual);
  std::vector<std::string> want = Lines(ReadText(ExpectedFile(GetParam())));
  bool same = got.size() == want.size();
  for (std::size_t i = 0; same && i < got.size(); ++i) same = LineMatches(want[i], got[i]);
  EXPECT_TRUE(same) << "the transcript of " << GetParam() << ".vbs was:\n" << actual;
}

INSTANTIATE_TEST_SUITE_P(Scripts, E2eOnWindows, ::testing::ValuesIn(ScriptNames()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                           std::string name = info.param;
                           for (char& c : name)
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           return name;
                         });

TEST(E2eOnWindowsScripts, TheScriptsAreThere) {
  EXPECT_GE(ScriptNames().size(), 4u) << ScriptFolder();
  EXPECT_TRUE(LineMatches("Completed in {*} secs", "Completed in 0.012 secs"));
  EXPECT_FALSE(LineMatches("Completed in {*} secs", "Completed in 12 ms"));
}

}  // namespace
}  // namespace vb
