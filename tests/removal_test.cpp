// The removal routines over small trees: what ClearD and ClearD2 log, delete
// and leave under Analyze and under Run Cleaner, and the file and folder
// lists they read. ClearDirTree (two levels measured, everything cleaned, the
// folder given kept), ClearFile's sweep (the pattern alone, in one folder:
// the rule machine's Pebble\Flat) and folders that are missing, which log
// nothing, plan_property_test holds on its machines.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/file_helpers.h"
#include "support/removal_fixture.h"

namespace vb {
namespace {

using namespace vb::win;
using Texts = std::vector<std::string>;

class RemovalTest : public test::RemovalFixture {
 protected:
  // C:\Temp\T with files of every size the log spells differently, a hidden,
  // a system and a read-only file, and a hidden subfolder two levels deep.
  void LayTree() {
    Put("Temp/T/a.txt", 0);
    Put("Temp/T/B.txt", 1024);
    Put("Temp/T/c.txt", 1025);
    Put("Temp/T/h.txt", 1536);
    Dos("Temp/T/h.txt", "0x2");
    Put("Temp/T/s.sys", 10);
    Dos("Temp/T/s.sys", "0x4");
    Put("Temp/T/r.txt", 20);
    MakeReadOnly("Temp/T/r.txt");
    Put("Temp/T/sub/d.txt", 2560);
    Dos("Temp/T", "0x2");
    Dos("Temp/T/sub", "0x2");
    Put("Temp/T/sub/deep/e.txt", 3000);
  }
  const Texts kTopLines{"C:\\Temp\\T\\a.txt 0 bytes", "C:\\Temp\\T\\B.txt 1024 bytes",
                        "C:\\Temp\\T\\c.txt 1 kb", "C:\\Temp\\T\\h.txt 2 kb"};
  const Texts kSubLines{"C:\\Temp\\T\\sub\\d.txt 2 kb", "C:\\Temp\\T\\sub\\deep\\e.txt 3 kb"};
  static Texts Join(Texts a, const Texts& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
  }
};

// Analyze measures (that it changes nothing, not even an attribute, the
// plan property holds on machines with such files and hidden folders).
TEST_F(RemovalTest, ClearD2MeasuresTheWholeTreeUnderAnalyze) {
  LayTree();
  Analyze();
  ClearD2("C:\\Temp\\T");
  EXPECT_EQ(Lines(L), Join(kTopLines, kSubLines));
  EXPECT_EQ(L.ListIndex(), L.ListCount() - 1);
  EXPECT_EQ(L2.ListCount(), 0);
}

TEST_F(RemovalTest, ClearD2DeletesTheTreeAndRemovesTheFoldersItEmptied) {
  LayTree();
  Put("Temp/T/sub/s2.sys", 7);
  Dos("Temp/T/sub/s2.sys", "0x4");
  // A file in use is neither deleted nor logged, and the run goes on.
  int fd = open(C("Temp/T/B.txt").c_str(), O_RDONLY);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(flock(fd, LOCK_EX), 0);
  Clean();
  std::string folder = "C:\\Temp\\T\\";
  ClearD2(folder);
  Texts expected = Join(kTopLines, kSubLines);
  expected.erase(expected.begin() + 1);
  EXPECT_EQ(Lines(L), expected);
  EXPECT_EQ(L2.ListCount(), 0);
  EXPECT_TRUE(Exists("Temp/T/B.txt"));
  close(fd);
  EXPECT_FALSE(Exists("Temp/T/a.txt"));
  EXPECT_FALSE(Exists("Temp/T/h.txt"));
  EXPECT_FALSE(Exists("Temp/T/sub/deep"));
  // Read-only files need the option, system files File's System filter; the
  // folder holding one stays, and the folder given always does.
  EXPECT_TRUE(Exists("Temp/T/r.txt"));
  EXPECT_TRUE(Exists("Temp/T/s.sys"));
  EXPECT_TRUE(Exists("Temp/T/sub/s2.sys"));

  L.Clear();
  ReadOnlyOption(true);
  ClearD2(folder, true);
  EXPECT_EQ(Lines(L), (Texts{"C:\\Temp\\T\\B.txt 1024 bytes", "C:\\Temp\\T\\r.txt 20 bytes",
                             "C:\\Temp\\T\\s.sys 10 bytes", "C:\\Temp\\T\\sub\\s2.sys 7 bytes"}));
  EXPECT_FALSE(Exists("Temp/T/sub"));
  EXPECT_TRUE(Exists("Temp/T"));
}

// Removing the emptied A moves T, so T's subfolders are read again before B:
// B's read-only and hidden attributes are still cleared, and B emptied.
TEST_F(RemovalTest, ClearD2ClearsTheAttributesOfSubfoldersReadAgainMidRun) {
  Put("Temp/T/A/a.txt", 1);
  Put("Temp/T/B/b.txt", 2);
  Dos("Temp/T/B", "0x2");
  ASSERT_EQ(chmod(C("Temp/T/B").c_str(), 0555), 0);
  Clean();
  std::string folder = "C:\\Temp\\T";
  ClearD2(folder);
  EXPECT_EQ(Lines(L), (Texts{"C:\\Temp\\T\\A\\a.txt 1 bytes", "C:\\Temp\\T\\B\\b.txt 2 bytes"}));
  EXPECT_FALSE(Exists("Temp/T/B"));
}

TEST_F(RemovalTest, ClearDMeasuresOneFolderButCleansTheTreeIntoBothLogs) {
  LayTree();
  Analyze();
  std::string folder = "C:\\Temp\\T";
  ClearD(folder);
  // ClearD lists system files; under Analyze no subfolder is entered.
  EXPECT_EQ(Lines(L), Join(kTopLines, {"C:\\Temp\\T\\s.sys 10 bytes"}));
  EXPECT_EQ(L2.ListCount(), 0);
  EXPECT_EQ(Attributes("Temp\\T\\sub"), kFileAttributeDirectory | kFileAttributeHidden);

  L.Clear();
  Clean();
  ReadOnlyOption(true);
  ClearD(folder);
  Texts all = Join(
      Join(kTopLines, {"C:\\Temp\\T\\r.txt 20 bytes", "C:\\Temp\\T\\s.sys 10 bytes"}), kSubLines);
  EXPECT_EQ(Lines(L), all);
  EXPECT_EQ(Lines(L2), all);
  EXPECT_EQ(L2.ListIndex(), L2.ListCount() - 1);
  // ClearD never removes folders.
  EXPECT_TRUE(Exists("Temp/T/sub/deep"));
  EXPECT_FALSE(Exists("Temp/T/sub/deep/e.txt"));
}

// Sizes of 2 GB and more are no 32-bit numbers: a sparse 3 GB dump is
// logged, measured and deleted with its real size.
TEST_F(RemovalTest, AFileOfThreeGigabytesIsLoggedWithItsRealSize) {
  constexpr off_t kSize = 3LL << 30;
  Folder("Temp/Dumps");
  int fd = open(C("Temp/Dumps/memory.dmp").c_str(), O_CREAT | O_WRONLY, 0644);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(ftruncate(fd, kSize), 0);
  close(fd);
  EXPECT_EQ(platform::FileLength(m.platform().Files(), "C:\\Temp\\Dumps\\memory.dmp"), kSize);
  const Texts expected{"C:\\Temp\\Dumps\\memory.dmp 3145728 kb"};
  for (bool analyze : {true, false}) {
    analyzeOnly = analyze;
    L.Clear();
    std::string folder = "C:\\Temp\\Dumps";
    ClearD2(folder);
    EXPECT_EQ(Lines(L), expected) << analyze;
  }
  EXPECT_FALSE(Exists("Temp/Dumps/memory.dmp"));
}

TEST_F(RemovalTest, FileListsFilterSortAndKeepWhatTheyListed) {
  Put("Temp/L/b.txt", 1);
  Put("Temp/L/A.txt", 1);
  Put("Temp/L/c.log", 1);
  Put("Temp/L/h.txt", 1);
  Dos("Temp/L/h.txt", "0x2");
  Put("Temp/L/r.txt", 1);
  MakeReadOnly("Temp/L/r.txt");
  Put("Temp/L/sub/x.txt", 1);
  engine::FileList list(m.platform().Files());
  list.SetPath("C:\\Temp\\L\\");
  EXPECT_EQ(list.Path(), "C:\\Temp\\L");
  auto names = [&list] {
    Texts out;
    for (int i = 0; i < list.ListCount(); ++i) out.push_back(list.List(i));
    return out;
  };
  EXPECT_EQ(names(), (Texts{"A.txt", "b.txt", "c.log"}));
  list.SetHidden(true);
  list.SetReadOnly(true);
  EXPECT_EQ(names(), (Texts{"A.txt", "b.txt", "c.log", "h.txt", "r.txt"}));
  list.SetPatterns({"*.log", "a*"}, false);
  EXPECT_EQ(names(), (Texts{"A.txt", "c.log"}));
  EXPECT_EQ(list.List(5), "");
  // Not changed by itself, rebuilt on Refresh.
  ASSERT_EQ(unlink(C("Temp/L/c.log").c_str()), 0);
  EXPECT_EQ(list.ListCount(), 2);
  list.Refresh();
  EXPECT_EQ(names(), Texts{"A.txt"});

  list.SetPath("C:\\");
  EXPECT_EQ(list.Path(), "C:\\");
  list.SetPath("C:");
  EXPECT_EQ(list.Path(), "C:\\");

  engine::FolderList folders(m.platform().Files());
  Folder("Temp/L/Beta");
  Folder("Temp/L/alpha");
  folders.SetPath("C:\\Temp\\L");
  ASSERT_EQ(folders.ListCount(), 3);
  EXPECT_EQ(folders.List(0), "C:\\Temp\\L\\alpha");
  EXPECT_EQ(folders.List(1), "C:\\Temp\\L\\Beta");
  EXPECT_EQ(folders.Name(2), "sub");
  folders.SetPath("C:\\");
  ASSERT_GT(folders.ListCount(), 0);
  EXPECT_EQ(folders.List(0).rfind("C:\\", 0), 0u);
  EXPECT_EQ(folders.List(0).find("\\\\"), std::string::npos);
  // A folder made since is there once the list is rebuilt.
  folders.SetPath("C:\\Temp\\L");
  EXPECT_EQ(folders.ListCount(), 3);
  Folder("Temp/L/gamma");
  folders.Refresh();
  EXPECT_EQ(folders.ListCount(), 4);
}

}  // namespace
}  // namespace vb
