// The step vocabulary's interpreter: where folders start, the registry steps
// that name several values, routines by name, and the routine table's checks.
#include <gtest/gtest.h>

#include <sqlite3.h>

#include "support/other_writer.h"
#include "support/steps_fixture.h"

namespace vb {
namespace {

using namespace vb::win;
using namespace vb::engine;

using StepsTest = test::StepsFixture;

TEST_F(StepsTest, FoldersStartWhereTheirBaseSaysReadAfreshEachTime) {
  EXPECT_EQ(places.PathText(SystemRoot("\\Temp")), "C:\\WINDOWS\\Temp");
  // Environment names are looked up without regard to case.
  EXPECT_EQ(places.PathText(engine::Folder{Base::kEnvironment, "systemroot", ""}), "C:\\WINDOWS");
  EXPECT_EQ(places.PathText(UserFolder("Cookies")), "C:\\Documents and Settings\\User\\Cookies");
  EXPECT_EQ(places.PathText(NtRoot("\\Debug")), "C:\\WINDOWS\\Debug");
  // No base: the tail alone, at the root of the current drive.
  EXPECT_EQ(places.PathText(engine::Folder{Base::kEnvironment, "NoSuchVariable", "\\Logs"}), "\\Logs");
  platform::WriteString(p().Registry(), kHkeyCurrentUser,
                        "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                        "Cookies", "D:\\Moved");
  EXPECT_EQ(places.PathText(UserFolder("Cookies", "\\x")), "D:\\Moved\\x");
}

TEST_F(StepsTest, RangesDeleteExactlyTheirValuesAndRoutinesRunByName) {
  const char* key = "Software\\Steps";
  for (const char* v : {"0", "1", "7", "8", "10", "a", "c", "d", "MRUList"})
    platform::WriteString(p().Registry(), kHkeyCurrentUser, key, v, v);
  int called = 0;
  routines.Set(Routine::kRar, [&] { ++called; });
  Run({NumberedValues(kHkeyCurrentUser, key, 0, 7), LetteredValues(kHkeyCurrentUser, key, 'a', 'c'),
       Call(Routine::kRar), Call(Routine::kRar)});
  EXPECT_EQ(ValueNames(key), (std::set<std::string>{"10", "8", "d", "MRUList"}));
  EXPECT_EQ(called, 2);
}

// A deletion the registry fails (here: another program holds its write lock
// past the wait) is a line in the results and a failed action; what is not
// there is nothing to delete, locked or not.
TEST_F(StepsTest, ADeletionTheRegistryFailsIsALineAndAFailedAction) {
  platform::WriteString(p().Registry(), kHkeyCurrentUser, "Software\\Held", "v", "x");
  platform::WriteString(p().Registry(), kHkeyCurrentUser, "Software\\Held\\Sub", "w", "x");
  engine::RunTally tally;
  std::vector<Action> failed;
  tally.onAction = [&](const Action& a) { failed.push_back(a); };
  removal.tally = &tally;
  test::OtherWriter other(m.folder());
  sqlite3_busy_timeout(m.machine().Db().handle(), 0);
  Run({DeleteValue(kHkeyCurrentUser, "Software\\Held", "v"),
       DeleteKey(kHkeyCurrentUser, "Software\\Held\\Sub"),
       DeleteTree(kHkeyCurrentUser, "Software\\Held"),
       DeleteValue(kHkeyCurrentUser, "Software\\Held", "missing"),
       DeleteKey(kHkeyCurrentUser, "Software\\Missing")});
  const std::string busy = "The registry is busy: another program is changing it.";
  EXPECT_EQ(LogLines(), (std::vector<std::string>{
                            "Could not delete the value v of HKEY_CURRENT_USER\\Software\\Held: " + busy,
                            "Could not delete HKEY_CURRENT_USER\\Software\\Held\\Sub: " + busy,
                            "Could not delete HKEY_CURRENT_USER\\Software\\Held\\Sub: " + busy}));
  EXPECT_EQ(tally.failed, 3u);
  ASSERT_EQ(failed.size(), 3u);
  EXPECT_EQ(failed[0].kind, ActionKind::kFailed);
  EXPECT_EQ(failed[0].value, "v");
  EXPECT_EQ(failed[0].name, busy);
  EXPECT_EQ(failed[2].path, "HKEY_CURRENT_USER\\Software\\Held\\Sub");
  other.Commit();
  EXPECT_TRUE(KeyExists("Software\\Held\\Sub"));
}

// A numbered read-and-delete loop stops after the first value that reads
// empty; under Analyze the steps after a CleanerOnly marker do not run.
TEST_F(StepsTest, LoopsStopAtTheFirstEmptyValueAndAnalyzeAtTheMarker) {
  const char* key = "Software\\Loop";
  for (const char* v : {"m1", "m2", "m3", "m5"})
    platform::WriteString(p().Registry(), kHkeyCurrentUser, key, v, v);
  platform::WriteString(p().Registry(), kHkeyCurrentUser, "Software\\Loop\\K2", "v", "x");
  platform::WriteString(p().Registry(), kHkeyCurrentUser, "Software\\Loop\\K9", "v", "x");
  std::vector<Step> steps = {ValuesUntilEmpty(kHkeyCurrentUser, key, "m", 1, 100), CleanerOnly(),
                             NumberedKeys(kHkeyCurrentUser, "Software\\Loop\\K", 1, 8)};
  analyzeOnly = true;
  Run(steps);
  EXPECT_EQ(ValueNames(key), std::set<std::string>{"m5"});
  EXPECT_TRUE(KeyExists("Software\\Loop\\K2"));
  analyzeOnly = false;
  Run(steps);
  EXPECT_FALSE(KeyExists("Software\\Loop\\K2"));
  EXPECT_TRUE(KeyExists("Software\\Loop\\K9"));
}

TEST_F(StepsTest, TheRoutineTableHoldsOneImplementationOfEach) {
  routines.Set(Routine::kCover, [] {});
  EXPECT_THROW(routines.Set(Routine::kCover, [] {}), std::logic_error);
  EXPECT_THROW(routines.Run(Routine::kHistory), std::logic_error);
  EXPECT_EQ(routines.Missing().size(), static_cast<std::size_t>(kRoutineCount - 1));
  EXPECT_STREQ(RoutineName(Routine::kFirefoxSavedFormInfo), "Delete_SavedFormInfo");
}

}  // namespace
}  // namespace vb
