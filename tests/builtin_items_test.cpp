// The built-in items over an emulated machine, through the main window's run.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <sstream>

#include "app/main_window.h"
#include "app/program.h"
#include "personal/registry_tree.h"
#include "platform/emulated/demo_traces.h"
#include "platform/scripted_ui.h"
#include "platform/registry_values.h"
#include "registry/settings_store.h"
#include "support/temp_machine.h"

namespace vb {
namespace {

using namespace vb::win;
using namespace vb::toolkit;
namespace settings = registry::settings;
using platform::ReadAllValues;
using platform::WriteString;

// The machine's registry, with every value deletion recorded in order.
class RecordingRegistry : public platform::RegistryApi {
 public:
  explicit RecordingRegistry(platform::RegistryApi& inner) : r(inner) {}
  LONG RegOpenKeyA(HKEY k, const char* s, HKEY* o) override { return r.RegOpenKeyA(k, s, o); }
  LONG RegOpenKeyExA(HKEY k, const char* s, DWORD op, DWORD a, HKEY* o) override {
    return r.RegOpenKeyExA(k, s, op, a, o);
  }
  LONG RegCreateKeyA(HKEY k, const char* s, HKEY* o) override { return r.RegCreateKeyA(k, s, o); }
  LONG RegCreateKeyExA(HKEY k, const char* s, DWORD re, const char* c, DWORD op, DWORD a, HKEY* o,
                       DWORD* d) override {
    return r.RegCreateKeyExA(k, s, re, c, op, a, o, d);
  }
  LONG RegQueryValueExA(HKEY k, const char* n, DWORD* t, BYTE* d, DWORD* s) override {
    return r.RegQueryValueExA(k, n, t, d, s);
  }
  LONG RegSetValueExA(HKEY k, const char* n, DWORD t, const BYTE* d, DWORD s) override {
    return r.RegSetValueExA(k, n, t, d, s);
  }
  LONG RegDeleteValueA(HKEY k, const char* n) override {
    LONG rc = r.RegDeleteValueA(k, n);
    if (rc == kErrorSuccess) deleted.push_back(n ? n : "");
    return rc;
  }
  LONG RegDeleteKeyA(HKEY k, const char* s) override { return r.RegDeleteKeyA(k, s); }
  LONG RegEnumKeyA(HKEY k, DWORD i, char* n, DWORD s) override { return r.RegEnumKeyA(k, i, n, s); }
  LONG RegEnumValueA(HKEY k, DWORD i, char* n, DWORD* ns, DWORD* t, BYTE* d, DWORD* ds) override {
    return r.RegEnumValueA(k, i, n, ns, t, d, ds);
  }
  LONG RegQueryInfoKeyA(HKEY k, platform::RegKeyInfo* i) override { return r.RegQueryInfoKeyA(k, i); }
  LONG RegCloseKey(HKEY k) override { return r.RegCloseKey(k); }

  platform::RegistryApi& r;
  std::vector<std::string> deleted;
};

class RecordingPlatform : public platform::Platform {
 public:
  explicit RecordingPlatform(platform::Platform& inner) : p(inner), registry(inner.Registry()) {}
  platform::RegistryApi& Registry() override { return registry; }
  platform::FileSystemApi& Files() override { return p.Files(); }
  platform::EnvironmentApi& Environment() override { return p.Environment(); }
  platform::UrlCacheApi& UrlCache() override { return p.UrlCache(); }
  platform::ShellApi& Shell() override { return p.Shell(); }
  platform::UserInterfaceApi& Ui() override { return p.Ui(); }
  platform::SystemApi& System() override { return p.System(); }
  platform::Platform& p;
  RecordingRegistry registry;
};

const char* const kItems[] = {"SysTemp", "ietemp", "Cook",      "Pref",     "rdocs",
                              "RBin",    "TAP",    "idat",      "memdumps", "winlog",
                              "ExMRUs",  "ieurlhist", "tnotif", "wcache"};
constexpr const char* kExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";

class BuiltinItemsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(emu::AddDemoTraces(m.machine(), &error)) << error;
    settings::SaveSetting(m.platform().Registry(), settings::kAppName, settings::kSettings,
                          "Cleaner Warning", "1");
    m.machine().Script().SetLog(&boxes);
    program.Start("");
  }
  Form& form() { return program.Main().form(); }
  void Only(std::initializer_list<const char*> keep) {
    for (const char* item : kItems) {
      bool on = false;
      for (const char* k : keep) on = on || std::string(k) == item;
      form().Get<CheckBox>(item).SetValue(on ? 1 : 0);
    }
  }
  void Analyze() { form().Get<Button>("AnalyCom").UserClick(); }
  void Clean() { form().Get<Button>("CleanCom").UserClick(); }
  std::string Log() { return form().Get<TextBox>("Text1").Text(); }
  bool Exists(const std::string& hostRelative) {
    return std::filesystem::exists(m.Host("drive_c/" + hostRelative));
  }
  std::size_t Values(const std::string& key) {
    return ReadAllValues(m.platform().Registry(), kHkeyCurrentUser, key).size();
  }
  std::vector<std::string> LogLines() {
    std::vector<std::string> lines;
    std::istringstream in(Log());
    for (std::string line; std::getline(in, line);) lines.push_back(line.substr(0, line.size() - 1));
    return lines;
  }

  test::TempMachine m;
  std::ostringstream boxes;
  RecordingPlatform recording{m.platform()};
  app::Program program{recording};
};

TEST_F(BuiltinItemsTest, RecentDocumentsClearsItsListEvenUnderAnalyze) {
  Only({"rdocs"});
  Analyze();
  EXPECT_NE(Log().find("C:\\Documents and Settings\\User\\Recent\\report.doc.lnk 430 bytes"),
            std::string::npos)
      << Log();
  EXPECT_TRUE(Exists("Documents and Settings/User/Recent/report.doc.lnk"));
  EXPECT_EQ(Values(std::string(kExplorer) + "RecentDocs"), 2u);  // "0" and "1" stay
  Clean();
  EXPECT_FALSE(Exists("Documents and Settings/User/Recent/report.doc.lnk"));
}

TEST_F(BuiltinItemsTest, RegistryOnlyItemsDoNothingUnderAnalyze) {
  Only({"ExMRUs", "tnotif", "wcache"});
  Analyze();
  EXPECT_EQ(Values(std::string(kExplorer) + "RunMRU"), 3u);
  EXPECT_EQ(Values(std::string(kExplorer) + "TrayNotify"), 2u);
  EXPECT_EQ(Values(std::string(kExplorer) + "StreamMRU"), 1u);
  EXPECT_NE(Log().find("No files to be deleted"), std::string::npos);

  recording.registry.deleted.clear();
  Clean();
  EXPECT_EQ(Values(std::string(kExplorer) + "RunMRU"), 0u);
  EXPECT_EQ(Values(std::string(kExplorer) + "TrayNotify"), 0u);
  EXPECT_TRUE(platform::ReadSubKeyNames(m.platform().Registry(), kHkeyCurrentUser,
                                        std::string(kExplorer) + "ComDlg32")
                  .empty());
  EXPECT_TRUE(platform::ReadSubKeyNames(m.platform().Registry(), kHkeyCurrentUser,
                                        std::string(kExplorer) + "FileExts\\.txt")
                  .empty());
  EXPECT_NE(Log().find("No files have been deleted"), std::string::npos);  // no line for them
  // The run list "ba" goes letter by letter, then the list itself.
  auto& d = recording.registry.deleted;
  auto b = std::find(d.begin(), d.end(), "b");
  ASSERT_NE(b, d.end());
  ASSERT_LT(b + 2, d.end());
  EXPECT_EQ(*(b + 1), "a");
  EXPECT_EQ(*(b + 2), "MRUList");
}

TEST_F(BuiltinItemsTest, AnMruListDeletesItsValuesInItsOwnOrder) {
  auto& reg = m.platform().Registry();
  std::string key = std::string(kExplorer) + "FindComputerMRU";
  for (const char* v : {"a", "b", "c", "d"}) WriteString(reg, kHkeyCurrentUser, key, v, v);
  WriteString(reg, kHkeyCurrentUser, key, "MRUList", "cab");
  Only({"ExMRUs"});
  recording.registry.deleted.clear();
  Clean();
  auto& d = recording.registry.deleted;
  auto c = std::find(d.begin(), d.end(), "c");
  ASSERT_LE(c + 4, d.end());
  EXPECT_EQ(std::vector<std::string>(c, c + 4), (std::vector<std::string>{"c", "a", "b", "MRUList"}));
  auto left = ReadAllValues(reg, kHkeyCurrentUser, key);
  ASSERT_EQ(left.size(), 1u);
  EXPECT_EQ(left[0].name, "d");
}

TEST_F(BuiltinItemsTest, CookiesWithoutAKeepListEmptyTheWholeFolder) {
  Only({"Cook"});
  Clean();
  EXPECT_FALSE(Exists("Documents and Settings/User/Cookies/user@example[1].txt"));
  EXPECT_FALSE(Exists("Documents and Settings/User/Cookies/index.dat"));
  EXPECT_NE(Log().find("\r\nCookie:user@example.com/\r\n"), std::string::npos) << Log();
  EXPECT_EQ(form().Get<ListView>("ListView1").Count(), 0);
}

TEST_F(BuiltinItemsTest, AKeptCookieSurvivesAndSoDoesTheFolder) {
  settings::AddListEntry(m.platform(), settings::kCookies, "Cookie:user@example.com/");
  Only({"Cook"});
  Clean();
  EXPECT_TRUE(Exists("Documents and Settings/User/Cookies/user@example[1].txt"));
  EXPECT_TRUE(Exists("Documents and Settings/User/Cookies/index.dat"));
  EXPECT_FALSE(Exists("Documents and Settings/User/Cookies/user@news.example[2].txt"));
  EXPECT_EQ(Log().find("Cookie:user@example.com/"), std::string::npos);
  EXPECT_EQ(form().Get<ListView>("LV2").Count(), 1);
}

TEST_F(BuiltinItemsTest, InternetTemporaryListsEntriesOrCountsThem) {
  Only({"ietemp"});
  Analyze();
  EXPECT_NE(Log().find("\r\nTemporary Internet Files (3 Files)\r\n"), std::string::npos) << Log();
  EXPECT_TRUE(Exists("Documents and Settings/User/Local Settings/Temporary Internet Files/"
                     "Content.IE5/ABCD1234/index[1].htm"));
  form().Get<CheckBox>("Check4").SetValue(1);
  Clean();
  EXPECT_NE(Log().find("\r\nhttp://www.example.com/index.htm\r\nhttp://www.example.com/logo.gif\r\n"),
            std::string::npos)
      << Log();
  EXPECT_FALSE(Exists("Documents and Settings/User/Local Settings/Temporary Internet Files/"
                      "Content.IE5/ABCD1234/index[1].htm"));
  EXPECT_EQ(platform::ReadStringValue(m.platform().Registry(), kHkeyCurrentUser,
                                      "Software\\Microsoft\\Internet Explorer",
                                      "Download Directory"),
            "");
  // The cache is empty now: no line and nothing more to clean.
  Clean();
  EXPECT_EQ(Log().find("Temporary Internet Files"), std::string::npos);
}

TEST_F(BuiltinItemsTest, AFullCacheListIsNotReloadedBeforeTheRun) {
  auto& list2 = form().Get<ListBox>("List2");
  for (int i = 0; i < 10001; ++i) list2.AddItem("http://old/" + std::to_string(i));
  Only({"ietemp"});
  Analyze();
  EXPECT_NE(Log().find("\r\nTemporary Internet Files (0 Files)\r\n"), std::string::npos) << Log();
  EXPECT_EQ(list2.ListCount(), 0);
}

TEST_F(BuiltinItemsTest, ADemoMachineIsCleanAfterOneRun) {
  auto files = [](const std::vector<std::string>& lines) {
    std::set<std::string> out;
    for (const std::string& line : lines)
      if (line.rfind("C:\\", 0) == 0) out.insert(line);
    return out;
  };
  Analyze();
  std::set<std::string> analysed = files(LogLines());
  EXPECT_GE(analysed.size(), 20u);
  Clean();
  std::set<std::string> cleaned = files(LogLines());
  // Every file the analysis listed is gone; cleaning also goes deeper than
  // measuring, into whole trees.
  auto& fs = m.platform().Files();
  for (const std::string& line : analysed) {
    std::string path = line.substr(0, line.rfind(' ', line.rfind(' ') - 1));
    EXPECT_EQ(fs.GetFileAttributesA(path), kInvalidFileAttributes) << "kept: " << path;
  }
  EXPECT_EQ(cleaned.count("C:\\Documents and Settings\\User\\Local Settings\\Temp\\Installer\\Cab\\"
                          "data.cab 20 kb"),
            1u);
  Analyze();
  EXPECT_TRUE(files(LogLines()).empty()) << Log();
  EXPECT_FALSE(Exists("WINDOWS/Temp/install.tmp"));
  EXPECT_FALSE(Exists("Documents and Settings/User/Local Settings/Temp/Installer"));
  EXPECT_TRUE(Exists("WINDOWS/Temp/readonly.tmp"));  // read-only files need the option
  EXPECT_TRUE(Exists("WINDOWS/Temp"));
}

TEST(DelRegSub, DeletesATreeDeepestFirstAndEndsWhereItCannot) {
  test::TempMachine m;
  auto& reg = m.platform().Registry();
  for (const char* key : {"Software\\T", "Software\\T\\A", "Software\\T\\A\\B", "Software\\T\\C"})
    WriteString(reg, kHkeyCurrentUser, key, "v", key);
  WriteString(reg, kHkeyCurrentUser, "Software\\T", "", "default");
  personal::del_reg_sub(m.platform(), "HKEY_CURRENT_USER\\Software\\T\\");
  EXPECT_TRUE(platform::ReadSubKeyNames(reg, kHkeyCurrentUser, "Software\\T").empty());
  EXPECT_TRUE(ReadAllValues(reg, kHkeyCurrentUser, "Software\\T").empty());
  HKEY gone = 0;
  EXPECT_EQ(reg.RegOpenKeyA(kHkeyCurrentUser, "Software\\T", &gone), kErrorFileNotFound);

  personal::del_reg_sub(m.platform(), "HKEY_CURRENT_USER");  // a root alone: nothing
  personal::del_reg_sub(m.platform(), "HKCU\\Software");     // not a root's full name
  EXPECT_FALSE(platform::ReadSubKeyNames(reg, kHkeyCurrentUser, "Software").empty());

  test::TempMachine limited({.limitedUser = true});
  personal::del_reg_sub(limited.platform(), "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft");
  EXPECT_EQ(platform::ReadStringValue(limited.platform().Registry(), kHkeyLocalMachine,
                                      "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion",
                                      "CurrentVersion"),
            "5.1");
}

}  // namespace
}  // namespace vb
