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
