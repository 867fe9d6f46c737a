// What only the emulated registry has to get right (the rest the conformance
// suite checks on both platforms): access rights per handle and per user,
// grouped changes, and durability when the writer is killed.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/ascii_case.h"
#include "platform/emulated/database.h"
#include "platform/emulated/emulated_registry.h"
#include "platform/opened_key.h"
#include "platform/registry_values.h"
#include "support/other_writer.h"
#include "support/temp_machine.h"

namespace vb {
namespace {

using namespace vb::win;
using platform::WriteString;

TEST(EmulatedRegistry, HandlesAndUsersGetOnlyTheAccessTheyMayHave) {
  test::TempMachine admin;
  platform::OpenedKey readOnly(admin.platform().Registry());
  ASSERT_EQ(readOnly.Open(kHkeyCurrentUser, "Software", kKeyQueryValue), kErrorSuccess);
  const BYTE one[] = {'1', 0};
  EXPECT_EQ(admin.platform().Registry().RegSetValueExA(readOnly.get(), "x", kRegSz, one, 2),
            kErrorAccessDenied);
  char name[64];
  EXPECT_EQ(admin.platform().Registry().RegEnumKeyA(readOnly.get(), 0, name, sizeof name),
            kErrorAccessDenied);

  // A limited user may read the machine's hives but not open them for writing.
  test::TempMachine m({.limitedUser = true});
  auto& reg = m.platform().Registry();
  const char* nt = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
  platform::OpenedKey key(reg);
  EXPECT_EQ(key.Open(kHkeyLocalMachine, nt, kKeyAllAccess), kErrorAccessDenied);
  EXPECT_EQ(key.Open(kHkeyLocalMachine, nt, kKeySetValue), kErrorAccessDenied);
  EXPECT_EQ(key.Open(kHkeyClassesRoot, ".txt", kKeyWrite), kErrorAccessDenied);
  HKEY opened = 0;  // as the program opens keys: RegOpenKeyA, with what the user may have
  ASSERT_EQ(reg.RegOpenKeyA(kHkeyLocalMachine, nt, &opened), kErrorSuccess);
  EXPECT_EQ(reg.RegSetValueExA(opened, "x", kRegSz, one, 2), kErrorAccessDenied);
  reg.RegCloseKey(opened);
  EXPECT_EQ(WriteString(reg, kHkeyLocalMachine, "SOFTWARE\\New", "x", "1"), kErrorAccessDenied);
  EXPECT_EQ(reg.RegDeleteKeyA(kHkeyLocalMachine, nt), kErrorAccessDenied);
  EXPECT_EQ(platform::ReadStringValue(reg, kHkeyLocalMachine, nt, "CurrentVersion"), "5.1");
  EXPECT_EQ(WriteString(reg, kHkeyCurrentUser, "Software\\Mine", "x", "1"), kErrorSuccess);
}

TEST(EmulatedRegistry, GroupedChangesAreAllOrNothing) {
  test::TempMachine m;
  auto& reg = m.platform().Registry();
  ASSERT_EQ(reg.BeginChanges(), kErrorSuccess);
  EXPECT_EQ(WriteString(reg, kHkeyCurrentUser, "Batch\\One", "a", "1"), kErrorSuccess);
  EXPECT_EQ(WriteString(reg, kHkeyCurrentUser, "Batch\\Two", "b", "2"), kErrorSuccess);
  reg.EndChanges(false);
  EXPECT_TRUE(platform::ReadSubKeyNames(reg, kHkeyCurrentUser, "Batch").empty());
  ASSERT_EQ(reg.BeginChanges(), kErrorSuccess);
  EXPECT_EQ(WriteString(reg, kHkeyCurrentUser, "Batch\\One", "a", "1"), kErrorSuccess);
  reg.EndChanges(true);
  m.Reopen();
  EXPECT_EQ(platform::ReadStringValue(m.platform().Registry(), kHkeyCurrentUser, "Batch\\One",
                                      "a"),
            "1");
}

// Another program adds a subkey while RegDeleteKeyA waits for the registry:
// the key then has a subkey and stays, and the new subkey is reachable.
TEST(EmulatedRegistry, DeletingAKeyChecksForSubkeysInItsOwnTransaction) {
  test::TempMachine m;
  auto& reg = m.platform().Registry();
  ASSERT_EQ(WriteString(reg, kHkeyCurrentUser, "Software\\Victim", "a", "1"), kErrorSuccess);
  std::int64_t id = 0;
  {
    emu::Statement find(m.machine().Db().handle(), "SELECT id FROM keys WHERE name = 'Victim'");
    ASSERT_TRUE(find.Step());
    id = find.Int(0);
  }
  test::OtherWriter other(m.folder());
  ASSERT_TRUE(other.Exec("INSERT INTO keys(parent, name, fold) VALUES (" + std::to_string(id) +
                         ", 'Added', '" + platform::FoldAscii("Added") + "')"));
  other.CommitWhenBusy(m.machine().Db(), true);
  EXPECT_EQ(reg.RegDeleteKeyA(kHkeyCurrentUser, "Software\\Victim"), kErrorAccessDenied);
  EXPECT_EQ(other.BusyCalls(), 1);
  HKEY added = 0;
  ASSERT_EQ(reg.RegOpenKeyA(kHkeyCurrentUser, "Software\\Victim\\Added", &added), kErrorSuccess);
  reg.RegCloseKey(added);
}

TEST(EmulatedRegistry, AReadOnlyDatabaseIsRefusedByName) {
  test::TempMachine m;
  const std::string db = m.Host("registry.db");
  ASSERT_EQ(chmod(db.c_str(), 0444), 0);
  if (access(db.c_str(), W_OK) == 0)
    GTEST_SKIP() << "this process may write a file without write permission (root), so no "
                    "read-only registry.db can be made here";
  emu::Database opened;
  std::string error;
  EXPECT_FALSE(opened.Open(db, false, &error));
  EXPECT_EQ(error, db + " is read-only; the machine's registry must be writable");
}

// A writer killed in the middle of a burst loses no change it had finished,
// and leaves a database that opens and checks clean.
TEST(EmulatedRegistry, KilledWriterLosesNoFinishedSetting) {
  test::TempMachine m;
  int pipeFds[2];
  ASSERT_EQ(pipe(pipeFds), 0);
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    close(pipeFds[0]);
    std::string error;
    auto machine = emu::Machine::Open(m.folder(), &error);
    if (!machine) _exit(3);
    for (int i = 0;; ++i) {
      std::string name = "v" + std::to_string(i);
      if (WriteString(machine->Registry(), kHkeyCurrentUser, "Burst", name, name) != 0) _exit(4);
      if (write(pipeFds[1], &i, sizeof i) != sizeof i) _exit(5);
    }
  }
  close(pipeFds[1]);
  int last = -1, got = 0;
  while (last < 300 && read(pipeFds[0], &got, sizeof got) == sizeof got) last = got;
  kill(child, SIGKILL);
  int status = 0;
  waitpid(child, &status, 0);
  while (read(pipeFds[0], &got, sizeof got) == sizeof got) last = got;
  close(pipeFds[0]);
  ASSERT_GE(last, 300);

  m.Reopen();
  emu::Statement check(m.machine().Db().handle(), "PRAGMA integrity_check");
  ASSERT_TRUE(check.Step());
  EXPECT_EQ(check.Text(0), "ok");
  auto values = platform::ReadAllValues(m.platform().Registry(), kHkeyCurrentUser, "Burst");
  ASSERT_GE(values.size(), static_cast<std::size_t>(last + 1));
  for (int i = 0; i <= last; ++i) {
    EXPECT_EQ(values[i].name, "v" + std::to_string(i));
    EXPECT_EQ(platform::StringFromBytes(values[i].data), values[i].name);
  }
}

}  // namespace
}  // namespace vb
