// The main window over an emulated machine: start-up and stored settings,
// pages, the clean run around its stages, the first-clean warning, quiet mode.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/form1_settings.h"
#include "app/main_window.h"
#include "app/warning_window.h"
#include "app/program.h"
#include "platform/scripted_ui.h"
#include "platform/registry_values.h"
#include "registry/settings_store.h"
#include "support/temp_machine.h"

namespace vb {
namespace {

using namespace vb::toolkit;
namespace settings = registry::settings;

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { m.machine().Script().SetLog(&boxes); }
  void Start(const std::string& args = "") { program.Start(args); }
  app::Form1& form() { return program.Main().form(); }
  std::string Setting(const char* name) {
    return settings::ReadSetting(m.platform(), settings::kSettings, name);
  }
  void Store(const char* name, const char* value) {
    settings::SaveSetting(m.platform().Registry(), settings::kAppName, settings::kSettings, name,
                          value);
  }
  std::string Results() { return form().Text1->Text(); }
  // Starts with only the Recycle Bin item checked.
  void StartWithOnlyTheBin() {
    Start();
    for (const app::ItemBox& row : app::ItemBoxes())
      (form().*row.box)->SetValue(row.box == &app::Form1::RBin ? 1 : 0);
  }
  // Three items in drive C's Recycle Bin, 1.5 MB in all.
  void FillRecycleBin() {
    for (const char* item : {"Dc1.txt", "Dc2.txt", "Dc3/x.bin"})
      test::WriteHostFile(m.Host(std::string("drive_c/RECYCLER/") + item),
                          std::string(524288, 'a'));
  }
  bool BinHolds(const char* name) {
    return std::filesystem::exists(m.Host(std::string("drive_c/RECYCLER/") + name));
  }
  // A user's click, and what the front end does after each event.
  void Click(Control* control) {
    control->UserClick();
    program.AfterEvent();
  }
  app::WarningForm* Warning() {
    return dynamic_cast<app::WarningForm*>(program.app().FindForm("Warning"));
  }

  test::TempMachine m;
  std::vector<Form*> destroyed;  // outlives the program, whose forms it records
  app::Program program{m.platform()};
  std::ostringstream boxes;
};

// The demo_machine transcript checks the bin's line under Analyze and Run
// Cleaner, and that only Run Cleaner empties it.
TEST_F(MainWindowTest, ARunEndsWithAFullBarTheButtonBackAndExitTheDefault) {
  FillRecycleBin();
  Store("Cleaner Warning", "1");
  StartWithOnlyTheBin();
  form().CleanCom->UserClick();
  EXPECT_NE(Results().find("\r\nEmptied Recycle Bin (3 Files) 1.50 MB\r\n"), std::string::npos)
      << Results();
  EXPECT_FALSE(BinHolds("Dc1.txt"));
  EXPECT_EQ(form().ProgressBar1->Value(), 100);
  EXPECT_TRUE(form().CleanCom->Enabled());
  EXPECT_EQ(form().DefaultButton(), form().Command1);
  EXPECT_EQ(program.app().MousePointer(), kPointerDefault);
}

TEST_F(MainWindowTest, ABinOfMoreThan32767ItemsIsNeitherLoggedNorEmptied) {
  for (int i = 0; i < 32768; ++i)
    std::ofstream(m.Host("drive_c/RECYCLER/D" + std::to_string(i)));
  Store("Cleaner Warning", "1");
  StartWithOnlyTheBin();
  form().CleanCom->UserClick();
  EXPECT_EQ(Results().find("Emptied Recycle Bin"), std::string::npos);
  EXPECT_TRUE(BinHolds("D0"));
}

// The warning stands before every Run Cleaner until it is turned off; each
// one shown is a new window, destroyed after the event that closed it. A
// transcript checks that Analyze never asks, that the main window waits for
// the warning, and that Ok lets the run through.
TEST_F(MainWindowTest, FirstCleanWarningStandsBeforeRunCleanerUntilTurnedOff) {
  FillRecycleBin();
  StartWithOnlyTheBin();
  program.app().onFormDestroyed = [&](Form& f) { destroyed.push_back(&f); };
  Click(form().CleanCom);
  app::WarningForm* first = Warning();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(Results(), "");
  Click(first->Command1);  // Cancel
  EXPECT_EQ(destroyed, std::vector<Form*>{first});
  EXPECT_TRUE(program.Windows().empty());
  EXPECT_TRUE(BinHolds("Dc1.txt"));

  // Ok runs the clean once; the warning returns on the next Run Cleaner.
  Click(form().CleanCom);
  Click(Warning()->OKButton);
  EXPECT_FALSE(BinHolds("Dc1.txt"));
  EXPECT_EQ(Setting("MSG_CONFIRM_TMP"), "");
  Click(form().CleanCom);
  ASSERT_NE(Warning(), nullptr);

  // "Do Not Show Me This Message Again..." ticked and cleared again changes
  // nothing; ticked, then Cancel: the next run goes through.
  Click(Warning()->Check1);
  Click(Warning()->Check1);
  EXPECT_EQ(Setting("Cleaner Warning"), "");
  Click(Warning()->Check1);
  EXPECT_EQ(Setting("Cleaner Warning"), "1");
  Click(Warning()->Command1);
  Click(form().CleanCom);
  EXPECT_EQ(Warning(), nullptr);
  EXPECT_NE(Results(), "");
}

TEST_F(MainWindowTest, ANoAtTheConfirmationLetsTheNextRunPassTheWarning) {
  FillRecycleBin();
  StartWithOnlyTheBin();
  form().CBD->SetValue(1);
  form().CleanCom->UserClick();
  Warning()->OKButton->UserClick();  // the confirmation (its text in a transcript) answered No
  EXPECT_NE(boxes.str().find("answer No"), std::string::npos) << boxes.str();
  EXPECT_EQ(Setting("MSG_CONFIRM_TMP"), "True");

  program.AfterEvent();
  m.machine().Script().QueueAnswer("yes");
  form().CleanCom->UserClick();
  EXPECT_EQ(Warning(), nullptr);  // no new warning
  EXPECT_FALSE(BinHolds("Dc1.txt"));
  EXPECT_EQ(Setting("MSG_CONFIRM_TMP"), "");
}

// A first start shows the design states; what the boxes store comes back
// through their click handlers at the next start.
TEST_F(MainWindowTest, StoredValuesComeBackThroughTheClickHandlers) {
  Start();
  auto& f = form();
  for (CheckBox* on : {f.SysTemp, f.ietemp, f.Cook, f.rdocs, f.RBin, f.TAP, f.ieurlhist, f.ExMRUs})
    EXPECT_EQ(on->Value(), 1) << on->name();
  for (CheckBox* off : {f.Pref, f.idat, f.memdumps, f.winlog, f.tnotif, f.wcache, f.CAC, f.CBD,
                        f.HWM, f.HWC, f.Check1, f.Check2, f.Check3, f.Check6, f.Check8})
    EXPECT_EQ(off->Value(), 0) << off->name();
  EXPECT_TRUE(f.ct1->Visible() && !f.ct2->Visible() && !f.idat->Visible());
  EXPECT_EQ(Setting("AutoCleanTrue"), "True");
  f.CAC->SetValue(1);
  f.Cook->UserClick();  // cleared
  f.Check3->SetValue(1);
  f.Check8->SetValue(1);
  f.Check8->SetValue(0);
  f.Check1->SetValue(1);
  EXPECT_FALSE(f.ProgressBar1->Visible());
  f.Move(2400, 1800);
  f.Unload();
  EXPECT_FALSE(program.Running());
  EXPECT_EQ(Setting("(Opt)Clean Personalized"), "");
  EXPECT_EQ(Setting("AutoCleanTrue"), "");

  Start();
  auto& g = form();
  for (CheckBox* on : {g.CAC, g.Check3, g.Check1}) EXPECT_EQ(on->Value(), 1) << on->name();
  for (CheckBox* off : {g.Cook, g.Check8}) EXPECT_EQ(off->Value(), 0) << off->name();
  EXPECT_TRUE(program.Main().ReadOnlyFilesListed());
  EXPECT_FALSE(g.ProgressBar1->Visible());
  EXPECT_TRUE(g.Left() == 2400 && g.Top() == 1800) << g.Left() << "," << g.Top();

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
  auto& f = form();
  for (CheckBox* on : {f.Check2, f.Cook, f.Check10}) EXPECT_EQ(on->Value(), 1) << on->name();
  for (CheckBox* off : {f.Pref, f.Check7}) EXPECT_EQ(off->Value(), 0) << off->name();
  EXPECT_EQ(f.Left(), 3000);
}

// Only "/AUTO" exactly is quiet mode: one clean without a window, then the
// end; a pending first-clean warning stops that clean.
TEST_F(MainWindowTest, QuietModeCleansOnceWithoutAWindowAndEnds) {
  FillRecycleBin();
  Start("/AUTO");
  EXPECT_FALSE(program.Running());
  EXPECT_TRUE(BinHolds("Dc1.txt"));
  EXPECT_EQ(Warning(), nullptr);

  Store("Cleaner Warning", "1");
  for (const char* args : {"/auto", "/AUTO extra", " /AUTO"}) {
    Start(args);
    EXPECT_TRUE(program.Running()) << args;
    EXPECT_TRUE(form().Visible()) << args;
    EXPECT_TRUE(BinHolds("Dc1.txt")) << args;
  }

  Store("Internet Temporary", "0");
  bool everShown = false;
  program.onNewApplication = [&](Application& app) {
    app.onFormCreated = [&](Form& f) {
      f.AddObserver([&](Form& shown, Control* c, Property p) {
        if (!c && p == Property::kVisible && shown.Visible()) everShown = true;
      });
    };
  };
  Start("/AUTO");
  program.onNewApplication = nullptr;
  EXPECT_FALSE(program.Running());
  EXPECT_FALSE(BinHolds("Dc1.txt"));
  EXPECT_NE(Results().find("Emptied Recycle Bin (3 Files)"), std::string::npos);
  EXPECT_FALSE(everShown);
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
  form().AnalyCom->UserClick();
  EXPECT_TRUE(program.Running());
  form().CleanCom->UserClick();
  EXPECT_FALSE(program.Running());
}

TEST_F(MainWindowTest, PagesShowTheirPartsKeepTheItemSetAndOptionsStartOnTheFirstTab) {
  Start();
  auto& f = form();
  f.Command4->UserClick();  // >>>: the second item set, checked by a transcript
  f.iet2->UserClick();
  for (Control* shown : std::initializer_list<Control*>{
           f.Internet, f.Frame3, f.Frame4, f.Frame5, f.CleanIE, f.SLF, f.DelCache, f.DelCook,
           f.iet1, f.ct2})
    EXPECT_TRUE(shown->Visible()) << shown->name();
  for (Control* hidden : std::initializer_list<Control*>{
           f.Cleaner, f.Frame1, f.AnalyCom, f.CleanCom, f.Command4, f.Command5, f.ct1, f.Tools,
           f.Options})
    EXPECT_FALSE(hidden->Visible()) << hidden->name();
  EXPECT_FALSE(f.CleanCom->Shown());

  f.tt2->UserClick();
  EXPECT_TRUE(f.RegEdit->Visible() && !f.iet1->Visible());
  f.ct2->UserClick();
  EXPECT_TRUE(f.Command5->Visible() && !f.Command4->Visible() && f.idat->Shown());

  // The Options page opens on its first tab each time; a transcript checks
  // that a tab shows its own frame.
  f.ot2->UserClick();
  auto& tabs = *f.TabStrip3;
  tabs.UserChoose(3);  // Personalized
  EXPECT_TRUE(f.PerO->Visible() && f.AFol->Visible());
  f.ot2->UserClick();
  EXPECT_EQ(tabs.SelectedIndex(), 0);
  EXPECT_TRUE(f.CleanO->Visible() && !f.PerO->Visible() && !f.AFol->Visible());
  tabs.UserChoose(4);
  f.ct2->UserClick();
  EXPECT_FALSE(f.AdvO->Visible());
}

TEST_F(MainWindowTest, TrayNotificationsWarnEachTimeTheyAreTicked) {
  Start();
  form().Command4->UserClick();
  form().tnotif->UserClick();
  form().tnotif->UserClick();
  form().tnotif->UserClick();
  EXPECT_EQ(Setting("Tray Notifications Cache"), "1");
  std::string log = boxes.str();
  std::string warning = "style 48, text \"Warning! This will reset your System Tray.";
  ASSERT_NE(log.find(warning), std::string::npos) << log;
  EXPECT_NE(log.find(warning, log.find(warning) + 1), std::string::npos);
  form().HWM->SetValue(1);
  boxes.str("");
  form().wcache->UserClick();
  EXPECT_EQ(boxes.str(), "");
  EXPECT_EQ(Setting("Windows Cache"), "1");
}

TEST_F(MainWindowTest, TheResultsBoxesOpenTheirMenusOnTheRightButton) {
  Start();
  form().Text1->UserMouseDown(MouseButton::kLeft);
  EXPECT_EQ(form().OpenPopup(), nullptr);
  form().Text1->UserMouseDown(MouseButton::kRight);
  ASSERT_NE(form().OpenPopup(), nullptr);
  EXPECT_EQ(form().OpenPopup()->name(), "textpopup");
  form().ClosePopup();
  // The Internet page's log has its menu only while it holds text.
  form().iet2->UserClick();
  form().Text2->UserMouseDown(MouseButton::kRight);
  EXPECT_EQ(form().OpenPopup(), nullptr);
  form().Text2->SetText("http://a/\r\n");
  form().Text2->UserMouseDown(MouseButton::kRight);
  ASSERT_NE(form().OpenPopup(), nullptr);
  EXPECT_EQ(form().OpenPopup()->name(), "listpopup");
}

}  // namespace
}  // namespace vb
