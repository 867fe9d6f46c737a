// vanbrisk-cli on a Wine prefix: the prefix's own user, a plan that writes
// nothing, a clean that removes what it lists and leaves every other key's
// bytes, and a wineserver that keeps the prefix from being changed.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/command_line.h"
#include "cli/machine_verbs.h"
#include "platform/prefix/prefix_machine.h"
#include "platform/prefix/wine_server.h"
#include "platform/registry_values.h"
#include "support/wine_prefix.h"

namespace vb {
namespace {

namespace fs = std::filesystem;

struct Ran {
  int code;
  std::string out, err;
};

std::string Bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The lines of the key whose line starts so, up to the blank line after it.
std::string KeyLines(const std::string& file, const std::string& start) {
  std::size_t at = file.find("\n" + start);
  if (at == std::string::npos) return "";
  return file.substr(at, file.find("\n\n", at + 1) - at);
}

void Write(const std::string& path, const std::string& text) {
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

// A prefix shaped as Proton's: the captured registry, and the profiles of
// steamuser and Public.
class ProtonShapedPrefix : public ::testing::Test {
 protected:
  ProtonShapedPrefix() {
    fs::create_directories(Drive("users/Public/Documents"));
    Write(Drive("users/steamuser/Documents/save.dat"), "keep");
    Write(Drive("windows/temp/setup.tmp"), "123456");
    Write(Drive("windows/temp/logs/a.log"), "12");
    // Wine links a profile's folders to the host user's; a link never leads
    // a clean out of the prefix.
    Write(prefix_.folder() + "-host/photo.jpg", "host");
    fs::create_directory_symlink(prefix_.folder() + "-host", Drive("windows/temp/linked"));
  }
  ~ProtonShapedPrefix() override { fs::remove_all(prefix_.folder() + "-host"); }

  std::string Drive(const std::string& path) const { return prefix_.folder() + "/drive_c/" + path; }

  Ran Cli(std::vector<std::string> args) {
    args.insert(args.begin(), {"--machine", prefix_.folder()});
    std::istringstream in;
    std::ostringstream out, err;
    cli::Host host{cli::OpenPlatform, cli::RunMachineVerb, cli::RunPrefixesVerb,
                   cli::SystemCommandRunner,
                   [] { return std::string("/nonexistent"); }, true, false};
    int code = cli::RunCommandLine(std::move(args), host, {in, out, err});
    return {code, out.str(), err.str()};
  }

  test::TempWinePrefix prefix_;
};

constexpr const char* kRunMru = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU";

TEST_F(ProtonShapedPrefix, PlanWritesNothingAndCleanRemovesWhatItListedOnly) {
  ASSERT_EQ(Cli({"reg", "add", kRunMru, "/v", "a", "/d", "notepad\\1", "/f"}).code, 0);
  ASSERT_EQ(Cli({"reg", "add", kRunMru, "/v", "MRUList", "/d", "a", "/f"}).code, 0);
  ASSERT_EQ(Cli({"reg", "add", "HKCU\\Software\\Keep", "/v", "Caf\u00e9", "/d", "\u2713", "/f"}).code, 0);
  const std::string system = Bytes(prefix_.File("system.reg"));
  const std::string user = Bytes(prefix_.File("user.reg"));

  Ran plan = Cli({"plan", "--json"});
  ASSERT_EQ(plan.code, 0) << plan.err;
  EXPECT_NE(plan.out.find("\\\\setup.tmp\", \"bytes\": 6"), std::string::npos) << plan.out;
  EXPECT_NE(plan.out.find("\"value\": \"MRUList\""), std::string::npos);
  EXPECT_NE(plan.out.find("\"user\": \"steamuser\""), std::string::npos);
  EXPECT_EQ(Bytes(prefix_.File("user.reg")), user);
  EXPECT_TRUE(fs::exists(Drive("windows/temp/setup.tmp")));

  Ran clean = Cli({"clean", "--yes"});
  ASSERT_EQ(clean.code, 0) << clean.err;
  EXPECT_FALSE(fs::exists(Drive("windows/temp/setup.tmp")));
  EXPECT_FALSE(fs::exists(Drive("windows/temp/logs/a.log")));
  EXPECT_EQ(Bytes(Drive("users/steamuser/Documents/save.dat")), "keep");
  EXPECT_EQ(Bytes(prefix_.folder() + "-host/photo.jpg"), "host");
  EXPECT_EQ(Bytes(prefix_.File("system.reg")), system);
  // An emulated machine never takes a prefix's place, even when forced.
  Ran init = Cli({"machine", "init", "--force"});
  EXPECT_EQ(init.code, 1);
  EXPECT_NE(init.err.find("is a Wine prefix"), std::string::npos) << init.err;
  EXPECT_EQ(Bytes(prefix_.File("system.reg")), system);
  auto registry = prefix_.Open();
  EXPECT_TRUE(platform::ReadAllValues(*registry, win::kHkeyCurrentUser,
                                      "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU")
                  .empty());
  EXPECT_EQ(platform::ReadStringValue(*registry, win::kHkeyCurrentUser, "Software\\Keep", "Caf\u00e9"),
            "\u2713");
  // A key the clean did not change keeps its bytes, its time included.
  std::string keep = KeyLines(user, "[Software\\\\Keep]");
  ASSERT_NE(keep, "");
  EXPECT_EQ(KeyLines(Bytes(prefix_.File("user.reg")), "[Software\\\\Keep]"), keep);
}

TEST_F(ProtonShapedPrefix, TheUserIsTheOneProfileOrTheOneTheShellFoldersName) {
  auto opened = prefix::PrefixMachine::Open(prefix_.folder());
  ASSERT_TRUE(opened) << opened.message();
  EXPECT_EQ((*opened)->User(), "steamuser");
  auto& environment = (*opened)->Environment();
  EXPECT_EQ(environment.GetEnvironmentVariableA("APPDATA"), "C:\\users\\steamuser\\AppData\\Roaming");
  EXPECT_EQ(environment.GetEnvironmentVariableA("TEMP"), "C:\\windows\\temp");

  fs::create_directories(Drive("users/other"));
  EXPECT_FALSE(prefix::PrefixMachine::Open(prefix_.folder()));
  EXPECT_EQ(Cli({"list"}).code, 1);
  auto registry = prefix_.Open();
  ASSERT_EQ(platform::WriteString(*registry, win::kHkeyCurrentUser,
                                  "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                                  "AppData", "C:\\users\\other\\AppData\\Roaming"),
            win::kErrorSuccess);
  ASSERT_EQ(registry->Save(), win::kErrorSuccess);
  opened = prefix::PrefixMachine::Open(prefix_.folder());
  ASSERT_TRUE(opened) << opened.message();
  EXPECT_EQ((*opened)->User(), "other");
}

// A stand-in for a wineserver: a process that holds the lock of the
// prefix's server folder, in the private folder that Debian's Wine names in
// the prefix's file "wineserver".
class FakeServer {
 public:
  explicit FakeServer(const std::string& prefixFolder) {
    std::string templ = "/tmp/vanbrisk-server-XXXXXX";
    folder_ = mkdtemp(templ.data());
    struct stat info {};
    stat(prefixFolder.c_str(), &info);
    char name[64];
    std::snprintf(name, sizeof name, "/server-%llx-%llx", (unsigned long long)info.st_dev,
                  (unsigned long long)info.st_ino);
    lock_ = folder_ + name + "/lock";
    Write(lock_, "");
    Write(prefixFolder + "/wineserver", fs::path(folder_).filename().string());
  }
  ~FakeServer() {
    Stop();
    fs::remove_all(folder_);
  }
  // Starts the process; false when the lock was taken already.
  bool Start() {
    int ready[2], done[2];
    if (pipe(ready) != 0 || pipe(done) != 0) return false;
    pid_ = fork();
    if (pid_ == 0) {
      close(ready[0]);
      close(done[1]);
      int fd = open(lock_.c_str(), O_RDWR);
      struct flock lock {};
      lock.l_type = F_WRLCK;
      char ok = fcntl(fd, F_SETLK, &lock) == 0 ? '1' : '0';
      (void)!write(ready[1], &ok, 1);
      (void)!read(done[0], &ok, 1);
      _exit(0);
    }
    close(ready[1]);
    close(done[0]);
    done_ = done[1];
    char ok = '0';
    (void)!read(ready[0], &ok, 1);
    close(ready[0]);
    return ok == '1';
  }
  void Stop() {
    if (pid_ <= 0) return;
    close(done_);
    waitpid(pid_, nullptr, 0);
    pid_ = 0;
  }
  pid_t pid() const { return pid_; }

 private:
  std::string folder_, lock_;
  pid_t pid_ = 0;
  int done_ = -1;
};

TEST_F(ProtonShapedPrefix, ARunningServerRefusesChangesAndLetsReadsSaySo) {
  FakeServer server(prefix_.folder());
  ASSERT_TRUE(server.Start());
  const std::string user = Bytes(prefix_.File("user.reg"));
  std::string pid = std::to_string(server.pid());

  Ran clean = Cli({"clean", "--yes"});
  EXPECT_EQ(clean.code, 1);
  EXPECT_NE(clean.err.find("is in use: a wineserver (process " + pid + ")"), std::string::npos)
      << clean.err;
  EXPECT_EQ(Cli({"reg", "add", "HKCU\\Software\\X", "/f"}).code, 1);
  EXPECT_TRUE(fs::exists(Drive("windows/temp/setup.tmp")));
  EXPECT_EQ(Bytes(prefix_.File("user.reg")), user);

  Ran analyze = Cli({"analyze", "--quiet"});
  EXPECT_EQ(analyze.code, 0);
  EXPECT_NE(analyze.err.find("is in use"), std::string::npos);
  // C:\windows\Temp and the system's %TEMP%, C:\windows\temp, are one
  // folder: its files are listed once, as clean deletes them once.
  EXPECT_NE(analyze.out.find("Files: 2  Size: 8 bytes"), std::string::npos) << analyze.out;

  // Once it has ended, the program holds the lock while it changes the
  // prefix: a server starting then does not get it.
  server.Stop();
  auto hold = prefix::WineServerHold::Take(prefix_.folder());
  ASSERT_TRUE(hold) << hold.message();
  EXPECT_FALSE(server.Start());
  server.Stop();
  hold->reset();
  EXPECT_EQ(Cli({"clean", "--yes"}).code, 0);
}

// A home whose Steam names a second library in libraryfolders.vdf, whose
// compatdata holds the prefix as game 570.
TEST_F(ProtonShapedPrefix, PrefixesFindsItThroughSteamsLibrariesWithItsPlanAndItsServer) {
  std::string home = prefix_.folder() + "-home";
  std::string library = prefix_.folder() + "-library";
  Write(home + "/.local/share/Steam/steamapps/libraryfolders.vdf",
        "\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t\"" + home +
            "/.local/share/Steam\"\n\t}\n\t\"1\"\n\t{\n\t\t\"path\"\t\t\"" + library +
            "\"\n\t}\n}\n");
  fs::create_directories(library + "/steamapps/compatdata/570");
  fs::create_symlink(prefix_.folder(), library + "/steamapps/compatdata/570/pfx");
  const char* oldHome = std::getenv("HOME");
  std::string savedHome = oldHome ? oldHome : "";
  setenv("HOME", home.c_str(), 1);
  unsetenv("WINEPREFIX");
  unsetenv("XDG_DATA_HOME");
  FakeServer server(prefix_.folder());
  ASSERT_TRUE(server.Start());

  std::istringstream in;
  std::ostringstream out, err;
  int code = cli::RunPrefixesVerb({"--json"}, {in, out, err});
  setenv("HOME", savedHome.c_str(), 1);
  fs::remove_all(home);
  fs::remove_all(library);
  EXPECT_EQ(code, 0) << err.str();
  std::string canonical = fs::canonical(prefix_.folder()).string();
  EXPECT_EQ(out.str(),
            "{\"folder\": \"" + canonical +
                "\", \"source\": \"Steam\", \"name\": \"570\", \"user\": \"steamuser\", "
                "\"inUse\": true, \"server\": " + std::to_string(server.pid()) +
                ", \"files\": 2, \"bytes\": 8, \"size\": \"8 bytes\", \"folders\": 1, "
                "\"registryKeys\": 0, \"registryValues\": 0, \"refused\": 0}\n"
                "{\"summary\": true, \"verb\": \"prefixes\", \"prefixes\": 1, \"bytes\": 8, "
                "\"size\": \"8 bytes\"}\n");
}

}  // namespace
}  // namespace vb
