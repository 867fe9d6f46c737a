// attrib: showing and changing DOS attributes of the emulated machine.
#include <sys/stat.h>
#include <sys/xattr.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli/attrib_verb.h"
#include "platform/emulated/emulated_file_system.h"
#include "support/temp_machine.h"

namespace vb {
namespace {

using namespace vb::win;
using test::WriteHostFile;
namespace fs = std::filesystem;

class AttribVerbTest : public ::testing::Test {
 protected:
  AttribVerbTest() {
    WriteHostFile(m.Host("drive_c/boot.ini"), "[boot loader]");
    WriteHostFile(m.Host("drive_c/Logs/a.log"), "a");
    WriteHostFile(m.Host("drive_c/Logs/B.LOG"), "b");
    fs::create_directories(m.Host("drive_c/Logs/Old.log"));
  }
  int Run(const std::vector<std::string>& args) {
    out.str("");
    err.str("");
    std::istringstream in;
    return cli::RunAttribVerb(m.platform(), args, cli::VerbIo{in, out, err});
  }
  DWORD Attributes(const std::string& path) {
    return m.platform().Files().GetFileAttributesA(path);
  }
  test::TempMachine m;
  std::ostringstream out;
  std::ostringstream err;
};

TEST_F(AttribVerbTest, ShowsOneFixedWidthLinePerMatch) {
  ASSERT_EQ(setxattr(m.Host("drive_c/boot.ini").c_str(), emu::kDosAttribXattr, "0x6", 3, 0), 0);
  ASSERT_EQ(chmod(m.Host("drive_c/boot.ini").c_str(), 0444), 0);
  ASSERT_EQ(Run({"c:\\BOOT.INI"}), cli::kExitOk) << err.str();
  EXPECT_EQ(out.str(), "A    SHR     C:\\boot.ini\n");
  // A wildcard matches files only; the folder part keeps the case typed.
  ASSERT_EQ(Run({"\\logs\\*.log"}), cli::kExitOk) << err.str();
  EXPECT_EQ(out.str(), "A            C:\\logs\\a.log\nA            C:\\logs\\B.LOG\n");
  ASSERT_EQ(Run({"C:/Logs/old.log"}), cli::kExitOk);
  EXPECT_EQ(out.str(), "             C:\\Logs\\Old.log\n");
}

TEST_F(AttribVerbTest, ChangesAttributesThroughTheFileSystem) {
  ASSERT_EQ(Run({"+R", "+h", "C:\\Logs\\*.log"}), cli::kExitOk) << err.str();
  EXPECT_EQ(out.str(), "");
  DWORD both = kFileAttributeArchive | kFileAttributeReadonly | kFileAttributeHidden;
  EXPECT_EQ(Attributes("C:\\Logs\\a.log"), both);
  EXPECT_EQ(Attributes("C:\\Logs\\B.LOG"), both);
  EXPECT_EQ(Attributes("C:\\Logs\\Old.log"), kFileAttributeDirectory);
  ASSERT_EQ(Run({"-R", "+S", "C:\\Logs\\a.log"}), cli::kExitOk) << err.str();
  EXPECT_EQ(Attributes("C:\\Logs\\a.log"),
            kFileAttributeArchive | kFileAttributeHidden | kFileAttributeSystem);
  ASSERT_EQ(Run({"+H", "C:\\Logs\\Old.log"}), cli::kExitOk);
  EXPECT_EQ(Attributes("C:\\Logs\\Old.log"), kFileAttributeDirectory | kFileAttributeHidden);
}

TEST_F(AttribVerbTest, RefusesBadArgumentsAndMissingFiles) {
  EXPECT_EQ(Run({}), cli::kExitUsage);
  EXPECT_NE(err.str().find("Required parameter missing"), std::string::npos);
  EXPECT_EQ(Run({"+X", "C:\\boot.ini"}), cli::kExitUsage);
  EXPECT_NE(err.str().find("Parameter format not correct - +X"), std::string::npos);
  EXPECT_EQ(Run({"+R", "-R", "C:\\boot.ini"}), cli::kExitUsage);
  EXPECT_EQ(Run({"/S", "C:\\boot.ini"}), cli::kExitUsage);
  EXPECT_EQ(Run({"C:\\a", "C:\\b"}), cli::kExitUsage);
  EXPECT_EQ(Run({"C:\\nothing.txt"}), cli::kExitFailed);
  EXPECT_EQ(err.str(), "attrib: File not found - C:\\nothing.txt\n");
  EXPECT_EQ(Run({"+H", "C:\\Logs\\*.exe"}), cli::kExitFailed);
  EXPECT_EQ(err.str(), "attrib: File not found - C:\\Logs\\*.exe\n");
  EXPECT_EQ(Run({"C:\\NoSuch\\*.*"}), cli::kExitFailed);
  EXPECT_EQ(err.str(), "attrib: Path not found - C:\\NoSuch\\*.*\n");
  EXPECT_EQ(Attributes("C:\\boot.ini"), kFileAttributeArchive);

  // A link refuses to change: the failure is reported, the exit code says so.
  ASSERT_EQ(symlink("boot.ini", m.Host("drive_c/link.ini").c_str()), 0);
  EXPECT_EQ(Run({"+R", "C:\\link.ini"}), cli::kExitFailed);
  EXPECT_EQ(err.str(), "attrib: Access denied - C:\\link.ini\n");
  EXPECT_EQ(Attributes("C:\\boot.ini"), kFileAttributeArchive);

  // A link in the middle of a path that leads to the machine's own folder is
  // refused, and said to be: registry.db beside the drives stays as it was.
  ASSERT_EQ(symlink(m.folder().c_str(), m.Host("drive_c/Machine").c_str()), 0);
  EXPECT_EQ(Run({"+H", "C:\\Machine\\registry.db"}), cli::kExitFailed);
  EXPECT_EQ(err.str(), "attrib: Access denied - C:\\Machine\\registry.db\n");
  EXPECT_EQ(Run({"C:\\Machine\\drive_c\\boot.ini"}), cli::kExitFailed);
  char value[16];
  EXPECT_LT(getxattr(m.Host("registry.db").c_str(), emu::kDosAttribXattr, value, sizeof value), 0);
}

}  // namespace
}  // namespace vb
