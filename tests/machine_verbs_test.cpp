// machine init lays out a machine and never replaces or deletes what is not
// one; the cache verbs fill and list the URL cache.
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "cli/machine_verbs.h"
#include "fixtures/machine_layout.h"
#include "platform/registry_values.h"
#include "support/temp_machine.h"

namespace vb {
namespace {

namespace fs = std::filesystem;

struct Io {
  std::istringstream in;
  std::ostringstream out, err;
  cli::VerbIo io() { return {in, out, err}; }
};

TEST(MachineInit, RefusesToReplaceAMachineOrFillAForeignFolder) {
  test::TempMachine m;
  Io first;
  EXPECT_EQ(cli::RunMachineVerb(m.folder(), {"init"}, first.io()), cli::kExitFailed);
  EXPECT_NE(first.err.str().find("already exists"), std::string::npos);

  // --force replaces the machine's own parts and leaves anything else alone.
  test::WriteHostFile(m.Host("drive_c/old.txt"), "old");
  // Names that only begin like a machine's own are someone else's.
  const char* others[] = {"notes.txt", "registry.db.bak", "registry.dbx", "drive_backup/a.txt",
                          "drive_cd/a.txt", "drive_/a.txt"};
  for (const char* other : others) test::WriteHostFile(m.Host(other), "mine");
  Io forced;
  EXPECT_EQ(cli::RunMachineVerb(m.folder(), {"init", "--force"}, forced.io()), cli::kExitOk)
      << forced.err.str();
  EXPECT_FALSE(fs::exists(m.Host("drive_c/old.txt")));
  for (const char* other : others) EXPECT_EQ(test::ReadHostFile(m.Host(other)), "mine") << other;
  EXPECT_EQ(test::ReadHostFile(m.Host("drive_c/Program Files/Vanbrisk/vanbrisk.ico")),
            fixtures::layout::IconBytes());

  fs::path foreign = fs::path(m.folder()) / "foreign";
  test::WriteHostFile((foreign / "keep.txt").string(), "keep");
  Io refused;
  EXPECT_EQ(cli::RunMachineVerb(foreign.string(), {"init", "--force"}, refused.io()),
            cli::kExitFailed);
  EXPECT_EQ(test::ReadHostFile((foreign / "keep.txt").string()), "keep");
  EXPECT_FALSE(fs::exists(foreign / "registry.db"));

  Io bad;
  EXPECT_EQ(cli::RunMachineVerb(m.folder(), {"init", "--demo-please"}, bad.io()),
            cli::kExitUsage);
}

TEST(MachineInit, LaysOutTheFoldersTheSpecialFolderValuesName) {
  test::TempMachine m;
  auto& files = m.platform().Files();
  for (const char* name : {"AppData", "Cache", "Cookies", "History", "Recent", "Startup"}) {
    std::string folder = platform::ReadStringValue(
        m.platform().Registry(), win::kHkeyCurrentUser,
        "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", name);
    ASSERT_FALSE(folder.empty()) << name;
    EXPECT_EQ(files.GetFileAttributesA(folder) & win::kFileAttributeDirectory,
              win::kFileAttributeDirectory)
        << name << " " << folder;
  }
}

TEST(CacheVerbs, AddAndListEntries) {
  test::TempMachine m;
  test::WriteHostFile(m.Host("drive_c/a.htm"), "x");
  Io add;
  ASSERT_EQ(cli::RunCacheVerb(m.platform(), {"add", "http://a/", "--file", "C:\\a.htm"}, add.io()),
            cli::kExitOk)
      << add.err.str();
  ASSERT_EQ(cli::RunCacheVerb(m.platform(), {"add", "Cookie:u@b/", "--type", "0x100000"}, add.io()),
            cli::kExitOk);
  Io missing;
  EXPECT_EQ(cli::RunCacheVerb(m.platform(), {"add", "http://c/", "--file", "C:\\none"},
                              missing.io()),
            cli::kExitFailed);
  // A file reached through a link to the machine's own folder is refused as such.
  ASSERT_EQ(symlink(m.folder().c_str(), m.Host("drive_c/Machine").c_str()), 0);
  Io refused;
  EXPECT_EQ(cli::RunCacheVerb(m.platform(),
                              {"add", "http://d/", "--file", "C:\\Machine\\registry.db"},
                              refused.io()),
            cli::kExitFailed);
  EXPECT_EQ(refused.err.str(),
            "cache add: access to the local file C:\\Machine\\registry.db was refused\n");
  EXPECT_EQ(cli::RunCacheVerb(m.platform(), {"add", "--type", "x1"}, missing.io()),
            cli::kExitUsage);
  Io list;
  ASSERT_EQ(cli::RunCacheVerb(m.platform(), {"list"}, list.io()), cli::kExitOk);
  EXPECT_EQ(list.out.str(), "http://a/\t1\tC:\\a.htm\nCookie:u@b/\t1048576\t\n");
}

}  // namespace
}  // namespace vb
