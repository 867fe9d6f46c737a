// The removal routines against find(1) over the same tree.
//
// Fills C:\WINDOWS\Temp of a fresh emulated machine with 100,000 files in
// 1,000 folders (10 folders of 99 subfolders each, 100 files in every one,
// sizes from 0 to 4999 bytes, one file in a hundred hidden), and lays the same
// tree in a plain host folder. Then times Analyze (ClearD2 measuring the
// whole tree, as the program runs it: over the recording platform, which
// records what Analyze would change) against `find DIR -type f -printf
// '%s\n'`, a plan (ClearD2 deleting, recorded instead of made) against
// Analyze, and Run Cleaner
// (ClearD2 deleting it, on two trees in turn) against
// `find DIR -mindepth 1 -delete`, and prints the ratios, the calls per file
// and the peak memory. For scale it also times the least any listing
// of the emulated tree must do: per file one fstatat for size and mode and one
// getxattrat for the hidden and system attributes (find does the first only).
// Last, a chain of 16,000 nested folders (--deep N for another depth), each
// with one file, goes through Analyze and Run Cleaner: a walk that the depth
// cannot crash, which leaves what lies deeper than it holds alone.
//
//   removal_bench [--files-per-folder N] [--analyze-only] [--deep N] [--keep]
//                 [TMPDIR]
//   removal_bench --analyze-only --reuse BASE   (a tree an earlier --keep run left)
#include <dirent.h>
#include <fcntl.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "bench_tree.h"
#include "call_counter.h"
#include "engine/removal.h"
#include "fixtures/machine_init.h"
#include "platform/emulated/machine.h"
#include "platform/recording_platform.h"
#include "toolkit/application.h"
#include "toolkit/controls.h"
#include "toolkit/form.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

using bench::kGroups;
using bench::kSubfoldersPerGroup;
using bench::MakeTree;

double Seconds(Clock::time_point from) {
  return std::chrono::duration<double>(Clock::now() - from).count();
}

// Runs a command, with its standard output sent to /dev/null unless `shown`;
// its seconds. A command that fails ends the benchmark.
double TimeCommand(const std::vector<std::string>& args, bool shown = false) {
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (!shown) posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  Clock::time_point start = Clock::now();
  pid_t pid = 0;
  if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
    std::perror("posix_spawnp");
    std::exit(1);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  double seconds = Seconds(start);
  posix_spawn_file_actions_destroy(&actions);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "%s failed\n", args[0].c_str());
    std::exit(1);
  }
  return seconds;
}

// The floor: a bare walk reading what the emulation must read of each file.
long BareWalk(int folderFd) {
  DIR* dir = fdopendir(folderFd);
  if (!dir) return 0;
  long files = 0;
  while (dirent* entry = readdir(dir)) {
    const char* name = entry->d_name;
    if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0))) continue;
    struct stat st;
    if (fstatat(dirfd(dir), name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
    if (S_ISDIR(st.st_mode)) {
      int sub = openat(dirfd(dir), name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
      if (sub >= 0) files += BareWalk(sub);
      continue;
    }
    struct {
      std::uint64_t value;
      std::uint32_t size, flags;
    } args{0, 0, 0};
    char buffer[64];
    args.value = reinterpret_cast<std::uintptr_t>(buffer);
    args.size = sizeof buffer;
    syscall(464 /* getxattrat */, dirfd(dir), name, AT_SYMLINK_NOFOLLOW, "user.DOSATTRIB", &args,
            sizeof args);
    ++files;
  }
  closedir(dir);
  return files;
}

// What the removal routines work over, as the main window holds it: the
// program's platform is the recording one over the machine.
struct Window {
  explicit Window(vb::platform::Platform& machine)
      : platform(machine),
        app(platform),
        form(app, "Form1"),
        L(form.Add<vb::toolkit::ListBox>("L")),
        L2(form.Add<vb::toolkit::ListBox>("L2")),
        places(platform),
        policy(places),
        context{platform, L, L2, analyzeOnly, readOnlyFiles, places, policy} {}
  // One sweep of the folder as ClearD2: Analyze and a plan record, Run
  // Cleaner passes through.
  void ClearD2(const std::string& folder, bool analyze, bool recorded) {
    analyzeOnly = analyze;
    if (recorded) platform.StartRecording();
    vb::engine::ClearD2(context, vb::engine::PathFolder(folder));
    if (recorded) platform.StopRecording();
  }
  vb::platform::RecordingPlatform platform;
  vb::toolkit::Application app;
  vb::toolkit::Form form;
  vb::toolkit::ListBox& L;
  vb::toolkit::ListBox& L2;
  bool analyzeOnly = true;
  bool readOnlyFiles = false;
  vb::engine::Places places;
  vb::engine::SafetyPolicy policy;
  vb::engine::RemovalContext context;
};

// Under `perf record --control fifo:FIFO -D -1`, with BENCH_PERF_FIFO=FIFO,
// only the timed parts are recorded.
void Profile(const char* command) {
  const char* fifo = std::getenv("BENCH_PERF_FIFO");
  if (!fifo) return;
  int fd = open(fifo, O_WRONLY | O_CLOEXEC);
  if (fd < 0) return;
  ssize_t written = write(fd, command, std::strlen(command));
  (void)written;
  close(fd);
}

// A chain of `levels` folders "d" below `top`, each holding "f.txt", laid
// through descriptors since its host path outgrows PATH_MAX.
bool MakeChain(const std::string& top, int levels) {
  mkdir(top.c_str(), 0755);
  int fd = open(top.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  for (int level = 0; level < levels && fd >= 0; ++level) {
    close(openat(fd, "f.txt", O_CREAT | O_WRONLY | O_CLOEXEC, 0644));
    mkdirat(fd, "d", 0755);
    int next = openat(fd, "d", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    close(fd);
    fd = next;
  }
  if (fd < 0) return false;
  close(fd);
  return true;
}

// Removes such a chain with a handful of descriptors: the grandchild moves up
// in place of the child, one level at a time. Returns the levels it held.
int RemoveChain(const std::string& top) {
  int fd = open(top.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return 0;
  int levels = 0;
  for (;;) {
    int child = openat(fd, "d", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (child < 0) break;
    ++levels;
    bool deeper = renameat(child, "d", fd, "next") == 0;
    unlinkat(child, "f.txt", 0);
    close(child);
    unlinkat(fd, "d", AT_REMOVEDIR);
    if (!deeper || renameat(fd, "next", fd, "d") != 0) break;
  }
  unlinkat(fd, "f.txt", 0);
  close(fd);
  rmdir(top.c_str());
  return levels;
}

// Counts the levels of a chain that still hold their file.
int FilesInChain(const std::string& top) {
  int fd = open(top.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  int files = 0;
  while (fd >= 0) {
    if (faccessat(fd, "f.txt", F_OK, AT_SYMLINK_NOFOLLOW) == 0) ++files;
    int next = openat(fd, "d", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    close(fd);
    fd = next;
  }
  return files;
}

long MaxRssKb(int who) {
  rusage usage{};
  getrusage(who, &usage);
  return usage.ru_maxrss;
}

}  // namespace

int main(int argc, char** argv) {
  int filesPerFolder = 100;
  bool keep = false;
  bool analyzeOnly = false;
  int deep = 16000;
  std::string reuse;
  std::string tmp = std::filesystem::temp_directory_path().string();
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a == "--files-per-folder" && i + 1 < argc) {
      filesPerFolder = std::atoi(argv[++i]);
    } else if (a == "--deep" && i + 1 < argc) {
      deep = std::atoi(argv[++i]);
    } else if (a == "--analyze-only") {
      analyzeOnly = true;
    } else if (a == "--reuse" && i + 1 < argc) {
      reuse = argv[++i];
    } else if (a == "--keep") {
      keep = true;
    } else {
      tmp = a;
    }
  }
  std::string base = reuse.empty() ? tmp + "/vanbrisk-bench-XXXXXX" : reuse;
  if (reuse.empty() && !mkdtemp(base.data())) {
    std::perror("mkdtemp");
    return 1;
  }
  if (!reuse.empty() && !analyzeOnly) {
    std::fprintf(stderr, "--reuse goes with --analyze-only\n");
    return 1;
  }
  std::string machineFolder = base + "/machine";
  if (reuse.empty()) {
    if (vb::Result<> made = vb::fixtures::InitMachine(machineFolder, {}); !made) {
      std::fprintf(stderr, "InitMachine: %s\n", made.message().c_str());
      return 1;
    }
  }
  std::string error;
  std::unique_ptr<vb::emu::Machine> machine = vb::emu::Machine::Open(machineFolder, &error);
  if (!machine) {
    std::fprintf(stderr, "Machine::Open: %s\n", error.c_str());
    return 1;
  }
  const std::string temp = machineFolder + "/drive_c/WINDOWS/Temp";
  const std::string plain = base + "/plain";

  std::printf("tree: %d folders, %d files each, in %s\n", kGroups * (kSubfoldersPerGroup + 1),
              filesPerFolder, base.c_str());
  if (reuse.empty()) {
    mkdir(plain.c_str(), 0755);
    Clock::time_point made = Clock::now();
    long inMachine = MakeTree(temp, filesPerFolder);
    long inPlain = MakeTree(plain, filesPerFolder);
    sync();
    std::printf("laid out %ld + %ld files in %.1f s\n", inMachine, inPlain, Seconds(made));
  }

  Window window(*machine);
  std::string folder = "C:\\WINDOWS\\Temp";

  // Analyze, its floor and find, best of five each, in turns so that all
  // three meet the same warm caches and the same load.
  double findList = 1e9, analyze = 1e9, floor = 1e9, plan = 1e9, direct = 1e9;
  int logged = 0, planned = 0;
  long analyzeCalls = 0, walked = 0, planCalls = 0;
  for (int round = 0; round < 5; ++round) {
    findList = std::min(findList, TimeCommand({"find", plain, "-type", "f", "-printf", "%s\\n"}));
    window.L.Clear();
    Profile("enable\n");
    long before = FileSystemCalls();
    Clock::time_point start = Clock::now();
    window.ClearD2(folder, true, true);
    analyze = std::min(analyze, Seconds(start));
    analyzeCalls = FileSystemCalls() - before;
    Profile("disable\n");
    logged = window.L.ListCount();
    start = Clock::now();
    walked = BareWalk(open(temp.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    floor = std::min(floor, Seconds(start));
    window.L.Clear();
    start = Clock::now();
    window.ClearD2(folder, true, false);
    direct = std::min(direct, Seconds(start));
    window.L.Clear();
    before = FileSystemCalls();
    start = Clock::now();
    window.ClearD2(folder, false, true);
    plan = std::min(plan, Seconds(start));
    planCalls = FileSystemCalls() - before;
    planned = window.L.ListCount();
  }
  std::printf("Analyze      %8.3f s  find -printf %8.3f s  ratio %.2f  (%d lines, %.2f calls per file)\n",
              analyze, findList, analyze / findList, logged,
              logged ? static_cast<double>(analyzeCalls) / logged : 0.0);
  std::printf("  floor: fstatat + getxattrat per file %.3f s (ratio %.2f, %ld files); "
              "Analyze %.2f times the floor\n",
              floor, floor / findList, walked, analyze / floor);
  std::printf("  Analyze with the recording platform passing through: %.3f s (recording costs %.2f)\n",
              direct, analyze / direct);
  std::printf("Plan         %8.3f s  Analyze      %8.3f s  ratio %.2f  (%d lines, %.2f calls per file)\n",
              plan, analyze, plan / analyze, planned,
              planned ? static_cast<double>(planCalls) / planned : 0.0);

  // Run Cleaner against find, twice each, in the order find, Run Cleaner,
  // (both trees laid again) Run Cleaner, find. Deleting makes the disk work
  // on after the call returns (freed blocks are discarded, the journal
  // commits), which the next one to delete would pay for: each starts after
  // a sync and a pause, and the mirrored order gives each side both places.
  if (!analyzeOnly) {
    double findDelete = 0, clean = 0;
    long cleanCalls = 0, left = 0;
    logged = 0;
    auto settle = [] {
      sync();
      sleep(2);
    };
    auto runFind = [&] {
      settle();
      findDelete += TimeCommand({"find", plain, "-mindepth", "1", "-delete"});
    };
    auto runCleaner = [&] {
      settle();
      window.L.Clear();
      Profile("enable\n");
      long before = FileSystemCalls();
      Clock::time_point start = Clock::now();
      window.ClearD2(folder, false, false);
      clean += Seconds(start);
      cleanCalls += FileSystemCalls() - before;
      Profile("disable\n");
      logged += window.L.ListCount();
      for (auto& entry : std::filesystem::recursive_directory_iterator(temp)) {
        (void)entry;
        ++left;
      }
    };
    runFind();
    runCleaner();
    MakeTree(temp, filesPerFolder);
    MakeTree(plain, filesPerFolder);
    runCleaner();
    runFind();
    std::printf("Run Cleaner  %8.3f s  find -delete %8.3f s  ratio %.2f  (two trees each: %d lines, "
                "%.2f calls per file, %ld entries left)\n",
                clean, findDelete, clean / findDelete, logged,
                logged ? static_cast<double>(cleanCalls) / logged : 0.0, left);
  }
  std::printf("peak memory  %ld KB\n", MaxRssKb(RUSAGE_SELF));

  // The deep chain, measured then cleaned.
  if (deep > 0 && !analyzeOnly) {
    const std::string chain = temp + "/Deep";
    if (!MakeChain(chain, deep)) {
      std::fprintf(stderr, "could not lay %d levels\n", deep);
      return 1;
    }
    for (bool analyzeRun : {true, false}) {
      window.L.Clear();
      Clock::time_point start = Clock::now();
      window.ClearD2(folder + "\\Deep", analyzeRun, analyzeRun);
      double seconds = Seconds(start);
      std::printf("%d levels   %-11s %8.3f s  %d lines, %d files left\n", deep,
                  analyzeRun ? "Analyze" : "Run Cleaner", seconds, window.L.ListCount(),
                  FilesInChain(chain));
    }
    RemoveChain(chain);
  }

  machine.reset();
  if (!keep && reuse.empty()) {
    std::error_code ec;
    std::filesystem::remove_all(base, ec);
  }

  // The cache view and a start and unload, from the benchmark built beside
  // this one, so that one run prints every figure.
  if (!analyzeOnly) {
    std::fflush(stdout);
    TimeCommand({(std::filesystem::path(argv[0]).parent_path() / "cache_view_bench").string(), tmp},
                true);
  }
  return 0;
}
