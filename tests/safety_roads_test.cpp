// Every road by which a target reaches deletion, led to a folder no step may
// touch: the environment, "Shell Folders", a personalized folder, a rule
// file's FileKey, a URL-cache entry's file and a catalogue step. Each is
// refused with its line and its JSON action, under Analyze and Run Cleaner,
// and nothing in that folder changes.
#include <sys/xattr.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>

#include "platform/registry_values.h"
#include "registry/settings_store.h"
#include "support/verb_runner.h"

namespace vb {
namespace {

namespace fs = std::filesystem;
using namespace vb::win;

constexpr const char* kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr const char* kProfile = "C:\\Documents and Settings\\User";

class SafetyRoads : public ::testing::Test {
 public:
  test::Ran Verb(const std::string& verb, const std::vector<std::string>& args) {
    return test::RunVerb(*m, verb, args);
  }
  void Set(HKEY root, const char* key, const char* name, const std::string& text) {
    ASSERT_EQ(platform::WriteString(m->platform().Registry(), root, key, name, text), kErrorSuccess);
  }
  std::string Host(const std::string& belowC) const { return m->Host("drive_c/" + belowC); }
  void Put(const std::string& belowC) { test::WriteHostFile(Host(belowC), "precious " + belowC); }
  // Every entry below a folder of drive C: bytes or link target, and the
  // DOS attributes kept beside them.
  std::map<std::string, std::string> Snapshot(const std::string& belowC) const {
    std::map<std::string, std::string> all;
    for (const auto& e : fs::recursive_directory_iterator(Host(belowC))) {
      char dos[16] = {};
      getxattr(e.path().c_str(), "user.DOSATTRIB", dos, sizeof dos - 1);
      all[e.path()] = (e.is_symlink()    ? "link " + fs::read_symlink(e.path()).string()
                       : e.is_directory() ? std::string("folder")
                                          : test::ReadHostFile(e.path())) +
                      " " + dos + " " + std::to_string(static_cast<int>(e.status().permissions()));
    }
    return all;
  }

  std::unique_ptr<test::TempMachine> m;
};

struct Road {
  const char* name;
  std::function<void(SafetyRoads&)> plant;
  const char* select;
  std::string refused;  // the folder, link or URL the results name
  const char* why;
  const char* place;  // below drive C:, what must stay as it is
};

TEST_F(SafetyRoads, EveryRoadToAProtectedFolderIsRefusedWithItsLineAndLeavesItAsItIs) {
  const std::string appData = std::string(kProfile) + "\\Application Data";
  const std::vector<Road> roads = {
      {"the user's temporary folder",
       [](SafetyRoads& t) {
         for (const char* v : {"TEMP", "TMP"})
           t.Set(kHkeyCurrentUser, "Environment", v, "C:\\WINDOWS\\system32");
         t.m->Reopen();
       },
       "SysTemp", "C:\\WINDOWS\\system32", "protected folder", "WINDOWS/system32"},
      {"Shell Folders: Cookies",
       [](SafetyRoads& t) { t.Set(kHkeyCurrentUser, kShellFolders, "Cookies", "C:\\WINDOWS"); },
       "Cook", "C:\\WINDOWS", "protected folder", "WINDOWS"},
      {"Shell Folders: Recent",
       [](SafetyRoads& t) {
         t.Set(kHkeyCurrentUser, kShellFolders, "Recent", std::string(kProfile) + "\\My Documents");
       },
       "rdocs", std::string(kProfile) + "\\My Documents", "protected folder",
       "Documents and Settings/User/My Documents"},
      {"Shell Folders: History",
       [](SafetyRoads& t) {
         t.Set(kHkeyCurrentUser, kShellFolders, "History", "C:\\Documents and Settings");
       },
       "ieurlhist", "C:\\Documents and Settings", "protected folder", "Documents and Settings"},
      {"a personalized folder",
       [](SafetyRoads& t) {
         registry::settings::AddListEntry(t.m->platform(), registry::settings::kFolders,
                                          "c:/windows/.");
         registry::settings::SaveSetting(t.m->platform().Registry(), registry::settings::kAppName,
                                         registry::settings::kSettings, "(Opt)Clean Personalized",
                                         "1");
       },
       "Check8", "c:\\windows", "protected folder", "WINDOWS"},
      {"a rule file's folder",
       [](SafetyRoads& t) {
         fs::create_directory_symlink(t.Host("WINDOWS/system32"),
                                      t.Host("Documents and Settings/User/Application Data/Sneak"));
         test::WriteHostFile(t.Host("Program Files/Vanbrisk/winapp2.ini"),
                             "[Sneak *]\nFileKey1=%AppData%\\Sneak|*.*|REMOVESELF\n");
       },
       "Sneak", appData + "\\Sneak", "a link", "WINDOWS/system32"},
      {"a URL-cache entry's file",
       [](SafetyRoads& t) {
         EXPECT_EQ(t.m->platform().UrlCache().CommitUrlCacheEntryA(
                       "http://evil.example/", "C:\\WINDOWS\\system32\\cmd.exe", kNormalCacheEntry),
                   kErrorSuccess);
       },
       "ietemp", "http://evil.example/",
       "its file C:\\WINDOWS\\system32\\cmd.exe lies outside the cache folders", "WINDOWS/system32"},
      {"a cookie entry's file",
       [](SafetyRoads& t) {
         EXPECT_EQ(t.m->platform().UrlCache().CommitUrlCacheEntryA(
                       "Cookie:user@evil.example/", "C:\\WINDOWS\\system32\\cmd.exe",
                       kCookieCacheEntry),
                   kErrorSuccess);
       },
       "Cook", "Cookie:user@evil.example/",
       "its file C:\\WINDOWS\\system32\\cmd.exe lies outside the cache folders", "WINDOWS/system32"},
      {"a catalogue step",
       [](SafetyRoads& t) {
         t.Set(kHkeyClassesRoot, "CLSID\\{D27CDB6E-AE6D-11cf-96B8-444553540000}", "", "Flash");
         fs::create_directories(t.Host("Documents and Settings/User/Application Data/Macromedia"));
         fs::create_directory_symlink(
             t.Host("WINDOWS/system32"),
             t.Host("Documents and Settings/User/Application Data/Macromedia/Flash Player"));
       },
       "Macromedia FlashPlayer", appData + "\\Macromedia\\Flash Player", "a link",
       "WINDOWS/system32"},
  };
  for (const Road& road : roads) {
    SCOPED_TRACE(road.name);
    m = std::make_unique<test::TempMachine>();
    test::PassCleanerWarning(*m);
    for (const char* file : {"WINDOWS/system32/cmd.exe", "WINDOWS/system32/drivers/disk.sys",
                             "WINDOWS/win.log", "Documents and Settings/User/My Documents/thesis.doc",
                             "Documents and Settings/User/ntuser.dat"})
      Put(file);
    road.plant(*this);
    const std::map<std::string, std::string> before = Snapshot(road.place);
    const std::string line = "Skipped " + road.refused + ": " + road.why;
    for (const char* verb : {"analyze", "clean"}) {
      std::vector<std::string> args = {"--select", road.select};
      if (std::string(verb) == "clean") args.push_back("--yes");
      test::Ran text = Verb(verb, args);
      ASSERT_EQ(text.code, 0) << verb << text.err;
      EXPECT_NE(text.out.find(line + "\n"), std::string::npos) << verb << "\n" << text.out;
      args.push_back("--json");
      test::Ran json = Verb(verb, args);
      EXPECT_NE(json.out.find("\"action\": \"refused\""), std::string::npos) << verb << json.out;
      EXPECT_EQ(Snapshot(road.place), before) << verb;
    }
  }
}

}  // namespace
}  // namespace vb
