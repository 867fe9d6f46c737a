// The verbs of vanbrisk-cli that run the program (analyze, clean, /AUTO, run,
// list) and schedule, over one emulated machine as a user's commands are:
// their output, their exit statuses, what they delete, and what they leave
// stored.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "cli/reg_verbs.h"
#include "cli/run_verbs.h"
#include "cli/schedule_verb.h"
#include "platform/emulated/emulated_system.h"
#include "platform/registry_values.h"
#include "registry/reg32.h"
#include "registry/settings_store.h"
#include "shared/transcript.h"
#include "support/full_database.h"
#include "support/verb_runner.h"
#include "support/temp_machine.h"

namespace vb {
namespace {

namespace fs = std::filesystem;

constexpr const char* kUserTemp = "drive_c/Documents and Settings/User/Local Settings/Temp/";
constexpr const char* kWindowsTemp = "drive_c/WINDOWS/Temp/";

bool HasLine(const std::string& text, const std::string& line) {
  return std::ranges::count(test::Lines(text), line) > 0;
}

// Whether Python's JSON parser reads every line of the text as one JSON value.
bool ReadsAsJsonLines(const std::string& folder, const std::string& text) {
  std::string file = folder + "/output.jsonl";
  test::WriteHostFile(file, text);
  std::string command = "python3 -m json.tool --json-lines '" + file + "' >/dev/null";
  return std::system(command.c_str()) == 0;
}

class ProgramVerbs : public ::testing::Test {
 protected:
  using Ran = test::Ran;
  Ran Verb(const std::string& verb, const std::vector<std::string>& args,
           const std::string& input = "") {
    return test::RunVerb(machine, verb, args, input);
  }
  // The program's stored settings and marks, as reg query shows them.
  std::string Stored() {
    std::istringstream in;
    std::ostringstream out, err;
    [[maybe_unused]] int code = cli::RunRegVerb(
        machine.platform(),
        {"query", std::string("HKCU\\") + registry::settings::kStoreRoot + "\\Vanbrisk", "/s"},
        {in, out, err});
    return out.str();
  }
  bool Exists(const std::string& relative) { return fs::exists(machine.Host(relative)); }

  test::TempMachine machine;
};

TEST_F(ProgramVerbs, AnalyzeAndCleanPrintTheResultsAndEachExitStatus) {
  Ran analyze = Verb("analyze", {});
  EXPECT_EQ(analyze.code, cli::kExitOk) << analyze.err;
  EXPECT_EQ(analyze.out.rfind("ANALYSIS SUMMARY (No files have been deleted yet)\n", 0), 0u)
      << analyze.out;
  EXPECT_EQ(analyze.out.find('\r'), std::string::npos);

  // The first clean stops at the warning unless it is accepted.
  Ran stopped = Verb("clean", {});
  EXPECT_EQ(stopped.code, cli::kExitStopped);
  EXPECT_EQ(stopped.out, "");
  EXPECT_NE(stopped.err.find("Run 'clean --yes' to accept it."), std::string::npos);

  // With "Confirm Before Deletion" set, --yes answers its box too.
  ASSERT_EQ(Verb("run", {"-"}, "start\ntick CBD\n").code, cli::kExitOk);
  Ran cleaned = Verb("clean", {"--yes"});
  EXPECT_EQ(cleaned.code, cli::kExitOk) << cleaned.err;
  EXPECT_EQ(cleaned.out.rfind("CLEANING SUMMARY (Results for deleted files)\n", 0), 0u);
  EXPECT_NE(cleaned.err.find("Do you wish to continue?\", answer Yes"), std::string::npos)
      << cleaned.err;

  // Without the warning, the confirmation comes at once; unanswered, it is a
  // No, and the run stops with nothing deleted.
  std::string noWarning = "start\nclick CleanCom\ntick Warning.Check1\nclick Warning.Command1\n";
  ASSERT_EQ(Verb("run", {"-"}, noWarning).code, cli::kExitOk);
  test::WriteHostFile(machine.Host(kUserTemp) + "kept.tmp", "12345");
  Ran no = Verb("clean", {});
  EXPECT_EQ(no.code, cli::kExitStopped);
  EXPECT_EQ(no.out, "");
  EXPECT_NE(no.err.find("answered No; nothing was deleted"), std::string::npos) << no.err;
  EXPECT_TRUE(Exists(std::string(kUserTemp) + "kept.tmp"));
  Ran again = Verb("clean", {"--yes"});
  EXPECT_EQ(again.code, cli::kExitOk) << again.err;
  EXPECT_NE(again.err.find("Do you wish to continue?\", answer Yes"), std::string::npos)
      << again.err;
  EXPECT_FALSE(Exists(std::string(kUserTemp) + "kept.tmp"));
  EXPECT_EQ(machine.machine().Script().PendingAnswers(), 0u);

  // "Close After Cleaning" ends the program, and with it the results box;
  // the totals remain.
  ASSERT_EQ(Verb("run", {"-"}, "start\ntick CAC\nuntick CBD\n").code, cli::kExitOk);
  Ran closed = Verb("clean", {"--yes"});
  EXPECT_EQ(closed.code, cli::kExitOk) << closed.err;
  EXPECT_EQ(closed.out, "Files: 0  Size: 0 bytes (0 bytes)\nRegistry keys: 0  Registry values: 0\n");

  for (auto [verb, arg] : {std::pair{"analyze", "now"}, {"analyze", "--yes"}, {"clean", "--force"},
                           {"clean", "--select"}, {"list", "--all"}})
    EXPECT_EQ(Verb(verb, {arg}).code, cli::kExitUsage) << verb << " " << arg;
}

TEST_F(ProgramVerbs, QuietModeIsExactlySlashAutoAndRunDrivesScripts) {
  test::AddDemoTracesAndPassWarning(machine);
  const std::string trace = "drive_c/WINDOWS/Temp/install.tmp";
  for (const char* spelling : {"/auto", "/Auto"}) {
    Ran refused = Verb(spelling, {});
    EXPECT_EQ(refused.code, cli::kExitUsage) << spelling;
    EXPECT_NE(refused.err.find("quiet mode is exactly /AUTO"), std::string::npos) << refused.err;
    EXPECT_TRUE(Exists(trace)) << spelling;
  }
  EXPECT_FALSE(cli::IsProgramVerb("/auto"));
  Ran quiet = Verb("/AUTO", {});
  EXPECT_EQ(quiet.code, cli::kExitOk) << quiet.err;
  EXPECT_EQ(quiet.out + quiet.err, "");
  EXPECT_FALSE(Exists(trace));

  std::string path = machine.Host("script.vbs");
  test::WriteHostFile(path, "start\r\nprint CleanCom\r\nclick Nothing\r\n");
  Ran file = Verb("run", {path});
  EXPECT_EQ(file.code, cli::kExitFailed);
  EXPECT_EQ(file.out, "&Run Cleaner\n");
  EXPECT_EQ(file.err, "line 3: unknown name Nothing\n");
  EXPECT_EQ(Verb("run", {machine.Host("none.vbs")}).err,
            "run: the script " + machine.Host("none.vbs") + " does not exist\n");
  // Only a regular file is read: a folder reads as nothing, a device never
  // ends, a pipe may never send anything.
  ASSERT_EQ(mkfifo(machine.Host("pipe").c_str(), 0600), 0);
  for (auto [path, what] : {std::pair{machine.folder(), "is a folder"},
                            std::pair{std::string("/dev/zero"), "is not a regular file"},
                            std::pair{machine.Host("pipe"), "is not a regular file"}}) {
    Ran refused = Verb("run", {path});
    EXPECT_EQ(refused.code, cli::kExitFailed) << path;
    EXPECT_EQ(refused.err.rfind("run: the script " + path + " " + what, 0), 0u) << refused.err;
  }
  EXPECT_EQ(Verb("run", {}).code, cli::kExitUsage);
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

TEST_F(ProgramVerbs, ListShowsTheBoxesAndTheEntriesOfTheDemoMachine) {
  test::AddDemoTracesAndPassWarning(machine);
  Ran list = Verb("list", {});
  ASSERT_EQ(list.code, cli::kExitOk) << list.err;
  EXPECT_TRUE(HasLine(list.out, "item\tSysTemp\t1\tSystem Temporary")) << list.out;
  EXPECT_TRUE(HasLine(list.out, "item\tmemdumps\t0\tMemory Dumps"));
  EXPECT_TRUE(HasLine(list.out, "option\tCBD\t0\tConfirm Before Deletion"));
  EXPECT_TRUE(HasLine(list.out, "entry\tApplications\t1\tWinRAR"));
  EXPECT_TRUE(HasLine(list.out, "entry\tWindows\t0\tMS Paint"));
  for (const char* name : {"Applications", "Internet", "Multimedia", "Utilities", "Windows"})
    EXPECT_NE(list.out.find(std::string("\nentry\t") + name + "\t"), std::string::npos) << name;

  Ran json = Verb("list", {"--json"});
  ASSERT_EQ(json.code, cli::kExitOk);
  EXPECT_TRUE(ReadsAsJsonLines(machine.folder(), json.out)) << json.out;
  EXPECT_EQ(test::Lines(json.out).size(), test::Lines(list.out).size());
  EXPECT_TRUE(HasLine(json.out, "{\"kind\": \"entry\", \"list\": \"Windows\", \"text\": \"MS Paint\", "
                                "\"checked\": false}"));
  // The marks of entries that are not detected here stay stored.
  registry::settings::SaveSetting(machine.platform().Registry(), registry::settings::kAppName,
                                  registry::settings::kApps, "Not Installed Here", "True");
  std::string stored = Stored();
  ASSERT_EQ(Verb("list", {}).code, cli::kExitOk);
  EXPECT_EQ(Stored(), stored);
}

TEST_F(ProgramVerbs, SelectChoosesForOneRunAndLeavesTheStoredChoices) {
  test::AddDemoTracesAndPassWarning(machine);
  ASSERT_EQ(Verb("list", {}).code, cli::kExitOk);  // the window's own values stored once
  const std::string boxes = "start\nprint SysTemp.value\nprint memdumps.value\nprint TAP.value\n"
                            "print Appl.checked\nprint MM.checked\nunload\n";
  std::string shown = Verb("run", {"-"}, boxes).out;
  std::string listed = Verb("list", {}).out;
  std::string stored = Stored();
  auto unchanged = [&](const char* after) {
    EXPECT_EQ(Verb("run", {"-"}, boxes).out, shown) << after;
    EXPECT_EQ(Verb("list", {}).out, listed) << after;
    EXPECT_EQ(Stored(), stored) << after;
  };

  // An unknown name is refused before anything runs.
  Ran unknown = Verb("clean", {"--yes", "--select", "SysTemp,No Such Thing"});
  EXPECT_EQ(unknown.code, cli::kExitUsage);
  EXPECT_EQ(unknown.out, "");
  EXPECT_NE(unknown.err.find("unknown name \"No Such Thing\""), std::string::npos) << unknown.err;
  EXPECT_TRUE(Exists("drive_c/WINDOWS/Temp/install.tmp"));
  unchanged("an unknown name");

  // Analyze: an item cleared in the settings, by its caption, and an entry
  // by its text; nothing else.
  Ran analyze = Verb("analyze", {"--select", "memory dumps,Sun Java"});
  ASSERT_EQ(analyze.code, cli::kExitOk) << analyze.err;
  EXPECT_NE(analyze.out.find("C:\\WINDOWS\\memory.dmp 64 kb"), std::string::npos) << analyze.out;
  EXPECT_NE(analyze.out.find("\\Sun\\Java\\Deployment\\cache\\6.0\\applet.jar"), std::string::npos);
  EXPECT_EQ(analyze.out.find("C:\\WINDOWS\\Temp\\"), std::string::npos);
  EXPECT_EQ(analyze.out.find("Winamp"), std::string::npos);
  EXPECT_NE(analyze.out.find("\nFiles: 2  Size: "), std::string::npos);
  unchanged("analyze --select");

  // Run Cleaner: a control name and an entry, in two --select arguments.
  Ran clean = Verb("clean", {"--yes", "--select", "SysTemp", "--select", "WinAmp"});
  ASSERT_EQ(clean.code, cli::kExitOk) << clean.err;
  EXPECT_FALSE(Exists("drive_c/WINDOWS/Temp/install.tmp"));
  EXPECT_FALSE(Exists("drive_c/Program Files/Winamp/winamp.m3u"));
  EXPECT_TRUE(Exists("drive_c/WINDOWS/memory.dmp"));
  EXPECT_TRUE(Exists("drive_c/Documents and Settings/User/Recent/holiday.jpg.lnk"));
  EXPECT_TRUE(Exists("drive_c/Documents and Settings/User/Application Data/Sun/Java/Deployment/"
                     "cache/6.0/applet.jar"));
  unchanged("clean --select");

  // A caption that holds a comma is one name.
  Ran personal = Verb("analyze", {"--select", "Clean Personalized Files, Folders & Registry Items "
                                              "when clicking \"Run Cleaner\""});
  EXPECT_EQ(personal.code, cli::kExitOk) << personal.err;
}

// A script means the same boxes in every language: a box is named by its
// control name or its English caption, never by a translated one, and an
// empty name names nothing, though a language file may leave captions empty.
TEST_F(ProgramVerbs, SelectTakesTheEnglishNamesInEveryLanguageAndNoEmptyName) {
  test::AddDemoTracesAndPassWarning(machine);
  test::WriteHostFile(machine.Host("drive_c/Program Files/Vanbrisk/Blank.lng"),
                      "000 VANBRISK LANGUAGE FILE\r\n");
  const struct {
    const char* language;
    const char* select;
    int code;
  } cases[] = {
      {"Blank", "SysTemp,", cli::kExitUsage},
      {"Blank", ",SysTemp", cli::kExitUsage},
      {"Blank", "SysTemp,,Cook", cli::kExitUsage},
      {"Blank", "", cli::kExitUsage},
      {"French", "Vidages m\xe9moire", cli::kExitUsage},
      {"French", "memory dumps", cli::kExitOk},
      {"Blank", "MEMDUMPS", cli::kExitOk},
  };
  for (const auto& c : cases) {
    registry::settings::SaveSetting(machine.platform().Registry(), registry::settings::kAppName,
                                    registry::settings::kSettings, "Language", c.language);
    Ran analyze = Verb("analyze", {"--select", c.select});
    EXPECT_EQ(analyze.code, c.code) << c.language << " " << c.select << "\n" << analyze.err;
    if (c.code == cli::kExitOk) {
      EXPECT_NE(analyze.out.find("C:\\WINDOWS\\memory.dmp"), std::string::npos) << analyze.out;
      EXPECT_NE(analyze.out.find("\nFiles: 1  Size: "), std::string::npos) << analyze.out;
    } else {
      EXPECT_EQ(analyze.out, "") << c.select;
      std::string select = c.select;
      const char* why = select.empty() ? "--select needs a name"
                        : select.find(',') != std::string::npos ? "an empty name in --select"
                                                                : "unknown name \"";
      EXPECT_NE(analyze.err.find(why), std::string::npos)
          << analyze.err;
    }
  }
}

// A tree of known sizes in the Windows temporary folder, which Analyze walks
// to its depth too, one name not UTF-8.
class RunTotals : public ProgramVerbs {
 protected:
  void SetUp() override {
    test::PassCleanerWarning(machine);
    const std::pair<const char*, std::size_t> files[] = {
        {"empty.tmp", 0},          {"a/one.tmp", 1},           {"a/b/kilo.tmp", 1023},
        {"a/b/c/kb.tmp", 1024},    {"a/b/c/d/page.tmp", 4097}, {"caf\xe9.tmp", 70000},
        {"x/big.bin", 1048583},
    };
    for (const auto& [name, size] : files)
      test::WriteHostFile(machine.Host(kWindowsTemp) + name, std::string(size, 'x'));
  }
};

TEST_F(RunTotals, MatchTheBytesOnDiskInBothModesAndAsJson) {
  const std::string totals =
      "Files: 7  Size: 1.1 MB (1,124,728 bytes)\nRegistry keys: 0  Registry values: 0\n";
  Ran analyze = Verb("analyze", {"--select", "SysTemp"});
  ASSERT_EQ(analyze.code, cli::kExitOk) << analyze.err;
  EXPECT_EQ(analyze.out.substr(analyze.out.size() - totals.size()), totals) << analyze.out;

  Ran json = Verb("analyze", {"--json", "--select", "SysTemp"});
  ASSERT_EQ(json.code, cli::kExitOk) << json.err;
  EXPECT_TRUE(ReadsAsJsonLines(machine.folder(), json.out)) << json.out;
  std::vector<std::string> lines = test::Lines(json.out);
  ASSERT_EQ(lines.size(), 8u) << json.out;
  EXPECT_TRUE(HasLine(json.out,
                      "{\"path\": \"C:\\\\WINDOWS\\\\Temp\\\\x\\\\big.bin\", \"bytes\": 1048583, "
                      "\"action\": \"listed\", \"source\": \"System Temporary\"}"));
  EXPECT_NE(json.out.find("caf\\u00e9.tmp\", \"bytes\": 70000"), std::string::npos);
  EXPECT_EQ(lines.back().rfind("{\"summary\": true, \"verb\": \"analyze\", \"files\": 7, "
                               "\"bytes\": 1124728, \"size\": \"1.1 MB\", \"folders\": 0, "
                               "\"registryKeys\": 0, \"registryValues\": 0, \"cacheEntries\": 0, "
                               "\"refused\": 0, \"results\": \"ANALYSIS SUMMARY",
                               0),
            0u)
      << lines.back();

  Ran clean = Verb("clean", {"--yes", "--json", "--select", "SysTemp"});
  ASSERT_EQ(clean.code, cli::kExitOk) << clean.err;
  EXPECT_TRUE(ReadsAsJsonLines(machine.folder(), clean.out));
  lines = test::Lines(clean.out);
  // The seven files and the five folders they leave empty.
  ASSERT_EQ(lines.size(), 13u) << clean.out;
  EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                          [](const std::string& l) { return l.find("\"action\": \"deleted\"") != std::string::npos; }),
            7);
  EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                          [](const std::string& l) { return l.find("\"action\": \"removed\"") != std::string::npos; }),
            5);
  EXPECT_NE(lines.back().find("\"files\": 7, \"bytes\": 1124728, \"size\": \"1.1 MB\", \"folders\": 5"),
            std::string::npos);
  EXPECT_FALSE(Exists(std::string(kWindowsTemp) + "x/big.bin"));
  EXPECT_FALSE(Exists(std::string(kWindowsTemp) + "a/b/c/d/page.tmp"));

  Ran after = Verb("analyze", {"--select", "SysTemp"});
  EXPECT_NE(after.out.find("\nFiles: 0  Size: 0 bytes (0 bytes)\n"), std::string::npos) << after.out;
}

TEST_F(ProgramVerbs, TotalsCountTheRegistryValuesAndKeysDeleted) {
  test::PassCleanerWarning(machine);
  auto& reg = machine.platform().Registry();
  const char* runMru = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU";
  for (auto [value, data] : {std::pair{"a", "notepad"}, {"b", "notepad"}, {"MRUList", "ab"}})
    ASSERT_EQ(platform::WriteString(reg, win::kHkeyCurrentUser, runMru, value, data),
              win::kErrorSuccess);
  registry::Reg32::CreateKey(reg, win::kHkeyCurrentUser,
                             "Software\\Microsoft\\Search Assistant\\ACMru\\5603");
  // A personalized key and a rule's key count once each, with what is below
  // them; a personalized file of 4 GiB and more counts with all its bytes.
  registry::Reg32::CreateKey(reg, win::kHkeyCurrentUser, "Software\\OldApp\\Sub");
  registry::Reg32::CreateKey(reg, win::kHkeyCurrentUser, "Software\\RuleApp\\Sub");
  registry::settings::AddListEntry(machine.platform(), registry::settings::kRegKeys,
                                   "HKEY_CURRENT_USER\\Software\\OldApp");
  registry::settings::SaveSetting(reg, registry::settings::kAppName, registry::settings::kSettings,
                                  "(Opt)Clean Personalized", "1");
  test::WriteHostFile(machine.Host("drive_c/Program Files/Vanbrisk/winapp2.ini"),
                      "[RuleApp *]\nRegKey1=HKCU\\Software\\RuleApp\n");
  constexpr std::uint64_t kBig = (4ULL << 30) + 5;
  test::WriteHostFile(machine.Host("drive_c/big.dmp"), "");
  std::filesystem::resize_file(machine.Host("drive_c/big.dmp"), kBig);
  registry::settings::AddListEntry(machine.platform(), registry::settings::kFiles, "C:\\big.dmp");
  Ran clean = Verb("clean", {"--yes", "--select", "ExMRUs,Check8,RuleApp"});
  ASSERT_EQ(clean.code, cli::kExitOk) << clean.err;
  EXPECT_NE(clean.out.find("\nFiles: 1  Size: 4.0 GB (4,294,967,301 bytes)\n"
                           "Registry keys: 3  Registry values: 3\n"),
            std::string::npos)
      << clean.out;
  Ran again = Verb("clean", {"--yes", "--select", "ExMRUs,Check8,RuleApp"});
  EXPECT_NE(again.out.find("\nRegistry keys: 0  Registry values: 0\n"), std::string::npos)
      << again.out;
}

// "Automatically Clean When Vanbrisk Opens" never runs before an analysis.
TEST_F(ProgramVerbs, AnalyzeNeverCleansFirst) {
  test::PassCleanerWarning(machine);
  registry::settings::SaveSetting(machine.platform().Registry(), registry::settings::kAppName,
                                  registry::settings::kSettings,
                                  "(Opt)Automatically Clean When Vanbrisk Opens", "1");
  test::WriteHostFile(machine.Host(kWindowsTemp) + "setup.log", "x");
  Ran analyze = Verb("analyze", {});
  ASSERT_EQ(analyze.code, cli::kExitOk) << analyze.err;
  EXPECT_NE(analyze.out.find("C:\\WINDOWS\\Temp\\setup.log 1 bytes"), std::string::npos)
      << analyze.out;
  EXPECT_TRUE(Exists(std::string(kWindowsTemp) + "setup.log"));
}

TEST(ScheduleVerb, RecordsTheSchtasksCommandLinesOnTheEmulatedMachine) {
  test::TempMachine machine;
  auto run = [&](const std::vector<std::string>& args, std::string* out) {
    std::istringstream in;
    std::ostringstream o, err;
    int code = cli::RunScheduleVerb(machine.platform(),
                                    cli::SystemCommandRunner(machine.platform(), o), args,
                                    {in, o, err});
    *out = o.str() + err.str();
    return code;
  };
  const std::string task = "schtasks.exe /Create /F /TN \"Vanbrisk Scheduled Clean\" /TR "
                           "\"\\\"C:\\Program Files\\Vanbrisk\\vanbrisk.exe\\\" /AUTO\" ";
  const std::pair<std::vector<std::string>, std::string> made[] = {
      {{"daily", "--at", "21:30"}, task + "/SC DAILY /ST 21:30"},
      {{"weekly"}, task + "/SC WEEKLY /ST 12:00"},
      {{"logon"}, task + "/SC ONLOGON"},
      {{"remove"}, "schtasks.exe /Delete /TN \"Vanbrisk Scheduled Clean\" /F"},
      {{"show"}, "schtasks.exe /Query /TN \"Vanbrisk Scheduled Clean\" /V /FO LIST"},
  };
  for (const auto& [args, command] : made) {
    std::string out;
    EXPECT_EQ(run(args, &out), cli::kExitOk) << out;
    EXPECT_EQ(out, "recorded, not run (emulated machine): " + command + "\n");
    ASSERT_FALSE(machine.machine().Sys().Launched().empty());
    EXPECT_EQ(machine.machine().Sys().Launched().back().commandLine, command);
  }
  std::size_t recorded = machine.machine().Sys().Launched().size();
  for (const std::vector<std::string>& bad :
       std::vector<std::vector<std::string>>{{}, {"hourly"}, {"daily", "--at", "24:00"},
                                             {"daily", "--at", "9:30"}, {"weekly", "--at"},
                                             {"logon", "--at", "10:00"}, {"show", "now"}}) {
    std::string out;
    EXPECT_EQ(run(bad, &out), cli::kExitUsage) << out;
  }
  EXPECT_EQ(machine.machine().Sys().Launched().size(), recorded);
}

}  // namespace
}  // namespace vb
