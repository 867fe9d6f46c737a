// The transcripts of tests/cli: each NAME.txt holds cases, each on a fresh
// machine, made of vanbrisk-cli command lines and the host set-up before
// them; after each command come its standard output, standard error and exit
// status. The test runs every command and prints the case again with what the
// commands really gave; that must be the case as written, byte for byte.
//
//   === TITLE             begins a case on a fresh machine
//   # ...                 a comment
//   $ VERB ARGS...        a command line of vanbrisk-cli; "..." quotes a word,
//                         "" inside quotes is one quote; $MACHINE is the
//                         machine's folder, which is also the current folder;
//                         "> FILE" last sends standard output to that file
//   < LINE                a line of the command's standard input
//   1> LINE, 2> LINE      a line it wrote to standard output, standard error;
//   1~ TEXT, 2~ TEXT      the last text of one, when no line break ends it
//   ? CODE                its exit status; {*} in a line stands for any
//                         text, such as a run time
//   ! N answers unused    the scripted user's answers it left unasked for
//   + write PATH          a host file, of the "| LINE" lines that follow
//   + size PATH BYTES     a host file of that many zero bytes
//   + mkdir PATH, + fifo PATH, + link TARGET PATH
//   + full-disk           the registry database left without room
//   + registry-locked     another program holds the registry's write lock,
//                         longer than the machine waits
//
// \x{HH} anywhere stands for the byte HH; in what the commands print, bytes
// that are not printable ASCII, and a space or tab that ends a line, are shown so. Paths on the
// host are relative to the machine's folder.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>

#include <sqlite3.h>

#include <fstream>

#include "cli/command_line.h"
#include "cli/machine_verbs.h"
#include "shared/transcript.h"
#include "support/full_database.h"
#include "support/other_writer.h"
#include "support/temp_machine.h"

namespace vb {
namespace {

namespace fs = std::filesystem;

fs::path Folder() { return fs::path(__FILE__).parent_path() / "cli"; }

std::string Unescape(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i)
    if (text.compare(i, 3, "\\x{") == 0 && i + 5 < text.size() && text[i + 5] == '}')
      out += static_cast<char>(std::stoi(text.substr(i + 3, 2), nullptr, 16)), i += 5;
    else
      out += text[i];
  return out;
}

// Every byte that is not printable ASCII, but a tab within the line, as \x{HH}.
std::string Escape(const std::string& line) {
  std::string out;
  for (std::size_t i = 0; i < line.size(); ++i) {
    auto b = static_cast<unsigned char>(line[i]);
    bool last = i + 1 == line.size();
    if (b >= 0x80 || b == 0x7F || (b < 0x20 && (b != '\t' || last)) || (b == ' ' && last)) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x{%02X}", b);
      out += hex;
    } else {
      out += line[i];
    }
  }
  return out;
}

// The words of a command line.
std::vector<std::string> Words(const std::string& line, const std::string& machine) {
  std::vector<std::string> words;
  std::string word;
  bool inWord = false, quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (quoted && line.compare(i, 2, "\"\"") == 0) {
      word += '"', ++i;
    } else if (line[i] == '"') {
      quoted = !quoted, inWord = true;
    } else if (line[i] != ' ' || quoted) {
      word += line[i], inWord = true;
    } else if (inWord) {
      words.push_back(Unescape(word)), word.clear(), inWord = false;
    }
  }
  if (inWord) words.push_back(Unescape(word));
  for (std::string& w : words)
    for (std::size_t at; (at = w.find("$MACHINE")) != std::string::npos;) w.replace(at, 8, machine);
  return words;
}

struct Case {
  std::string title;
  std::vector<std::string> lines;  // as written, after the title
};

std::vector<Case> Cases(const std::string& name) {
  std::vector<Case> cases;
  for (const std::string& line : test::Lines(test::ReadText(Folder() / (name + ".txt")))) {
    if (line.rfind("=== ", 0) == 0)
      cases.push_back({line.substr(4), {}});
    else if (!cases.empty())
      cases.back().lines.push_back(line);
  }
  return cases;
}

class Runner {
 public:
  Runner() : before_(fs::current_path()) { fs::current_path(m_.folder()); }
  ~Runner() { fs::current_path(before_); }

  // The case as its commands really ran.
  std::string Run(const Case& c) {
    const std::vector<std::string>& lines = c.lines;
    for (std::size_t i = 0; i < lines.size();) {
      const std::string& line = lines[i++];
      if (IsResult(line)) continue;
      // Input that no command or set-up line right above takes (a comment
      // between a command and its input ends the input) would never run.
      if (!line.empty() && (line[0] == '<' || line[0] == '|'))
        ADD_FAILURE() << c.title << ": input that follows no command: " << line;
      shown_ << line << "\n";
      // A command's standard input, or a file's lines.
      char more = line.rfind("$ ", 0) == 0 ? '<' : '|';
      std::string text;
      for (; i < lines.size() && !lines[i].empty() && lines[i][0] == more; ++i) {
        shown_ << lines[i] << "\n";
        text += Unescape(lines[i].substr(std::min<std::size_t>(2, lines[i].size()))) + "\n";
      }
      if (line.rfind("$ ", 0) == 0) Command(Words(line.substr(2), m_.folder()), text);
      if (line.rfind("+ ", 0) == 0) SetUp(Words(line.substr(2), m_.folder()), text);
    }
    return shown_.str();
  }

 private:
  static bool IsResult(const std::string& line) {
    for (const char* start : {"1>", "2>", "1~", "2~", "? ", "! "})
      if (line.rfind(start, 0) == 0) return true;
    return false;
  }

  void SetUp(std::vector<std::string> w, const std::string& content) {
    std::string what = w.empty() ? "" : w[0];
    // The path made: absolute, so that its folders are made too. A link's
    // target stays as written.
    std::size_t made = what == "link" ? 2 : 1;
    if (made < w.size()) w[made] = fs::absolute(w[made]).string();
    if (what == "write" && w.size() == 2) {
      test::WriteHostFile(w[1], content);
    } else if (what == "size" && w.size() == 3) {
      test::WriteHostFile(w[1], "");
      fs::resize_file(w[1], std::stoull(w[2]));
    } else if (what == "mkdir" && w.size() == 2) {
      fs::create_directories(w[1]);
    } else if (what == "fifo" && w.size() == 2) {
      ASSERT_EQ(mkfifo(w[1].c_str(), 0600), 0) << w[1];
    } else if (what == "link" && w.size() == 3) {
      ASSERT_EQ(symlink(w[1].c_str(), w[2].c_str()), 0) << w[2];
    } else if (what == "full-disk" && w.size() == 1) {
      test::FillDatabase(m_.machine().Db(), m_.platform().Registry());
      fullDisk_ = true;
    } else if (what == "registry-locked" && w.size() == 1) {
      locker_ = std::make_unique<test::OtherWriter>(m_.folder());
    } else {
      ADD_FAILURE() << "unknown set-up step: " << (what.empty() ? "(none)" : what);
    }
  }

  // The machine the test holds open, lent to one command.
  class Lent final : public cli::ChosenPlatform {
   public:
    explicit Lent(emu::Machine& machine) : machine_(machine) {}
    platform::Platform& get() override { return machine_; }
    platform::ScriptedUi& ui() override { return machine_.Script(); }

   private:
    emu::Machine& machine_;
  };

  void Command(std::vector<std::string> args, const std::string& input) {
    std::istringstream in(input);
    std::ostringstream out, err;
    std::ofstream file;
    if (args.size() >= 2 && args[args.size() - 2] == ">") {
      file.open(args.back(), std::ios::binary);
      ASSERT_TRUE(file.is_open()) << args.back();
      args.resize(args.size() - 2);
    }
    // Each command is a process of its own: the machine is opened anew.
    m_.Reopen();
    if (fullDisk_) LimitPages();
    // The wait for the lock has run out: the machine gives up at once.
    if (locker_) sqlite3_busy_timeout(m_.machine().Db().handle(), 0);
    cli::Host host{
        [this](const std::string&, bool, std::ostream&) -> Result<std::unique_ptr<cli::ChosenPlatform>> {
          return std::unique_ptr<cli::ChosenPlatform>(std::make_unique<Lent>(m_.machine()));
        },
        [this](const std::string& folder, const std::vector<std::string>& words, cli::VerbIo io) {
          m_.Close();
          int code = cli::RunMachineVerb(folder, words, io);
          // A machine made anew is another folder of that name: a shell in
          // it would cd there again.
          fs::current_path(m_.folder());
          m_.Reopen();
          return code;
        },
        cli::RunPrefixesVerb, cli::SystemCommandRunner, [this] { return m_.folder(); }, true, false};
    int code = cli::RunCommandLine(args, host,
                                   {in, file.is_open() ? static_cast<std::ostream&>(file) : out, err});
    Stream('1', out.str());
    Stream('2', err.str());
    shown_ << "? " << code << "\n";
    if (std::size_t left = m_.machine().Script().PendingAnswers())
      shown_ << "! " << left << " answers unused\n";
  }

  // The database, filled to its last page, may take no more pages: as the
  // full disk of a real machine stays full whoever opens the machine.
  void LimitPages() {
    emu::Statement count(m_.machine().Db().handle(), "PRAGMA page_count");
    ASSERT_TRUE(count.Step());
    ASSERT_TRUE(m_.machine().Db().Exec("PRAGMA max_page_count = " + std::to_string(count.Int(0))));
  }

  void Stream(char which, std::string text) {
    for (std::size_t at; (at = text.find(m_.folder())) != std::string::npos;)
      text.replace(at, m_.folder().size(), "$MACHINE");
    std::size_t from = 0;
    for (std::size_t end; (end = text.find('\n', from)) != std::string::npos; from = end + 1)
      shown_ << which << "> " << Escape(text.substr(from, end - from)) << "\n";
    if (from < text.size()) shown_ << which << "~ " << Escape(text.substr(from)) << "\n";
  }

  test::TempMachine m_;
  fs::path before_;
  bool fullDisk_ = false;
  std::unique_ptr<test::OtherWriter> locker_;
  std::ostringstream shown_;
};

std::vector<std::string> FileNames() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(Folder()))
    if (entry.path().extension() == ".txt") names.push_back(entry.path().stem().string());
  std::sort(names.begin(), names.end());
  return names;
}

class CliTranscript : public ::testing::TestWithParam<std::string> {};

TEST_P(CliTranscript, EveryCaseGivesWhatItSays) {
  std::vector<Case> cases = Cases(GetParam());
  ASSERT_FALSE(cases.empty()) << GetParam();
  for (const Case& c : cases) {
    std::string ran = Runner().Run(c);
    std::vector<std::string> want = c.lines, got = test::Lines(ran);
    while (!want.empty() && want.back().empty()) want.pop_back();
    while (!got.empty() && got.back().empty()) got.pop_back();
    bool same = want.size() == got.size();
    for (std::size_t i = 0; same && i < got.size(); ++i) same = test::LineMatches(want[i], got[i]);
    EXPECT_TRUE(same) << "=== " << c.title << "\nran as:\n" << ran;
  }
}

INSTANTIATE_TEST_SUITE_P(Files, CliTranscript, ::testing::ValuesIn(FileNames()),
                         [](const auto& info) { return info.param; });

}  // namespace
}  // namespace vb
