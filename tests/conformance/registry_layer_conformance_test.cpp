// The program's registry routines (Reg32, ReadRegString, cRegistry, the
// settings store) over each platform's registry, below the scratch key: what
// needs only a registry behaves alike on the emulated machine and on Windows.
#include "conformance/platform_target.h"
#include "platform/registry_values.h"
#include "registry/c_registry.h"
#include "registry/reg32.h"
#include "registry/settings_store.h"

namespace vb::conformance {
namespace {

using namespace vb::win;
using namespace vb::registry;
using platform::WriteDword;
using platform::WriteString;
using platform::WriteValue;

class ConformanceRegistryLayer : public PlatformTest {
 protected:
  cRegistry At(const std::string& section, const std::string& value = "") {
    cRegistry r(p());
    r.SetClassKey(kHkeyCurrentUser);
    r.SetSectionKey(Key(section));
    r.SetValueKey(value);
    return r;
  }
};

TEST_F(ConformanceRegistryLayer, GetStringReadsOnlyPlainStrings) {
  std::string k = Key("K");
  WriteString(reg(), kHkeyCurrentUser, k, "sz", "text");
  WriteString(reg(), kHkeyCurrentUser, k, "expand", "%SystemRoot%", kRegExpandSz);
  WriteDword(reg(), kHkeyCurrentUser, k, "number", 7);
  WriteValue(reg(), kHkeyCurrentUser, k, "nul", kRegSz, {'a', 'b', 0, 'c', 0});
  EXPECT_EQ(Reg32::GetString(reg(), kHkeyCurrentUser, k, "SZ"), "text");
  EXPECT_EQ(Reg32::GetString(reg(), kHkeyCurrentUser, k, "expand"), "");
  EXPECT_EQ(Reg32::GetString(reg(), kHkeyCurrentUser, k, "number"), "");
  EXPECT_EQ(Reg32::GetString(reg(), kHkeyCurrentUser, k, "nul"), "ab");
  EXPECT_EQ(Reg32::GetString(reg(), kHkeyCurrentUser, k, "missing"), "");
  EXPECT_EQ(Reg32::GetString(reg(), kHkeyCurrentUser, Key("Nope"), "sz"), "");
}

TEST_F(ConformanceRegistryLayer, CreateDeleteValueAndLeafOnlyDeleteKey) {
  Reg32::CreateKey(reg(), kHkeyCurrentUser, Key("Deep\\A\\B"));
  WriteString(reg(), kHkeyCurrentUser, Key("Deep\\A"), "v", "1");
  Reg32::DeleteKey(reg(), kHkeyCurrentUser, Key("Deep\\A"));  // has a subkey: both stay
  EXPECT_EQ(Reg32::GetString(reg(), kHkeyCurrentUser, Key("Deep\\A"), "v"), "1");
  EXPECT_TRUE(At("Deep\\A\\B").KeyExists());
  Reg32::DeleteValue(reg(), kHkeyCurrentUser, Key("Deep\\A"), "V");
  EXPECT_EQ(Reg32::GetString(reg(), kHkeyCurrentUser, Key("Deep\\A"), "v"), "");
  Reg32::DeleteKey(reg(), kHkeyCurrentUser, Key("Deep\\A\\B"));
  Reg32::DeleteKey(reg(), kHkeyCurrentUser, Key("Deep\\A"));
  EXPECT_FALSE(At("Deep\\A").KeyExists());
  EXPECT_TRUE(At("Deep").KeyExists());
}

TEST_F(ConformanceRegistryLayer, ReadRegStringKeepsToItsBuffer) {
  std::string k = Key("R");
  std::string v127(127, 'a'), v128(128, 'b');
  WriteString(reg(), kHkeyCurrentUser, k, "short", v127);
  WriteString(reg(), kHkeyCurrentUser, k, "long", v128);
  WriteString(reg(), kHkeyCurrentUser, k, "expand", "%TEMP%", kRegExpandSz);
  EXPECT_EQ(ReadRegString(reg(), kHkeyCurrentUser, k, "short", "dflt"), v127);
  EXPECT_EQ(ReadRegString(reg(), kHkeyCurrentUser, k, "long", "dflt"), "dflt");
  EXPECT_EQ(ReadRegString(reg(), kHkeyCurrentUser, k, "expand", ""), "%TEMP%");
  EXPECT_EQ(ReadRegString(reg(), kHkeyCurrentUser, k, "missing", "dflt"), "dflt");
}

TEST_F(ConformanceRegistryLayer, EnumerationsListInRegistryOrderAndTolerateMissingKeys) {
  std::vector<std::string> names;
  long count = -1;
  EXPECT_TRUE(At("Missing").EnumerateValues(&names, &count));
  EXPECT_EQ(count, 0);
  EXPECT_TRUE(At("Missing").EnumerateSections(&names, &count));
  EXPECT_EQ(count, 0);
  for (const char* k : {"Three", "one", "Two"}) Reg32::CreateKey(reg(), kHkeyCurrentUser, Key(std::string("S\\") + k));
  WriteString(reg(), kHkeyCurrentUser, Key("S"), "second", "x");
  WriteString(reg(), kHkeyCurrentUser, Key("S"), "", "default");
  ASSERT_TRUE(At("S").EnumerateSections(&names, &count));
  EXPECT_EQ(count, 3);
  EXPECT_EQ(names, (std::vector<std::string>{"one", "Three", "Two"}));
  ASSERT_TRUE(At("S").EnumerateValues(&names, &count));
  EXPECT_EQ(count, 2);
  // Wine lists values sorted by name, Windows in the order they were made.
  EXPECT_EQ(names, OnWine() ? (std::vector<std::string>{"", "second"})
                            : (std::vector<std::string>{"second", ""}));
}

TEST_F(ConformanceRegistryLayer, DeleteValueFailsWithTheExactDescriptions) {
  WriteString(reg(), kHkeyCurrentUser, Key("X"), "there", "1");
  Result<> missingValue = At("X", "nope").DeleteValue();
  ASSERT_FALSE(missingValue);
  // The source names the program's executable: "vanbrisk" on the emulated
  // machine, this test executable on Windows.
  EXPECT_EQ(At("X").ErrorSource(), p().System().ProgramName() + ".cRegistry");
  EXPECT_EQ(missingValue.code(), kErrorFileNotFound);
  EXPECT_EQ(missingValue.message(),
            "Failed to delete registry Key: '-2147483647',Section: '" + Key("X") + "',Key: 'nope");
  Result<> missingKey = At("Nope", "v").DeleteValue();
  ASSERT_FALSE(missingKey);
  EXPECT_EQ(missingKey.message(),
            "Failed to open key '-2147483647',Section: '" + Key("Nope") + "' for delete access");
  EXPECT_TRUE(At("X", "THERE").DeleteValue());
  EXPECT_TRUE(At("X").DeleteKey());
  EXPECT_FALSE(At("X").DeleteKey());
}

TEST_F(ConformanceRegistryLayer, ValueReadsEachTypeAndFallsBackToTheDefault) {
  std::string k = Key("V");
  WriteString(reg(), kHkeyCurrentUser, k, "sz", "plain");
  WriteString(reg(), kHkeyCurrentUser, k, "exp", "%SystemRoot%\\x", kRegExpandSz);
  WriteDword(reg(), kHkeyCurrentUser, k, "dw", 0xFFFFFFFEu);
  WriteValue(reg(), kHkeyCurrentUser, k, "be", kRegDwordBigEndian, {0, 0, 1, 2});
  WriteValue(reg(), kHkeyCurrentUser, k, "multi", kRegMultiSz, {'a', 0, 'b', 0, 0});
  WriteValue(reg(), kHkeyCurrentUser, k, "bin", kRegBinary, {1, 2, 3});
  WriteValue(reg(), kHkeyCurrentUser, k, "empty", kRegSz, {});
  auto read = [&](const char* name) {
    cRegistry r = At("V", name);
    RegVariant v = r.Value();
    return std::make_pair(v, r.ValueType());
  };
  std::string root = p().Environment().GetEnvironmentVariableA("SystemRoot");
  ASSERT_FALSE(root.empty());
  EXPECT_EQ(read("sz"), std::make_pair(RegVariant(std::string("plain")), 1));
  EXPECT_EQ(read("exp"), std::make_pair(RegVariant(root + "\\x"), 2));
  EXPECT_EQ(read("dw"), std::make_pair(RegVariant(std::int32_t{-2}), 4));
  EXPECT_EQ(read("be"), std::make_pair(RegVariant(std::int32_t{0x0102}), 5));
  EXPECT_EQ(read("multi").first, RegVariant(std::string("a\0b\0", 4)));
  EXPECT_EQ(read("bin").first, RegVariant(std::vector<std::uint8_t>{1, 2, 3}));
  EXPECT_EQ(read("empty").first, RegVariant(std::string()));
  cRegistry missing = At("V", "absent");
  EXPECT_EQ(missing.Value(), RegVariant());
  missing.SetDefault(std::string("fallback"));
  EXPECT_EQ(missing.Value(), RegVariant(std::string("fallback")));
}

TEST_F(ConformanceRegistryLayer, TheSettingsStoreWritesAndReadsItsStrings) {
  using namespace registry::settings;
  // The store's own key, under a setting name of this test alone.
  const std::string name = "(Opt)Vanbrisk Conformance " + Marker();
  ASSERT_EQ(SaveSetting(reg(), kAppName, kSettings, name, "1"), kErrorSuccess);
  EXPECT_EQ(ReadSetting(p(), kSettings, name), "1");
  EXPECT_EQ(Reg32::GetString(reg(), kHkeyCurrentUser,
                             "Software\\VB And VBA Program Settings\\Vanbrisk\\Settings", name),
            "1");
  DeleteSetting(p(), kSettings, name);
  EXPECT_EQ(ReadSetting(p(), kSettings, name), "");
}

}  // namespace
}  // namespace vb::conformance
