// The Internet page's cache view, and a bare start and unload, as whole
// processes of vanbrisk-cli.
//
// Makes two emulated machines, one with an empty URL cache and one with 10,000
// entries (pages and images with their local files, cookies with theirs,
// history entries without one), then times, round by round, the processes
//   start, unload                   (a start and unload)
//   start, click iet2, unload       (the Internet page shown: both views filled)
// on each machine, and prints the medians. Given --before with the path of an
// older vanbrisk-cli, it times that one in the same rounds, alternating with the
// current one, and prints the two side by side.
//
//   cache_view_bench [--rounds N] [--entries N] [--before OLD_CLI] [--cli CLI] [--keep] [TMPDIR]
//
// --keep leaves the two machines in TMPDIR/vanbrisk-cache-view-bench, for a profiler.
//
// The current vanbrisk-cli is the one built beside this benchmark (../vanbrisk-cli).
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "fixtures/machine_init.h"
#include "platform/emulated/database.h"
#include "platform/emulated/machine.h"
#include "platform/win_types.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

// Writes `bytes` to a host file; false when it could not.
bool WriteHostFile(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
  return static_cast<bool>(out);
}

// Fills the cache of the machine in `folder` with `count` entries, in one
// transaction: nine in ten a page or an image with its file in one of the
// four Content.IE5 folders, one in twenty a cookie with its file, one in
// twenty a history entry without a file.
bool FillCache(const std::string& folder, int count) {
  std::string error;
  auto machine = vb::emu::Machine::Open(folder, &error);
  if (!machine) {
    std::fprintf(stderr, "Machine::Open: %s\n", error.c_str());
    return false;
  }
  const std::string profile = "Documents and Settings/User/";
  const std::string content = profile + "Local Settings/Temporary Internet Files/Content.IE5/";
  const char* bins[] = {"0A1B2C3D", "4E5F6G7H", "8I9J0K1L", "2M3N4O5P"};
  for (const char* bin : bins) fs::create_directories(folder + "/drive_c/" + content + bin);
  fs::create_directories(folder + "/drive_c/" + profile + "Cookies");
  vb::emu::Transaction transaction(machine->Db());
  for (int i = 0; i < count; ++i) {
    std::string n = std::to_string(i);
    std::string url, file, windowsFile;
    vb::win::DWORD type = vb::win::kNormalCacheEntry;
    if (i % 20 == 10) {
      url = "Cookie:user@site" + n + ".example/";
      file = profile + "Cookies/user@site" + n + ".example[1].txt";
      type |= vb::win::kCookieCacheEntry;
    } else if (i % 20 == 11) {
      url = "Visited: user@http://site" + n + ".example/index.html";
      type |= vb::win::kUrlHistoryCacheEntry;
    } else {
      url = "http://site" + std::to_string(i / 10) + ".example/page" + n + ".html";
      file = content + bins[i % 4] + "/page" + n + "[1].htm";
    }
    if (!file.empty()) {
      if (!WriteHostFile(folder + "/drive_c/" + file, "<html>" + n + "</html>")) return false;
      windowsFile = "C:\\" + file;
      std::replace(windowsFile.begin(), windowsFile.end(), '/', '\\');
    }
    if (machine->UrlCache().CommitUrlCacheEntryA(url.c_str(), windowsFile.c_str(), type) !=
        vb::win::kErrorSuccess) {
      std::fprintf(stderr, "cannot add %s\n", url.c_str());
      return false;
    }
  }
  transaction.Commit();
  return true;
}

// Runs `cli --machine MACHINE run SCRIPT` with its output thrown away; the
// wall time in milliseconds, or a negative figure when it failed.
double TimeRun(const std::string& cli, const std::string& machine, const std::string& script) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  std::vector<std::string> args = {cli, "--machine", machine, "run", script};
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  auto t = Clock::now();
  pid_t pid = 0;
  int rc = posix_spawn(&pid, cli.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) return -1;
  int status = 0;
  waitpid(pid, &status, 0);
  double ms = std::chrono::duration<double, std::milli>(Clock::now() - t).count();
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? ms : -1;
}

// The medians of one program's processes.
struct Figures {
  std::vector<double> startUnload, pageEmpty, pageFull;
};

}  // namespace

int main(int argc, char** argv) {
  int rounds = 11, entries = 10000;
  bool keep = false;
  std::string before;
  std::string current = (fs::path(argv[0]).parent_path().parent_path() / "vanbrisk-cli").string();
  std::string tmp = fs::temp_directory_path().string();
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a == "--rounds" && i + 1 < argc) rounds = std::max(1, std::atoi(argv[++i]));
    else if (a == "--entries" && i + 1 < argc) entries = std::max(1, std::atoi(argv[++i]));
    else if (a == "--before" && i + 1 < argc) before = argv[++i];
    else if (a == "--cli" && i + 1 < argc) current = argv[++i];
    else if (a == "--keep") keep = true;
    else tmp = a;
  }
  std::string base = tmp + "/vanbrisk-cache-view-bench";
  std::string empty = base + "/empty", full = base + "/full";
  fs::remove_all(base);
  fs::create_directories(base);
  for (const std::string& folder : {empty, full})
    if (vb::Result<> made = vb::fixtures::InitMachine(folder, {}); !made) {
      std::fprintf(stderr, "InitMachine: %s\n", made.message().c_str());
      return 1;
    }
  if (!FillCache(full, entries)) return 1;
  std::string startUnload = base + "/start.vbs", page = base + "/page.vbs";
  if (!WriteHostFile(startUnload, "start\nunload\n") ||
      !WriteHostFile(page, "start\nclick iet2\nunload\n"))
    return 1;

  std::vector<std::string> clis = {current};
  if (!before.empty()) clis.insert(clis.begin(), before);
  std::vector<Figures> figures(clis.size());
  // One warm-up process each, then the rounds, the programs alternating.
  for (const std::string& cli : clis)
    if (TimeRun(cli, full, page) < 0) {
      std::fprintf(stderr, "%s failed on the machine %s\n", cli.c_str(), full.c_str());
      return 1;
    }
  for (int r = 0; r < rounds; ++r)
    for (std::size_t c = 0; c < clis.size(); ++c) {
      figures[c].startUnload.push_back(TimeRun(clis[c], empty, startUnload));
      figures[c].pageEmpty.push_back(TimeRun(clis[c], empty, page));
      figures[c].pageFull.push_back(TimeRun(clis[c], full, page));
    }

  std::printf("whole processes of vanbrisk-cli, median of %d rounds, milliseconds\n", rounds);
  std::printf("%-44s", "");
  for (std::size_t c = 0; c < clis.size(); ++c)
    std::printf("%12s", clis.size() > 1 && c == 0 ? "before" : "now");
  std::printf("\n");
  auto row = [&](const char* label, std::vector<double> Figures::*series) {
    std::printf("%-44s", label);
    for (const Figures& f : figures) std::printf("%12.1f", Median(f.*series));
    std::printf("\n");
  };
  row("start and unload", &Figures::startUnload);
  row("start, Internet page, unload: empty cache", &Figures::pageEmpty);
  std::string label = "start, Internet page, unload: " + std::to_string(entries) + " entries";
  row(label.c_str(), &Figures::pageFull);
  std::printf("%-44s", "the entries add (goal: at most 50)");
  for (const Figures& f : figures) std::printf("%12.1f", Median(f.pageFull) - Median(f.pageEmpty));
  std::printf("\n");
  bool failed = false;
  for (const Figures& f : figures)
    for (const auto* series : {&f.startUnload, &f.pageEmpty, &f.pageFull})
      failed |= std::any_of(series->begin(), series->end(), [](double ms) { return ms < 0; });
  if (failed) std::printf("warning: some processes failed; their times count as negative\n");
  if (!keep) fs::remove_all(base);
  return 0;
}
