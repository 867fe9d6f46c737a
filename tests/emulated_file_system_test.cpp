// What only the emulated file system has to get right, over a machine with an
// "outside" folder beside it: Windows paths resolved one component at a time
// without regard to case, DOS attributes as Wine keeps them, and paths and
// links that try to leave the machine. What Windows does alike (listings,
// attributes, refusals) the conformance suite checks on both platforms.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/emulated/emulated_file_system.h"
#include "platform/emulated/exclusive_flocks.h"
#include "platform/emulated/host_paths.h"
#include "platform/file_helpers.h"
#include "platform/wildcard.h"
#include "support/temp_machine.h"

namespace vb {
namespace {

using namespace vb::win;
using emu::HostPaths;
using test::ReadHostFile;
using test::WriteHostFile;
namespace fs = std::filesystem;

class FileSystemTest : public ::testing::Test {
 protected:
  ~FileSystemTest() override {
    std::error_code ec;
    fs::remove_all(Outside(""), ec);
  }
  std::string Host(const std::string& relative) const { return m.Host(relative); }
  std::string Outside(const std::string& relative) const {
    return m.folder() + "-outside/" + relative;
  }
  platform::FileSystemApi& files() { return m.platform().Files(); }
  // What a Windows path resolves to; `error` the resolver's answer.
  HostPaths::Resolved Resolve(const std::string& path, LONG error = kErrorSuccess) {
    HostPaths::Resolved r;
    EXPECT_EQ(m.machine().Paths().Resolve(path, &r), error) << path;
    return r;
  }
  std::string DosAttrib(const std::string& host) {
    char buffer[32];
    ssize_t n = lgetxattr(host.c_str(), emu::kDosAttribXattr, buffer, sizeof buffer);
    return n < 0 ? std::string("<none>") : std::string(buffer, static_cast<std::size_t>(n));
  }
  mode_t Mode(const std::string& host) {
    struct stat st;
    EXPECT_EQ(lstat(host.c_str(), &st), 0) << host;
    return st.st_mode & 07777;
  }
  test::TempMachine m;
};

TEST_F(FileSystemTest, PathsResolveWithoutCaseAndNewNamesKeepTheirOwn) {
  WriteHostFile(Host("drive_c/Program Files/Foo/Bar.txt"), "x");
  for (const char* path : {"C:\\Program Files\\Foo\\Bar.txt", "c:/PROGRAM FILES/foo/BAR.TXT",
                           "\\program files\\FOO\\bar.txt", "program files\\.\\foo\\bar.txt",
                           "C:\\Program Files\\\\Foo\\Bar.txt.",
                           "\\\\?\\C:\\Program Files\\Foo\\Bar.txt"}) {
    HostPaths::Resolved r = Resolve(path);
    EXPECT_EQ(r.host, Host("drive_c/Program Files/Foo/Bar.txt")) << path;
    EXPECT_TRUE(r.exists) << path;
    EXPECT_EQ(r.leaf, "Bar.txt");
  }
  fs::create_directories(Host("drive_d"));
  EXPECT_TRUE(Resolve("D:\\").root);
  EXPECT_EQ(Resolve("D:\\").host, Host("drive_d"));
  EXPECT_EQ(Resolve("c:\\program files\\FOO\\").host, Host("drive_c/Program Files/Foo"));

  HostPaths::Resolved made = Resolve("C:\\PROGRAM FILES\\NewFile.LOG");
  EXPECT_FALSE(made.exists);
  EXPECT_EQ(made.host, Host("drive_c/Program Files/NewFile.LOG"));
  Resolve("C:\\Missing\\NewFile.LOG", kErrorPathNotFound);
  Resolve("C:\\Program Files\\Foo\\Bar.txt\\below", kErrorPathNotFound);
  // Two host names differing only in case: the exact one, else the byte-wise first.
  WriteHostFile(Host("drive_c/Foo/ab"), "lower");
  WriteHostFile(Host("drive_c/Foo/AB"), "upper");
  EXPECT_EQ(Resolve("C:\\Foo\\ab").leaf, "ab");
  EXPECT_EQ(Resolve("C:\\Foo\\aB").leaf, "AB");

  for (const char* path : {"C:\\Temp\\..\\x", "..\\outside", "C:\\..", "\\\\server\\share\\x",
                           "//server/share", "C:\\a*b", "C:\\a?", "C:\\a<b", "1:\\x", "C:\\a:b",
                           "C:\\... \\x"})
    Resolve(path, kErrorInvalidName);
  Resolve("Q:\\x", kErrorPathNotFound);
  Resolve("", kErrorPathNotFound);
}

// A folder scanned for a name in another case is remembered; a change to the
// folder must make the next lookup see the change.
TEST_F(FileSystemTest, RememberedFoldersFollowTheirChanges) {
  WriteHostFile(Host("drive_c/Cache/Old.txt"), "x");
  timespec times[2];
  clock_gettime(CLOCK_REALTIME, &times[0]);
  times[0].tv_sec -= 3600;
  times[1] = times[0];
  ASSERT_EQ(utimensat(AT_FDCWD, Host("drive_c/Cache").c_str(), times, 0), 0);
  EXPECT_EQ(Resolve("C:\\CACHE\\old.TXT").leaf, "Old.txt");
  EXPECT_FALSE(Resolve("C:\\cache\\NEW.txt").exists);
  WriteHostFile(Host("drive_c/Cache/New.TXT"), "x");
  EXPECT_EQ(Resolve("C:\\cache\\NEW.txt").leaf, "New.TXT");
  fs::remove(Host("drive_c/Cache/Old.txt"));
  HostPaths::Resolved gone = Resolve("C:\\cache\\OLD.TXT");
  EXPECT_FALSE(gone.exists);
  EXPECT_EQ(gone.leaf, "OLD.TXT");

  // The host spelling of a folder path given in another case, once the
  // folder is gone or has become a link, is not used again.
  WriteHostFile(Host("drive_c/Aa/Bb/f.txt"), "x");
  Resolve("C:\\AA\\BB\\F.TXT");
  EXPECT_EQ(Resolve("C:\\AA\\BB\\G.TXT").host, Host("drive_c/Aa/Bb/G.TXT"));
  fs::remove_all(Host("drive_c/Aa/Bb"));
  WriteHostFile(Outside("G.TXT"), "outside");
  ASSERT_EQ(symlink(Outside("").c_str(), Host("drive_c/Aa/Bb").c_str()), 0);
  Resolve("C:\\AA\\BB\\G.TXT", kErrorAccessDenied);
  fs::remove(Host("drive_c/Aa/Bb"));
  WriteHostFile(Host("drive_c/Aa/bB/g.txt"), "x");
  EXPECT_EQ(Resolve("C:\\AA\\BB\\G.TXT").host, Host("drive_c/Aa/bB/g.txt"));
}

// The cases the conformance listings do not tell apart.
TEST(WildcardTest, MatchesAsFindFirstFileMatchesLongNames) {
  struct Case { const char* pattern; const char* name; bool matches; };
  for (const Case& c : std::vector<Case>{
           {"*.*", "README", true}, {"*.*", ".", true}, {"*.log", "install.log1", false},
           {"*.log", "log", false}, {"a?c", "ac", false}, {"a?c", "abbc", false},
           {"*a*b*", "xxaxxbxx", true}, {"*a*b", "xxbxxa", false}, {"", "name", false}})
    EXPECT_EQ(platform::MatchesWildcard(c.pattern, c.name), c.matches)
        << c.pattern << " " << c.name;
}

TEST_F(FileSystemTest, DosAttributesAreKeptAsWineKeepsThem) {
  WriteHostFile(Host("drive_c/Box/plain.txt"), "12345");
  WriteHostFile(Host("drive_c/Box/both.txt"), "");
  WriteHostFile(Host("drive_c/Box/ro.txt"), "");
  fs::create_directories(Host("drive_c/Box/Folder"));
  for (auto [relative, value] : {std::pair{"drive_c/Box/both.txt", "0x27"},
                                 std::pair{"drive_c/Box/Folder", "0x4"}})
    ASSERT_EQ(setxattr(Host(relative).c_str(), emu::kDosAttribXattr, value, strlen(value), 0), 0);
  ASSERT_EQ(chmod(Host("drive_c/Box/ro.txt").c_str(), 0444), 0);
  ASSERT_EQ(symlink("Folder", Host("drive_c/Box/FolderLink").c_str()), 0);
  ASSERT_EQ(symlink("plain.txt", Host("drive_c/Box/FileLink").c_str()), 0);
  const DWORD a = kFileAttributeArchive, h = kFileAttributeHidden, s = kFileAttributeSystem;
  const DWORD d = kFileAttributeDirectory, link = kFileAttributeReparsePoint;
  for (auto [path, expected] : std::vector<std::pair<const char*, DWORD>>{
           {"C:\\Box\\PLAIN.TXT", a}, {"C:\\Box\\both.txt", a | h | s},
           {"C:\\Box\\ro.txt", a | kFileAttributeReadonly}, {"C:\\Box\\folder", d | s},
           {"C:\\Box\\FolderLink", link | d}, {"C:\\Box\\FileLink", link}})
    EXPECT_EQ(files().GetFileAttributesA(path), expected) << path;

  // A file system made while the file-creation mask is 0, so that every
  // write bit that may come back does.
  mode_t mask = umask(0);
  emu::EmulatedFileSystem unmasked(m.machine().Paths());
  umask(mask);
  std::string host = Host("drive_c/Box/plain.txt");
  ASSERT_EQ(chmod(host.c_str(), 0644), 0);
  ASSERT_EQ(unmasked.SetFileAttributesA("C:\\Box\\plain.txt", h), kErrorSuccess);
  EXPECT_EQ(DosAttrib(host), "0x2");
  ASSERT_EQ(unmasked.SetFileAttributesA("C:\\Box\\plain.txt", h | s | kFileAttributeReadonly),
            kErrorSuccess);
  EXPECT_EQ(DosAttrib(host), "0x6");
  EXPECT_EQ(Mode(host), 0444u);
  ASSERT_EQ(unmasked.SetFileAttributesA("C:\\Box\\plain.txt", a), kErrorSuccess);
  EXPECT_EQ(DosAttrib(host), "<none>");
  // Write bits for the owner, and for group and others who may read.
  EXPECT_EQ(Mode(host), 0666u);
  ASSERT_EQ(chmod(host.c_str(), 0400), 0);
  ASSERT_EQ(unmasked.SetFileAttributesA("C:\\Box\\plain.txt", a), kErrorSuccess);
  EXPECT_EQ(Mode(host), 0600u);
  ASSERT_EQ(files().SetFileAttributesA("C:\\Box\\Folder", 0), kErrorSuccess);
  EXPECT_EQ(DosAttrib(Host("drive_c/Box/Folder")), "<none>");
}

// Links in the machine are followed only while they lead inside its drives
// (anything else is refused); the links themselves can go, and nothing
// outside changes, byte for byte.
TEST_F(FileSystemTest, NothingOutsideTheMachineIsReachable) {
  WriteHostFile(Host("drive_d/Data/in.txt"), "inside");
  WriteHostFile(Outside("victim.txt"), "precious");
  ASSERT_EQ(chmod(Outside("victim.txt").c_str(), 0644), 0);
  ASSERT_EQ(symlink(Host("drive_d/Data").c_str(), Host("drive_c/ToD").c_str()), 0);
  std::string relativeOut = "../../" + fs::path(m.folder()).filename().string() + "-outside";
  ASSERT_EQ(symlink(relativeOut.c_str(), Host("drive_c/Out").c_str()), 0);
  ASSERT_EQ(symlink(Host("drive_c/Out").c_str(), Host("drive_c/Chain").c_str()), 0);
  ASSERT_EQ(symlink(Outside("victim.txt").c_str(), Host("drive_c/VictimLink").c_str()), 0);
  mode_t folderMode = Mode(Outside(""));

  EXPECT_TRUE(Resolve("C:\\tod\\IN.TXT").exists);
  std::string host;
  EXPECT_EQ(m.machine().Paths().ResolveFolder("C:\\ToD", &host), kErrorSuccess);
  EXPECT_EQ(m.machine().Paths().ResolveFolder("C:\\Out", &host), kErrorAccessDenied);
  Resolve("C:\\Chain\\victim.txt", kErrorAccessDenied);
  EXPECT_EQ(Resolve("C:\\out").host, Host("drive_c/Out"));  // the link itself
  EXPECT_EQ(files().DeleteFileA("C:\\Out\\victim.txt"), kErrorAccessDenied);
  EXPECT_EQ(files().DeleteFileA("C:\\..\\..\\outside\\victim.txt"), kErrorInvalidName);
  EXPECT_EQ(files().SetFileAttributesA("C:\\Out\\victim.txt", kFileAttributeReadonly),
            kErrorAccessDenied);
  EXPECT_EQ(files().SetFileAttributesA("C:\\Out", kFileAttributeReadonly | kFileAttributeHidden),
            kErrorAccessDenied);
  EXPECT_EQ(files().SetFileAttributesA("C:\\VictimLink", kFileAttributeReadonly),
            kErrorAccessDenied);
  EXPECT_EQ(files().WriteFileBytes("C:\\VictimLink", "overwritten"), kErrorAccessDenied);
  EXPECT_EQ(files().WriteFileBytes("C:\\Out\\new.txt", "x"), kErrorAccessDenied);
  std::string content;
  EXPECT_EQ(files().ReadFileBytes("C:\\VictimLink", &content), kErrorAccessDenied);
  EXPECT_EQ(platform::DeleteFiles(files(), "C:\\Out\\*.*"), kErrorAccessDenied);
  EXPECT_EQ(files().DeleteFileA("C:\\Out"), kErrorAccessDenied);
  EXPECT_EQ(files().RemoveDirectoryA("C:\\VictimLink"), kErrorDirectory);

  EXPECT_EQ(files().DeleteFileA("C:\\victimlink"), kErrorSuccess);
  EXPECT_EQ(files().RemoveDirectoryA("C:\\out"), kErrorSuccess);
  EXPECT_FALSE(fs::exists(fs::symlink_status(Host("drive_c/Out"))));
  EXPECT_FALSE(fs::exists(fs::symlink_status(Host("drive_c/VictimLink"))));
  EXPECT_EQ(ReadHostFile(Outside("victim.txt")), "precious");
  EXPECT_EQ(Mode(Outside("victim.txt")), 0644u);
  EXPECT_EQ(Mode(Outside("")), folderMode);
  EXPECT_EQ(DosAttrib(Outside("victim.txt")), "<none>");
  EXPECT_EQ(DosAttrib(Outside("")), "<none>");
}

TEST_F(FileSystemTest, HostNamesWindowsCannotNameAgainAreNeitherListedNorDeleted) {
  WriteHostFile(Host("drive_c/Dir/a\\b"), "x");
  WriteHostFile(Host("drive_c/Dir/trail."), "x");
  WriteHostFile(Host("drive_c/Dir/trail"), "keep");
  WriteHostFile(Host("drive_c/Dir/ok.txt"), "x");
  std::vector<std::string> names;
  platform::FindData data;
  platform::FindHandle handle = -1;
  ASSERT_EQ(files().FindFirstFileA("C:\\Dir\\*", &data, &handle), kErrorSuccess);
  do names.push_back(data.name);
  while (files().FindNextFileA(handle, &data) == kErrorSuccess);
  files().FindClose(handle);
  EXPECT_EQ(names, (std::vector<std::string>{".", "..", "ok.txt", "trail"}));
  EXPECT_EQ(platform::DeleteFiles(files(), "C:\\Dir\\*.*"), kErrorSuccess);
  EXPECT_TRUE(fs::exists(Host("drive_c/Dir/a\\b")));
  EXPECT_TRUE(fs::exists(Host("drive_c/Dir/trail.")));
  EXPECT_FALSE(fs::exists(Host("drive_c/Dir/trail")));
}

TEST_F(FileSystemTest, ProcLocksTellsTheFilesHeldWithAnExclusiveFlock) {
  // Only a held exclusive flock counts: not one waited for, a shared one, or
  // a POSIX or OFD lock.
  std::vector<emu::ExclusiveFlock> parsed = emu::ParseExclusiveFlocks(
      "1: FLOCK  ADVISORY  WRITE 1234 08:1f:5678 0 EOF\n"
      "1: -> FLOCK  ADVISORY  WRITE 99 08:1f:5678 0 EOF\n"
      "2: FLOCK  ADVISORY  READ 1 08:01:11 0 EOF\n"
      "3: POSIX  ADVISORY  WRITE 1 08:01:12 0 EOF\n"
      "4: OFDLCK ADVISORY  WRITE -1 08:01:13 0 EOF");
  ASSERT_EQ(parsed.size(), 1u);
  EXPECT_EQ(parsed[0].major, 0x08u);
  EXPECT_EQ(parsed[0].minor, 0x1fu);
  EXPECT_EQ(parsed[0].inode, 5678u);

  // Real locks of this process, each through a description of its own.
  WriteHostFile(Host("drive_c/exclusive.txt"), "x");
  WriteHostFile(Host("drive_c/shared.txt"), "x");
  emu::HostFd exclusive(open(Host("drive_c/exclusive.txt").c_str(), O_RDONLY | O_CLOEXEC));
  emu::HostFd shared(open(Host("drive_c/shared.txt").c_str(), O_RDONLY | O_CLOEXEC));
  ASSERT_EQ(flock(exclusive.get(), LOCK_EX), 0);
  ASSERT_EQ(flock(shared.get(), LOCK_SH), 0);
  struct stat locked, other;
  ASSERT_EQ(fstat(exclusive.get(), &locked), 0);
  ASSERT_EQ(fstat(shared.get(), &other), 0);
  emu::ExclusiveFlocksReader reader;
  std::optional<std::vector<emu::ExclusiveFlock>> held = reader.Read();
  ASSERT_TRUE(held.has_value());
  auto holds = [&](const struct stat& st) {
    return std::any_of(held->begin(), held->end(), [&](const emu::ExclusiveFlock& lock) {
      return lock.major == major(st.st_dev) && lock.minor == minor(st.st_dev) &&
             lock.inode == st.st_ino;
    });
  };
  EXPECT_TRUE(holds(locked));
  EXPECT_FALSE(holds(other));
}

}  // namespace
}  // namespace vb
