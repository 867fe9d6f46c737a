// ClearD over a small tree, and the file and folder lists the removal
// routines and the main window read. What ClearD2 and ClearDirTree log,
// delete and leave (hidden, system and read-only files and folders, sizes
// past 2 GB, folders emptied mid-run) cli/removal.txt shows through the items
// that run them; files in use, removal_safety_test; missing folders and
// ClearFile's sweep, plan_property_test on its machines.
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

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
