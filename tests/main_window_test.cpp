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

// The window's place comes back at the next start, that of the normal state
// when it was closed maximized, and also under "Show Only Default Settings";
// cli/window.txt checks what the boxes store. AutoCleanTrue stands while the
// program runs.
TEST_F(MainWindowTest, ThePositionAndTheReadOnlyOptionComeBackAtTheNextStart) {
  Start();
  EXPECT_EQ(Setting("AutoCleanTrue"), "True");
  form().deleteReadOnlyFiles->SetValue(1);
  form().Move(2400, 1800);
  form().Unload();
  Start();
  EXPECT_TRUE(program.Main().ReadOnlyFilesListed());
  EXPECT_TRUE(form().Left() == 2400 && form().Top() == 1800) << form().Left() << "," << form().Top();
  form().Move(0, 0);
  form().SetState(WindowState::kMaximized);
  form().Unload();
  EXPECT_EQ(Setting("WINDOW_LEFT"), "2400");
  Store("(Opt)Show Only Default Settings", "1");
  Store("WINDOW_LEFT", "3000");
  Start();
  EXPECT_EQ(form().Left(), 3000);
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
