// The program's listing and deletion helpers over the emulated machine:
// attribute filters, dots, patterns, and DeleteFiles' partial failures.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/emulated/emulated_file_system.h"
#include "platform/entry_lister.h"
#include "platform/file_helpers.h"
#include "support/temp_machine.h"

namespace vb {
namespace {

using namespace vb::win;
using platform::EntryLister;
using test::WriteHostFile;
namespace fs = std::filesystem;

class EntryListerTest : public ::testing::Test {
 protected:
  EntryListerTest() {
    WriteHostFile(m.Host("drive_c/Box/plain.txt"), "1");
    WriteHostFile(m.Host("drive_c/Box/readonly.txt"), "22");
    WriteHostFile(m.Host("drive_c/Box/hidden.txt"), "333");
    WriteHostFile(m.Host("drive_c/Box/system.log"), "4444");
    WriteHostFile(m.Host("drive_c/Box/ZALog1"), "z");
    WriteHostFile(m.Host("drive_c/Box/ZALog2.txt"), "z");
    fs::create_directories(m.Host("drive_c/Box/Folder"));
    fs::create_directories(m.Host("drive_c/Box/HiddenFolder"));
    chmod(m.Host("drive_c/Box/readonly.txt").c_str(), 0444);
    Dos("drive_c/Box/hidden.txt", "0x2");
    Dos("drive_c/Box/system.log", "0x4");
    Dos("drive_c/Box/HiddenFolder", "0x2");
  }
  void Dos(const std::string& relative, const char* value) {
    ASSERT_EQ(setxattr(m.Host(relative).c_str(), emu::kDosAttribXattr, value, strlen(value), 0), 0);
  }
  std::vector<std::string> All(const std::string& pattern, DWORD attributes) {
    EntryLister lister(m.platform().Files());
    std::vector<std::string> names;
    std::string name = lister.ListEntries(pattern, attributes);
    for (; !name.empty(); name = lister.NextEntry()) names.push_back(name);
    EXPECT_EQ(lister.NextEntry(), "");
    return names;
  }
  test::TempMachine m;
};

TEST_F(EntryListerTest, AttributeFiltersLeaveOutHiddenAndSystemEntries) {
  std::vector<std::string> files = {"plain.txt", "readonly.txt", "ZALog1", "ZALog2.txt"};
  EXPECT_EQ(All("C:\\Box\\*.*", 0), files);
  EXPECT_EQ(All("c:\\box\\*.*", 32), files);
  EXPECT_EQ(All("C:\\Box\\*.*", 16),
            (std::vector<std::string>{".", "..", "Folder", "plain.txt", "readonly.txt", "ZALog1",
                                      "ZALog2.txt"}));
  EXPECT_EQ(All("C:\\Box\\", 0), files);
  EXPECT_EQ(All("C:\\Box\\ZALog*.*", 0), (std::vector<std::string>{"ZALog1", "ZALog2.txt"}));
  EXPECT_EQ(All("C:\\Box\\*.log", 0), std::vector<std::string>{});
  EXPECT_EQ(All("C:\\Box\\hidden.txt", 0), std::vector<std::string>{});
  EXPECT_EQ(All("C:\\Box\\Folder", 0), std::vector<std::string>{});
  EXPECT_EQ(All("C:\\Box\\folder", 16), std::vector<std::string>{"Folder"});
  EXPECT_EQ(All("C:\\Missing\\*.*", 16), std::vector<std::string>{});
  // The dots even in a hidden folder; none in a drive root.
  EXPECT_EQ(All("C:\\Box\\HiddenFolder\\*.*", 16), (std::vector<std::string>{".", ".."}));
  std::vector<std::string> root = All("C:\\*.*", 16);
  ASSERT_FALSE(root.empty());
  EXPECT_EQ(std::count(root.begin(), root.end(), "."), 0);
  EXPECT_EQ(std::count(root.begin(), root.end(), ".."), 0);
  EXPECT_EQ(std::count(root.begin(), root.end(), "Box"), 1);
}

TEST_F(EntryListerTest, ANewListingReplacesTheOldOne) {
  EntryLister lister(m.platform().Files());
  EXPECT_EQ(lister.ListEntries("C:\\Box\\*.txt", 0), "plain.txt");
  EXPECT_EQ(lister.ListEntries("C:\\Box\\ZALog*.*", 0), "ZALog1");
  EXPECT_EQ(lister.NextEntry(), "ZALog2.txt");
  EXPECT_EQ(lister.NextEntry(), "");
  EXPECT_EQ(lister.NextEntry(), "");
  EXPECT_EQ(lister.ListEntries("", 0), "");
}

TEST_F(EntryListerTest, DeleteFilesTriesEveryMatchAndReportsTheFirstFailure) {
  int fd = open(m.Host("drive_c/Box/ZALog1").c_str(), O_RDONLY);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(flock(fd, LOCK_EX), 0);
  platform::FileSystemApi& files = m.platform().Files();
  EXPECT_EQ(platform::DeleteFiles(files, "C:\\Box\\*.*"), kErrorAccessDenied);
  close(fd);
  // Only the plain files that could go are gone; hidden, system and folders stay.
  EXPECT_EQ(All("C:\\Box\\*.*", 16),
            (std::vector<std::string>{".", "..", "Folder", "readonly.txt", "ZALog1"}));
  EXPECT_TRUE(fs::exists(m.Host("drive_c/Box/hidden.txt")));
  EXPECT_TRUE(fs::exists(m.Host("drive_c/Box/system.log")));
  EXPECT_EQ(platform::DeleteFiles(files, "C:\\Box\\*.txt"), kErrorAccessDenied);
  EXPECT_EQ(platform::DeleteFiles(files, "c:\\box\\zalog1"), kErrorSuccess);
  EXPECT_EQ(platform::DeleteFiles(files, "C:\\Box\\*.exe"), kErrorFileNotFound);
  EXPECT_EQ(platform::DeleteFiles(files, "C:\\Box\\hidden.txt"), kErrorFileNotFound);
  EXPECT_EQ(platform::DeleteFiles(files, "C:\\Gone\\*.*"), kErrorPathNotFound);
  EXPECT_EQ(platform::FileLength(files, "C:\\Box\\system.log"), 4);
  EXPECT_EQ(platform::FileLength(files, "C:\\Box\\Folder"), 0);
}

}  // namespace
}  // namespace vb
