// The end-to-end scripts of tests/e2e: each NAME.vbs runs on a fresh machine
// over the real windows, and its transcript (what it printed, the message
// boxes with their answers, a refusal, then "exit CODE") must match
// NAME.expected line by line, where "{*}" in an expected line stands for any
// text, such as a run time.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/main_window.h"
#include "platform/emulated/demo_traces.h"
#include "shared/transcript.h"
#include "app/program.h"
#include "cli/run_verbs.h"
#include "cli/script_driver.h"
#include "support/full_database.h"
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
  std::string error;
  if (test::WantsDemoMachine(ScriptFolder() / (name + ".vbs")) &&
      !emu::AddDemoTraces(machine.machine(), &error))
    return "cannot add the demonstration traces: " + error;
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

TEST(E2eScripts, EveryScriptHasItsExpectedTranscript) {
  std::vector<std::string> names = ScriptNames();
  EXPECT_GE(names.size(), 4u) << ScriptFolder();
  for (const std::string& name : names)
    EXPECT_TRUE(fs::exists(ScriptFolder() / (name + ".expected"))) << name;
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

// The verbs that run the program, over one machine as a user's commands are.
class ProgramVerbs : public ::testing::Test {
 protected:
  struct Ran {
    int code;
    std::string out, err;
  };
  Ran Verb(const std::string& verb, const std::vector<std::string>& args,
           const std::string& input = "") {
    std::istringstream in(input);
    std::ostringstream out, err;
    app::Program program(machine.platform());
    int code =
        cli::RunProgramVerb(verb, program, &machine.machine().Script(), args, {in, out, err});
    EXPECT_FALSE(program.Running()) << verb;
    return {code, out.str(), err.str()};
  }
  test::TempMachine machine;
};

TEST_F(ProgramVerbs, AnalyzeAndCleanPrintTheResultsBox) {
  Ran analyze = Verb("analyze", {});
  EXPECT_EQ(analyze.code, cli::kExitOk) << analyze.err;
  EXPECT_EQ(analyze.out.rfind("ANALYSIS SUMMARY (No files have been deleted yet)\n", 0), 0u)
      << analyze.out;
  EXPECT_EQ(analyze.out.find('\r'), std::string::npos);

  // The first clean stops at the warning unless it is accepted.
  Ran stopped = Verb("clean", {});
  EXPECT_EQ(stopped.code, cli::kExitFailed);
  EXPECT_EQ(stopped.out, "");
  EXPECT_NE(stopped.err.find("Run 'clean --yes' to accept it."), std::string::npos);

  // With "Confirm Before Deletion" set, --yes answers its box too.
  ASSERT_EQ(Verb("run", {"-"}, "start\ntick CBD\n").code, cli::kExitOk);
  Ran cleaned = Verb("clean", {"--yes"});
  EXPECT_EQ(cleaned.code, cli::kExitOk) << cleaned.err;
  EXPECT_EQ(cleaned.out.rfind("CLEANING SUMMARY (Results for deleted files)\n", 0), 0u);
  EXPECT_NE(cleaned.err.find("Do you wish to continue?\", answer Yes"), std::string::npos)
      << cleaned.err;

  // Without the warning, the confirmation comes at once.
  std::string noWarning = "start\nclick CleanCom\ntick Warning.Check1\nclick Warning.Command1\n";
  ASSERT_EQ(Verb("run", {"-"}, noWarning).code, cli::kExitOk);
  Ran again = Verb("clean", {"--yes"});
  EXPECT_EQ(again.code, cli::kExitOk) << again.err;
  EXPECT_NE(again.err.find("Do you wish to continue?\", answer Yes"), std::string::npos)
      << again.err;
  EXPECT_EQ(machine.machine().Script().PendingAnswers(), 0u);

  // "Close After Cleaning" ends the program, and with it the results box.
  ASSERT_EQ(Verb("run", {"-"}, "start\ntick CAC\nuntick CBD\n").code, cli::kExitOk);
  Ran closed = Verb("clean", {"--yes"});
  EXPECT_EQ(closed.code, cli::kExitOk) << closed.err;
  EXPECT_EQ(closed.out, "");
}

// Where the acceptance of the first-clean warning cannot be stored, clean
// --yes says why and fails, having deleted nothing.
TEST_F(ProgramVerbs, CleanThatCannotStoreTheAcceptanceFailsAndSaysWhy) {
  test::WriteHostFile(machine.Host("drive_c/WINDOWS/Temp/trace.tmp"), "trace");
  test::FillDatabase(machine.machine().Db(), machine.platform().Registry());
  Ran full = Verb("clean", {"--yes"});
  EXPECT_EQ(full.code, cli::kExitFailed);
  EXPECT_NE(full.err.find("could not be stored in the registry: The disk is full"),
            std::string::npos)
      << full.err;
  EXPECT_TRUE(std::filesystem::exists(machine.Host("drive_c/WINDOWS/Temp/trace.tmp")));
}

TEST_F(ProgramVerbs, AutoAndRunAndTheirRefusals) {
  Ran quiet = Verb("/auto", {});
  EXPECT_EQ(quiet.code, cli::kExitOk) << quiet.err;
  EXPECT_EQ(quiet.out + quiet.err, "");

  std::string path = machine.Host("script.vbs");
  test::WriteHostFile(path, "start\r\nprint CleanCom\r\nclick Nothing\r\n");
  Ran file = Verb("run", {path});
  EXPECT_EQ(file.code, cli::kExitFailed);
  EXPECT_EQ(file.out, "&Run Cleaner\n");
  EXPECT_EQ(file.err, "line 3: unknown name Nothing\n");

  EXPECT_EQ(Verb("run", {machine.Host("none.vbs")}).code, cli::kExitFailed);
  EXPECT_EQ(Verb("run", {}).code, cli::kExitUsage);
  EXPECT_EQ(Verb("analyze", {"now"}).code, cli::kExitUsage);
  EXPECT_EQ(Verb("clean", {"--force"}).code, cli::kExitUsage);
  EXPECT_TRUE(cli::IsProgramVerb("/AUTO") && cli::IsProgramVerb("run"));
  EXPECT_FALSE(cli::IsProgramVerb("reg"));
}

}  // namespace
}  // namespace vb
