// machine init lays out a machine and never replaces or deletes what is not
// one (what it lays out, and the cache verbs, are in cli/machine.txt).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "cli/machine_verbs.h"
#include "cli/platform_choice.h"
#include "fixtures/machine_init.h"
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

std::vector<std::string> Names(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

// A machine is put in place only once complete: an init that fails leaves
// no machine where there was none, the old one whole where there was one,
// and nothing beside it.
TEST(MachineInit, AFailedInitLeavesNoHalfMadeMachine) {
  test::TempMachine m;
  fs::path place = fs::path(m.folder()) / "made";
  std::vector<std::string> before = Names(m.folder());
  fixtures::InitOptions failing;
  failing.fill = [](emu::Machine& machine) -> Result<> {
    test::WriteHostFile(machine.Folder() + "/drive_c/half.txt", "half");
    return Fail("stopped halfway");
  };
  Result<> made = fixtures::InitMachine(place.string(), failing);
  ASSERT_FALSE(made);
  EXPECT_EQ(made.message(), "stopped halfway");
  EXPECT_EQ(Names(m.folder()), before);

  ASSERT_TRUE(fixtures::InitMachine(place.string(), {}));
  test::WriteHostFile((place / "drive_c/old.txt").string(), "old");
  before = Names(m.folder());
  failing.overwrite = true;
  ASSERT_FALSE(fixtures::InitMachine(place.string(), failing));
  EXPECT_EQ(test::ReadHostFile((place / "drive_c/old.txt").string()), "old");
  EXPECT_FALSE(fs::exists(place / "drive_c/half.txt"));
  EXPECT_EQ(Names(m.folder()), before);
}

// The default machine, made on first use, is said to be made, and where.
TEST(MachineInit, TheDefaultMachineIsAnnouncedWhenMade) {
  test::TempMachine m;
  std::string folder = (fs::path(m.folder()) / "default").string();
  std::ostringstream first, second;
  ASSERT_TRUE(cli::OpenPlatform(folder, true, first));
  EXPECT_EQ(first.str(), "Creating a new machine in " + folder + "\n");
  ASSERT_TRUE(cli::OpenPlatform(folder, true, second));
  EXPECT_EQ(second.str(), "");
}

}  // namespace
}  // namespace vb
