// Root names, the character conversions, .reg file reading and writing, and
// export and import over an emulated registry.
#include "registry/reg_file.h"

#include <gtest/gtest.h>

#include "platform/registry_values.h"
#include "registry/key_reading.h"
#include "registry/key_tree.h"
#include "registry/reg_file_registry.h"
#include "registry/reg_file_text.h"
#include "registry/root_names.h"
#include "support/registry_checks.h"
#include "support/temp_machine.h"

namespace vb {
namespace {

using namespace vb::win;
using namespace vb::registry;

// The model's text in these cases is Windows-1252, that of older Windows;
// one case reads and writes UTF-8, the code page of the manifest.
constexpr DWORD kCp1252 = 1252, kUtf8 = 65001;

// UTF-8 source text as a UTF-16LE file with its BOM.
std::string Utf16File(const std::string& utf8) {
  return "\xFF\xFE" + AnsiToUtf16Le(utf8, kUtf8).value();
}

std::string WithCrlf(const std::string& text) {
  std::string out;
  for (char c : text) out += c == '\n' ? std::string("\r\n") : std::string(1, c);
  return out;
}

RegFile Parse(const std::string& bytes, DWORD codePage = kCp1252) {
  Result<RegFile> file = ParseRegFile(bytes, codePage);
  EXPECT_TRUE(file) << file.message();
  return file ? *file : RegFile{};
}

RegFileValue Value(std::string name, DWORD type, std::string data, bool remove = false) {
  return {.name = std::move(name), .remove = remove, .type = type, .data = std::move(data)};
}

TEST(RootNames, ParseSplitAndJoinFullKeyPaths) {
  EXPECT_EQ(ParseRootName("HKEY_CLASSES_ROOT"), kHkeyClassesRoot);
  EXPECT_EQ(ParseRootName("hkcu"), kHkeyCurrentUser);
  EXPECT_EQ(ParseRootName("Hkey_Local_Machine", RootNames::kLongOnly), kHkeyLocalMachine);
  EXPECT_FALSE(ParseRootName("HKU", RootNames::kLongOnly));
  for (const char* bad : {"HKEY_CURRENT_CONFIG", "HKCU ", "HKEY_USER"})
    EXPECT_FALSE(ParseRootName(bad)) << bad;
  EXPECT_EQ(RootShortName(kHkeyClassesRoot), "HKCR");
  EXPECT_EQ(RootLongName(0x1234), "");
  EXPECT_EQ(JoinKeyPath(kHkeyCurrentUser, "Software\\X"), "HKEY_CURRENT_USER\\Software\\X");
  EXPECT_EQ(JoinKeyPath(kHkeyUsers, ""), "HKEY_USERS");

  auto path = SplitKeyPath("hklm\\Software\\X\\");
  ASSERT_TRUE(path);
  EXPECT_EQ(path->root, kHkeyLocalMachine);
  EXPECT_EQ(path->subKey, "Software\\X");
  EXPECT_EQ(SplitKeyPath("HKEY_USERS").value().subKey, "");
  auto foo = SplitKeyPath("HKEY_FOO\\Software");
  ASSERT_FALSE(foo);
  EXPECT_NE(foo.message().find("unknown registry root \"HKEY_FOO\""), std::string::npos)
      << foo.message();
  auto shortName = SplitKeyPath("HKCU\\Software", RootNames::kLongOnly);
  ASSERT_FALSE(shortName);
  EXPECT_EQ(shortName.message().find("HKCU,"), std::string::npos) << shortName.message();
  for (const char* bad :
       {"", "HKCU\\\\", "HKCU\\A\\\\B", "HKCU\\A\\\\", "\\\\pc\\HKLM\\X", "Software\\X"})
    EXPECT_FALSE(SplitKeyPath(bad)) << bad;
}

TEST(RegFileText, EveryAnsiByteSurvivesUnicode) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(AnsiFromUtf16Le(AnsiToUtf16Le(all, kCp1252).value(), kCp1252).value(), all);
  EXPECT_EQ(Cp1252ToUtf8("\x80"), "\u20AC");
  EXPECT_EQ(Cp1252ToUnicode(0x81), U'\u0081');
  EXPECT_EQ(UnicodeToCp1252(U'\u0178'), 0x9F);

  // Under UTF-8 every character goes through, the first plane and beyond;
  // bytes that are no UTF-8 are refused rather than guessed at.
  const std::string text = "caf\u00e9 \u4E2D \U0001F9F9";
  EXPECT_EQ(AnsiFromUtf16Le(AnsiToUtf16Le(text, kUtf8).value(), kUtf8).value(), text);
  EXPECT_FALSE(AnsiToUtf16Le("caf\xE9", kUtf8));
  EXPECT_FALSE(AnsiToUtf16Le("\xC0\xAF", kUtf8));  // overlong
  auto chinese = AnsiFromUnicode(U"\u4E2D", kCp1252);
  ASSERT_FALSE(chinese);
  EXPECT_NE(chinese.message().find("U+4E2D"), std::string::npos) << chinese.message();
  EXPECT_FALSE(AnsiFromUtf16Le(std::string("\x00\xD8\x41\x00", 4), kUtf8));
  EXPECT_FALSE(AnsiFromUtf16Le("A", kUtf8));
}

constexpr const char* kSample =
    "Windows Registry Editor Version 5.00\n"
    "\n"
    "; a comment\n"
    "[HKEY_CURRENT_USER\\Software\\Vb Test]\n"
    "@=\"default\"\n"
    "\"Quote \\\"and\\\" back\\\\slash\"=\"C:\\\\Temp\\\\\"\n"
    "\"Count\"=dword:0000002A\n"
    "\"Blob\"=hex:de,ad,BE,ef\n"
    "\"Path\"=hex(2):25,00,54,00,45,00,4d,00,50,00,25,00,00,00\n"
    "\"List\"=hex(7):61,00,00,00,62,00,\\\n"
    "  ; inside the list\n"
    "  63,00,00,00,00,00\n"
    "\"Nothing\"=hex(0):\n"
    "\"Big\"=hex(b):01,00,00,00,00,00,00,00\n"
    "  \"Gone\" = -\n"
    "\"Euro\"=\"\u20AC\"\n"
    "\n"
    "[-HKCU\\Software\\Old]\n";

TEST(RegFileParse, ReadsEveryValueKindInEveryEncoding) {
  std::vector<RegFileValue> expected = {
      Value("", kRegSz, std::string("default\0", 8)),
      Value("Quote \"and\" back\\slash", kRegSz, std::string("C:\\Temp\\\0", 9)),
      Value("Count", kRegDword, std::string("\x2a\0\0\0", 4)),
      Value("Blob", kRegBinary, "\xde\xad\xbe\xef"),
      Value("Path", kRegExpandSz, std::string("%TEMP%\0", 7)),
      Value("List", kRegMultiSz, std::string("a\0bc\0\0", 6)),
      Value("Nothing", kRegNone, ""),
      Value("Big", 11, std::string("\x01\0\0\0\0\0\0\0", 8)),
      Value("Gone", kRegNone, "", true),
      Value("Euro", kRegSz, std::string("\x80\0", 2)),
  };
  const std::string text = kSample;
  for (const std::string& bytes :
       {Utf16File(WithCrlf(text)), Utf16File(text), "\xEF\xBB\xBF" + text, WithCrlf(text)}) {
    RegFile file = Parse(bytes);
    EXPECT_EQ(file.format, RegFileFormat::kVersion5);
    ASSERT_EQ(file.keys.size(), 2u);
    EXPECT_EQ(file.keys[0].root, kHkeyCurrentUser);
    EXPECT_EQ(file.keys[0].subKey, "Software\\Vb Test");
    EXPECT_FALSE(file.keys[0].remove);
    EXPECT_EQ(file.keys[0].values, expected);
    EXPECT_EQ(file.keys[0].values[6].line, 13);
    EXPECT_TRUE(file.keys[1].remove);
    EXPECT_EQ(file.keys[1].subKey, "Software\\Old");
    EXPECT_EQ(file.keys[1].line, 18);
  }
}

TEST(RegFileParse, ReadsRegedit4AsAnsi) {
  RegFile file = Parse(
      WithCrlf("REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Vb]\n\"Caf\xe9\"=\"na\xefve \x80\"\n"
               "\"Exp\"=hex(2):25,54,4d,50,25,00\n"));
  EXPECT_EQ(file.format, RegFileFormat::kRegedit4);
  ASSERT_EQ(file.keys.size(), 1u);
  EXPECT_EQ(file.keys[0].root, kHkeyLocalMachine);
  EXPECT_EQ(file.keys[0].values,
            (std::vector<RegFileValue>{Value("Caf\xe9", kRegSz, std::string("na\xefve \x80\0", 8)),
                                       Value("Exp", kRegExpandSz, std::string("%TMP%\0", 6))}));
}

// The faults of a file, each on its line, are in cli/reg_file.txt; here the
// same are found on their lines in a UTF-16LE file, and a lone surrogate.
TEST(RegFileParse, RefusesMalformedUtf16FilesWithTheirLine) {
  const std::string h = "Windows Registry Editor Version 5.00\n";
  Result<RegFile> parsed = ParseRegFile(Utf16File(WithCrlf(h + "\n[HKCU\\X]\n\n\"a\"=dword:x\n")), kUtf8);
  ASSERT_FALSE(parsed);
  EXPECT_EQ(parsed.message().rfind("line 5: ", 0), 0u) << parsed.message();
  parsed = ParseRegFile("\xFF\xFE" + std::string("W\0\x00\xDC", 4), kUtf8);
  ASSERT_FALSE(parsed);
  EXPECT_NE(parsed.message().find("surrogate"), std::string::npos) << parsed.message();
}

std::string Utf16ToAscii(const std::string& bytes) {
  std::string out;
  for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) out += bytes[i];
  return out;
}

TEST(RegFileFormat, WritesAsRegeditDoes) {
  RegFileKey key{.root = kHkeyCurrentUser, .subKey = "Software\\A", .values = {}};
  key.values = {Value("", kRegSz, std::string("x\\\"y\0", 5)),
                Value("d", kRegDword, std::string("\x01\0\0\x80", 4)),
                Value("b", kRegBinary, "\x01\xff"), Value("e", kRegExpandSz, std::string("%\0", 2)),
                Value("short", kRegDword, "\x01"),
                Value("blob", kRegBinary, std::string(100, 'Z'))};
  Result<std::string> bytes = FormatRegFile(RegFile{.keys = {key}}, kCp1252);
  ASSERT_TRUE(bytes);
  EXPECT_EQ(bytes->substr(0, 2), "\xFF\xFE");
  // Long hex data goes on over lines of at most 80 columns, as regedit wraps it.
  auto bytesOfZ = [](int n) {
    std::string hex;
    for (int i = 0; i < n; ++i) hex += "5a,";
    return hex;
  };
  EXPECT_EQ(Utf16ToAscii(*bytes),
            "Windows Registry Editor Version 5.00\r\n\r\n"
            "[HKEY_CURRENT_USER\\Software\\A]\r\n"
            "@=\"x\\\\\\\"y\"\r\n"
            "\"d\"=dword:80000001\r\n"
            "\"b\"=hex:01,ff\r\n"
            "\"e\"=hex(2):25,00,00,00\r\n"
            "\"short\"=hex(4):01\r\n"
            "\"blob\"=hex:" + bytesOfZ(22) + "\\\r\n  " + bytesOfZ(25) + "\\\r\n  " + bytesOfZ(25) +
                "\\\r\n  " + bytesOfZ(25) + "\\\r\n  5a,5a,5a\r\n"
            "\r\n");
}

TEST(RegFileFormat, ParsingWhatItWroteGivesTheSameModel) {
  std::string high;
  for (int b = 0x80; b < 0x100; ++b) high += static_cast<char>(b);
  RegFileKey key{.root = kHkeyLocalMachine,
                 .subKey = "Software\\Odd \"Name\"\\" + high.substr(0, 20), .values = {}};
  key.values = {
      Value("", kRegSz, std::string("\0", 1)),
      Value("quote\"back\\slash", kRegSz, high + '\0'),
      Value("embedded nul", kRegSz, std::string("a\0b\0", 4)),
      Value("no nul", kRegSz, "abc"),
      Value("empty", kRegSz, ""),
      Value("line break", kRegSz, std::string("one\r\ntwo\0", 9)),
      Value("expand", kRegExpandSz, "%PATH%;" + high + '\0'),
      Value("multi", kRegMultiSz, std::string("a\0\xe9\0\0", 5)),
      Value("dword", kRegDword, "\x78\x56\x34\x12"),
      Value("big endian", kRegDwordBigEndian, "\x12\x34\x56\x78"),
      Value("binary", kRegBinary, std::string("\0\x01\xfe\xff", 4)),
      Value("none", kRegNone, ""),
      Value("qword", 11, std::string(8, '\x7f')),
      Value("odd type", 0x12345, "z"),
      Value("wrapped", kRegBinary, std::string(100, 'Z')),
  };
  const RegFileKey gone{
      .root = kHkeyCurrentUser, .subKey = "Software\\Gone", .remove = true, .values = {}};
  const RegFileKey root{
      .root = kHkeyUsers, .subKey = "", .values = {Value("deleted", kRegNone, "", true)}};
  for (RegFileFormat format : {RegFileFormat::kVersion5, RegFileFormat::kRegedit4}) {
    RegFile file{format, {key, gone, root}};
    Result<std::string> bytes = FormatRegFile(file, kCp1252);
    ASSERT_TRUE(bytes) << bytes.message();
    RegFile back = Parse(*bytes);
    EXPECT_EQ(back.format, format);
    EXPECT_EQ(back.keys, file.keys);
  }
  // What a .reg file cannot hold is refused rather than written wrongly.
  RegFile broken{RegFileFormat::kVersion5, {key}};
  broken.keys[0].values.push_back(Value("two\nlines", kRegSz, std::string("\0", 1)));
  Result<std::string> refused = FormatRegFile(broken, kCp1252);
  ASSERT_FALSE(refused);
  EXPECT_NE(refused.message().find("line break"), std::string::npos) << refused.message();
}

// Under UTF-8 the model is UTF-8: a Version 5.00 file's characters of any
// script, and a REGEDIT4 file of older Windows read as Windows-1252.
TEST(RegFileFormat, AUtf8ProgramReadsAndWritesEveryScript) {
  RegFileKey key{
      .root = kHkeyCurrentUser, .subKey = "Software\\\u041A\u0430\u0444\u0435", .values = {}};
  key.values = {Value("\u4E2D\u6587", kRegSz, "\U0001F9F9 caf\u00e9" + std::string(1, '\0')),
                Value("list", kRegMultiSz, std::string("\u00e9\0\0", 4))};
  for (RegFileFormat format : {RegFileFormat::kVersion5, RegFileFormat::kRegedit4}) {
    RegFile file{format, {key}};
    Result<std::string> bytes = FormatRegFile(file, kUtf8);
    ASSERT_TRUE(bytes) << bytes.message();
    EXPECT_EQ(Parse(*bytes, kUtf8).keys, file.keys);
    // Older Windows cannot hold these names: refused, never replaced.
    if (format == RegFileFormat::kVersion5) {
      EXPECT_FALSE(ParseRegFile(*bytes, kCp1252));
    }
  }
  RegFile old = Parse(WithCrlf("REGEDIT4\n\n[HKEY_CURRENT_USER\\Vb]\n\"Caf\xe9\"=\"\x80\"\n"), kUtf8);
  ASSERT_EQ(old.keys.size(), 1u);
  EXPECT_EQ(old.keys[0].values, (std::vector<RegFileValue>{Value(
                                    "Caf\u00e9", kRegSz, "\u20ac" + std::string(1, '\0'))}));
  // A name that is no UTF-8 cannot be written into a Unicode file.
  key.values = {Value("caf\xE9", kRegSz, std::string(1, '\0'))};
  EXPECT_FALSE(FormatRegFile(RegFile{RegFileFormat::kVersion5, {key}}, kUtf8));
}

// Export and import over an emulated machine.
class RegFileRegistry : public ::testing::Test {
 protected:
  platform::RegistryApi& reg() { return m.platform().Registry(); }
  RegFile Tree(const std::string& subKey) {
    RegFile tree;
    EXPECT_EQ(ReadKeyTree(reg(), kHkeyCurrentUser, subKey, &tree), kErrorSuccess) << subKey;
    return tree;
  }
  void Set(const std::string& path, const std::string& name, DWORD type, const std::string& data) {
    ASSERT_EQ(platform::WriteValue(reg(), kHkeyCurrentUser, path, name, type,
                                   std::vector<std::uint8_t>(data.begin(), data.end())),
              kErrorSuccess);
  }
  bool Exists(const std::string& subKey) {
    return test::KeyExists(reg(), kHkeyCurrentUser, subKey);
  }
  test::TempMachine m;
};

TEST_F(RegFileRegistry, ExportThenImportGivesTheSameRegistryBack) {
  const std::string top = "Software\\RoundTrip MiXeD";
  Set(top, "zeta", kRegSz, std::string("last letter\0", 12));
  Set(top, "", kRegSz, std::string("the default\0", 12));
  Set(top, "Alpha \"quoted\" \\ name", kRegExpandSz, std::string("%USERPROFILE%\\\u00e9\0", 17));
  Set(top, "dword", kRegDword, "\x01\x02\x03\x04");
  Set(top, "raw sz", kRegSz, "no terminator");
  Set(top + "\\b", "x", kRegSz, std::string("\0", 1));
  Set(top + "\\A\\Deep\\Deeper", "y", kRegDword, std::string(4, '\0'));
  Set(top + "\\cEnTrE", "", kRegBinary, "\x80\x81");
  HKEY empty = 0;
  ASSERT_EQ(reg().RegCreateKeyA(kHkeyCurrentUser, (top + "\\Empty").c_str(), &empty), 0);
  reg().RegCloseKey(empty);
  RegFile before = Tree(top);
  ASSERT_EQ(before.keys.size(), 7u);

  // Asked for in another case, the export still writes the stored names.
  Result<std::string> bytes =
      ExportRegKey(reg(), kHkeyCurrentUser, "SOFTWARE\\roundtrip mixed", kUtf8);
  ASSERT_TRUE(bytes) << bytes.message();
  EXPECT_EQ(Utf16ToAscii(*bytes).find("[HKEY_CURRENT_USER\\Software\\RoundTrip MiXeD]\r\n"), 40u);
  ASSERT_EQ(DeleteTree(reg(), kHkeyCurrentUser, top), kErrorSuccess);
  EXPECT_FALSE(Exists(top));
  Result<> imported = ImportRegFile(reg(), *bytes, kUtf8);
  ASSERT_TRUE(imported) << imported.message();
  EXPECT_EQ(Tree(top).keys, before.keys);
  EXPECT_EQ(ExportRegKey(reg(), kHkeyCurrentUser, top, kUtf8).value(), *bytes);
}

}  // namespace
}  // namespace vb
