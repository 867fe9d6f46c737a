// The user's own items through the main window over an emulated machine: the
// Personalized page's commands and refusals, the Add Registry dialog, the
// personalized stage of the clean run, and saving results to files.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>

#include "app/form1_settings.h"
#include "app/main_window.h"
#include "app/program.h"
#include "personal/add_registry_window.h"
#include "personal/personalized_items.h"
#include "platform/registry_values.h"
#include "platform/scripted_ui.h"
#include "registry/settings_store.h"
#include "support/temp_machine.h"

namespace vb {
namespace {

namespace settings = registry::settings;
using Texts = std::vector<std::string>;
using win::kHkeyCurrentUser;

class PersonalizedTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m.machine().Script().SetLog(&boxes);
    program.Start("");
    for (const engine::ItemRow& row : engine::ItemRows()) form().ItemBox(row.item).SetValue(0);
    form().cleanPersonalized->SetValue(1);
    settings::SaveSetting(m.platform().Registry(), settings::kAppName, settings::kSettings,
                          "Cleaner Warning", "1");
  }
  app::Form1& form() { return program.Main().form(); }
  void Answer(const std::string& answer) { m.machine().Script().QueueAnswer(answer); }
  void Click(toolkit::Control* control) {
    control->UserClick();
    program.AfterEvent();
  }
  Texts Entries(const char* section) { return settings::ListEntries(m.platform(), section); }
  Texts Rows() {
    Texts rows;
    for (int i = 0; i < form().personalizedList->Count(); ++i)
      rows.push_back(form().personalizedList->ItemAt(i).text);
    return rows;
  }
  personal::AddRegistryForm* Dialog() {
    return dynamic_cast<personal::AddRegistryForm*>(program.app().FindForm("reg"));
  }
  // Types the text into the Add Registry dialog (opened if need be) and adds it.
  void TypeRegistry(const std::string& text) {
    if (!Dialog() || !Dialog()->Visible()) Click(form().addRegistryButton);
    Dialog()->pathText->SetText(text);
    Click(Dialog()->addButton);
  }
  bool Has(const std::string& text) { return boxes.str().find(text) != std::string::npos; }
  std::string Host(const std::string& path) { return m.Host("drive_c/" + path); }

  test::TempMachine m;
  app::Program program{m.platform()};
  std::ostringstream boxes;
};

TEST_F(PersonalizedTest, FoldersThatMustNotBeEmptiedAreRefused) {
  for (const char* root : {"C:\\", "E:\\", "G:\\", "Z:\\"})
    EXPECT_EQ(personal::FolderMayBeEmptied(m.platform(), root).message(),
              "You cannot select the root of a drive.")
        << root;
  // Every spelling Windows reads as the same folder, and a link to one.
  std::filesystem::create_directory_symlink(Host("WINDOWS"), Host("ToWindows"));
  for (const char* system :
       {"C:\\WINDOWS", "c:\\windows\\", "C:\\Windows\\SYSTEM", "C:\\WINDOWS\\System32\\",
        "C:\\Program Files", "c:\\PROGRAM FILES\\", "C:\\WINDOWS.", "C:\\WINDOWS\\.", "C:/WINDOWS",
        "\\WINDOWS", "c:\\windows\\system32.", "C:\\Program Files.", "C:\\Temp\\..\\WINDOWS",
        "C:\\Documents and Settings", "C:\\Documents and Settings\\User\\My Documents",
        "C:\\ToWindows"})
    EXPECT_EQ(personal::FolderMayBeEmptied(m.platform(), system).message(),
              "You cannot select a system folder.")
        << system;
  // Through the picker: a refusal stores nothing; a subfolder of system32 is
  // stored after the confirmation, and not on No.
  Answer("D:\\");
  Click(form().addFolderButton);
  Answer("C:\\WINDOWS\\system32\\drivers");
  Answer("no");
  Click(form().addFolderButton);
  Answer("C:\\WINDOWS\\system32\\drivers");
  Answer("yes");
  Click(form().addFolderItem);
  EXPECT_TRUE(Has("You cannot select the root of a drive."));
  EXPECT_EQ(Entries(settings::kFolders), Texts{"C:\\WINDOWS\\system32\\drivers"});
  EXPECT_EQ(Rows(), Texts{"C:\\WINDOWS\\system32\\drivers"});
}

TEST_F(PersonalizedTest, TheAddRegistryDialogAcceptsKeysAndValueEntriesBelowARoot) {
  TypeRegistry("hkey_current_user\\Software\\Example");
  EXPECT_TRUE(Has("text \"Invalid hKey Root\""));
  EXPECT_EQ(Dialog()->pathText->Text(), "");
  TypeRegistry("HKEY_CURRENT_CONFIG\\Software");
  EXPECT_TRUE(Has("HKEY_CURRENT_CONFIG is not supported."));
  EXPECT_EQ(Dialog()->pathText->Text(), "HKEY_CURRENT_CONFIG\\Software");
  using namespace std::string_literals;
  const std::string root = "A whole registry root cannot be cleaned: type a key below it.";
  const std::string value =
      "A registry value is typed as its key path, \"|\" and the value's name.";
  const std::string windows = "This registry key cannot be cleaned: it is a key Windows needs.";
  const std::string control = "A registry key or value name cannot hold a control character.";
  const std::pair<std::string, std::string> refusals[] = {
      {"HKEY_CURRENT_USER", root},
      {"HKEY_USERS\\\\", root},
      {"HKEY_CURRENT_USER|Name", root},
      {"HKEY_CURRENT_USER\\X|", value},
      {"HKEY_CURRENT_USER\\X|a|b", value},
      {"HKEY_CURRENT_USER\\Software", windows},
      {"HKEY_LOCAL_MACHINE\\software\\Microsoft\\Windows NT\\CurrentVersion\\", windows},
      {"HKEY_USERS\\S-1-5-21-1-2-3-1001\\Software\\Microsoft", windows},
      {"HKEY_USERS\\S-1-5-21-1-2-3-1001",
       "This registry key cannot be cleaned: it is a whole hive."},
      {"HKEY_CURRENT_USER\\Software\\Microsoft\0\\Old Tool"s, control},
      {"HKEY_CURRENT_USER\\Software\\Old\tTool", control},
      {"HKEY_CURRENT_USER\\Software\\Old Tool|Last\x01Used", control},
  };
  for (const auto& [refused, message] : refusals) {
    Answer("yes");  // were it taken for a key, it would be stored
    boxes.str("");
    TypeRegistry(refused);
    ASSERT_NE(Dialog(), nullptr) << refused;
    EXPECT_EQ(Dialog()->pathText->Text(), refused);
    EXPECT_TRUE(Has("title \"Vanbrisk\", style 48, text \"" + message + "\"")) << boxes.str();
  }
  EXPECT_TRUE(Entries(settings::kRegKeys).empty());
  EXPECT_FALSE(form().Enabled());
  Answer("no");
  TypeRegistry("HKEY_CURRENT_USER\\Software\\Example");
  ASSERT_TRUE(Dialog()->Visible());
  Answer("yes");
  TypeRegistry("HKEY_CURRENT_USER\\Software\\Example");
  EXPECT_EQ(Dialog(), nullptr);
  EXPECT_TRUE(form().Enabled());
  Answer("yes");
  TypeRegistry("HKEY_LOCAL_MACHINE\\Software\\Example|Name");
  // Below CurrentVersion a key may go; a value of a key Windows needs too.
  const std::string runMru =
      "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU";
  Answer("yes");
  TypeRegistry(runMru);
  Answer("yes");
  TypeRegistry("HKEY_CURRENT_USER\\Software\\Microsoft|Old Tool");
  EXPECT_EQ(Entries(settings::kRegKeys), (Texts{"HKEY_CURRENT_USER\\Software\\Example", runMru}));
  EXPECT_EQ(Entries(settings::kRegValues),
            (Texts{"HKEY_LOCAL_MACHINE\\Software\\Example|Name",
                   "HKEY_CURRENT_USER\\Software\\Microsoft|Old Tool"}));
}

// The size texts themselves are checked with the log line's format.
TEST_F(PersonalizedTest, FilesAreLoggedWithTheirSizesAndAFileInUseOnlyUnderAnalyze) {
  for (const char* name : {"a.bin", "d.bin", "missing.bin"})
    settings::AddListEntry(m.platform(), settings::kFiles, std::string("C:\\P\\") + name);
  test::WriteHostFile(Host("P/a.bin"), std::string(1024, 'x'));
  test::WriteHostFile(Host("P/d.bin"), std::string(100, 'x'));
  int fd = open(Host("P/d.bin").c_str(), O_RDONLY);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(flock(fd, LOCK_EX), 0);
  Click(form().analyzeButton);
  const std::string logged = "C:\\P\\a.bin 1024 bytes\r\n";
  EXPECT_NE(form().resultsText->Text().find(logged + "C:\\P\\d.bin 100 bytes\r\n"),
            std::string::npos)
      << form().resultsText->Text();
  Click(form().runCleanerButton);
  EXPECT_NE(form().resultsText->Text().find(logged + "----"), std::string::npos)
      << form().resultsText->Text();
  EXPECT_FALSE(std::filesystem::exists(Host("P/a.bin")));
  EXPECT_TRUE(std::filesystem::exists(Host("P/d.bin")));
  close(fd);
}

TEST_F(PersonalizedTest, SavingReplacesTheFileWithCrLfTextOrReportsWhatCannotBeWritten) {
  test::WriteHostFile(Host("out.txt"), std::string(100, 'o'));
  form().resultsText->SetText("one\r\ntwo");
  Answer("C:\\out.txt");
  Click(form().saveTextItem);
  EXPECT_EQ(test::ReadHostFile(Host("out.txt")), "one\r\ntwo\r\n");
  form().internetLog->AddItem("a");
  form().internetLog->AddItem("b");
  Answer("C:\\out.log");
  Click(form().saveLogButton);
  EXPECT_EQ(test::ReadHostFile(Host("out.log")), "a\r\nb\r\n\r\n");
  Answer("C:\\WINDOWS");
  Click(form().saveLogItem);
  EXPECT_TRUE(Has("style 48, text \"The file C:\\WINDOWS could not be written.\""));
  EXPECT_EQ(form().resultsText->Text(), "one\r\ntwo");
}

}  // namespace
}  // namespace vb
