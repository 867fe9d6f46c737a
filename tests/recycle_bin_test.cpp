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
using test::ReadHostFile;
using test::WriteHostFile;
namespace fs = std::filesystem;

class RecycleBinTest : public ::testing::Test {
 protected:
  RecycleBinTest() {
    // Two items on C: (a file of 100 bytes, a folder of 30 + 20 bytes) beside
    // the bin's own files, which count for nothing; one of 9 bytes on D:.
    WriteHostFile(m.Host("drive_c/RECYCLER/S-1-5-21/Dc1.txt"), std::string(100, 'a'));
    WriteHostFile(m.Host("drive_c/RECYCLER/S-1-5-21/Dc2/x.bin"), std::string(30, 'b'));
    WriteHostFile(m.Host("drive_c/RECYCLER/S-1-5-21/Dc2/sub/INFO2"), std::string(20, 'c'));
    WriteHostFile(m.Host("drive_c/RECYCLER/Desktop.ini"), std::string(500, 'd'));
    WriteHostFile(m.Host("drive_c/RECYCLER/info2"), std::string(800, 'e'));
    WriteHostFile(m.Host("drive_c/RECYCLER/Dc3.doc"), std::string(7, 'f'));
    WriteHostFile(m.Host("drive_d/recycler/Dd1.txt"), std::string(9, 'g'));
  }
  // Items and bytes; the info is zeroed when the query fails as expected.
  std::pair<std::int64_t, std::int64_t> Query(const char* root, HRESULT expected = kSOk) {
    platform::RecycleBinInfo info;
    info.i64Size = info.i64NumItems = 12345;
    EXPECT_EQ(m.platform().Shell().SHQueryRecycleBinA(root, &info), expected) << root;
    return {info.i64NumItems, info.i64Size};
  }
  HRESULT Empty(const char* root) { return m.platform().Shell().SHEmptyRecycleBinA(0, root, 0); }
  using Count = std::pair<std::int64_t, std::int64_t>;
  test::TempMachine m;
};

TEST_F(RecycleBinTest, QueryCountsTopLevelItemsAndEveryByteBelow) {
  for (const char* root : {"C:", "c:\\", "c:\\Windows\\System32"})
    EXPECT_EQ(Query(root), Count(2, 100 + 30 + 20 + 7)) << root;  // S-1-5-21 and Dc3.doc
  EXPECT_EQ(Query("D:\\"), Count(1, 9));
  EXPECT_EQ(Query(nullptr), Count(3, 157 + 9));
  for (const char* root : {"Q:\\", "1:", "C", "\\\\server\\share", "CD:\\"})
    EXPECT_EQ(Query(root, kEInvalidArg), Count(0, 0)) << root;
  fs::remove_all(m.Host("drive_d/recycler"));
  EXPECT_EQ(Query("D:"), Count(0, 0));
}

// Emptying removes the items, links as links, and keeps the bin's own files
// and a file in use; a RECYCLER that is itself a link is no bin.
TEST_F(RecycleBinTest, EmptyingRemovesTheItemsAndLinksAsLinksAndLeavesFilesInUse) {
  std::string outside = m.folder() + "-outside";
  WriteHostFile(outside + "/keep/precious.txt", "precious");
  ASSERT_EQ(symlink((outside + "/keep").c_str(), m.Host("drive_c/RECYCLER/DirLink").c_str()), 0);
  ASSERT_EQ(symlink((outside + "/keep/precious.txt").c_str(),
                    m.Host("drive_c/RECYCLER/S-1-5-21/FileLink").c_str()),
            0);
  // Links count as items but add no bytes, and nothing outside is measured.
  EXPECT_EQ(Query("C:"), Count(3, 157));

  int fd = open(m.Host("drive_c/RECYCLER/Dc3.doc").c_str(), O_RDONLY);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(flock(fd, LOCK_EX), 0);
  EXPECT_EQ(m.platform().Shell().SHEmptyRecycleBinA(0, "c:\\", kSherbNoConfirmation), kEFail);
  close(fd);
  EXPECT_TRUE(fs::exists(m.Host("drive_c/RECYCLER/Dc3.doc")));
  EXPECT_FALSE(fs::exists(fs::symlink_status(m.Host("drive_c/RECYCLER/DirLink"))));
  EXPECT_FALSE(fs::exists(m.Host("drive_c/RECYCLER/S-1-5-21")));
  EXPECT_TRUE(fs::exists(m.Host("drive_d/recycler/Dd1.txt")));
  // Every drive when no root is given.
  ASSERT_EQ(Empty(nullptr), kSOk);
  EXPECT_EQ(Query("C:"), Count(0, 0));
  EXPECT_EQ(ReadHostFile(m.Host("drive_c/RECYCLER/Desktop.ini")), std::string(500, 'd'));
  EXPECT_EQ(ReadHostFile(m.Host("drive_c/RECYCLER/info2")), std::string(800, 'e'));
  EXPECT_FALSE(fs::exists(m.Host("drive_d/recycler/Dd1.txt")));
  EXPECT_EQ(Empty("Z:"), kEInvalidArg);

  fs::remove_all(m.Host("drive_d/recycler"));
  ASSERT_EQ(symlink((outside + "/keep").c_str(), m.Host("drive_d/RECYCLER").c_str()), 0);
  EXPECT_EQ(Query("D:").first, 0);
  EXPECT_EQ(Empty("D:"), kSOk);
  EXPECT_EQ(ReadHostFile(outside + "/keep/precious.txt"), "precious");
  fs::remove_all(outside);
}

}  // namespace
}  // namespace vb
