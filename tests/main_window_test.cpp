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
using engine::Item;
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
  std::string Results() { return form().resultsText->Text(); }
  // Starts with only the Recycle Bin item checked.
  void StartWithOnlyTheBin() {
    Start();
    for (const engine::ItemRow& row : engine::ItemRows())
      form().ItemBox(row.item).SetValue(row.item == Item::kRecycleBin ? 1 : 0);
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
  form().runCleanerButton->UserClick();
  EXPECT_NE(Results().find("\r\nEmptied Recycle Bin (3 Files) 1.50 MB\r\n"), std::string::npos)
      << Results();
  EXPECT_FALSE(BinHolds("Dc1.txt"));
  EXPECT_EQ(form().progressBar->Value(), 100);
  EXPECT_TRUE(form().runCleanerButton->Enabled());
  EXPECT_EQ(form().DefaultButton(), form().exitButton);
  EXPECT_EQ(program.app().MousePointer(), kPointerDefault);
}

TEST_F(MainWindowTest, ABinOfMoreThan32767ItemsIsNeitherLoggedNorEmptied) {
  for (int i = 0; i < 32768; ++i)
    std::ofstream(m.Host("drive_c/RECYCLER/D" + std::to_string(i)));
  Store("Cleaner Warning", "1");
  StartWithOnlyTheBin();
  form().runCleanerButton->UserClick();
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
  Click(form().runCleanerButton);
  app::WarningForm* first = Warning();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(Results(), "");
  Click(first->cancelButton);
  EXPECT_EQ(destroyed, std::vector<Form*>{first});
  EXPECT_TRUE(program.Windows().empty());
  EXPECT_TRUE(BinHolds("Dc1.txt"));

  // Ok runs the clean once; the warning returns on the next Run Cleaner.
  Click(form().runCleanerButton);
  Click(Warning()->okButton);
  EXPECT_FALSE(BinHolds("Dc1.txt"));
  EXPECT_EQ(Setting("MSG_CONFIRM_TMP"), "");
  Click(form().runCleanerButton);
  ASSERT_NE(Warning(), nullptr);

  // "Do Not Show Me This Message Again..." ticked and cleared again changes
  // nothing; ticked, then Cancel: the next run goes through.
  Click(Warning()->dontShowAgain);
  Click(Warning()->dontShowAgain);
  EXPECT_EQ(Setting("Cleaner Warning"), "");
  Click(Warning()->dontShowAgain);
  EXPECT_EQ(Setting("Cleaner Warning"), "1");
  Click(Warning()->cancelButton);
  Click(form().runCleanerButton);
  EXPECT_EQ(Warning(), nullptr);
  EXPECT_NE(Results(), "");
}

TEST_F(MainWindowTest, ANoAtTheConfirmationLetsTheNextRunPassTheWarning) {
  FillRecycleBin();
  StartWithOnlyTheBin();
  form().confirmBeforeDeletion->SetValue(1);
  form().runCleanerButton->UserClick();
  Warning()->okButton->UserClick();  // the confirmation (its text in a transcript) answered No
  EXPECT_NE(boxes.str().find("answer No"), std::string::npos) << boxes.str();
  EXPECT_EQ(Setting("MSG_CONFIRM_TMP"), "True");

  program.AfterEvent();
  m.machine().Script().QueueAnswer("yes");
  form().runCleanerButton->UserClick();
  EXPECT_EQ(Warning(), nullptr);  // no new warning
  EXPECT_FALSE(BinHolds("Dc1.txt"));
  EXPECT_EQ(Setting("MSG_CONFIRM_TMP"), "");
}

// A first start shows the design states; what the boxes store comes back
// through their click handlers at the next start.
TEST_F(MainWindowTest, StoredValuesComeBackThroughTheClickHandlers) {
  Start();
  auto& f = form();
  for (CheckBox* on : {&f.ItemBox(Item::kSysTemp), &f.ItemBox(Item::kIETemp),
                       &f.ItemBox(Item::kCookies), &f.ItemBox(Item::kRecentDocuments),
                       &f.ItemBox(Item::kRecycleBin), &f.ItemBox(Item::kApplications),
                       &f.ItemBox(Item::kIEUrlHistory), &f.ItemBox(Item::kExplorerMRUs)})
    EXPECT_EQ(on->Value(), 1) << on->name();
  for (CheckBox* off :
       {&f.ItemBox(Item::kPrefetch), &f.ItemBox(Item::kIndexDat), &f.ItemBox(Item::kMemoryDumps),
        &f.ItemBox(Item::kWindowsLogs), &f.ItemBox(Item::kTrayNotifications),
        &f.ItemBox(Item::kWindowsCache), f.closeAfterCleaning, f.confirmBeforeDeletion,
        f.hideWarningMessages, f.hideWhileCleaning, f.hideProgressBar, f.defaultSettingsOnly,
        f.deleteReadOnlyFiles, f.cleanWhenOpening, f.cleanPersonalized})
    EXPECT_EQ(off->Value(), 0) << off->name();
  EXPECT_TRUE(f.cleanerPageSelected->Visible() && !f.cleanerPageButton->Visible() &&
              !f.ItemBox(Item::kIndexDat).Visible());
  EXPECT_EQ(Setting("AutoCleanTrue"), "True");
  f.closeAfterCleaning->SetValue(1);
  f.ItemBox(Item::kCookies).UserClick();  // cleared
  f.deleteReadOnlyFiles->SetValue(1);
  f.cleanPersonalized->SetValue(1);
  f.cleanPersonalized->SetValue(0);
  f.hideProgressBar->SetValue(1);
  EXPECT_FALSE(f.progressBar->Visible());
  f.Move(2400, 1800);
  f.Unload();
  EXPECT_FALSE(program.Running());
  EXPECT_EQ(Setting("(Opt)Clean Personalized"), "");
  EXPECT_EQ(Setting("AutoCleanTrue"), "");

  Start();
  auto& g = form();
  for (CheckBox* on : {g.closeAfterCleaning, g.deleteReadOnlyFiles, g.hideProgressBar})
    EXPECT_EQ(on->Value(), 1) << on->name();
  for (CheckBox* off : {&g.ItemBox(Item::kCookies), g.cleanPersonalized})
    EXPECT_EQ(off->Value(), 0) << off->name();
  EXPECT_TRUE(program.Main().ReadOnlyFilesListed());
  EXPECT_FALSE(g.progressBar->Visible());
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
  for (CheckBox* on : {f.defaultSettingsOnly, &f.ItemBox(Item::kCookies), f.cleanAtStartup})
    EXPECT_EQ(on->Value(), 1) << on->name();
  for (CheckBox* off : {&f.ItemBox(Item::kPrefetch), f.recycleBinOpenVerb})
    EXPECT_EQ(off->Value(), 0) << off->name();
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
  form().analyzeButton->UserClick();
  EXPECT_TRUE(program.Running());
  form().runCleanerButton->UserClick();
  EXPECT_FALSE(program.Running());
}

TEST_F(MainWindowTest, PagesShowTheirPartsKeepTheItemSetAndOptionsStartOnTheFirstTab) {
  Start();
  auto& f = form();
  f.nextItemsButton->UserClick();  // >>>: the second item set, checked by a transcript
  f.internetPageButton->UserClick();
  for (Control* shown : std::initializer_list<Control*>{
           f.internetPage, f.resultsLogFrame, f.cacheFrame, f.cookiesFrame, f.cleanBrowsersButton,
           f.saveLogButton, f.deleteCacheButton, f.deleteCookiesButton, f.internetPageSelected,
           f.cleanerPageButton})
    EXPECT_TRUE(shown->Visible()) << shown->name();
  for (Control* hidden :
       std::initializer_list<Control*>{f.cleanerPage, f.cleanerSettingsFrame, f.analyzeButton,
                                       f.runCleanerButton, f.nextItemsButton, f.previousItemsButton,
                                       f.cleanerPageSelected, f.toolsPage, f.optionsPage})
    EXPECT_FALSE(hidden->Visible()) << hidden->name();
  EXPECT_FALSE(f.runCleanerButton->Shown());

  f.toolsPageButton->UserClick();
  EXPECT_TRUE(f.registryEditorButton->Visible() && !f.internetPageSelected->Visible());
  f.cleanerPageButton->UserClick();
  EXPECT_TRUE(f.previousItemsButton->Visible() && !f.nextItemsButton->Visible() &&
              f.ItemBox(Item::kIndexDat).Shown());

  // The Options page opens on its first tab each time; a transcript checks
  // that a tab shows its own frame.
  f.optionsPageButton->UserClick();
  auto& tabs = *f.optionTabs;
  tabs.UserChoose(3);  // Personalized
  EXPECT_TRUE(f.personalizedFrame->Visible() && f.addFolderButton->Visible());
  f.optionsPageButton->UserClick();
  EXPECT_EQ(tabs.SelectedIndex(), 0);
  EXPECT_TRUE(f.cleanerOptionsFrame->Visible() && !f.personalizedFrame->Visible() &&
              !f.addFolderButton->Visible());
  tabs.UserChoose(4);
  f.cleanerPageButton->UserClick();
  EXPECT_FALSE(f.advancedOptionsFrame->Visible());
}

TEST_F(MainWindowTest, TrayNotificationsWarnEachTimeTheyAreTicked) {
  Start();
  form().nextItemsButton->UserClick();
  form().ItemBox(Item::kTrayNotifications).UserClick();
  form().ItemBox(Item::kTrayNotifications).UserClick();
  form().ItemBox(Item::kTrayNotifications).UserClick();
  EXPECT_EQ(Setting("Tray Notifications Cache"), "1");
  std::string log = boxes.str();
  std::string warning = "style 48, text \"Warning! This will reset your System Tray.";
  ASSERT_NE(log.find(warning), std::string::npos) << log;
  EXPECT_NE(log.find(warning, log.find(warning) + 1), std::string::npos);
  form().hideWarningMessages->SetValue(1);
  boxes.str("");
  form().ItemBox(Item::kWindowsCache).UserClick();
  EXPECT_EQ(boxes.str(), "");
  EXPECT_EQ(Setting("Windows Cache"), "1");
}

TEST_F(MainWindowTest, TheResultsBoxesOpenTheirMenusOnTheRightButton) {
  Start();
  form().resultsText->UserMouseDown(MouseButton::kLeft);
  EXPECT_EQ(form().OpenPopup(), nullptr);
  form().resultsText->UserMouseDown(MouseButton::kRight);
  ASSERT_NE(form().OpenPopup(), nullptr);
  EXPECT_EQ(form().OpenPopup()->name(), "textpopup");
  form().ClosePopup();
  // The Internet page's log has its menu only while it holds text.
  form().internetPageButton->UserClick();
  form().internetLogText->UserMouseDown(MouseButton::kRight);
  EXPECT_EQ(form().OpenPopup(), nullptr);
  form().internetLogText->SetText("http://a/\r\n");
  form().internetLogText->UserMouseDown(MouseButton::kRight);
  ASSERT_NE(form().OpenPopup(), nullptr);
  EXPECT_EQ(form().OpenPopup()->name(), "listpopup");
}

}  // namespace
}  // namespace vb
