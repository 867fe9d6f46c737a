// The program's registry routines over the emulated registry, where the
// conformance suite cannot reach: a limited user, machine names, the list
// form of the settings store, names holding a NUL.
#include <gtest/gtest.h>

#include <functional>

#include "platform/emulated/emulated_registry.h"
#include "platform/registry_values.h"
#include "registry/c_registry.h"
#include "registry/key_reading.h"
#include "registry/key_tree.h"
#include "registry/protected_keys.h"
#include "registry/reg32.h"
#include "registry/reg_file_registry.h"
#include "registry/root_names.h"
#include "registry/settings_store.h"
#include "support/registry_checks.h"
#include "support/temp_machine.h"

namespace vb {
namespace {

using namespace vb::win;
using namespace vb::registry;

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
  Result<> created = r.CreateKey();
  ASSERT_FALSE(created);
  EXPECT_EQ(created.message(), "Failed to create registry Key: 'SOFTWARE\\Vanbrisk Test");
}

TEST(RegistryLayer, MachineNamesAreNormalised) {
  test::TempMachine m;
  cRegistry r(m.platform());
  r.SetMachine("ab");
  EXPECT_EQ(r.Machine(), "");
  r.SetMachine("server");
  EXPECT_EQ(r.Machine(), "\\\\server");
  r.SetMachine("\\\\other");
  EXPECT_EQ(r.Machine(), "\\\\other");
}

TEST(RegistryLayer, SettingsListsHoldEachEntryOnceAndCloseEveryKey) {
  using namespace registry::settings;
  test::TempMachine m;
  AddListEntry(m.platform(), kFolders, "C:\\Temp\\A");
  AddListEntry(m.platform(), kFolders, "C:\\Temp\\B");
  AddListEntry(m.platform(), kFolders, "C:\\Temp\\A");
  EXPECT_EQ(ListEntries(m.platform(), kFolders),
            (std::vector<std::string>{"C:\\Temp\\A", "C:\\Temp\\B"}));
  EXPECT_EQ(ListEntries(m.platform(), kRegKeys), std::vector<std::string>{});
  EXPECT_EQ(ReadSetting(m.platform(), kFolders, "c:\\temp\\b"), "C:\\Temp\\B");
  DeleteSetting(m.platform(), kFolders, "C:\\Temp\\B");
  EXPECT_EQ(ListEntries(m.platform(), kFolders), std::vector<std::string>{"C:\\Temp\\A"});
  EXPECT_EQ(dynamic_cast<emu::EmulatedRegistry&>(m.platform().Registry()).OpenHandleCount(), 0u)
      << "a key handle was left open";
}

// A key path or value name holding a NUL would be cut at the NUL on its way
// to the registry functions, naming the key or value before it. Each routine
// refuses it instead, and the key before the NUL keeps everything.
TEST(RegistryLayer, NamesHoldingANulAreRefusedNotCutShort) {
  using namespace std::string_literals;
  test::TempMachine m;
  platform::RegistryApi& reg = m.platform().Registry();
  constexpr HKEY kCu = kHkeyCurrentUser;
  constexpr LONG kRefused = kErrorInvalidParameter;
  const std::string victim = "Software\\Victim", leaf = victim + "\\Old Tool";
  // Cut at the NUL, these name the victim, its leaf, its value "v", a new key.
  const std::string toVictim = victim + "\0\\Old Tool"s, toLeaf = leaf + "\0\\x"s;
  const std::string toV = "v\0x"s, toNew = "Software\\New\0\\Tool"s;
  auto at = [&](const std::string& section, const std::string& value = "") {
    cRegistry r(m.platform());
    r.SetClassKey(kCu);
    r.SetSectionKey(section);
    r.SetValueKey(value);
    r.SetDefault("dflt"s);
    return r;
  };
  RegFile removeV;
  removeV.keys.push_back({1, kCu, victim, false, {{2, toV, true, kRegNone, ""}}});
  platform::OpenedKey opened(reg);
  RegFile tree;

  // Each case is true when the routine reports its refusal; Reg32::CreateKey
  // reports nothing, so for it only what the loop checks after it counts.
  const std::pair<const char*, std::function<bool()>> cases[] = {
      {"DeleteTree", [&] { return DeleteTree(reg, kCu, toVictim) == kRefused; }},
      {"Reg32::DeleteKey", [&] { return !Reg32::DeleteKey(reg, kCu, toLeaf); }},
      {"Reg32::DeleteValue", [&] { return !Reg32::DeleteValue(reg, kCu, victim, toV); }},
      {"Reg32::DeleteValue key", [&] { return !Reg32::DeleteValue(reg, kCu, toVictim, "v"); }},
      {"Reg32::GetString", [&] { return Reg32::GetString(reg, kCu, victim, toV).empty(); }},
      {"Reg32::CreateKey", [&] { return Reg32::CreateKey(reg, kCu, toNew), true; }},
      {"ReadRegString", [&] { return ReadRegString(reg, kCu, toVictim, "v", "d") == "d"; }},
      {"cRegistry::DeleteKey", [&] { return !at(toLeaf).DeleteKey(); }},
      {"cRegistry::DeleteValue", [&] { return !at(victim, toV).DeleteValue(); }},
      {"cRegistry::CreateKey", [&] { return !at(toNew).CreateKey(); }},
      {"cRegistry::KeyExists", [&] { return !at(toVictim).KeyExists(); }},
      {"cRegistry::Value", [&] { return at(victim, toV).Value() == RegVariant("dflt"s); }},
      {"SaveSetting", [&] {
         return settings::SaveSetting(reg, "Vanbrisk\0x"s, "S", "v", "x") == kRefused;
       }},
      {"WriteString", [&] { return platform::WriteString(reg, kCu, victim, toV, "") == kRefused; }},
      {"WriteString key", [&] { return platform::WriteString(reg, kCu, toNew, "", "") != 0; }},
      {"ReadStringValue", [&] { return platform::ReadStringValue(reg, kCu, victim, toV).empty(); }},
      {"ReadAllValues", [&] { return platform::ReadAllValues(reg, kCu, toVictim).empty(); }},
      {"OpenedKey::Open", [&] { return opened.Open(kCu, toVictim, kKeyRead) == kRefused; }},
      {"ReadKeyTree", [&] { return ReadKeyTree(reg, kCu, toVictim, &tree) == kRefused; }},
      {"ApplyRegFile", [&] { return !ApplyRegFile(reg, removeV); }},
  };
  for (const auto& [what, refused] : cases) {
    ASSERT_EQ(platform::WriteString(reg, kCu, victim, "v", "kept"), kErrorSuccess);
    ASSERT_EQ(platform::WriteString(reg, kCu, leaf, "w", "kept"), kErrorSuccess);
    EXPECT_TRUE(refused()) << what;
    EXPECT_EQ(platform::ReadStringValue(reg, kCu, victim, "v"), "kept") << what;
    EXPECT_EQ(platform::ReadStringValue(reg, kCu, leaf, "w"), "kept") << what;
    EXPECT_FALSE(test::KeyExists(reg, kCu, "Software\\New")) << what;
    EXPECT_FALSE(test::KeyExists(reg, kCu, settings::kStoreRoot)) << what;
  }
}

TEST(RegistryLayer, ProtectedKeysAreHivesTheKeysBelowThemAndThoseOfWindows) {
  using namespace std::string_literals;
  constexpr HKEY kCr = kHkeyClassesRoot, kCu = kHkeyCurrentUser, kLm = kHkeyLocalMachine,
                 kU = kHkeyUsers;
  const std::string hive = "a whole hive", windows = "a key Windows needs", may = "",
                    control = "a key path holding a control character";
  const std::string sid = "S-1-5-21-1004336348-1177238915-682003330-1001";
  const struct {
    HKEY root;
    std::string path;
    std::string refusal;  // empty: the key may go
  } cases[] = {
      {kCu, "", hive},
      {kLm, "\\\\", hive},
      {kU, sid, hive},
      {kU, ".DEFAULT\\", hive},
      {kLm, "Software\\Classes", hive},
      {kCu, "software\\classes\\", hive},
      {kCu, "Software", windows},
      {kLm, "SYSTEM", windows},
      {kCu, "Control Panel", windows},
      {kCr, ".txt", windows},
      {kCr, "CLSID", windows},
      {kU, sid + "\\Software", windows},
      {kLm, "Software\\Classes\\.txt", windows},
      {kCu, "SOFTWARE\\microsoft\\", windows},
      {kLm, "Software\\Policies", windows},
      {kLm, "Software\\WOW6432Node", windows},
      {kLm, "SYSTEM\\CurrentControlSet", windows},
      {kLm, "system\\controlset002", windows},
      {kCu, "Software\\Microsoft\\Windows", windows},
      {kCu, "Software\\Microsoft\\Windows\\CurrentVersion", windows},
      {kLm, "Software\\Microsoft\\Windows NT", windows},
      {kLm, "Software\\Microsoft\\Windows NT\\CurrentVersion\\", windows},
      {kLm, "Software\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion", windows},
      {kLm, "Software\\WOW6432Node\\Classes\\CLSID", windows},
      {kU, sid + "\\Software\\Microsoft", windows},
      {kCu, "Software\\OldApp\0"s, control},
      {kCu, "Software\\Old\tApp", control},
      {kCu, "Software\\Old\x7F" "App", control},
      {kCu, "Software\\\\Microsoft", "a malformed key path"},
      {kCu, "\\Software\\OldApp", "a malformed key path"},
      {0x1234, "Software\\OldApp", "not a key below one of the four registry roots"},
      {kCu, "Software\\OldApp", may},
      {kLm, "Software\\OldApp\\", may},
      {kLm, "Software\\WOW6432Node\\OldApp", may},
      {kU, sid + "\\Software\\OldApp", may},
      {kCu, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU", may},
      {kLm, "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\Old", may},
      {kLm, "SYSTEM\\CurrentControlSet\\Services\\OldDriver", may},
      {kCu, "Software\\Classes\\Applications\\old.exe", may},
      {kCr, "CLSID\\{00000000-0000-0000-0000-0000000000AB}", may},
  };
  for (const auto& c : cases) {
    Result<> mayGo = KeyTreeMayGo(c.root, c.path);
    EXPECT_EQ(mayGo ? "" : mayGo.message(), c.refusal) << RootShortName(c.root) << "\\" << c.path;
  }
}

}  // namespace
}  // namespace vb
