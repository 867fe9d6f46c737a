// A catalogue step led to a folder no step may touch is refused with its
// line and its JSON action, under Analyze and Run Cleaner, and nothing in
// that folder changes, byte, attribute or permission. The other roads (the
// environment, "Shell Folders", a personalized folder, a rule file's
// FileKey, URL-cache and cookie entries' files) cli/safety.txt shows.
#include <sys/xattr.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>

#include "platform/registry_values.h"
#include "support/verb_runner.h"

namespace vb {
namespace {

namespace fs = std::filesystem;
using namespace vb::win;

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
