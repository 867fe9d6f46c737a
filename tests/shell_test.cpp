// The Internet Explorer button's exact bytes, and every shell entry following
// the program to another folder (a system that reports another folder). What
// each box writes and removes is in cli/shell.txt.
#include <gtest/gtest.h>

#include <optional>

#include "app/main_window.h"
#include "app/program.h"
#include "platform/registry_values.h"
#include "registry/settings_store.h"
#include "shell/shell_integration.h"
#include "registry/reg32.h"
#include "support/forwarding_platform.h"
#include "support/registry_checks.h"
#include "support/temp_machine.h"

namespace vb {
namespace {

using namespace vb::win;
using platform::RegValue;
namespace settings = registry::settings;

constexpr const char* kRun = shell::kRunKey;
const std::string kOpenCommand = std::string(shell::kRecycleBinShell) + "\\Open Vanbrisk...\\command";
const std::string kRunVerb = std::string(shell::kRecycleBinShell) + "\\Run Vanbrisk...";
const std::string kInstalled = "\"C:\\Program Files\\Vanbrisk\\vanbrisk.exe\"";

// The system, able to report the program in another folder.
class MovableSystem : public test::ForwardingSystem {
 public:
  using ForwardingSystem::ForwardingSystem;
  std::string ProgramFolder() override {
    return folder ? *folder : ForwardingSystem::ProgramFolder();
  }
  std::optional<std::string> folder;
};

class ShellPlatform : public test::ForwardingPlatform {
 public:
  explicit ShellPlatform(platform::Platform& inner)
      : ForwardingPlatform(inner), system(inner.System()) {}
  platform::SystemApi& System() override { return system; }
  MovableSystem system;
};

// A string value's exact bytes: the text and a NUL.
std::vector<std::uint8_t> Sz(const std::string& text) { return platform::BytesFromString(text); }

class ShellTest : public ::testing::Test {
 protected:
  ShellTest() { registry::Reg32::CreateKey(m.platform().Registry(), kHkeyCurrentUser, kRun); }
  void Start() { program.Start(""); }
  app::Form1& form() { return program.Main().form(); }
  // The value, or nothing when it or its key is missing.
  std::optional<RegValue> Value(HKEY root, const std::string& path, const std::string& name) {
    for (RegValue& v : platform::ReadAllValues(m.platform().Registry(), root, path))
      if (v.name == name) return v;
    return std::nullopt;
  }
  std::vector<std::uint8_t> Data(HKEY root, const std::string& path, const std::string& name) {
    auto v = Value(root, path, name);
    EXPECT_TRUE(v && v->type == kRegSz) << path << " " << name;
    return v ? v->data : std::vector<std::uint8_t>{};
  }
  bool KeyExists(HKEY root, const std::string& path) {
    return test::KeyExists(m.platform().Registry(), root, path);
  }
  std::string Setting(const char* name) {
    return settings::ReadSetting(m.platform(), settings::kSettings, name);
  }

  test::TempMachine m;
  ShellPlatform shellPlatform{m.platform()};
  app::Program program{shellPlatform};
};

TEST_F(ShellTest, TheInternetExplorerButtonHasSixExactValuesAndEveryEntryFollowsTheProgram) {
  Start();
  for (auto box :
       {&app::Form1::openOnStartup, &app::Form1::cleanAtStartup, &app::Form1::recycleBinOpenVerb,
        &app::Form1::recycleBinRunVerb, &app::Form1::explorerButton})
    (form().*box)->UserClick();
  std::vector<RegValue> values =
      platform::ReadAllValues(m.platform().Registry(), kHkeyCurrentUser, shell::kIEButtonKey);
  const std::string icon = "C:\\Program Files\\Vanbrisk\\vanbrisk.ico";
  std::vector<std::pair<std::string, std::vector<std::uint8_t>>> expected = {
      {"Exec", Sz("C:\\Program Files\\Vanbrisk\\vanbrisk.exe")},
      {"Icon", Sz(icon)},
      {"HotIcon", Sz(icon)},
      {"ButtonText", Sz("Vanbrisk")},
      {"CLSID", Sz("{1FBA04EE-3024-11d2-8F1F-0000F87ABD16}")},
      {"Default Visible", {'Y', 'e', 's'}}};
  ASSERT_EQ(values.size(), expected.size());
  for (std::size_t i = 0; i < values.size(); ++i) {
    EXPECT_EQ(values[i].name, expected[i].first);
    EXPECT_EQ(values[i].type, kRegSz);
    EXPECT_EQ(values[i].data, expected[i].second) << values[i].name;
  }
  EXPECT_EQ(Setting("(Opt)IEButton"), "True");

  // Started from another folder, the program rewrites every present entry, unquoted.
  shellPlatform.system.folder = "D:\\Tools";
  Start();
  EXPECT_EQ(Data(kHkeyCurrentUser, kRun, "Vanbrisk"), Sz("D:\\Tools\\vanbrisk.exe"));
  EXPECT_EQ(Data(kHkeyCurrentUser, kRun, "Vanbrisk /AUTO"), Sz("D:\\Tools\\vanbrisk.exe /AUTO"));
  EXPECT_EQ(Data(kHkeyClassesRoot, kOpenCommand, ""), Sz("D:\\Tools\\vanbrisk.exe"));
  EXPECT_EQ(Data(kHkeyClassesRoot, kRunVerb + "\\command", ""), Sz("D:\\Tools\\vanbrisk.exe /AUTO"));
  EXPECT_EQ(Data(kHkeyCurrentUser, shell::kIEButtonKey, "Exec"), Sz("D:\\Tools\\vanbrisk.exe"));
  EXPECT_EQ(Data(kHkeyCurrentUser, shell::kIEButtonKey, "Icon"), Sz("D:\\Tools\\vanbrisk.ico"));

  form().explorerButton->UserClick();
  EXPECT_FALSE(KeyExists(kHkeyCurrentUser, shell::kIEButtonKey));
  EXPECT_EQ(Setting("(Opt)IEButton"), "");
}

}  // namespace
}  // namespace vb
