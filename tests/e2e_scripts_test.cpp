// The end-to-end scripts of tests/e2e: each NAME.vbs runs on a fresh machine
// (with the files of the folder NAME.drive_c on its drive C:, if any)
// over the real windows, and its transcript (what it printed, the message
// boxes with their answers, a refusal, then "exit CODE") must match
// NAME.expected line by line, where "{*}" in an expected line stands for any
// text, such as a run time.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/main_window.h"
#include "app/program.h"
#include "cli/script_driver.h"
#include "fixtures/demo_traces.h"
#include "shared/transcript.h"
#include "support/temp_machine.h"

namespace vb {
namespace {

namespace fs = std::filesystem;
using test::LineMatches;
using test::Lines;

fs::path ScriptFolder() { return fs::path(__FILE__).parent_path() / "e2e"; }

std::vector<std::string> ScriptNames() { return test::ScriptNames(ScriptFolder()); }

std::string Transcript(const std::string& name) {
  test::TempMachine machine;
  platform::ScriptedUi& ui = machine.machine().Script();
  std::ostringstream transcript;
  std::istringstream none;
  std::ifstream script(ScriptFolder() / (name + ".vbs"), std::ios::binary);
  if (!script) return "cannot read the script";
  if (test::WantsDemoMachine(ScriptFolder() / (name + ".vbs")))
    if (Result<> added = fixtures::AddDemoTraces(machine.machine()); !added)
      return "cannot add the demonstration traces: " + added.message();
  // NAME.drive_c, when there is one, is laid over drive C: first.
  std::error_code ec;
  fs::copy(ScriptFolder() / (name + ".drive_c"), machine.Host("drive_c"),
           fs::copy_options::recursive | fs::copy_options::overwrite_existing, ec);
  ui.SetLog(&transcript);
  int code;
  {
    app::Program program(machine.platform());
    code = cli::RunScript(program, &ui, script, {none, transcript, transcript});
    if (program.Running()) program.Main().form().Unload();
  }
  ui.SetLog(nullptr);
  transcript << "exit " << code << "\n";
  return transcript.str();
}

// A script without its NAME.expected fails below, as its transcript is not empty.
TEST(E2eScripts, ScriptsAreFoundAndTheWildcardCoversTextWithinALine) {
  EXPECT_GE(ScriptNames().size(), 4u) << ScriptFolder();
  // The wildcard covers text within a line, and nothing else.
  EXPECT_TRUE(LineMatches("Completed in {*} secs", "Completed in 0.012 secs"));
  EXPECT_TRUE(LineMatches("{*}b{*}d", "abcd"));
  EXPECT_FALSE(LineMatches("Completed in {*} secs", "Completed in 12 ms"));
  EXPECT_FALSE(LineMatches("ab{*}ba", "aba"));
  EXPECT_FALSE(LineMatches("exit 0", "exit 1"));
}

class E2eScript : public ::testing::TestWithParam<std::string> {};

TEST_P(E2eScript, PrintsItsExpectedTranscript) {
  std::string actual = Transcript(GetParam());
  std::vector<std::string> got = Lines(actual);
  fs::path expected = ScriptFolder() / (GetParam() + ".expected");
  std::vector<std::string> want = Lines(test::ReadHostFile(expected.string()));
  bool same = got.size() == want.size();
  for (std::size_t i = 0; same && i < got.size(); ++i) same = LineMatches(want[i], got[i]);
  EXPECT_TRUE(same) << "the transcript of " << GetParam() << ".vbs was:\n" << actual;
}

INSTANTIATE_TEST_SUITE_P(Scripts, E2eScript, ::testing::ValuesIn(ScriptNames()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                           std::string name = info.param;
                           for (char& c : name)
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           return name;
                         });

}  // namespace
}  // namespace vb
