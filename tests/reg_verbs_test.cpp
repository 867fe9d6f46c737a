// vanbrisk-cli reg add / delete / query / import / export over an emulated machine.
#include "cli/reg_verbs.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <filesystem>
#include <sstream>

#include "platform/registry_values.h"
#include "registry/reg_file_text.h"
#include "support/full_database.h"
#include "support/other_writer.h"
#include "support/registry_checks.h"
#include "support/temp_machine.h"

namespace vb {
namespace {

using namespace vb::win;
namespace fs = std::filesystem;

constexpr const char* kDone = "The operation completed successfully.\n";
constexpr const char* kNotFound =
    "ERROR: The system was unable to find the specified registry key or value.\n";
constexpr const char* kBusy = "The registry is busy: another program is changing it.";

struct Result {
  int code;
  std::string out;
  std::string err;
};

class RegVerbs : public ::testing::Test {
 protected:
  explicit RegVerbs(fixtures::InitOptions options = {}) : m(options) {}

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

TEST_F(RegVerbs, AddsEveryTypeAndQueryPrintsThem) {
  struct Row {
    std::string name;  // empty for /ve
    std::vector<std::string> options;
    std::string shown;  // type and data as query prints them
    std::string stored;
  };
  const Row rows[] = {
      {"Text", {"/d", "hello world"}, "REG_SZ    hello world", std::string("hello world\0", 12)},
      {"Exp", {"/t", "REG_EXPAND_SZ", "/d", "%TEMP%\\x"}, "REG_EXPAND_SZ    %TEMP%\\x",
       std::string("%TEMP%\\x\0", 9)},
      {"List", {"/t", "reg_multi_sz", "/d", "a\\0b\\0c"}, "REG_MULTI_SZ    a\\0b\\0c",
       std::string("a\0b\0c\0\0", 7)},
      {"Comma", {"/t", "REG_MULTI_SZ", "/s", ",", "/d", "x,y,"}, "REG_MULTI_SZ    x\\0y",
       std::string("x\0y\0\0", 5)},
      {"Num", {"/t", "REG_DWORD", "/d", "0x1F"}, "REG_DWORD    0x1f", std::string("\x1f\0\0\0", 4)},
      {"Dec", {"/t", "REG_DWORD", "/d", "4294967295"}, "REG_DWORD    0xffffffff",
       "\xff\xff\xff\xff"},
      {"Big", {"/t", "REG_DWORD_BIG_ENDIAN", "/d", "258"}, "REG_DWORD_BIG_ENDIAN    0x102",
       std::string("\0\0\x01\x02", 4)},
      {"Q", {"/t", "REG_QWORD", "/d", "0x100000000"}, "REG_QWORD    0x100000000",
       std::string("\0\0\0\0\x01\0\0\0", 8)},
      {"Bin", {"/t", "REG_BINARY", "/d", "00fF10"}, "REG_BINARY    00FF10",
       std::string("\0\xff\x10", 3)},
      {"None", {"/t", "REG_NONE"}, "REG_NONE    ", ""},
      {"", {"/d", "Def"}, "REG_SZ    Def", std::string("Def\0", 4)},
      {"Caf\u00e9", {"/d", "\u20ac"}, "REG_SZ    \u20ac", std::string("\x80\0", 2)},
  };
  const std::string key = "HKCU\\Software\\Vb";
  std::string expected = "\nHKEY_CURRENT_USER\\Software\\Vb\n";
  for (const Row& row : rows) {
    std::vector<std::string> args = {"add", key, "/v", row.name};
    if (row.name.empty()) args = {"add", key, "/ve"};
    args.insert(args.end(), row.options.begin(), row.options.end());
    Ok(args);
    EXPECT_EQ(Bytes("Software\\Vb", registry::Utf8ToCp1252(row.name).value()), row.stored)
        << row.name;
    expected += "    " + (row.name.empty() ? "(Default)" : row.name) + "    " + row.shown + "\n";
  }
  Ok({"add", key + "\\Sub"});
  Ok({"add", key + "\\Sub"});  // a key that exists is no fault

  EXPECT_EQ(Out({"query", "hkcu\\Software\\Vb"}),
            expected + "\nHKEY_CURRENT_USER\\Software\\Vb\\Sub\n");
}

TEST_F(RegVerbs, AddOverwritesOnlyWithForce) {
  Ok({"add", "HKCU\\Software\\Vb", "/v", "a", "/d", "first"});
  Result r = Reg({"add", "HKCU\\Software\\Vb", "/v", "A", "/d", "second"});
  EXPECT_EQ(r.code, cli::kExitFailed);
  EXPECT_NE(r.err.find("add /f"), std::string::npos) << r.err;
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(Bytes("Software\\Vb", "a"), std::string("first\0", 6));
  Ok({"add", "HKCU\\Software\\Vb", "/v", "A", "/t", "REG_DWORD", "/d", "7", "/F"});
  EXPECT_EQ(Bytes("Software\\Vb", "a"), std::string("\x07\0\0\0", 4));
}

TEST_F(RegVerbs, BadArgumentsAreRefusedAndWriteNothing) {
  const std::string k = "HKCU\\Software\\Bad";
  const std::vector<std::vector<std::string>> cases = {
      {}, {"frobnicate", k}, {"add"}, {"add", "/v", "a"}, {"add", "HKXX\\Software\\Bad"},
      {"add", "HKCU\\Software\\\\Bad"}, {"add", k, "/v", "a", "/ve"}, {"add", k, "/v"},
      {"add", k, "/v", "a", "/v", "b"}, {"add", k, "/q"}, {"add", k, "extra"},
      {"add", k, "/d", "no value named"}, {"add", k, "/v", "a", "/t", "REG_FOO"},
      {"add", k, "/v", "a", "/t", "REG_DWORD", "/d", "4294967296"},
      {"add", k, "/v", "a", "/t", "REG_DWORD", "/d", "-1"},
      {"add", k, "/v", "a", "/t", "REG_DWORD", "/d", "12abc"},
      {"add", k, "/v", "a", "/t", "REG_DWORD", "/d", "0x"},
      {"add", k, "/v", "a", "/t", "REG_BINARY", "/d", "abc"},
      {"add", k, "/v", "a", "/t", "REG_BINARY", "/d", "zz"},
      {"add", k, "/v", "a", "/t", "REG_MULTI_SZ", "/d", "a\\0\\0b"},
      {"add", k, "/v", "a", "/t", "REG_MULTI_SZ", "/s", "ab", "/d", "a"},
      {"add", k, "/v", "a", "/t", "REG_LINK"}, {"add", k, "/v", "a", "/s", ",", "/d", "a"},
      {"add", k, "/v", "\u4e2d", "/d", "a"}, {"add", k, "/v", "a", "/d", "\xff"},
      {"delete", k, "/v", "a", "/va"}, {"query", k, "/f"}, {"import"}, {"export", k},
  };
  for (const auto& args : cases) {
    Result r = Reg(args);
    std::string shown;
    for (const auto& a : args) shown += a + " ";
    EXPECT_EQ(r.code, cli::kExitUsage) << shown;
    EXPECT_EQ(r.err.rfind("ERROR: ", 0), 0u) << shown << r.err;
    EXPECT_EQ(r.out, "") << shown;
  }
  EXPECT_FALSE(Exists(kHkeyCurrentUser, "Software\\Bad"));
  Result help = Reg({"add", "/?"});
  EXPECT_EQ(help.code, cli::kExitOk);
  EXPECT_EQ(help.out.rfind("reg add KEY", 0), 0u) << help.out;
}

TEST_F(RegVerbs, QueryFindsOneValueOrTheWholeTree) {
  Ok({"add", "HKCU\\Software\\Q", "/v", "top", "/d", "1"});
  Ok({"add", "HKCU\\Software\\Q", "/ve", "/d", "dflt"});
  Ok({"add", "HKCU\\Software\\Q\\b", "/v", "top", "/t", "REG_DWORD", "/d", "2"});
  Ok({"add", "HKCU\\Software\\Q\\A\\Deep"});

  EXPECT_EQ(Out({"query", "HKCU\\Software\\Q", "/v", "TOP"}),
            "\nHKEY_CURRENT_USER\\Software\\Q\n    top    REG_SZ    1\n");
  EXPECT_EQ(Out({"query", "HKCU\\Software\\Q", "/ve"}),
            "\nHKEY_CURRENT_USER\\Software\\Q\n    (Default)    REG_SZ    dflt\n");
  EXPECT_EQ(Out({"query", "HKCU\\Software\\Q", "/s"}),
            "\nHKEY_CURRENT_USER\\Software\\Q\n"
            "    top    REG_SZ    1\n"
            "    (Default)    REG_SZ    dflt\n"
            "\nHKEY_CURRENT_USER\\Software\\Q\\A\n"
            "\nHKEY_CURRENT_USER\\Software\\Q\\A\\Deep\n"
            "\nHKEY_CURRENT_USER\\Software\\Q\\b\n"
            "    top    REG_DWORD    0x2\n");
  EXPECT_EQ(Out({"query", "HKCU\\Software\\Q", "/v", "top", "/s"}),
            "\nHKEY_CURRENT_USER\\Software\\Q\n    top    REG_SZ    1\n"
            "\nHKEY_CURRENT_USER\\Software\\Q\\b\n    top    REG_DWORD    0x2\n"
            "\nEnd of search: 2 match(es) found.\n");
  EXPECT_EQ(Out({"query", "HKCU\\Software\\Q\\A"}),
            "\nHKEY_CURRENT_USER\\Software\\Q\\A\nHKEY_CURRENT_USER\\Software\\Q\\A\\Deep\n");

  for (const std::vector<std::string>& missing :
       {std::vector<std::string>{"query", "HKCU\\Software\\Nope"},
        {"query", "HKCU\\Software\\Q", "/v", "nope"},
        {"query", "HKCU\\Software\\Q", "/v", "to"},
        {"query", "HKCU\\Software\\Q\\A", "/ve"},
        {"query", "HKCU\\Software\\Q", "/v", "nope", "/s"}}) {
    Result r = Reg(missing);
    EXPECT_EQ(r.code, cli::kExitFailed);
    EXPECT_EQ(r.err, kNotFound);
    EXPECT_EQ(r.out, "");
  }
}

TEST_F(RegVerbs, DeleteAsksThenRemovesAWholeTreeOneValueOrAllValues) {
  const std::string k = "HKCU\\Software\\Vals";
  Ok({"add", "HKCU\\Software\\Tree\\A\\B\\C", "/v", "v", "/d", "x"});
  Ok({"add", "HKCU\\Software\\Tree Sibling"});
  for (const char* v : {"a", "b"}) Ok({"add", k, "/v", v, "/d", "2"});
  Ok({"add", k, "/ve", "/d", "3"});
  Ok({"add", k + "\\Child", "/v", "c", "/d", "4"});
  Result r = Reg({"delete", "HKCU\\Software\\Tree"}, "no\n");
  EXPECT_EQ(r.code, cli::kExitFailed);
  EXPECT_EQ(r.out,
            "Permanently delete the registry key HKEY_CURRENT_USER\\Software\\Tree (Yes/No)? ");
  EXPECT_NE(r.err.find("canceled"), std::string::npos);
  EXPECT_EQ(Reg({"delete", "HKCU\\Software\\Tree"}).code, cli::kExitFailed);  // no answer at all
  EXPECT_TRUE(Exists(kHkeyCurrentUser, "Software\\Tree\\A\\B\\C"));
  r = Reg({"delete", "HKCU\\Software\\tree"}, " Yes \r\n");
  EXPECT_EQ(r.code, cli::kExitOk) << r.err;
  EXPECT_NE(r.out.find(kDone), std::string::npos);
  EXPECT_FALSE(Exists(kHkeyCurrentUser, "Software\\Tree"));
  EXPECT_TRUE(Exists(kHkeyCurrentUser, "Software\\Tree Sibling"));
  EXPECT_EQ(Err({"delete", "HKCU\\Software\\Tree", "/f"}), kNotFound);
  EXPECT_NE(Err({"delete", "HKEY_LOCAL_MACHINE\\", "/f"}).find("whole hive"), std::string::npos);
  EXPECT_TRUE(Exists(kHkeyCurrentUser, "Software"));

  r = Reg({"delete", k, "/v", "A"}, "y\n");
  EXPECT_EQ(r.out, std::string("Delete the registry value A (Yes/No)? ") + kDone);
  EXPECT_EQ(Bytes("Software\\Vals", "a"), "<missing>");
  EXPECT_EQ(Err({"delete", k, "/v", "a", "/f"}), kNotFound);
  Ok({"delete", k, "/ve", "/f"});
  EXPECT_EQ(Bytes("Software\\Vals", ""), "<missing>");
  EXPECT_EQ(Reg({"delete", k, "/va"}, "n\n").code, cli::kExitFailed);
  EXPECT_EQ(Bytes("Software\\Vals", "b"), std::string("2\0", 2));
  Ok({"delete", k, "/va", "/f"});
  EXPECT_TRUE(platform::ReadAllValues(reg(), kHkeyCurrentUser, "Software\\Vals").empty());
  EXPECT_EQ(Bytes("Software\\Vals\\Child", "c"), std::string("4\0", 2));
}

TEST_F(RegVerbs, ExportAndImportThroughHostFiles) {
  const std::string file = m.folder() + "/out dir/vals.reg";
  fs::create_directories(m.folder() + "/out dir");
  Ok({"add", "HKCU\\Software\\Ex\\Sub", "/v", "s", "/d", "text"});
  Ok({"add", "HKCU\\Software\\Ex", "/v", "n", "/t", "REG_DWORD", "/d", "9"});
  Ok({"export", "HKCU\\software\\ex", file});
  const std::string bytes = test::ReadHostFile(file);
  EXPECT_EQ(bytes.rfind("\xFF\xFE", 0), 0u);  // UTF-16LE with its BOM

  Ok({"add", "HKCU\\Software\\Ex", "/v", "later", "/d", "x"});
  EXPECT_NE(Err({"export", "HKCU\\Software\\Ex", file}).find("/y"), std::string::npos);
  EXPECT_EQ(test::ReadHostFile(file), bytes);
  EXPECT_EQ(Err({"export", "HKCU\\Software\\Missing", m.folder() + "/missing.reg"}), kNotFound);
  EXPECT_FALSE(fs::exists(m.folder() + "/missing.reg"));

  // What the file restores is what was exported, "later" and all.
  Ok({"delete", "HKCU\\Software\\Ex", "/f"});
  Ok({"import", file});
  Ok({"export", "HKCU\\Software\\Ex", file, "/y"});
  EXPECT_EQ(test::ReadHostFile(file), bytes);
  for (const auto& entry : fs::directory_iterator(m.folder() + "/out dir"))
    EXPECT_EQ(entry.path().filename(), "vals.reg");  // no temporary file left behind

  const std::string bad = m.folder() + "/bad.reg";
  test::WriteHostFile(bad, "REGEDIT4\r\n\r\n[-HKEY_CURRENT_USER\\Software\\Ex]\r\nwhat\r\n");
  EXPECT_NE(Err({"import", bad}).find("line 4: "), std::string::npos);
  EXPECT_TRUE(Exists(kHkeyCurrentUser, "Software\\Ex\\Sub"));
  EXPECT_NE(Err({"import", m.folder() + "/none.reg"}), "");
  EXPECT_NE(Err({"import", m.folder()}), "");
}

class RegVerbsLimitedUser : public RegVerbs {
 protected:
  RegVerbsLimitedUser() : RegVerbs(fixtures::InitOptions{.limitedUser = true}) {}
};

TEST_F(RegVerbsLimitedUser, WritingTheMachineHiveIsRefusedWithNothingChanged) {
  const char* denied = "ERROR: Access is denied.\n";
  EXPECT_EQ(Err({"add", "HKLM\\Software\\Vb\\Deep", "/v", "a", "/d", "b"}), denied);
  EXPECT_FALSE(Exists(kHkeyLocalMachine, "Software\\Vb"));

  const std::string session = "SYSTEM\\CurrentControlSet\\Control\\Session Manager";
  ASSERT_TRUE(Exists(kHkeyLocalMachine, session + "\\Environment"));
  EXPECT_EQ(Err({"delete", "HKLM\\" + session, "/f"}).rfind("ERROR: Access is denied.", 0), 0u);
  EXPECT_TRUE(Exists(kHkeyLocalMachine, session + "\\Environment"));
  EXPECT_EQ(Err({"delete", "HKLM\\" + session + "\\Environment", "/va", "/f"}), denied);
  EXPECT_FALSE(
      platform::ReadAllValues(reg(), kHkeyLocalMachine, session + "\\Environment").empty());

  const std::string file = m.folder() + "/both.reg";
  // A failed write undoes the whole import, the deletion before it too.
  Ok({"add", "HKCU\\Software\\Mine", "/v", "a", "/d", "b"});
  test::WriteHostFile(file,
                      "REGEDIT4\n\n[-HKEY_CURRENT_USER\\Software\\Mine]\n"
                      "[HKEY_CURRENT_USER\\Software\\Both]\n\"a\"=\"b\"\n\n"
                      "[HKEY_LOCAL_MACHINE\\Software\\Both]\n\"a\"=\"b\"\n");
  EXPECT_EQ(Err({"import", file}), "ERROR: " + file +
                       ": line 7: cannot create HKEY_LOCAL_MACHINE\\Software\\Both: Access is "
                       "denied.; nothing was changed.\n");
  EXPECT_FALSE(Exists(kHkeyCurrentUser, "Software\\Both"));
  EXPECT_EQ(Bytes("Software\\Mine", "a"), std::string("b\0", 2));

  // Reading stays allowed.
  EXPECT_NE(Out({"query", "HKLM\\" + session + "\\Environment"}), "");
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

TEST_F(RegVerbs, AFullDiskIsReportedAsOne) {
  test::FillDatabase(m.machine().Db(), reg());
  EXPECT_EQ(Err({"add", "HKCU\\Software\\More", "/v", "x", "/d", std::string(200, 'x')}),
            "ERROR: The disk is full: there is not enough space on the disk.\n");
  EXPECT_FALSE(Exists(kHkeyCurrentUser, "Software\\More"));
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
