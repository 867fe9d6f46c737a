// The help of vanbrisk-cli: every verb answers --help, -h, /? and "help VERB"
// with the same text (usage, options, example, exit statuses) without
// opening a machine, and the help of run names every control of every window.
#include <gtest/gtest.h>

#include <iterator>
#include <set>
#include <sstream>

#include "app/program.h"
#include "cli/command_line.h"
#include "cli/script_commands.h"
#include "product/version.h"

namespace vb {
namespace {

struct Ran {
  int code;
  std::string out, err;
};

Ran Cli(std::vector<std::string> args) {
  std::istringstream in;
  std::ostringstream out, err;
  cli::Host host{[](const std::string&, bool, std::ostream&) -> Result<std::unique_ptr<cli::ChosenPlatform>> {
                   ADD_FAILURE() << "help opened a machine";
                   return Fail("no machine");
                 },
                 [](const std::string&, const std::vector<std::string>&, cli::VerbIo) {
                   ADD_FAILURE() << "help ran machine";
                   return 1;
                 },
                 [](const std::vector<std::string>&, cli::VerbIo) {
                   ADD_FAILURE() << "help ran prefixes";
                   return 1;
                 },
                 [](platform::Platform&, std::ostream&) -> cli::CommandRunner {
                   ADD_FAILURE() << "help ran a command";
                   return nullptr;
                 },
                 [] { return std::string("/nonexistent"); }, true, false};
  int code = cli::RunCommandLine(std::move(args), host, {in, out, err});
  return {code, out.str(), err.str()};
}

TEST(CliHelp, EveryVerbAnswersEachHelpWordWithItsUsageExampleAndExitStatuses) {
  for (const char* verb : {"analyze", "clean", "plan", "list", "/AUTO", "run", "machine", "reg",
                           "attrib", "cache", "schedule", "winapp2", "policy", "prefixes", "help"}) {
    SCOPED_TRACE(verb);
    Ran help = Cli({"help", verb});
    EXPECT_EQ(help.code, 0);
    EXPECT_EQ(help.err, "");
    std::string verbWord = std::string(verb) == "/AUTO" ? "" : verb;
    EXPECT_NE(help.out.find("usage: vanbrisk-cli "), std::string::npos);
    EXPECT_NE(help.out.find(verbWord), std::string::npos);
    EXPECT_NE(help.out.find("\nexample:\n  vanbrisk-cli "), std::string::npos);
    EXPECT_NE(help.out.find("\nexit status:\n  0  "), std::string::npos);
    for (const char* word : {"--help", "-h", "/?"}) {
      Ran asked = Cli({verb, word});
      EXPECT_EQ(asked.code, 0) << word;
      EXPECT_EQ(asked.out, help.out) << word;
    }
  }
  // A help word later on the line asks too.
  EXPECT_EQ(Cli({"clean", "--yes", "--help"}).out, Cli({"help", "clean"}).out);
}

TEST(CliHelp, RunNamesEveryCommandAndEveryControlOfEveryWindow) {
  std::string help = Cli({"run", "--help"}).out;
  for (const cli::script::Syntax& syntax : cli::script::Syntaxes())
    EXPECT_NE(help.find("\n  " + std::string(syntax.word) + " "), std::string::npos) << syntax.word;
  // Each window's part, from its heading to the next, as words.
  std::vector<toolkit::WindowTable> windows = app::WindowTables();
  std::vector<std::size_t> starts;
  for (const toolkit::WindowTable& window : windows) {
    starts.push_back(help.find("\n  " + std::string(window.name) + (starts.empty() ? " " : "\n")));
    ASSERT_NE(starts.back(), std::string::npos) << window.name;
  }
  starts.push_back(help.find("\nexample:"));
  for (std::size_t w = 0; w < windows.size(); ++w) {
    std::istringstream part(help.substr(starts[w], starts[w + 1] - starts[w]));
    std::set<std::string> words{std::istream_iterator<std::string>(part), {}};
    for (const toolkit::WindowTable::Row& row : windows[w].rows)
      EXPECT_TRUE(words.count(row.spec.name)) << windows[w].name << "." << row.spec.name;
  }
}

TEST(CliHelp, VersionAndProgramHelp) {
  EXPECT_EQ(Cli({"--version"}).out, std::string("vanbrisk-cli ") + product::kVersion + "\n");
  Ran bare = Cli({});
  EXPECT_EQ(bare.code, 2);
  EXPECT_EQ(bare.err, Cli({"--help"}).out);
  Ran unknown = Cli({"help", "nothing"});
  EXPECT_EQ(unknown.code, 2);
  EXPECT_NE(unknown.err.find("unknown verb nothing"), std::string::npos);
}

}  // namespace
}  // namespace vb
