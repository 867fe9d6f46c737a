// The system tools over an emulated machine: the diagnostics report and
// its saving, the Tools page's launches, the web links and the About window.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/main_window.h"
#include "app/program.h"
#include "platform/emulated/emulated_system.h"
#include "platform/registry_values.h"
#include "registry/reg32.h"
#include "support/forwarding_platform.h"
#include "support/temp_machine.h"
#include "tools/about_window.h"
#include "tools/diagnostics_window.h"
#include "tools/memory_figure.h"
#include "tools/tool_programs.h"
#include "tools/web_links.h"

namespace vb {
namespace {

using namespace vb::win;

constexpr char kNt[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
constexpr char kWin[] = "Software\\Microsoft\\Windows\\CurrentVersion";
constexpr std::uint64_t kMegabyte = 1024 * 1024;

class ToolsTest : public ::testing::Test {
 protected:
  ToolsTest() {
    EXPECT_TRUE(m.machine().SetSetting(emu::kTotalPhysSetting, std::to_string(512 * kMegabyte)));
    EXPECT_TRUE(m.machine().SetSetting(emu::kAvailPhysSetting,
                                       std::to_string(511 * kMegabyte + kMegabyte / 2)));
  }
  app::Form1& form() { return program.Main().form(); }
  template <class W>
  W& Last() {
    W* window = dynamic_cast<W*>(program.Windows().back().get());
    EXPECT_NE(window, nullptr);
    return *window;
  }
  void Write(HKEY root, const std::string& key, const std::string& name, const std::string& data) {
    ASSERT_EQ(platform::WriteString(m.platform().Registry(), root, key, name, data), kErrorSuccess);
  }
  void Remove(HKEY root, const std::string& key, const std::string& name) {
    registry::Reg32::DeleteValue(m.platform().Registry(), root, key, name);
  }
  void PutFile(const std::string& path, const std::string& content = "x") {
    ASSERT_EQ(m.platform().Files().WriteFileBytes(path, content), kErrorSuccess) << path;
  }
  std::vector<std::string> Launched() {
    std::vector<std::string> out;
    for (const emu::LaunchedProgram& p : m.machine().Sys().Launched())
      out.push_back(p.commandLine + " | " + std::to_string(p.windowStyle));
    return out;
  }
  void Answer(const char* answer) { m.machine().Script().QueueAnswer(answer); }
  tools::DiagnosticsForm& OpenDiagnostics() {
    form().diagnosticsButton->UserClick();
    return static_cast<tools::DiagnosticsForm&>(Last<tools::DiagnosticsWindow>().form());
  }

  test::TempMachine m;
  app::Program program{m.platform()};
};

TEST(MemoryFigure, MegabytesRoundToHundredthsInTheirShortestForm) {
  // 512 and 511.5 are read in the diagnostics report below.
  EXPECT_EQ(tools::MegabytesText(kMegabyte / 4), "0.25");
  EXPECT_EQ(tools::MegabytesText(kMegabyte / 200 + 1), "0.01");  // half a hundredth rounds up
  EXPECT_EQ(tools::MegabytesText(kMegabyte / 200 - 1), "0");
  EXPECT_EQ(tools::MegabytesText(kMegabyte - 1), "1");
  // More than a signed 32-bit count holds.
  EXPECT_EQ(tools::MegabytesText(3072 * kMegabyte), "3072");
}

// The demonstration machine's whole report is checked by a transcript; here,
// the lines that the edge cases change.
TEST_F(ToolsTest, DiagnosticsReportRunsBothKeysTogetherAndLeavesOutEmptyConditions) {
  Write(kHkeyLocalMachine, kWin, "ProductName", "Windows 98");
  Remove(kHkeyLocalMachine, kNt, "CSDVersion");
  Write(kHkeyLocalMachine, "Software\\Microsoft\\Internet Explorer\\Main", "Default_Page_URL",
        "http://" + std::string(130, 'a'));
  program.Start("");
  auto& f = OpenDiagnostics();
  std::vector<std::string> got;
  for (int i = 0; i < f.reportLines->ListCount(); ++i) got.push_back(f.reportLines->List(i));
  auto lineAfter = [&](const std::string& before) {
    auto at = std::find(got.begin(), got.end(), before);
    return at == got.end() || at + 1 == got.end() ? std::string("(none)") : *(at + 1);
  };
  EXPECT_EQ(lineAfter("Logon User Name: User"), "Operating System: Microsoft Windows XPWindows 98");
  EXPECT_EQ(lineAfter("Operating System Version: 5.1"), "OS Build: 2600");  // no Software Update
  EXPECT_EQ(lineAfter("Product ID: 55274-640-0000000-23000"), "Total Memory(RAM): 512MB RAM");
  EXPECT_EQ(lineAfter("Total Memory(RAM): 512MB RAM"), "Available Memory(RAM): 511.5MB RAM");
  // No Regedit line without its key, no Firefox line without Firefox.
  EXPECT_EQ(lineAfter("Computer Name: VANBRISK-PC"), "");
  EXPECT_EQ(lineAfter("Internet Explorer Version: 6.0.2900.5512"), "Home Page: ");
  EXPECT_EQ(got.size(), 31u);
  EXPECT_EQ(got.back(), std::string(59, '-'));  // an empty Software section
  EXPECT_EQ(f.reportText->Text(), tools::ReportText(got));
}

TEST_F(ToolsTest, DiagnosticsApplicationLinesFollowTheListsAndTheReportSaves) {
  constexpr char kPowerDvd[] = "SOFTWARE\\CyberLink\\PowerDVD";
  Write(kHkeyLocalMachine, kPowerDvd, "Version", "6.0");
  Write(kHkeyLocalMachine, kPowerDvd, "UserName", "Ann");
  program.Start("");  // which lists Cyberlink PowerDVD in Multimedia
  auto& f = form();
  f.utilitiesList->AddItem("Spybot - Search & Destroy");
  f.utilitiesList->AddItem("Spybot - Search & Destroy");  // twice: its line comes twice
  f.utilitiesList->AddItem("Google Earth");               // not a Utilities rule
  f.applicationsList->AddItem("winace");                  // the texts compare exactly
  auto& report = OpenDiagnostics();
  std::vector<std::string> tail;
  for (int i = report.reportLines->ListCount() - 4; i < report.reportLines->ListCount(); ++i)
    tail.push_back(report.reportLines->List(i));
  EXPECT_EQ(tail, (std::vector<std::string>{"Spybot-Search & Destroy Version: ",
                                            "Spybot-Search & Destroy Version: ",
                                            "Cyberlink PowerDVD Version: 6.0",
                                            "Cyberlink PowerDVD User: Ann"}));

  // Saving writes the report as the results box's saving does (replacing a
  // longer file, reporting one it cannot write: personalized_test).
  Answer("C:\\report.txt");
  report.saveButton->UserClick();
  std::string saved;
  ASSERT_EQ(m.platform().Files().ReadFileBytes("C:\\report.txt", &saved), kErrorSuccess);
  EXPECT_EQ(saved, report.reportText->Text() + "\r\n");
  EXPECT_TRUE(report.Visible());
}

TEST_F(ToolsTest, ToolButtonsFollowTheirFilesAndEachPresentPromptStarts) {
  ASSERT_EQ(m.platform().Files().DeleteFileA("C:\\WINDOWS\\system32\\dxdiag.exe"), kErrorSuccess);
  program.Start("");
  auto& f = form();
  f.toolsPageButton->UserClick();
  EXPECT_FALSE(f.directXDiagnosticsButton->Enabled());
  for (toolkit::Button* b : {f.diskCleanupButton, f.registryEditorButton, f.controlPanelButton,
                             f.commandPromptButton, f.taskManagerButton})
    EXPECT_TRUE(b->Enabled()) << b->name();
  PutFile("C:\\WINDOWS\\system32\\dxdiag.exe");
  f.cleanerPageButton->UserClick();
  f.toolsPageButton->UserClick();
  EXPECT_FALSE(f.directXDiagnosticsButton->Enabled());
  f.diskCleanupButton->UserClick();
  f.taskManagerButton->UserClick();
  // The command prompt starts each prompt that is present (cmd alone: a transcript).
  PutFile("C:\\WINDOWS\\COMMAND.COM");
  f.commandPromptButton->UserClick();
  ASSERT_EQ(m.platform().Files().DeleteFileA("C:\\WINDOWS\\system32\\cmd.exe"), kErrorSuccess);
  f.toolsPageButton->UserClick();
  EXPECT_TRUE(f.commandPromptButton->Enabled());
  f.commandPromptButton->UserClick();
  EXPECT_EQ(Launched(), (std::vector<std::string>{"cleanmgr | 1", "taskmgr | 1", "cmd | 1",
                                                  "C:\\WINDOWS\\COMMAND.COM | 2",
                                                  "C:\\WINDOWS\\COMMAND.COM | 2"}));
}

TEST_F(ToolsTest, AboutShowsTheSystemAndReloadsTheHistoryOnEachClick) {
  std::string history = m.machine().Sys().ProgramFolder() + "\\History.txt";
  Remove(kHkeyLocalMachine, kNt, "ProductName");
  Write(kHkeyLocalMachine, kWin, "ProductName", "Windows 98");
  program.Start("");
  form().aboutButton->UserClick();
  auto& f = static_cast<tools::AboutForm&>(Last<tools::AboutWindow>().form());
  EXPECT_EQ(f.windowsName->Caption(), "Windows 98");
  EXPECT_EQ(f.processorName->Caption(), "Emulated Processor");
  EXPECT_EQ(f.memorySize->Caption(), "512 MB Ram");
  EXPECT_FALSE(form().Enabled());

  PutFile(history, "V1\r\n");
  f.historyButton->UserClick();
  EXPECT_EQ(f.historyText->Text(), "V1\r\n");
  EXPECT_TRUE(f.historyText->Visible() && f.closeHistoryButton->Visible() &&
              f.historyFrame->Visible());
  EXPECT_FALSE(f.logo->Visible() || f.description->Visible());
  PutFile(history, "V2\r\n");
  f.historyButton->UserClick();
  EXPECT_EQ(f.historyText->Text(), "V2\r\n");
  ASSERT_EQ(m.platform().Files().DeleteFileA(history), kErrorSuccess);
  f.historyButton->UserClick();
  EXPECT_EQ(f.historyText->Text(), "");
  f.closeHistoryButton->UserClick();
  EXPECT_FALSE(f.historyText->Visible() || f.closeHistoryButton->Visible() ||
               f.historyFrame->Visible());
  EXPECT_TRUE(f.logo->Visible() && f.description->Visible());
  f.okButton->UserClick();
  EXPECT_TRUE(form().Enabled());

  // With no product name under either key the label is empty.
  Remove(kHkeyLocalMachine, kWin, "ProductName");
  form().aboutButton->UserClick();
  auto& about = static_cast<tools::AboutForm&>(Last<tools::AboutWindow>().form());
  EXPECT_EQ(about.windowsName->Caption(), "");
}

// A platform whose programs never start.
class NoLaunchPlatform : public test::ForwardingPlatform, public test::ForwardingSystem {
 public:
  explicit NoLaunchPlatform(platform::Platform& p)
      : ForwardingPlatform(p), ForwardingSystem(p.System()) {}
  platform::SystemApi& System() override { return *this; }
  LONG Launch(const std::string&, int) override { return kErrorFileNotFound; }
};

TEST(ToolLaunch, AToolThatCannotStartIsReportedAndTheLinkIsSilent) {
  test::TempMachine m;
  NoLaunchPlatform platform(m.platform());
  tools::StartTool(platform, tools::ProgramOf(tools::Tool::kRegistryEditor));
  EXPECT_EQ(m.machine().Script().MessageBoxCount(), 1);
  tools::OpenWebPage(platform, tools::kHelpPage);
  EXPECT_EQ(m.machine().Script().MessageBoxCount(), 1);
}

}  // namespace
}  // namespace vb
