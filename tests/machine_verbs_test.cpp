// machine init lays out a machine and never replaces or deletes what is not
// one (what it lays out, and the cache verbs, are in cli/machine.txt).
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "cli/machine_verbs.h"
#include "fixtures/machine_layout.h"
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

}  // namespace
}  // namespace vb
