// The Recycle Bin of the emulated machine: X:\RECYCLER of each drive, its
// items and bytes, and emptying it without reaching through links.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/temp_machine.h"

namespace vb {
namespace {

using namespace vb::win;
using platform::RecycleBinInfo;
using test::ReadHostFile;
using test::WriteHostFile;
namespace fs = std::filesystem;

class RecycleBinTest : public ::testing::Test {
 protected:
  RecycleBinTest() {
    // Two items on C: (a file of 100 bytes, a folder of 30 + 20 bytes) beside
    // the bin's own files, which count for nothing.
    WriteHostFile(m.Host("drive_c/RECYCLER/S-1-5-21/Dc1.txt"), std::string(100, 'a'));
    WriteHostFile(m.Host("drive_c/RECYCLER/S-1-5-21/Dc2/x.bin"), std::string(30, 'b'));
    WriteHostFile(m.Host("drive_c/RECYCLER/S-1-5-21/Dc2/sub/INFO2"), std::string(20, 'c'));
    WriteHostFile(m.Host("drive_c/RECYCLER/Desktop.ini"), std::string(500, 'd'));
    WriteHostFile(m.Host("drive_c/RECYCLER/info2"), std::string(800, 'e'));
    WriteHostFile(m.Host("drive_c/RECYCLER/Dc3.doc"), std::string(7, 'f'));
    fs::create_directories(m.Host("drive_d/recycler"));
    WriteHostFile(m.Host("drive_d/recycler/Dd1.txt"), std::string(9, 'g'));
  }
  RecycleBinInfo Query(const char* root, HRESULT expected = kSOk) {
    RecycleBinInfo info;
    info.i64Size = 12345;
    info.i64NumItems = 678;
    EXPECT_EQ(m.platform().Shell().SHQueryRecycleBinA(root, &info), expected) << root;
    return info;
  }
  test::TempMachine m;
};

TEST_F(RecycleBinTest, QueryCountsTopLevelItemsAndEveryByteBelow) {
  for (const char* root : {"C:", "C:\\", "c:\\", "c:\\Windows\\System32"}) {
    RecycleBinInfo info = Query(root);
    EXPECT_EQ(info.i64NumItems, 2) << root;  // S-1-5-21 and Dc3.doc
    EXPECT_EQ(info.i64Size, 100 + 30 + 20 + 7) << root;
  }
  RecycleBinInfo d = Query("D:\\");
  EXPECT_EQ(d.i64NumItems, 1);
  EXPECT_EQ(d.i64Size, 9);
  RecycleBinInfo all = Query(nullptr);
  EXPECT_EQ(all.i64NumItems, 3);
  EXPECT_EQ(all.i64Size, 157 + 9);

  for (const char* root : {"Q:\\", "1:", "C", "\\\\server\\share", "CD:\\"}) {
    RecycleBinInfo bad = Query(root, kEInvalidArg);
    EXPECT_EQ(bad.i64Size, 0) << root;
    EXPECT_EQ(bad.i64NumItems, 0) << root;
  }
  fs::remove_all(m.Host("drive_d/recycler"));
  RecycleBinInfo none = Query("D:");
  EXPECT_EQ(none.i64NumItems, 0);
  EXPECT_EQ(none.i64Size, 0);
}

TEST_F(RecycleBinTest, EmptyingRemovesTheItemsAndKeepsTheBinFiles) {
  ASSERT_EQ(m.platform().Shell().SHEmptyRecycleBinA(0, "c:\\", kSherbNoConfirmation), kSOk);
  EXPECT_FALSE(fs::exists(m.Host("drive_c/RECYCLER/S-1-5-21")));
  EXPECT_FALSE(fs::exists(m.Host("drive_c/RECYCLER/Dc3.doc")));
  EXPECT_EQ(ReadHostFile(m.Host("drive_c/RECYCLER/Desktop.ini")), std::string(500, 'd'));
  EXPECT_EQ(ReadHostFile(m.Host("drive_c/RECYCLER/info2")), std::string(800, 'e'));
  EXPECT_TRUE(fs::exists(m.Host("drive_d/recycler/Dd1.txt")));
  RecycleBinInfo c = Query("C:");
  EXPECT_EQ(c.i64NumItems, 0);
  EXPECT_EQ(c.i64Size, 0);

  // Every drive when no root is given.
  ASSERT_EQ(m.platform().Shell().SHEmptyRecycleBinA(0, nullptr, 0), kSOk);
  EXPECT_FALSE(fs::exists(m.Host("drive_d/recycler/Dd1.txt")));
  EXPECT_EQ(m.platform().Shell().SHEmptyRecycleBinA(0, "Z:", 0), kEInvalidArg);
}

TEST_F(RecycleBinTest, EmptyingRemovesLinksAsLinksAndLeavesFilesInUse) {
  std::string outside = m.folder() + "-outside";
  WriteHostFile(outside + "/keep/precious.txt", "precious");
  ASSERT_EQ(symlink((outside + "/keep").c_str(), m.Host("drive_c/RECYCLER/DirLink").c_str()), 0);
  ASSERT_EQ(symlink((outside + "/keep/precious.txt").c_str(),
                    m.Host("drive_c/RECYCLER/S-1-5-21/FileLink").c_str()),
            0);
  // Links count as items but add no bytes, and nothing outside is measured.
  RecycleBinInfo before = Query("C:");
  EXPECT_EQ(before.i64NumItems, 3);
  EXPECT_EQ(before.i64Size, 157);

  int fd = open(m.Host("drive_c/RECYCLER/Dc3.doc").c_str(), O_RDONLY);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(flock(fd, LOCK_EX), 0);
  EXPECT_EQ(m.platform().Shell().SHEmptyRecycleBinA(0, "C:", 0), kEFail);
  close(fd);
  EXPECT_TRUE(fs::exists(m.Host("drive_c/RECYCLER/Dc3.doc")));
  EXPECT_FALSE(fs::exists(fs::symlink_status(m.Host("drive_c/RECYCLER/DirLink"))));
  EXPECT_FALSE(fs::exists(m.Host("drive_c/RECYCLER/S-1-5-21")));
  EXPECT_EQ(ReadHostFile(outside + "/keep/precious.txt"), "precious");

  // A RECYCLER that is itself a link to a folder outside is no bin.
  fs::remove_all(m.Host("drive_d/recycler"));
  ASSERT_EQ(symlink((outside + "/keep").c_str(), m.Host("drive_d/RECYCLER").c_str()), 0);
  EXPECT_EQ(Query("D:").i64NumItems, 0);
  EXPECT_EQ(m.platform().Shell().SHEmptyRecycleBinA(0, "D:", 0), kSOk);
  EXPECT_EQ(ReadHostFile(outside + "/keep/precious.txt"), "precious");
  fs::remove_all(outside);
}

}  // namespace
}  // namespace vb
