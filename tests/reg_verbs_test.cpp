// vanbrisk-cli reg over an emulated machine: what cli/reg.txt cannot show,
// the bytes stored, another program holding the registry, and export's refusal
// of what is no regular file.
#include "cli/reg_verbs.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <filesystem>
#include <sstream>

#include "platform/registry_values.h"
#include "registry/reg_file_text.h"
#include "support/other_writer.h"
#include "support/registry_checks.h"
#include "support/temp_machine.h"

namespace vb {
namespace {

using namespace vb::win;
namespace fs = std::filesystem;

constexpr const char* kDone = "The operation completed successfully.\n";
constexpr const char* kBusy = "The registry is busy: another program is changing it.";

struct Result {
  int code;
  std::string out;
  std::string err;
};

class RegVerbs : public ::testing::Test {
 protected:
  Result Reg(const std::vector<std::string>& args, const std::string& input = "") {
    std::istringstream in(input);
    std::ostringstream out, err;
    int code = cli::RunRegVerb(m.platform(), args, {in, out, err});
    return {code, out.str(), err.str()};
  }
  platform::RegistryApi& reg() { return m.platform().Registry(); }
  bool Exists(HKEY root, const std::string& subKey) { return test::KeyExists(reg(), root, subKey); }
  std::string Bytes(const std::string& subKey, const std::string& name) {
    for (const auto& v : platform::ReadAllValues(reg(), kHkeyCurrentUser, subKey))
      if (v.name == name) return std::string(v.data.begin(), v.data.end());
    return "<missing>";
  }
  // What a query that must succeed prints.
  std::string Out(const std::vector<std::string>& args) {
    Result r = Reg(args);
    EXPECT_EQ(r.code, cli::kExitOk) << r.err;
    return r.out;
  }
  // The error a command that must fail prints.
  std::string Err(const std::vector<std::string>& args) {
    Result r = Reg(args);
    EXPECT_EQ(r.code, cli::kExitFailed) << r.out;
    return r.err;
  }
  void Ok(const std::vector<std::string>& args) {
    Result r = Reg(args);
    ASSERT_EQ(r.code, cli::kExitOk) << r.err;
    EXPECT_EQ(r.out, kDone);
  }

  test::TempMachine m;
};

// The bytes each type stores, which reg query (in cli/reg.txt) shows only as text.
TEST_F(RegVerbs, AddStoresEachTypeAsWindowsDoes) {
  const std::pair<std::vector<std::string>, std::string> rows[] = {
      {{"/v", "Text", "/d", "hello world"}, std::string("hello world\0", 12)},
      {{"/v", "Exp", "/t", "REG_EXPAND_SZ", "/d", "%TEMP%\\x"}, std::string("%TEMP%\\x\0", 9)},
      {{"/v", "List", "/t", "reg_multi_sz", "/d", "a\\0b\\0c"}, std::string("a\0b\0c\0\0", 7)},
      {{"/v", "Comma", "/t", "REG_MULTI_SZ", "/s", ",", "/d", "x,y,"}, std::string("x\0y\0\0", 5)},
      {{"/v", "Num", "/t", "REG_DWORD", "/d", "0x1F"}, std::string("\x1f\0\0\0", 4)},
      {{"/v", "Dec", "/t", "REG_DWORD", "/d", "4294967295"}, "\xff\xff\xff\xff"},
      {{"/v", "Big", "/t", "REG_DWORD_BIG_ENDIAN", "/d", "258"}, std::string("\0\0\x01\x02", 4)},
      {{"/v", "Q", "/t", "REG_QWORD", "/d", "0x100000000"}, std::string("\0\0\0\0\x01\0\0\0", 8)},
      {{"/v", "Bin", "/t", "REG_BINARY", "/d", "00fF10"}, std::string("\0\xff\x10", 3)},
      {{"/v", "None", "/t", "REG_NONE"}, ""},
      {{"/ve", "/d", "Def"}, std::string("Def\0", 4)},
      {{"/v", "Caf\u00e9", "/d", "\u20ac"}, std::string("\u20ac\0", 4)},
  };
  for (const auto& [options, stored] : rows) {
    std::vector<std::string> args = {"add", "HKCU\\Software\\Vb"};
    args.insert(args.end(), options.begin(), options.end());
    Ok(args);
    std::string name = options[0] == "/ve" ? "" : options[1];
    EXPECT_EQ(Bytes("Software\\Vb", name), stored) << name;
  }
}

// Another program holding the registry: a change that cannot begin as one
// transaction, even when the other program lets go just after, is not made at
// all and says why; reading, from a process that opens the machine then, goes on.
TEST_F(RegVerbs, AnotherProgramsWriteStopsChangesButNotReads) {
  Ok({"add", "HKCU\\Software\\Kept\\Sub", "/v", "a", "/d", "1"});
  // The file is named as given, in its own letter case.
  test::WriteHostFile(m.Host("at_only.reg"),
                      "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Imported]\n\"a\"=\"1\"\n"
                      "\"b\"=\"2\"\n");
  const fs::path before = fs::current_path();
  fs::current_path(m.folder());
  const std::string busy = std::string("ERROR: ") + kBusy + "\n";
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"add", "HKCU\\Software\\New", "/v", "x", "/d", "1"}, busy},
      {{"delete", "HKCU\\Software\\Kept", "/f"}, busy},
      {{"delete", "HKCU\\Software\\Kept\\Sub", "/va", "/f"}, busy},
      {{"import", "at_only.reg"},
       std::string("ERROR: at_only.reg: ") + kBusy + "; nothing was changed.\n"},
  };
  for (const auto& [args, err] : cases) {
    test::OtherWriter other(m.folder());
    other.CommitWhenBusy(m.machine().Db(), false);
    EXPECT_EQ(Err(args), err);
    EXPECT_EQ(other.BusyCalls(), 1) << args[0];
  }
  fs::current_path(before);
  EXPECT_FALSE(Exists(kHkeyCurrentUser, "Software\\New"));
  EXPECT_FALSE(Exists(kHkeyCurrentUser, "Software\\Imported"));
  EXPECT_EQ(Bytes("Software\\Kept\\Sub", "a"), std::string("1\0", 2));

  test::OtherWriter other(m.folder());
  ASSERT_TRUE(other.Exec("INSERT INTO machine(name, value) VALUES ('pending', 'x')"));
  m.Reopen();
  ASSERT_TRUE(m.machine().Db().Exec("PRAGMA busy_timeout = 200"));
  EXPECT_NE(Out({"query", "HKCU\\Software\\Kept", "/s"})
                .find("HKEY_CURRENT_USER\\Software\\Kept\\Sub\n    a    REG_SZ    1\n"),
            std::string::npos);
  Ok({"export", "HKCU\\Software\\Kept", m.Host("read.reg")});
  EXPECT_EQ(Err({"add", "HKCU\\Software\\Kept", "/v", "b", "/d", "2"}), busy);
}

// reg export writes a new file, or replaces a regular one with /y, and
// nothing else: not a device, a FIFO or a symbolic link, even a dangling one.
TEST_F(RegVerbs, ExportWritesOnlyARegularOrANewFile) {
  const fs::path dir = m.Host("exports");
  fs::create_directories(dir);
  const std::string outside = m.Host("outside.txt");
  test::WriteHostFile(outside, "keep");
  fs::create_symlink(outside, dir / "link.reg");
  fs::create_symlink(dir / "nowhere.reg", dir / "dangling.reg");
  fs::create_directory_symlink(dir, dir / "folder.reg");
  ASSERT_EQ(mkfifo((dir / "fifo.reg").c_str(), 0600), 0);
  struct Case {
    const char* name;
    const char* why;
    fs::file_type type;
  };
  std::vector<Case> cases = {
      {"link.reg", "it is a symbolic link", fs::file_type::symlink},
      {"dangling.reg", "it is a symbolic link", fs::file_type::symlink},
      {"folder.reg", "it is a symbolic link", fs::file_type::symlink},
      {"fifo.reg", "it is a FIFO", fs::file_type::fifo},
  };
  // A device node of its own (the null device's numbers), where this process may make one.
  if (mknod((dir / "null.reg").c_str(), S_IFCHR | 0600, makedev(1, 3)) == 0)
    cases.push_back({"null.reg", "it is a device", fs::file_type::character});
  for (const Case& c : cases)
    for (bool overwrite : {false, true}) {
      std::string path = (dir / c.name).string();
      std::vector<std::string> args = {"export", "HKCU\\Software", path};
      if (overwrite) args.push_back("/y");
      EXPECT_EQ(Err(args).rfind("ERROR: " + path + ": " + c.why, 0), 0u) << path;
      EXPECT_EQ(fs::symlink_status(path).type(), c.type) << path;
    }
  EXPECT_EQ(test::ReadHostFile(outside), "keep");
  EXPECT_FALSE(fs::exists(fs::symlink_status(dir / "nowhere.reg")));
  // Nothing was left beside them either (no half-written file).
  EXPECT_EQ(static_cast<std::size_t>(std::distance(fs::directory_iterator(dir), {})), cases.size());
}

}  // namespace
}  // namespace vb
