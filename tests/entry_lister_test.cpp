// The program's listing and deletion helpers over the emulated machine, in
// the cases the conformance suite leaves out: the filters the program passes,
// names given without a wildcard, dots, a listing started over, and which
// refusal DeleteFiles reports.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/emulated/emulated_file_system.h"
#include "platform/entry_lister.h"
#include "platform/file_helpers.h"
#include "support/temp_machine.h"

namespace vb {
namespace {

using platform::EntryLister;
using Names = std::vector<std::string>;

class EntryListerTest : public ::testing::Test {
 protected:
  EntryListerTest() {
    for (const char* name : {"plain.txt", "readonly.txt", "hidden.txt", "ZALog1", "ZALog2.txt"})
      test::WriteHostFile(m.Host("drive_c/Box/") + name, "x");
    std::filesystem::create_directories(m.Host("drive_c/Box/Folder"));
    std::filesystem::create_directories(m.Host("drive_c/Box/HiddenFolder"));
    chmod(m.Host("drive_c/Box/readonly.txt").c_str(), 0444);
    for (const char* hidden : {"drive_c/Box/hidden.txt", "drive_c/Box/HiddenFolder"})
      EXPECT_EQ(setxattr(m.Host(hidden).c_str(), emu::kDosAttribXattr, "0x2", 3, 0), 0);
  }
  Names All(const std::string& pattern, win::DWORD attributes) {
    EntryLister lister(m.platform().Files());
    Names names;
    for (std::string n = lister.ListEntries(pattern, attributes); !n.empty(); n = lister.NextEntry())
      names.push_back(n);
    EXPECT_EQ(lister.NextEntry(), "");
    return names;
  }
  test::TempMachine m;
};

TEST_F(EntryListerTest, ListsWhatEachFilterAsksForAndStartsOverWhenAsked) {
  Names files = {"plain.txt", "readonly.txt", "ZALog1", "ZALog2.txt"};
  EXPECT_EQ(All("c:\\box\\*.*", platform::kListWithArchive), files);
  EXPECT_EQ(All("C:\\Box\\", platform::kListPlainFiles), files);
  EXPECT_EQ(All("C:\\Box\\hidden.txt", platform::kListPlainFiles), Names{});
  EXPECT_EQ(All("C:\\Box\\Folder", platform::kListPlainFiles), Names{});
  EXPECT_EQ(All("C:\\Box\\folder", platform::kListWithFolders), Names{"Folder"});
  EXPECT_EQ(All("C:\\Missing\\*.*", platform::kListWithFolders), Names{});
  // The dots even in a hidden folder; none in a drive root.
  EXPECT_EQ(All("C:\\Box\\HiddenFolder\\*.*", platform::kListWithFolders), (Names{".", ".."}));
  Names root = All("C:\\*.*", platform::kListWithFolders);
  EXPECT_EQ(std::count(root.begin(), root.end(), "."), 0);
  EXPECT_EQ(std::count(root.begin(), root.end(), "Box"), 1);

  EntryLister lister(m.platform().Files());
  EXPECT_EQ(lister.ListEntries("C:\\Box\\*.txt", 0), "plain.txt");
  EXPECT_EQ(lister.ListEntries("C:\\Box\\ZALog*.*", 0), "ZALog1");
  EXPECT_EQ(lister.NextEntry(), "ZALog2.txt");
  EXPECT_EQ(lister.NextEntry(), "");
  EXPECT_EQ(lister.NextEntry(), "");
  EXPECT_EQ(lister.ListEntries("", 0), "");
}

TEST_F(EntryListerTest, DeleteFilesReportsTheFirstRefusalAndNeverAHiddenFile) {
  int fd = open(m.Host("drive_c/Box/ZALog1").c_str(), O_RDONLY);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(flock(fd, LOCK_EX), 0);
  platform::FileSystemApi& files = m.platform().Files();
  // readonly.txt is refused before ZALog1, which is in use.
  EXPECT_EQ(platform::DeleteFiles(files, "C:\\Box\\*.*"), win::kErrorAccessDenied);
  close(fd);
  EXPECT_EQ(All("C:\\Box\\*.*", platform::kListWithFolders),
            (Names{".", "..", "Folder", "readonly.txt", "ZALog1"}));
  EXPECT_EQ(platform::DeleteFiles(files, "c:\\box\\zalog1"), win::kErrorSuccess);
  EXPECT_EQ(platform::DeleteFiles(files, "C:\\Box\\hidden.txt"), win::kErrorFileNotFound);
  EXPECT_TRUE(std::filesystem::exists(m.Host("drive_c/Box/hidden.txt")));
}

}  // namespace
}  // namespace vb
