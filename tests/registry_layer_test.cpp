// The program's registry routines over the emulated registry: Reg32,
// ReadRegString, cRegistry and the settings store.
#include <gtest/gtest.h>

#include "platform/emulated/emulated_registry.h"
#include "platform/registry_values.h"
#include "registry/c_registry.h"
#include "registry/reg32.h"
#include "registry/settings_store.h"
#include "support/temp_machine.h"

namespace vb {
namespace {

using namespace vb::win;
using namespace vb::registry;
using platform::WriteDword;
using platform::WriteString;
using platform::WriteValue;

class RegistryLayerTest : public ::testing::Test {
 protected:
  platform::RegistryApi& reg() { return m.platform().Registry(); }
  std::size_t OpenHandles() {
    return dynamic_cast<emu::EmulatedRegistry&>(reg()).OpenHandleCount();
  }
  cRegistry At(HKEY root, const std::string& section, const std::string& value = "") {
    cRegistry r(m.platform());
    r.SetClassKey(root);
    r.SetSectionKey(section);
    r.SetValueKey(value);
    return r;
  }
  void TearDown() override { EXPECT_EQ(OpenHandles(), 0u) << "a key handle was left open"; }
  test::TempMachine m;
};

TEST_F(RegistryLayerTest, GetStringReadsOnlyPlainStrings) {
  WriteString(reg(), kHkeyCurrentUser, "K", "sz", "text");
  WriteString(reg(), kHkeyCurrentUser, "K", "expand", "%SystemRoot%", kRegExpandSz);
  WriteDword(reg(), kHkeyCurrentUser, "K", "number", 7);
  WriteValue(reg(), kHkeyCurrentUser, "K", "nul", kRegSz, {'a', 'b', 0, 'c', 0});
  WriteValue(reg(), kHkeyCurrentUser, "K", "bare", kRegSz, {'x', 'y'});
  EXPECT_EQ(Reg32::GetString(reg(), kHkeyCurrentUser, "K", "SZ"), "text");
  EXPECT_EQ(Reg32::GetString(reg(), kHkeyCurrentUser, "K", "expand"), "");
  EXPECT_EQ(Reg32::GetString(reg(), kHkeyCurrentUser, "K", "number"), "");
  EXPECT_EQ(Reg32::GetString(reg(), kHkeyCurrentUser, "K", "nul"), "ab");
  EXPECT_EQ(Reg32::GetString(reg(), kHkeyCurrentUser, "K", "bare"), "xy");
  EXPECT_EQ(Reg32::GetString(reg(), kHkeyCurrentUser, "K", "missing"), "");
  EXPECT_EQ(Reg32::GetString(reg(), kHkeyCurrentUser, "Nope", "sz"), "");
}

TEST_F(RegistryLayerTest, CreateDeleteValueAndLeafOnlyDeleteKey) {
  Reg32::CreateKey(reg(), kHkeyCurrentUser, "Deep\\A\\B");
  WriteString(reg(), kHkeyCurrentUser, "Deep\\A", "v", "1");
  Reg32::DeleteKey(reg(), kHkeyCurrentUser, "Deep\\A");  // has a subkey: both stay
  EXPECT_EQ(Reg32::GetString(reg(), kHkeyCurrentUser, "Deep\\A", "v"), "1");
  EXPECT_TRUE(At(kHkeyCurrentUser, "Deep\\A\\B").KeyExists());
  Reg32::DeleteValue(reg(), kHkeyCurrentUser, "Deep\\A", "V");
  EXPECT_EQ(Reg32::GetString(reg(), kHkeyCurrentUser, "Deep\\A", "v"), "");
  Reg32::DeleteKey(reg(), kHkeyCurrentUser, "Deep\\A\\B");
  Reg32::DeleteKey(reg(), kHkeyCurrentUser, "Deep\\A");
  EXPECT_FALSE(At(kHkeyCurrentUser, "Deep\\A").KeyExists());
  Reg32::DeleteKey(reg(), kHkeyCurrentUser, "");  // never the hive
  EXPECT_TRUE(At(kHkeyCurrentUser, "Software").KeyExists());
}

TEST_F(RegistryLayerTest, ReadRegStringKeepsToItsBufferAndNeedsFullAccess) {
  std::string v127(127, 'a'), v128(128, 'b');
  WriteString(reg(), kHkeyCurrentUser, "R", "short", v127);
  WriteString(reg(), kHkeyCurrentUser, "R", "long", v128);
  WriteString(reg(), kHkeyCurrentUser, "R", "expand", "%TEMP%", kRegExpandSz);
  EXPECT_EQ(ReadRegString(reg(), kHkeyCurrentUser, "R", "short", "dflt"), v127);
  EXPECT_EQ(ReadRegString(reg(), kHkeyCurrentUser, "R", "long", "dflt"), "dflt");
  EXPECT_EQ(ReadRegString(reg(), kHkeyCurrentUser, "R", "expand", ""), "%TEMP%");
  EXPECT_EQ(ReadRegString(reg(), kHkeyCurrentUser, "R", "missing", "dflt"), "dflt");
  EXPECT_EQ(ReadRegString(reg(), kHkeyLocalMachine, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion",
                          "SystemRoot", ""),
            "C:\\WINDOWS");
}

TEST(RegistryLayerLimited, ReadRegStringOnAKeyTheUserMayNotWriteGivesTheDefault) {
  test::TempMachine m({.limitedUser = true});
  EXPECT_EQ(ReadRegString(m.platform().Registry(), kHkeyLocalMachine,
                          "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", "SystemRoot", "dflt"),
            "dflt");
  EXPECT_EQ(Reg32::GetString(m.platform().Registry(), kHkeyLocalMachine,
                             "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", "SystemRoot"),
            "C:\\WINDOWS");
  cRegistry r(m.platform());
  r.SetClassKey(kHkeyLocalMachine);
  r.SetSectionKey("SOFTWARE\\Vanbrisk Test");
  RegResult created = r.CreateKey();
  ASSERT_FALSE(created);
  EXPECT_EQ(created.error()->description, "Failed to create registry Key: 'SOFTWARE\\Vanbrisk Test");
}

TEST_F(RegistryLayerTest, EnumerationsListInRegistryOrderAndToleratesMissingKeys) {
  std::vector<std::string> names;
  long count = -1;
  EXPECT_TRUE(At(kHkeyCurrentUser, "Missing").EnumerateValues(&names, &count));
  EXPECT_EQ(count, 0);
  EXPECT_TRUE(At(kHkeyCurrentUser, "Missing").EnumerateSections(&names, &count));
  EXPECT_EQ(count, 0);
  for (const char* k : {"Three", "one", "Two"}) Reg32::CreateKey(reg(), kHkeyCurrentUser, std::string("S\\") + k);
  WriteString(reg(), kHkeyCurrentUser, "S", "second", "x");
  WriteString(reg(), kHkeyCurrentUser, "S", "", "default");
  ASSERT_TRUE(At(kHkeyCurrentUser, "S").EnumerateSections(&names, &count));
  EXPECT_EQ(count, 3);
  EXPECT_EQ(names, (std::vector<std::string>{"one", "Three", "Two"}));
  ASSERT_TRUE(At(kHkeyCurrentUser, "S").EnumerateValues(&names, &count));
  EXPECT_EQ(count, 2);
  EXPECT_EQ(names, (std::vector<std::string>{"second", ""}));
}

TEST_F(RegistryLayerTest, DeleteValueRaisesWithTheExactDescriptions) {
  WriteString(reg(), kHkeyCurrentUser, "Software\\X", "there", "1");
  RegResult missingValue = At(kHkeyCurrentUser, "Software\\X", "nope").DeleteValue();
  ASSERT_FALSE(missingValue);
  EXPECT_EQ(missingValue.error()->number, 26001);
  EXPECT_EQ(missingValue.error()->source, "vanbrisk.cRegistry");
  EXPECT_EQ(missingValue.error()->description,
            "Failed to delete registry Key: '-2147483647',Section: 'Software\\X',Key: 'nope");
  RegResult missingKey = At(kHkeyLocalMachine, "Software\\Nope", "v").DeleteValue();
  ASSERT_FALSE(missingKey);
  EXPECT_EQ(missingKey.error()->description,
            "Failed to open key '-2147483646',Section: 'Software\\Nope' for delete access");
  EXPECT_TRUE(At(kHkeyCurrentUser, "Software\\X", "THERE").DeleteValue());
  EXPECT_TRUE(At(kHkeyCurrentUser, "Software\\X").DeleteKey());
  EXPECT_FALSE(At(kHkeyCurrentUser, "Software\\X").DeleteKey());
}

TEST_F(RegistryLayerTest, ValueReadsEachTypeAndFallsBackToTheDefault) {
  WriteString(reg(), kHkeyCurrentUser, "V", "sz", "plain");
  WriteString(reg(), kHkeyCurrentUser, "V", "exp", "%SystemRoot%\\x", kRegExpandSz);
  WriteDword(reg(), kHkeyCurrentUser, "V", "dw", 0xFFFFFFFEu);
  WriteValue(reg(), kHkeyCurrentUser, "V", "be", kRegDwordBigEndian, {0, 0, 1, 2});
  WriteValue(reg(), kHkeyCurrentUser, "V", "multi", kRegMultiSz, {'a', 0, 'b', 0, 0});
  WriteValue(reg(), kHkeyCurrentUser, "V", "bin", kRegBinary, {1, 2, 3});
  WriteValue(reg(), kHkeyCurrentUser, "V", "empty", kRegSz, {});
  auto read = [&](const char* name) {
    cRegistry r = At(kHkeyCurrentUser, "V", name);
    RegVariant v = r.Value();
    return std::make_pair(v, r.ValueType());
  };
  EXPECT_EQ(read("sz"), std::make_pair(RegVariant(std::string("plain")), 1));
  EXPECT_EQ(read("exp"), std::make_pair(RegVariant(std::string("C:\\WINDOWS\\x")), 2));
  EXPECT_EQ(read("dw"), std::make_pair(RegVariant(std::int32_t{-2}), 4));
  EXPECT_EQ(read("be"), std::make_pair(RegVariant(std::int32_t{0x0102}), 5));
  EXPECT_EQ(read("multi").first, RegVariant(std::string("a\0b\0", 4)));
  EXPECT_EQ(read("bin").first, RegVariant(std::vector<std::uint8_t>{1, 2, 3}));
  EXPECT_EQ(read("empty").first, RegVariant(std::string()));
  cRegistry missing = At(kHkeyCurrentUser, "V", "absent");
  EXPECT_EQ(missing.Value(), RegVariant());
  missing.SetDefault(std::string("fallback"));
  EXPECT_EQ(missing.Value(), RegVariant(std::string("fallback")));
}

TEST_F(RegistryLayerTest, MachineNamesAreNormalised) {
  cRegistry r(m.platform());
  r.SetMachine("ab");
  EXPECT_EQ(r.Machine(), "");
  r.SetMachine("server");
  EXPECT_EQ(r.Machine(), "\\\\server");
  r.SetMachine("\\\\other");
  EXPECT_EQ(r.Machine(), "\\\\other");
}

TEST_F(RegistryLayerTest, SettingsStoreWritesStringsAndListsOnce) {
  using namespace registry::settings;
  ASSERT_EQ(SaveSetting(reg(), kAppName, kSettings, "(Opt)Enable Deletion for Read-Only Files", "1"),
            kErrorSuccess);
  EXPECT_EQ(ReadSetting(m.platform(), kSettings, "(Opt)Enable Deletion For Read-Only Files"), "1");
  EXPECT_EQ(Reg32::GetString(reg(), kHkeyCurrentUser,
                             "Software\\VB And VBA Program Settings\\Vanbrisk\\Settings",
                             "(opt)enable deletion for read-only files"),
            "1");
  DeleteSetting(m.platform(), kSettings, "(Opt)Enable Deletion for Read-Only Files");
  EXPECT_EQ(ReadSetting(m.platform(), kSettings, "(Opt)Enable Deletion for Read-Only Files"), "");
  AddListEntry(m.platform(), kFolders, "C:\\Temp\\A");
  AddListEntry(m.platform(), kFolders, "C:\\Temp\\B");
  AddListEntry(m.platform(), kFolders, "C:\\Temp\\A");
  EXPECT_EQ(ListEntries(m.platform(), kFolders),
            (std::vector<std::string>{"C:\\Temp\\A", "C:\\Temp\\B"}));
  EXPECT_EQ(ListEntries(m.platform(), kRegKeys), std::vector<std::string>{});
}

}  // namespace
}  // namespace vb
