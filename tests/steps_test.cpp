// The step vocabulary's interpreter: where folders start, the registry steps
// that name several values, routines by name, and the routine table's checks.
#include <gtest/gtest.h>

#include <set>

#include "engine/file_lists.h"
#include "engine/steps.h"
#include "platform/registry_values.h"
#include "support/temp_machine.h"
#include "toolkit/application.h"
#include "toolkit/form.h"

namespace vb {
namespace {

using namespace vb::win;
using namespace vb::engine;

class StepsTest : public ::testing::Test {
 protected:
  platform::Platform& p() { return m.platform(); }
  void Run(const std::vector<Step>& steps) {
    StepContext context{p(), removal, routines};
    RunSteps(context, steps);
  }
  std::set<std::string> ValueNames(const char* key) {
    std::set<std::string> names;
    for (const auto& v : platform::ReadAllValues(p().Registry(), kHkeyCurrentUser, key))
      names.insert(v.name);
    return names;
  }

  test::TempMachine m;
  toolkit::Application app{p()};
  toolkit::Form form{app, "Form1"};
  toolkit::ListBox& L = form.Add<toolkit::ListBox>("L");
  toolkit::ListBox& L2 = form.Add<toolkit::ListBox>("L2");
  bool analyzeOnly = false, shallow = false;
  FileList file{p().Files()}, file1{p().Files()}, file2{p().Files()};
  FolderList dir1{p().Files()}, dir3{p().Files()};
  RemovalContext removal{p(), L, L2, analyzeOnly, shallow, file, file1, file2, dir1, dir3};
  RoutineTable routines;
};

TEST_F(StepsTest, FoldersStartWhereTheirBaseSaysReadAfreshEachTime) {
  EXPECT_EQ(FolderPath(p(), SystemRoot("\\Temp")), "C:\\WINDOWS\\Temp");
  // Environment names are looked up without regard to case.
  EXPECT_EQ(FolderPath(p(), {Base::kEnvironment, "systemroot", ""}), "C:\\WINDOWS");
  EXPECT_EQ(FolderPath(p(), UserFolder("Cookies")), "C:\\Documents and Settings\\User\\Cookies");
  EXPECT_EQ(FolderPath(p(), NtRoot("\\Debug")), "C:\\WINDOWS\\Debug");
  // No base: the tail alone, at the root of the current drive.
  EXPECT_EQ(FolderPath(p(), {Base::kEnvironment, "NoSuchVariable", "\\Logs"}), "\\Logs");
  platform::WriteString(p().Registry(), kHkeyCurrentUser,
                        "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                        "Cookies", "D:\\Moved");
  EXPECT_EQ(FolderPath(p(), UserFolder("Cookies", "\\x")), "D:\\Moved\\x");
}

TEST_F(StepsTest, RangesDeleteExactlyTheirValuesAndRoutinesRunByName) {
  const char* key = "Software\\Steps";
  for (const char* v : {"0", "1", "7", "8", "10", "a", "c", "d", "MRUList"})
    platform::WriteString(p().Registry(), kHkeyCurrentUser, key, v, v);
  int called = 0;
  routines.Set(Routine::kTemp, [&] { ++called; });
  Run({NumberedValues(kHkeyCurrentUser, key, 0, 7), LetteredValues(kHkeyCurrentUser, key, 'a', 'c'),
       Call(Routine::kTemp), Call(Routine::kTemp)});
  EXPECT_EQ(ValueNames(key), (std::set<std::string>{"10", "8", "d", "MRUList"}));
  EXPECT_EQ(called, 2);
}

TEST_F(StepsTest, TheRoutineTableHoldsOneImplementationOfEach) {
  routines.Set(Routine::kWinTemp, [] {});
  EXPECT_THROW(routines.Set(Routine::kWinTemp, [] {}), std::logic_error);
  EXPECT_THROW(routines.Run(Routine::kPrefetch), std::logic_error);
  EXPECT_EQ(routines.Missing().size(), static_cast<std::size_t>(kRoutineCount - 1));
  EXPECT_STREQ(RoutineName(Routine::kClearStreamMRU), "ClearStreamMRU");
}

}  // namespace
}  // namespace vb
