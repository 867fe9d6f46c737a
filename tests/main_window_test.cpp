// The main window over an emulated machine: start-up and stored settings,
// pages, the clean run around its stages, the first-clean warning, quiet mode.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "app/main_window.h"
#include "app/program.h"
#include "engine/clean_run.h"
#include "platform/scripted_ui.h"
#include "platform/registry_values.h"
#include "registry/settings_store.h"
#include "support/temp_machine.h"

namespace vb {
namespace {

using namespace vb::toolkit;
namespace settings = registry::settings;

const char* const kItems[] = {"SysTemp", "ietemp", "Cook",      "Pref",   "rdocs",
                              "RBin",    "TAP",    "idat",      "memdumps", "winlog",
                              "ExMRUs",  "ieurlhist", "tnotif", "wcache"};

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { m.machine().Script().SetLog(&boxes); }
  void Start(const std::string& args = "") { program.Start(args); }
  Form& form() { return program.Main().form(); }
  CheckBox& Box(const char* name) { return form().Get<CheckBox>(name); }
  Control& Named(const char* name) { return *form().Find(name); }
  std::string Setting(const char* name) {
    return settings::ReadSetting(m.platform(), settings::kSettings, name);
  }
  void Store(const char* name, const char* value) {
    settings::SaveSetting(m.platform().Registry(), settings::kAppName, settings::kSettings, name,
                          value);
  }
  std::string Results() { return form().Get<TextBox>("Text1").Text(); }
  void OnlyItem(const char* keep) {
    for (const char* item : kItems) Box(item).SetValue(std::string(item) == keep ? 1 : 0);
  }
  // Three items in drive C's Recycle Bin, 1.5 MB in all.
  void FillRecycleBin() {
    test::WriteHostFile(m.Host("drive_c/RECYCLER/Dc1.txt"), std::string(524288, 'a'));
    test::WriteHostFile(m.Host("drive_c/RECYCLER/Dc2.txt"), std::string(524288, 'b'));
    test::WriteHostFile(m.Host("drive_c/RECYCLER/Dc3/x.bin"), std::string(524288, 'c'));
    test::WriteHostFile(m.Host("drive_c/RECYCLER/INFO2"), "index");
  }
  bool BinHolds(const char* name) {
    return std::filesystem::exists(m.Host(std::string("drive_c/RECYCLER/") + name));
  }
  Form* Warning() { return program.app().FindForm("Warning"); }

  test::TempMachine m;
  app::Program program{m.platform()};
  std::ostringstream boxes;
};

const std::string kRuleLine = std::string(88, '-') + "\r\n";

// The log without its last line, and whether that line is a well-formed run time.
std::string WithoutTime(const std::string& text) {
  static const std::regex time("Completed in (\\d+\\.\\d{3} secs|1\\.000 second)\r\n$");
  std::smatch match;
  if (!std::regex_search(text, match, time)) return "(no run time in: " + text + ")";
  return text.substr(0, text.size() - match.length(0));
}

TEST_F(MainWindowTest, RunsWithNothingTickedWriteOnlyTheFrame) {
  Start();
  OnlyItem("");
  Named("AnalyCom").UserClick();
  EXPECT_EQ(WithoutTime(Results()),
            "ANALYSIS SUMMARY (No files have been deleted yet)\r\n" + kRuleLine +
                "No files to be deleted\r\n" + kRuleLine);
  Store("Cleaner Warning", "1");
  Named("CleanCom").UserClick();
  EXPECT_EQ(WithoutTime(Results()), "CLEANING SUMMARY (Results for deleted files)\r\n" +
                                        kRuleLine + "No files have been deleted\r\n" + kRuleLine);
  EXPECT_EQ(form().Get<ProgressBar>("ProgressBar1").Value(), 100);
  EXPECT_TRUE(Named("CleanCom").Enabled());
  EXPECT_EQ(form().DefaultButton(), &Named("Command1"));
  EXPECT_EQ(program.app().MousePointer(), kPointerDefault);
}

TEST_F(MainWindowTest, RecycleBinIsMeasuredByAnalyzeAndEmptiedOnlyByRunCleaner) {
  FillRecycleBin();
  Start();
  OnlyItem("RBin");
  Named("AnalyCom").UserClick();
  EXPECT_NE(Results().find("\r\nEmptied Recycle Bin (3 Files) 1.50 MB\r\n"), std::string::npos)
      << Results();
  EXPECT_TRUE(BinHolds("Dc1.txt"));
  Store("Cleaner Warning", "1");
  Named("CleanCom").UserClick();
  EXPECT_NE(Results().find("\r\nEmptied Recycle Bin (3 Files) 1.50 MB\r\n"), std::string::npos);
  EXPECT_FALSE(BinHolds("Dc1.txt"));
  EXPECT_FALSE(BinHolds("Dc3"));
  EXPECT_TRUE(BinHolds("INFO2"));
  // An empty bin writes nothing.
  Named("CleanCom").UserClick();
  EXPECT_EQ(Results().find("Emptied Recycle Bin"), std::string::npos);
}

TEST_F(MainWindowTest, ABinOfMoreThan32767ItemsIsNeitherLoggedNorEmptied) {
  for (int i = 0; i < 32768; ++i)
    std::ofstream(m.Host("drive_c/RECYCLER/D" + std::to_string(i)));
  Store("Cleaner Warning", "1");
  Start();
  OnlyItem("RBin");
  Named("CleanCom").UserClick();
  EXPECT_EQ(Results().find("Emptied Recycle Bin"), std::string::npos);
  EXPECT_TRUE(BinHolds("D0"));
}

TEST_F(MainWindowTest, FirstCleanWarningStandsBeforeRunCleanerUntilTurnedOff) {
  FillRecycleBin();
  Start();
  OnlyItem("RBin");
  Named("AnalyCom").UserClick();
  EXPECT_EQ(Warning(), nullptr);

  Named("CleanCom").UserClick();
  ASSERT_NE(Warning(), nullptr);
  EXPECT_TRUE(Warning()->Visible());
  EXPECT_FALSE(form().Enabled());
  EXPECT_EQ(Results(), "");
  Warning()->Get<Button>("Command1").UserClick();  // Cancel
  EXPECT_TRUE(form().Enabled());
  EXPECT_TRUE(BinHolds("Dc1.txt"));

  // Ok runs the clean once; the warning returns on the next Run Cleaner.
  Named("CleanCom").UserClick();
  Warning()->Get<Button>("OKButton").UserClick();
  EXPECT_TRUE(form().Enabled());
  EXPECT_FALSE(BinHolds("Dc1.txt"));
  EXPECT_EQ(Setting("MSG_CONFIRM_TMP"), "");
  Named("CleanCom").UserClick();
  ASSERT_TRUE(Warning()->Visible());

  // "Do Not Show Me This Message Again..." then Cancel: the next run goes through.
  Warning()->Get<CheckBox>("Check1").UserClick();
  EXPECT_EQ(Setting("Cleaner Warning"), "1");
  Warning()->Get<Button>("Command1").UserClick();
  Form* closed = Warning();
  Named("CleanCom").UserClick();
  EXPECT_EQ(Warning(), closed);
  EXPECT_FALSE(closed->Loaded());
  EXPECT_NE(Results(), "");
}

TEST_F(MainWindowTest, ClearingTheWarningsBoxAgainBringsItBack) {
  Start();
  Named("CleanCom").UserClick();
  Warning()->Get<CheckBox>("Check1").UserClick();
  Warning()->Get<CheckBox>("Check1").UserClick();
  EXPECT_EQ(Setting("Cleaner Warning"), "");
  Warning()->Get<Button>("Command1").UserClick();
  Named("CleanCom").UserClick();
  EXPECT_TRUE(Warning()->Visible());
}

TEST_F(MainWindowTest, ANoAtTheConfirmationLetsTheNextRunPassTheWarning) {
  FillRecycleBin();
  Start();
  OnlyItem("RBin");
  Box("CBD").SetValue(1);
  Named("CleanCom").UserClick();
  Warning()->Get<Button>("OKButton").UserClick();  // the confirmation is answered No
  EXPECT_NE(boxes.str().find("style 68, text \"Warning!\\nThis process will permanetly delete "
                             "files on your computer!\\nDo you wish to continue?\", answer No"),
            std::string::npos)
      << boxes.str();
  EXPECT_TRUE(BinHolds("Dc1.txt"));
  EXPECT_EQ(Results(), "");
  EXPECT_EQ(Setting("MSG_CONFIRM_TMP"), "True");

  Form* shown = Warning();
  m.machine().Script().QueueAnswer("yes");
  Named("CleanCom").UserClick();
  EXPECT_EQ(Warning(), shown);  // no new warning
  EXPECT_FALSE(BinHolds("Dc1.txt"));
  EXPECT_EQ(Setting("MSG_CONFIRM_TMP"), "");
}

TEST_F(MainWindowTest, FirstStartShowsTheDesignStates) {
  Start();
  for (const char* on : {"SysTemp", "ietemp", "Cook", "rdocs", "RBin", "TAP", "ieurlhist", "ExMRUs"})
    EXPECT_EQ(Box(on).Value(), 1) << on;
  for (const char* off : {"Pref", "idat", "memdumps", "winlog", "tnotif", "wcache", "CAC", "CBD",
                          "HWM", "HWC", "Check1", "Check2", "Check3", "Check6", "Check8"})
    EXPECT_EQ(Box(off).Value(), 0) << off;
  EXPECT_TRUE(form().Visible());
  EXPECT_TRUE(Named("ct1").Visible());
  EXPECT_FALSE(Named("ct2").Visible());
  EXPECT_TRUE(Named("Command4").Visible());
  EXPECT_FALSE(Named("idat").Visible());
  EXPECT_EQ(Setting("AutoCleanTrue"), "True");
}

TEST_F(MainWindowTest, StoredValuesComeBackThroughTheClickHandlers) {
  Start();
  Box("CAC").SetValue(1);
  Box("Cook").UserClick();  // cleared
  Box("Check3").SetValue(1);
  Box("Check8").SetValue(1);
  Box("Check8").SetValue(0);
  Box("Check1").SetValue(1);
  EXPECT_FALSE(Named("ProgressBar1").Visible());
  form().Move(2400, 1800);
  form().Get<ComboBox>("Combo1").SetText("Deutsch");
  form().Unload();
  EXPECT_FALSE(program.Running());
  EXPECT_EQ(Setting("(Opt)Clean Personalized"), "");
  EXPECT_EQ(Setting("AutoCleanTrue"), "");

  Start();
  EXPECT_EQ(Box("CAC").Value(), 1);
  EXPECT_EQ(Box("Cook").Value(), 0);
  EXPECT_EQ(Box("Check3").Value(), 1);
  EXPECT_TRUE(program.Main().ReadOnlyFilesListed());
  EXPECT_EQ(Box("Check8").Value(), 0);
  EXPECT_EQ(Box("Check1").Value(), 1);
  EXPECT_FALSE(Named("ProgressBar1").Visible());
  EXPECT_EQ(form().Left(), 2400);
  EXPECT_EQ(form().Top(), 1800);
  EXPECT_EQ(form().Get<ComboBox>("Combo1").Text(), "Deutsch");

  // A maximized window keeps the position it had in the normal state.
  form().Move(0, 0);
  form().SetState(WindowState::kMaximized);
  form().Unload();
  EXPECT_EQ(Setting("WINDOW_LEFT"), "2400");
}

TEST_F(MainWindowTest, ShowOnlyDefaultSettingsKeepsTheDesignStatesButRestoresThePosition) {
  Store("(Opt)Show Only Default Settings", "1");
  Store("Cookies", "0");
  Store("Windows XP Prefetch", "1");
  Store("(Opt)Recycle Bin", "True");
  Store("WINDOW_LEFT", "3000");
  platform::WriteString(m.platform().Registry(), win::kHkeyCurrentUser,
                        "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "Vanbrisk /AUTO",
                        "C:\\Program Files\\Vanbrisk\\vanbrisk.exe /AUTO");
  Start();
  EXPECT_EQ(Box("Check2").Value(), 1);
  EXPECT_EQ(Box("Cook").Value(), 1);
  EXPECT_EQ(Box("Pref").Value(), 0);
  EXPECT_EQ(Box("Check7").Value(), 0);
  EXPECT_EQ(Box("Check10").Value(), 1);
  EXPECT_EQ(form().Left(), 3000);
}

TEST_F(MainWindowTest, QuietModeCleansOnceWithoutAWindowAndEnds) {
  FillRecycleBin();
  Store("Cleaner Warning", "1");
  Store("Internet Temporary", "0");
  bool everShown = false;
  program.app().onFormCreated = [&](Form& f) {
    f.AddObserver([&](Form& shown, Control* c, Property p) {
      if (!c && p == Property::kVisible && shown.Visible()) everShown = true;
    });
  };
  Start("/AUTO");
  EXPECT_FALSE(program.Running());
  EXPECT_FALSE(BinHolds("Dc1.txt"));
  EXPECT_NE(Results().find("Emptied Recycle Bin (3 Files)"), std::string::npos);
  EXPECT_FALSE(everShown);
}

TEST_F(MainWindowTest, QuietModeStoppedByThePendingWarningCleansNothing) {
  FillRecycleBin();
  Start("/AUTO");
  EXPECT_FALSE(program.Running());
  EXPECT_TRUE(BinHolds("Dc1.txt"));
  EXPECT_EQ(Warning(), nullptr);
}

TEST_F(MainWindowTest, OnlyTheExactSwitchIsQuietMode) {
  FillRecycleBin();
  Store("Cleaner Warning", "1");
  for (const char* args : {"/auto", "/AUTO extra", " /AUTO"}) {
    Start(args);
    EXPECT_TRUE(program.Running()) << args;
    EXPECT_TRUE(form().Visible()) << args;
    EXPECT_TRUE(BinHolds("Dc1.txt")) << args;
  }
}

TEST_F(MainWindowTest, CloseAfterCleaningWaitsUntilLoadingHasFinished) {
  FillRecycleBin();
  Store("Cleaner Warning", "1");
  Store("(Opt)Close After Cleaning", "1");
  Store("(Opt)Automatically Clean When Vanbrisk Opens", "1");
  Start();
  EXPECT_TRUE(program.Running());  // the run that loading started did not close
  EXPECT_FALSE(BinHolds("Dc1.txt"));
  EXPECT_NE(Results().find("Emptied Recycle Bin"), std::string::npos);
  EXPECT_TRUE(form().Visible());
  Named("AnalyCom").UserClick();
  EXPECT_TRUE(program.Running());
  Named("CleanCom").UserClick();
  EXPECT_FALSE(program.Running());
}

TEST_F(MainWindowTest, PageButtonsShowTheirSetsAndKeepTheItemSet) {
  Start();
  Named("Command4").UserClick();  // >>>
  EXPECT_TRUE(Named("idat").Visible());
  EXPECT_FALSE(Named("SysTemp").Visible());
  EXPECT_TRUE(Named("Command5").Visible());

  Named("iet2").UserClick();
  for (const char* shown : {"Internet", "Frame3", "Frame4", "Frame5", "CleanIE", "SLF", "DelCache",
                            "DelCook", "iet1", "ct2"})
    EXPECT_TRUE(Named(shown).Visible()) << shown;
  for (const char* hidden : {"Cleaner", "Frame1", "AnalyCom", "CleanCom", "Command4", "Command5",
                             "ct1", "Tools", "Options"})
    EXPECT_FALSE(Named(hidden).Visible()) << hidden;
  EXPECT_FALSE(Named("CleanCom").Shown());

  Named("tt2").UserClick();
  EXPECT_TRUE(Named("RegEdit").Visible());
  EXPECT_FALSE(Named("iet1").Visible());
  Named("ct2").UserClick();
  EXPECT_TRUE(Named("Command5").Visible());
  EXPECT_FALSE(Named("Command4").Visible());
  EXPECT_TRUE(Named("idat").Shown());
}

TEST_F(MainWindowTest, OptionsPageStartsOnItsFirstTab) {
  Start();
  Named("ot2").UserClick();
  EXPECT_TRUE(Named("Options").Visible());
  EXPECT_TRUE(Named("CleanO").Visible());
  auto& tabs = form().Get<TabStrip>("TabStrip3");
  tabs.UserChoose(3);  // Personalized
  EXPECT_TRUE(Named("PerO").Visible());
  EXPECT_FALSE(Named("CleanO").Visible());
  EXPECT_TRUE(Named("AFol").Visible());
  Named("ot2").UserClick();
  EXPECT_EQ(tabs.SelectedIndex(), 0);
  EXPECT_TRUE(Named("CleanO").Visible());
  EXPECT_FALSE(Named("PerO").Visible());
  EXPECT_FALSE(Named("AFol").Visible());
  tabs.UserChoose(4);
  Named("ct2").UserClick();
  EXPECT_FALSE(Named("AdvO").Visible());
}

TEST_F(MainWindowTest, TrayNotificationsWarnEachTimeTheyAreTicked) {
  Start();
  Named("Command4").UserClick();
  Box("tnotif").UserClick();
  Box("tnotif").UserClick();
  Box("tnotif").UserClick();
  EXPECT_EQ(Setting("Tray Notifications Cache"), "1");
  std::string log = boxes.str();
  std::string warning = "style 48, text \"Warning! This will reset your System Tray.";
  ASSERT_NE(log.find(warning), std::string::npos) << log;
  EXPECT_NE(log.find(warning, log.find(warning) + 1), std::string::npos);
  Box("HWM").SetValue(1);
  boxes.str("");
  Box("wcache").UserClick();
  EXPECT_EQ(boxes.str(), "");
  EXPECT_EQ(Setting("Windows Cache"), "1");
}

TEST_F(MainWindowTest, TheResultsBoxesOpenTheirMenusOnTheRightButton) {
  Start();
  Named("Text1").UserMouseDown(MouseButton::kLeft);
  EXPECT_EQ(form().OpenPopup(), nullptr);
  Named("Text1").UserMouseDown(MouseButton::kRight);
  ASSERT_NE(form().OpenPopup(), nullptr);
  EXPECT_EQ(form().OpenPopup()->name(), "textpopup");
  form().ClosePopup();
  // The Internet page's log has its menu only while it holds text.
  Named("iet2").UserClick();
  Named("Text2").UserMouseDown(MouseButton::kRight);
  EXPECT_EQ(form().OpenPopup(), nullptr);
  form().Get<TextBox>("Text2").SetText("http://a/\r\n");
  Named("Text2").UserMouseDown(MouseButton::kRight);
  ASSERT_NE(form().OpenPopup(), nullptr);
  EXPECT_EQ(form().OpenPopup()->name(), "listpopup");
}

}  // namespace
}  // namespace vb
