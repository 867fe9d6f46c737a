// The program's registry routines over the emulated registry, where the
// conformance suite cannot reach: a limited user, machine names, the list
// form of the settings store.
#include <gtest/gtest.h>

#include "platform/emulated/emulated_registry.h"
#include "registry/c_registry.h"
#include "registry/reg32.h"
#include "registry/settings_store.h"
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
  RegResult created = r.CreateKey();
  ASSERT_FALSE(created);
  EXPECT_EQ(created.error()->description, "Failed to create registry Key: 'SOFTWARE\\Vanbrisk Test");
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

}  // namespace
}  // namespace vb
