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

TEST_F(EmulatedRegistryTest, NamesMatchWithoutCaseAndKeepTheirFirstCase) {
  ASSERT_EQ(WriteString(reg(), kHkeyCurrentUser, "Software\\MyApp", "Colour", "red"), 0);
  ASSERT_EQ(WriteString(reg(), kHkeyCurrentUser, "SOFTWARE\\MYAPP", "COLOUR", "blue"), 0);
  EXPECT_EQ(platform::ReadStringValue(reg(), kHkeyCurrentUser, "software\\myapp", "colour"),
            "blue");
  auto values = platform::ReadAllValues(reg(), kHkeyCurrentUser, "Software\\MyApp");
  ASSERT_EQ(values.size(), 1u);
  EXPECT_EQ(values[0].name, "Colour");
  auto keys = ReadSubKeyNames(reg(), kHkeyCurrentUser, "software");
  EXPECT_NE(std::find(keys.begin(), keys.end(), "MyApp"), keys.end());
}

TEST_F(EmulatedRegistryTest, CreateMakesEveryMissingParentAndReportsWhatItDid) {
  HKEY key = 0;
  DWORD disposition = 0;
  ASSERT_EQ(reg().RegCreateKeyExA(kHkeyCurrentUser, "A\\B\\C\\", 0, nullptr, 0, kKeyAllAccess,
                                  &key, &disposition),
            kErrorSuccess);
  EXPECT_EQ(disposition, kRegCreatedNewKey);
  reg().RegCloseKey(key);
  ASSERT_EQ(reg().RegCreateKeyExA(kHkeyCurrentUser, "a\\b\\c", 0, nullptr, 0, kKeyAllAccess, &key,
                                  &disposition),
            kErrorSuccess);
  EXPECT_EQ(disposition, kRegOpenedExistingKey);
  reg().RegCloseKey(key);
  EXPECT_EQ(ReadSubKeyNames(reg(), kHkeyCurrentUser, "A\\B"), std::vector<std::string>{"C"});
  EXPECT_EQ(reg().RegCreateKeyExA(kHkeyCurrentUser, "A\\\\D", 0, nullptr, 0, kKeyAllAccess, &key,
                                  nullptr),
            kErrorBadPathname);
  EXPECT_EQ(reg().RegOpenKeyExA(kHkeyCurrentUser, "A\\Missing", 0, kKeyRead, &key),
            kErrorFileNotFound);
}

TEST_F(EmulatedRegistryTest, DeleteKeyTakesOnlyLeavesAndNeverAHive) {
  WriteString(reg(), kHkeyCurrentUser, "T\\Parent\\Child", "v", "1");
  WriteString(reg(), kHkeyCurrentUser, "T\\Parent", "v", "1");
  EXPECT_EQ(reg().RegDeleteKeyA(kHkeyCurrentUser, "T\\Parent"), kErrorAccessDenied);
  EXPECT_EQ(ReadSubKeyNames(reg(), kHkeyCurrentUser, "T\\Parent").size(), 1u);
  EXPECT_EQ(reg().RegDeleteKeyA(kHkeyCurrentUser, "t\\parent\\CHILD"), kErrorSuccess);
  EXPECT_EQ(reg().RegDeleteKeyA(kHkeyCurrentUser, "T\\Parent"), kErrorSuccess);
  EXPECT_EQ(reg().RegDeleteKeyA(kHkeyCurrentUser, "T\\Parent"), kErrorFileNotFound);
  EXPECT_EQ(reg().RegDeleteKeyA(kHkeyCurrentUser, ""), kErrorAccessDenied);
  // A handle to a deleted key fails from then on.
  WriteString(reg(), kHkeyCurrentUser, "T\\Gone", "v", "1");
  HKEY gone = Open(kHkeyCurrentUser, "T\\Gone");
  reg().RegDeleteValueA(gone, "v");
  ASSERT_EQ(reg().RegDeleteKeyA(kHkeyCurrentUser, "T\\Gone"), kErrorSuccess);
  DWORD size = 0;
  EXPECT_EQ(reg().RegQueryValueExA(gone, "v", nullptr, nullptr, &size), kErrorKeyDeleted);
  reg().RegCloseKey(gone);
}

TEST_F(EmulatedRegistryTest, SubkeysEnumerateAlphabeticallyAndValuesInCreationOrder) {
  for (const char* k : {"beta", "Alpha", "_under", "Gamma"})
    WriteString(reg(), kHkeyCurrentUser, std::string("E\\") + k, "x", "1");
  // Upper-cased comparison puts "_" after the letters, as Windows sorts.
  EXPECT_EQ(ReadSubKeyNames(reg(), kHkeyCurrentUser, "E"),
            (std::vector<std::string>{"Alpha", "beta", "Gamma", "_under"}));
  for (const char* v : {"zeta", "Alpha", "mid"}) WriteString(reg(), kHkeyCurrentUser, "E", v, v);
  WriteString(reg(), kHkeyCurrentUser, "E", "ALPHA", "again");  // an update keeps its place
  auto values = platform::ReadAllValues(reg(), kHkeyCurrentUser, "E");
  ASSERT_EQ(values.size(), 3u);
  EXPECT_EQ(values[0].name, "zeta");
  EXPECT_EQ(values[1].name, "Alpha");
  EXPECT_EQ(platform::StringFromBytes(values[1].data), "again");

  HKEY key = Open(kHkeyCurrentUser, "E");
  char name[16];
  EXPECT_EQ(reg().RegEnumKeyA(key, 4, name, sizeof name), kErrorNoMoreItems);
  EXPECT_EQ(reg().RegEnumKeyA(key, 0, name, 3), kErrorMoreData);
  // Index semantics hold across a deletion in the middle of a walk.
  DWORD size = sizeof name;
  ASSERT_EQ(reg().RegEnumValueA(key, 0, name, &size, nullptr, nullptr, nullptr), kErrorSuccess);
  ASSERT_EQ(reg().RegDeleteValueA(key, "zeta"), kErrorSuccess);
  size = sizeof name;
  ASSERT_EQ(reg().RegEnumValueA(key, 1, name, &size, nullptr, nullptr, nullptr), kErrorSuccess);
  EXPECT_STREQ(name, "mid");
  size = sizeof name;
  EXPECT_EQ(reg().RegEnumValueA(key, 2, name, &size, nullptr, nullptr, nullptr),
            kErrorNoMoreItems);
  reg().RegCloseKey(key);
}

TEST_F(EmulatedRegistryTest, ValuesKeepTheirBytesAndReportSizes) {
  HKEY key = Open(kHkeyCurrentUser, "Software");
  const BYTE multi[] = {'a', 0, 'b', 'c', 0, 0};
  const BYTE big[] = {0x12, 0x34, 0x56, 0x78};
  ASSERT_EQ(reg().RegSetValueExA(key, "m", kRegMultiSz, multi, sizeof multi), kErrorSuccess);
  ASSERT_EQ(reg().RegSetValueExA(key, "b", kRegDwordBigEndian, big, sizeof big), kErrorSuccess);
  ASSERT_EQ(reg().RegSetValueExA(key, "", kRegSz, reinterpret_cast<const BYTE*>("def"), 4),
            kErrorSuccess);
  DWORD type = 0, size = 0;
  ASSERT_EQ(reg().RegQueryValueExA(key, "M", &type, nullptr, &size), kErrorSuccess);
  EXPECT_EQ(type, kRegMultiSz);
  EXPECT_EQ(size, sizeof multi);
  BYTE small[3];
  size = sizeof small;
  EXPECT_EQ(reg().RegQueryValueExA(key, "m", &type, small, &size), kErrorMoreData);
  EXPECT_EQ(size, sizeof multi);
  BYTE out[8];
  size = sizeof out;
  ASSERT_EQ(reg().RegQueryValueExA(key, "b", &type, out, &size), kErrorSuccess);
  EXPECT_EQ(type, kRegDwordBigEndian);
  EXPECT_EQ(0, std::memcmp(out, big, 4));
  size = sizeof out;
  ASSERT_EQ(reg().RegQueryValueExA(key, nullptr, &type, out, &size), kErrorSuccess);
  EXPECT_STREQ(reinterpret_cast<char*>(out), "def");
  platform::RegKeyInfo info;
  ASSERT_EQ(reg().RegQueryInfoKeyA(key, &info), kErrorSuccess);
  EXPECT_EQ(info.values, 3u);
  EXPECT_EQ(info.maxValueLen, sizeof multi);
  EXPECT_EQ(reg().RegDeleteValueA(key, "absent"), kErrorFileNotFound);
  reg().RegCloseKey(key);
  EXPECT_EQ(reg().RegCloseKey(key), kErrorInvalidHandle);
}

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
