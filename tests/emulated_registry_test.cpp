// The emulated registry behaves as the Windows registry does towards the
// program: names without regard to case, parents created, leaf-only deletion,
// enumeration by index, value bytes and sizes, access rights, durability.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>

#include "platform/emulated/database.h"
#include "platform/emulated/emulated_registry.h"
#include "platform/registry_values.h"
#include "support/temp_machine.h"

namespace vb {
namespace {

using namespace vb::win;
using platform::ReadSubKeyNames;
using platform::WriteString;

class EmulatedRegistryTest : public ::testing::Test {
 protected:
  platform::RegistryApi& reg() { return m.platform().Registry(); }
  HKEY Open(HKEY root, const char* path, DWORD access = kKeyAllAccess) {
    HKEY key = 0;
    EXPECT_EQ(reg().RegOpenKeyExA(root, path, 0, access, &key), kErrorSuccess) << path;
    return key;
  }
  test::TempMachine m;
};

TEST_F(EmulatedRegistryTest, HandlesGrantOnlyTheAccessAskedFor) {
  HKEY readOnly = Open(kHkeyCurrentUser, "Software", kKeyQueryValue);
  const BYTE one[] = {'1', 0};
  EXPECT_EQ(reg().RegSetValueExA(readOnly, "x", kRegSz, one, 2), kErrorAccessDenied);
  char name[64];
  EXPECT_EQ(reg().RegEnumKeyA(readOnly, 0, name, sizeof name), kErrorAccessDenied);
  reg().RegCloseKey(readOnly);
}

TEST(EmulatedRegistryLimitedUser, MayReadButNotWriteTheMachineHives) {
  test::TempMachine m({.limitedUser = true});
  auto& reg = m.platform().Registry();
  const char* nt = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
  HKEY key = 0;
  EXPECT_EQ(reg.RegOpenKeyExA(kHkeyLocalMachine, nt, 0, kKeyAllAccess, &key), kErrorAccessDenied);
  EXPECT_EQ(reg.RegOpenKeyExA(kHkeyLocalMachine, nt, 0, kKeySetValue, &key), kErrorAccessDenied);
  EXPECT_EQ(reg.RegOpenKeyExA(kHkeyClassesRoot, ".txt", 0, kKeyWrite, &key), kErrorAccessDenied);
  ASSERT_EQ(reg.RegOpenKeyA(kHkeyLocalMachine, nt, &key), kErrorSuccess);
  const BYTE one[] = {'1', 0};
  EXPECT_EQ(reg.RegSetValueExA(key, "x", kRegSz, one, 2), kErrorAccessDenied);
  reg.RegCloseKey(key);
  EXPECT_EQ(WriteString(reg, kHkeyLocalMachine, "SOFTWARE\\New", "x", "1"), kErrorAccessDenied);
  EXPECT_EQ(reg.RegDeleteKeyA(kHkeyLocalMachine, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion"),
            kErrorAccessDenied);
  EXPECT_EQ(platform::ReadStringValue(reg, kHkeyLocalMachine, nt, "CurrentVersion"), "5.1");
  EXPECT_EQ(WriteString(reg, kHkeyCurrentUser, "Software\\Mine", "x", "1"), kErrorSuccess);
}

TEST_F(EmulatedRegistryTest, GroupedChangesAreAllOrNothing) {
  ASSERT_TRUE(reg().BeginChanges());
  WriteString(reg(), kHkeyCurrentUser, "Batch\\One", "a", "1");
  WriteString(reg(), kHkeyCurrentUser, "Batch\\Two", "b", "2");
  reg().EndChanges(false);
  EXPECT_TRUE(ReadSubKeyNames(reg(), kHkeyCurrentUser, "Batch").empty());
  ASSERT_TRUE(reg().BeginChanges());
  WriteString(reg(), kHkeyCurrentUser, "Batch\\One", "a", "1");
  reg().EndChanges(true);
  m.Reopen();
  EXPECT_EQ(platform::ReadStringValue(reg(), kHkeyCurrentUser, "Batch\\One", "a"), "1");
}

// A writer killed in the middle of a burst loses no change it had finished,
// and leaves a database that opens and checks clean.
TEST_F(EmulatedRegistryTest, KilledWriterLosesNoFinishedSetting) {
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
