// The emulated file system over a bare machine folder (drive_c/, drive_d/ and
// an "outside" folder beside it): path resolution, wildcards, DOS attributes
// as Wine keeps them, read-only and in-use refusals, and paths that try to
// leave the machine.
#include <fcntl.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/emulated/emulated_file_system.h"
#include "platform/emulated/host_paths.h"
#include "platform/file_helpers.h"
#include "platform/wildcard.h"
#include "support/temp_machine.h"

namespace vb {
namespace {

using namespace vb::win;
using platform::FindData;
using platform::FindHandle;
using test::ReadHostFile;
using test::WriteHostFile;
namespace fs = std::filesystem;

class FileSystemTest : public ::testing::Test {
 protected:
  FileSystemTest() {
    std::string templ = (fs::temp_directory_path() / "vanbrisk-fs-XXXXXX").string();
    root_ = mkdtemp(templ.data());
    fs::create_directories(root_ + "/machine/drive_c");
    fs::create_directories(root_ + "/machine/drive_d");
    fs::create_directories(root_ + "/outside");
    paths_ = std::make_unique<emu::HostPaths>(root_ + "/machine");
    files_ = std::make_unique<emu::EmulatedFileSystem>(*paths_);
  }
  ~FileSystemTest() override {
    std::error_code ec;
    fs::permissions(root_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(root_, ec);
  }

  // A host path below the machine folder ("drive_c/a.txt") or beside it ("../outside").
  std::string Host(const std::string& relative) const { return root_ + "/machine/" + relative; }
  std::string Outside(const std::string& relative) const { return root_ + "/outside/" + relative; }
  emu::EmulatedFileSystem& files() { return *files_; }

  // Every name a search returns, in order.
  std::vector<std::string> Names(const std::string& pattern) {
    std::vector<std::string> names;
    FindData data;
    FindHandle handle = -1;
    if (files().FindFirstFileA(pattern, &data, &handle) != kErrorSuccess) return names;
    do names.push_back(data.name);
    while (files().FindNextFileA(handle, &data) == kErrorSuccess);
    EXPECT_EQ(files().FindNextFileA(handle, &data), kErrorNoMoreFiles);
    files().FindClose(handle);
    return names;
  }
  LONG Error(const std::string& pattern) {
    FindData data;
    FindHandle handle = -1;
    LONG error = files().FindFirstFileA(pattern, &data, &handle);
    if (error == kErrorSuccess) files().FindClose(handle);
    return error;
  }
  void Dos(const std::string& relative, const std::string& value) {
    ASSERT_EQ(setxattr(Host(relative).c_str(), emu::kDosAttribXattr, value.data(), value.size(), 0),
              0);
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

  std::string root_;
  std::unique_ptr<emu::HostPaths> paths_;
  std::unique_ptr<emu::EmulatedFileSystem> files_;
};

using HostPathsTest = FileSystemTest;

TEST_F(HostPathsTest, ComponentsMatchWithoutCaseInEverySpelling) {
  WriteHostFile(Host("drive_c/Program Files/Foo/Bar.txt"), "x");
  std::string expected = Host("drive_c/Program Files/Foo/Bar.txt");
  for (const char* path : {"C:\\Program Files\\Foo\\Bar.txt", "c:/PROGRAM FILES/foo/BAR.TXT",
                           "\\program files\\FOO\\bar.txt", "program files\\.\\foo\\bar.txt",
                           "C:\\Program Files\\\\Foo\\Bar.txt.",
                           "\\\\?\\C:\\Program Files\\Foo\\Bar.txt"}) {
    emu::HostPaths::Resolved r;
    ASSERT_EQ(paths_->Resolve(path, &r), kErrorSuccess) << path;
    EXPECT_EQ(r.host, expected) << path;
    EXPECT_TRUE(r.exists) << path;
    EXPECT_EQ(r.leaf, "Bar.txt");
  }
  emu::HostPaths::Resolved r;
  ASSERT_EQ(paths_->Resolve("D:\\", &r), kErrorSuccess);
  EXPECT_TRUE(r.root);
  EXPECT_EQ(r.host, Host("drive_d"));
  ASSERT_EQ(paths_->Resolve("c:\\program files\\FOO\\", &r), kErrorSuccess);
  EXPECT_EQ(r.host, Host("drive_c/Program Files/Foo"));
}

TEST_F(HostPathsTest, NewNamesKeepTheirCaseAndTheExactSpellingWins) {
  fs::create_directories(Host("drive_c/Temp"));
  emu::HostPaths::Resolved r;
  ASSERT_EQ(paths_->Resolve("C:\\TEMP\\NewFile.LOG", &r), kErrorSuccess);
  EXPECT_FALSE(r.exists);
  EXPECT_EQ(r.host, Host("drive_c/Temp/NewFile.LOG"));
  EXPECT_EQ(paths_->Resolve("C:\\Missing\\NewFile.LOG", &r), kErrorPathNotFound);
  WriteHostFile(Host("drive_c/Temp/file"), "x");
  EXPECT_EQ(paths_->Resolve("C:\\Temp\\file\\below", &r), kErrorPathNotFound);

  // Two host names differing only in case: the exact one, else the byte-wise first.
  WriteHostFile(Host("drive_c/Temp/ab"), "lower");
  WriteHostFile(Host("drive_c/Temp/AB"), "upper");
  ASSERT_EQ(paths_->Resolve("C:\\Temp\\ab", &r), kErrorSuccess);
  EXPECT_EQ(r.leaf, "ab");
  ASSERT_EQ(paths_->Resolve("C:\\Temp\\aB", &r), kErrorSuccess);
  EXPECT_EQ(r.leaf, "AB");
}

// A folder scanned for a name in another case is remembered; a change to the
// folder must make the next lookup see the change.
TEST_F(HostPathsTest, RememberedFoldersFollowTheirChanges) {
  WriteHostFile(Host("drive_c/Cache/Old.txt"), "x");
  timespec times[2];
  clock_gettime(CLOCK_REALTIME, &times[0]);
  times[0].tv_sec -= 3600;
  times[1] = times[0];
  ASSERT_EQ(utimensat(AT_FDCWD, Host("drive_c/Cache").c_str(), times, 0), 0);
  emu::HostPaths::Resolved r;
  ASSERT_EQ(paths_->Resolve("C:\\CACHE\\old.TXT", &r), kErrorSuccess);
  EXPECT_EQ(r.leaf, "Old.txt");
  ASSERT_EQ(paths_->Resolve("C:\\cache\\NEW.txt", &r), kErrorSuccess);
  EXPECT_FALSE(r.exists);
  WriteHostFile(Host("drive_c/Cache/New.TXT"), "x");
  ASSERT_EQ(paths_->Resolve("C:\\cache\\NEW.txt", &r), kErrorSuccess);
  EXPECT_TRUE(r.exists);
  EXPECT_EQ(r.leaf, "New.TXT");
  fs::remove(Host("drive_c/Cache/Old.txt"));
  ASSERT_EQ(paths_->Resolve("C:\\cache\\OLD.TXT", &r), kErrorSuccess);
  EXPECT_FALSE(r.exists);
  EXPECT_EQ(r.leaf, "OLD.TXT");

  // The host spelling of a folder path given in another case, once the
  // folder is gone or has become a link, is not used again.
  WriteHostFile(Host("drive_c/Aa/Bb/f.txt"), "x");
  ASSERT_EQ(paths_->Resolve("C:\\AA\\BB\\F.TXT", &r), kErrorSuccess);
  ASSERT_EQ(paths_->Resolve("C:\\AA\\BB\\G.TXT", &r), kErrorSuccess);
  EXPECT_EQ(r.host, Host("drive_c/Aa/Bb/G.TXT"));
  fs::remove_all(Host("drive_c/Aa/Bb"));
  WriteHostFile(Outside("G.TXT"), "outside");
  ASSERT_EQ(symlink(Outside("").c_str(), Host("drive_c/Aa/Bb").c_str()), 0);
  EXPECT_EQ(paths_->Resolve("C:\\AA\\BB\\G.TXT", &r), kErrorPathNotFound);
  fs::remove(Host("drive_c/Aa/Bb"));
  WriteHostFile(Host("drive_c/Aa/bB/g.txt"), "x");
  ASSERT_EQ(paths_->Resolve("C:\\AA\\BB\\G.TXT", &r), kErrorSuccess);
  EXPECT_EQ(r.host, Host("drive_c/Aa/bB/g.txt"));
}

TEST_F(HostPathsTest, PathsThatNameNothingOnADriveResolveToNothing) {
  emu::HostPaths::Resolved r;
  for (const char* path : {"C:\\Temp\\..\\x", "..\\outside", "C:\\..", "\\\\server\\share\\x",
                           "//server/share", "C:\\a*b", "C:\\a?", "C:\\a<b", "1:\\x", "C:\\a:b",
                           "C:\\... \\x"})
    EXPECT_EQ(paths_->Resolve(path, &r), kErrorInvalidName) << path;
  EXPECT_EQ(paths_->Resolve("Q:\\x", &r), kErrorPathNotFound);
  EXPECT_EQ(paths_->Resolve("", &r), kErrorPathNotFound);
}

TEST_F(HostPathsTest, LinksOnTheWayAreFollowedOnlyInsideTheMachine) {
  WriteHostFile(Host("drive_d/Data/in.txt"), "inside");
  WriteHostFile(Outside("victim.txt"), "outside");
  ASSERT_EQ(symlink(Host("drive_d/Data").c_str(), Host("drive_c/ToD").c_str()), 0);
  ASSERT_EQ(symlink("../../outside", Host("drive_c/Out").c_str()), 0);
  ASSERT_EQ(symlink(Host("drive_c/Out").c_str(), Host("drive_c/Chain").c_str()), 0);

  emu::HostPaths::Resolved r;
  ASSERT_EQ(paths_->Resolve("C:\\tod\\IN.TXT", &r), kErrorSuccess);
  EXPECT_TRUE(r.exists);
  EXPECT_EQ(paths_->Resolve("C:\\Out\\victim.txt", &r), kErrorPathNotFound);
  EXPECT_EQ(paths_->Resolve("C:\\Chain\\victim.txt", &r), kErrorPathNotFound);
  std::string host;
  EXPECT_EQ(paths_->ResolveFolder("C:\\Out", &host), kErrorPathNotFound);
  EXPECT_EQ(paths_->ResolveFolder("C:\\ToD", &host), kErrorSuccess);
  // The last component is the link itself.
  ASSERT_EQ(paths_->Resolve("C:\\out", &r), kErrorSuccess);
  EXPECT_TRUE(r.exists);
  EXPECT_EQ(r.host, Host("drive_c/Out"));
}

TEST(WildcardTest, MatchesAsFindFirstFileMatchesLongNames) {
  struct Case { const char* pattern; const char* name; bool matches; };
  for (const Case& c : std::vector<Case>{
           {"*.*", "README", true}, {"*.*", "a.b.c", true}, {"*.*", ".", true},
           {"*.LOG", "install.log", true}, {"*.log", "install.log1", false},
           {"*.log", "log", false},
           {"ZALog*.*", "ZALog1", true}, {"zalog*.*", "ZALOG2006.TXT", true},
           {"ZALog*.*", "ZALog", true}, {"ZALog*.*", "ZALo.txt", false}, {"a?c", "abc", true},
           {"a?c", "ac", false}, {"a?c", "abbc", false}, {"*a*b*", "xxaxxbxx", true},
           {"*a*b", "xxbxxa", false}, {"*.", "README", true}, {"*.", "a.txt", false},
           {"Name.TXT", "name.txt", true}, {"name", "name.txt", false}, {"", "name", false}})
    EXPECT_EQ(platform::MatchesWildcard(c.pattern, c.name), c.matches)
        << c.pattern << " " << c.name;
}

TEST_F(FileSystemTest, DosAttributesAreReadAsWineWritesThem) {
  WriteHostFile(Host("drive_c/plain.txt"), "12345");
  WriteHostFile(Host("drive_c/hidden.txt"), "");
  WriteHostFile(Host("drive_c/both.txt"), "");
  WriteHostFile(Host("drive_c/ro.txt"), "");
  fs::create_directories(Host("drive_c/Folder"));
  Dos("drive_c/hidden.txt", "0x2");
  Dos("drive_c/both.txt", "0x26");
  Dos("drive_c/Folder", "0x4");
  ASSERT_EQ(chmod(Host("drive_c/ro.txt").c_str(), 0444), 0);
  ASSERT_EQ(symlink("Folder", Host("drive_c/FolderLink").c_str()), 0);
  ASSERT_EQ(symlink("plain.txt", Host("drive_c/FileLink").c_str()), 0);

  const DWORD a = kFileAttributeArchive, h = kFileAttributeHidden, s = kFileAttributeSystem;
  const DWORD d = kFileAttributeDirectory, link = kFileAttributeReparsePoint;
  for (auto [path, expected] : std::vector<std::pair<const char*, DWORD>>{
           {"C:\\PLAIN.TXT", a}, {"C:\\hidden.txt", a | h}, {"C:\\both.txt", a | h | s},
           {"C:\\ro.txt", a | kFileAttributeReadonly}, {"C:\\folder", d | s},
           {"C:\\FolderLink", link | d}, {"C:\\FileLink", link},
           {"C:\\missing", kInvalidFileAttributes}})
    EXPECT_EQ(files().GetFileAttributesA(path), expected) << path;
  FindData data;
  ASSERT_EQ(files().GetFileAttributesExA("c:\\plain.txt", &data), kErrorSuccess);
  EXPECT_EQ(data.size, 5u);
}

TEST_F(FileSystemTest, SetAttributesWritesWhatWineReads) {
  WriteHostFile(Host("drive_c/f.txt"), "");
  ASSERT_EQ(chmod(Host("drive_c/f.txt").c_str(), 0644), 0);
  std::string host = Host("drive_c/f.txt");
  ASSERT_EQ(files().SetFileAttributesA("C:\\F.TXT", kFileAttributeHidden), kErrorSuccess);
  EXPECT_EQ(DosAttrib(host), "0x2");
  ASSERT_EQ(files().SetFileAttributesA("C:\\f.txt", kFileAttributeHidden | kFileAttributeSystem |
                                                        kFileAttributeReadonly),
            kErrorSuccess);
  EXPECT_EQ(DosAttrib(host), "0x6");
  EXPECT_EQ(Mode(host), 0444u);
  ASSERT_EQ(files().SetFileAttributesA("C:\\f.txt", kFileAttributeArchive), kErrorSuccess);
  EXPECT_EQ(DosAttrib(host), "<none>");
  // Write bits for the owner, and for group and others who may read, as the mask allows.
  mode_t mask = umask(0);
  umask(mask);
  EXPECT_EQ(Mode(host), 0644u | (0022u & ~mask));
  EXPECT_EQ(files().GetFileAttributesA("C:\\f.txt"), kFileAttributeArchive);

  fs::create_directories(Host("drive_c/Dir"));
  ASSERT_EQ(files().SetFileAttributesA("C:\\dir", kFileAttributeSystem), kErrorSuccess);
  EXPECT_EQ(DosAttrib(Host("drive_c/Dir")), "0x4");
  EXPECT_EQ(files().SetFileAttributesA("C:\\nothing", kFileAttributeNormal), kErrorFileNotFound);
}

// A link in the machine that points at a host folder outside it, and ".."
// paths: nothing outside changes, byte for byte, whatever is asked.
TEST_F(FileSystemTest, NothingOutsideTheMachineIsReachable) {
  WriteHostFile(Outside("victim.txt"), "precious");
  ASSERT_EQ(chmod(Outside("victim.txt").c_str(), 0644), 0);
  ASSERT_EQ(symlink(Outside("").c_str(), Host("drive_c/Out").c_str()), 0);
  ASSERT_EQ(symlink(Outside("victim.txt").c_str(), Host("drive_c/VictimLink").c_str()), 0);
  mode_t folderMode = Mode(Outside(""));

  EXPECT_EQ(files().DeleteFileA("C:\\Out\\victim.txt"), kErrorPathNotFound);
  EXPECT_EQ(files().DeleteFileA("C:\\..\\..\\outside\\victim.txt"), kErrorInvalidName);
  EXPECT_EQ(files().SetFileAttributesA("C:\\Out\\victim.txt", kFileAttributeReadonly),
            kErrorPathNotFound);
  EXPECT_EQ(files().SetFileAttributesA("C:\\Out", kFileAttributeReadonly | kFileAttributeHidden),
            kErrorAccessDenied);
  EXPECT_EQ(files().SetFileAttributesA("C:\\VictimLink", kFileAttributeReadonly),
            kErrorAccessDenied);
  EXPECT_EQ(files().WriteFileBytes("C:\\VictimLink", "overwritten"), kErrorAccessDenied);
  EXPECT_EQ(files().WriteFileBytes("C:\\Out\\new.txt", "x"), kErrorPathNotFound);
  std::string content;
  EXPECT_EQ(files().ReadFileBytes("C:\\VictimLink", &content), kErrorAccessDenied);
  EXPECT_EQ(Error("C:\\Out\\*.*"), kErrorPathNotFound);
  EXPECT_EQ(platform::DeleteFiles(files(), "C:\\Out\\*.*"), kErrorPathNotFound);
  EXPECT_EQ(files().DeleteFileA("C:\\Out"), kErrorAccessDenied);

  // The links themselves can go, and only they go.
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

TEST_F(FileSystemTest, HostNamesWindowsCannotNameAgainAreNotListed) {
  WriteHostFile(Host("drive_c/Dir/a\\b"), "x");
  WriteHostFile(Host("drive_c/Dir/trail."), "x");
  WriteHostFile(Host("drive_c/Dir/trail"), "keep");
  WriteHostFile(Host("drive_c/Dir/ok.txt"), "x");
  EXPECT_EQ(Names("C:\\Dir\\*"), (std::vector<std::string>{".", "..", "ok.txt", "trail"}));
  EXPECT_EQ(platform::DeleteFiles(files(), "C:\\Dir\\*.*"), kErrorSuccess);
  EXPECT_TRUE(fs::exists(Host("drive_c/Dir/a\\b")));
  EXPECT_TRUE(fs::exists(Host("drive_c/Dir/trail.")));
  EXPECT_FALSE(fs::exists(Host("drive_c/Dir/trail")));
}

}  // namespace
}  // namespace vb
