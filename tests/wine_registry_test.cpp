// A Wine prefix's registry files: the text read and written exactly as
// Wine's server does, and the registry over a prefix, whose saves touch
// only what changed and survive being killed. The registry semantics
// themselves are the conformance suite's (WineFiles/ConformanceRegistry).
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "platform/opened_key.h"
#include "platform/registry_values.h"
#include "platform/wine/replace_file.h"
#include "platform/wine/wine_escapes.h"
#include "platform/wine/wine_names.h"
#include "platform/wine/wine_registry_file.h"
#include "support/wine_prefix.h"

namespace vb::wine {
namespace {

using namespace vb::win;
using platform::ReadStringValue;
using platform::WriteString;

std::string Data(const std::string& path) { return *ReadWholeFile(path); }

std::string CapturedFile(const std::string& name) {
  return Data(std::string(VANBRISK_TEST_DATA) + "/wine-prefix/" + name);
}

void RewriteAll(WineKey& key) {
  key.rewrite = true;
  key.blocks.clear();
  for (auto& subkey : key.subkeys) RewriteAll(*subkey);
}

TEST(WineRegistryFile, EscapesAreWritesAndReadsAsWines) {
  struct Form {
    std::u16string units;
    std::string text;
  };
  for (const Form& f : std::vector<Form>{
           {u"plain text", "plain text"},
           {u"back\\slash \"quoted\"", "back\\\\slash \\\"quoted\\\""},
           {u"\a\b\t\n\v\f\r\x1b", "\\a\\b\\t\\n\\v\\f\\r\\e"},
           // Octal, three digits where an octal digit follows.
           {std::u16string(u"\0end", 4), "\\0end"},
           {std::u16string(u"\x01" u"7\x1f", 3), "\\0017\\37"},
           // Code units above 127 in hex, four digits where a hex digit follows.
           {u"caf\u00e9", "caf\\xe9"},
           {u"\u00e9a \u00e9g", "\\x00e9a \\xe9g"},
           {u"\U0001F600", "\\xd83d\\xde00"},
           {u"\x7f", "\x7f"}}) {
    std::string written;
    EXPECT_EQ(AppendEscaped(written, f.units, "\"\""), f.text.size());
    EXPECT_EQ(written, f.text);
    std::u16string read;
    ASSERT_EQ(ReadEscaped(f.text + "\"", '"', &read), f.text.size() + 1) << f.text;
    EXPECT_EQ(read, f.units) << f.text;
  }
  // Key paths escape brackets instead of quotes.
  std::string path;
  AppendEscaped(path, u"[a]\"", "[]");
  EXPECT_EQ(path, "\\[a\\]\"");
  // What Wine reads though it never writes it: raw UTF-8 (its bad bytes
  // dropped), any other escaped character as itself, "\x" without digits.
  for (const Form& f : std::vector<Form>{{u"\u00e9\u20ac", "\xC3\xA9\xE2\x82\xAC\""},
                                         {u"ab", "a\x80\xC3" "b\""},
                                         {u"q[x", "\\q\\[\\x\""},
                                         {u"AB", "\\x41\\102\""},
                                         {std::u16string(1, 0xD800), "\\xd800\""}}) {
    std::u16string read;
    EXPECT_EQ(ReadEscaped(f.text, '"', &read), f.text.size()) << f.text;
    EXPECT_EQ(read, f.units) << f.text;
  }
  std::u16string read;
  EXPECT_FALSE(ReadEscaped("no end", '"', &read));
  EXPECT_FALSE(ReadEscaped("escaped end\\\"", '"', &read));
}

constexpr char kTypesFile[] =
    "WINE REGISTRY Version 2\n"
    ";; All keys relative to REGISTRY\\\\User\\\\S-1-5-21-0-0-0-1000\n"
    "\n#arch=win64\n"
    "\n[Software\\\\Caf\\xe9\\\\Types] 1704067200\n"
    "#time=1da3c457689c000\n"
    "#class=\"Class\"\n"
    "@=\"default\"\n"
    "\"binary\"=hex:00,ff,10\n"
    "\"dword\"=dword:fffffffe\n"
    "\"empty\"=hex:\n"
    "\"expand\"=str(2):\"%SystemRoot%\\\\x\"\n"
    "\"multi\"=str(7):\"a\\0bc\\0\"\n"
    "\"none\"=hex(0):7f\n"
    "\"odd string\"=hex(1):61,00,62\n"
    "\"sz \\\"\\xe9\\\"\"=\"line\\nbreak \\xd83d\\xde00\"\n"
    "\"unterminated\"=hex(7):61,00\n"
    "\n[Software\\\\Link] 1704067200\n"
    "#time=1da3c457689c000\n"
    "#link\n"
    "\"SymbolicLinkValue\"=hex(6):5c,00\n";

TEST(WineRegistryFile, EveryValueFormIsReadAndWrittenAsWineDoes) {
  Result<WineHive> hive = ReadWineHive(kTypesFile);
  ASSERT_TRUE(hive) << hive.message();
  EXPECT_EQ(hive->arch, "win64");
  EXPECT_EQ(hive->rootPath, "REGISTRY\\User\\S-1-5-21-0-0-0-1000");
  std::shared_ptr<WineKey> cafe = FindSubkey(*FindSubkey(*hive->root, u"software"), u"CAF\u00c9");
  std::shared_ptr<WineKey> types = FindSubkey(*cafe, u"types");
  ASSERT_TRUE(types);
  EXPECT_EQ(types->keyClass, u"Class");
  struct Expect {
    std::u16string name;
    DWORD type;
    std::string data;
  };
  for (const Expect& e : std::vector<Expect>{
           {u"", kRegSz, std::string("d\0e\0f\0a\0u\0l\0t\0\0\0", 16)},
           {u"binary", kRegBinary, std::string("\x00\xff\x10", 3)},
           {u"dword", kRegDword, "\xfe\xff\xff\xff"},
           {u"empty", kRegBinary, ""},
           {u"multi", kRegMultiSz, std::string("a\0\0\0b\0c\0\0\0\0\0", 12)},
           {u"none", kRegNone, "\x7f"},
           {u"odd string", kRegSz, std::string("a\0b", 3)},
           {u"sz \"\u00e9\"", kRegSz,
            std::string("l\0i\0n\0e\0\n\0b\0r\0e\0a\0k\0 \0\x3d\xd8\x00\xde\0\0", 28)},
           {u"unterminated", kRegMultiSz, std::string("a\0", 2)}}) {
    const WineValue* v = FindValue(*types, e.name);
    ASSERT_TRUE(v);
    EXPECT_EQ(v->type, e.type);
    EXPECT_EQ(v->data, e.data);
  }
  EXPECT_TRUE(FindSubkey(*FindSubkey(*hive->root, u"Software"), u"Link")->link);
  // Written anew, every key comes out as the text Wine wrote.
  EXPECT_EQ(WriteWineHive(*hive), kTypesFile);
  RewriteAll(*hive->root);
  EXPECT_EQ(WriteWineHive(*hive), kTypesFile);
}

TEST(WineRegistryFile, WhatWineCannotReadIsKeptAndOnlyWhatItRefusesIsRefused) {
  EXPECT_FALSE(ReadWineHive("REGEDIT4\n[A]\n"));
  EXPECT_FALSE(ReadWineHive("WINE REGISTRY Version 2\n#arch=win16\n"));
  EXPECT_FALSE(ReadWineHive("WINE REGISTRY Version 2\n#arch=win32\n[A\n#arch=win64\n"));
  std::string text =
      "WINE REGISTRY Version 2\n\n#arch=win32\n"
      "\n[A] 4\n@=\"a\"\n"
      "\n[B] 1\n#future=1\n; a comment\n\"bad\"=dword\n\"typo\"=str(1):\"x\"\n\"old\"=str:\"x\"\n"
      "\"noequals\" \"x\"\nstray\n"
      "\"blob\"=hex:01,\\\n[Swallowed] 2\n\"after\"=dword:1\n"
      "\n[Broken 3\n\"lost\"=\"x\"\n";
  Result<WineHive> hive = ReadWineHive(text);
  ASSERT_TRUE(hive) << hive.message();
  std::shared_ptr<WineKey> b = FindSubkey(*hive->root, u"B");
  ASSERT_TRUE(b);
  // A value whose data Wine cannot read is there, empty; a hex value goes on
  // over the key line after its "\", as Wine reads it.
  for (const char16_t* name : {u"bad", u"typo", u"blob"}) {
    ASSERT_TRUE(FindValue(*b, name)) << AnsiFromUnits(name);
    EXPECT_EQ(FindValue(*b, name)->type, kRegNone);
    EXPECT_EQ(FindValue(*b, name)->data, "");
  }
  EXPECT_EQ(FindValue(*b, u"old")->type, kRegSz);
  EXPECT_TRUE(FindValue(*b, u"after"));
  EXPECT_FALSE(FindSubkey(*hive->root, u"Swallowed"));
  EXPECT_FALSE(FindSubkey(*hive->root, u"Broken"));
  EXPECT_EQ(b->keptLines,
            (std::vector<std::string>{"#future=1", "; a comment", "\"noequals\" \"x\"", "stray"}));
  EXPECT_EQ(WriteWineHive(*hive), text);
  // Written anew, the lines are kept with their key, and the unreadable
  // key stays at the end, where it means what it meant.
  RewriteAll(*hive->root);
  std::string rewritten = WriteWineHive(*hive);
  std::string broken = "\n[Broken 3\n\"lost\"=\"x\"\n";
  EXPECT_EQ(rewritten.substr(rewritten.size() - broken.size()), broken);
  EXPECT_NE(rewritten.find("\n\"noequals\" \"x\"\nstray\n\"after\"=dword:00000001\n\"bad\"=hex(0):\n"),
            std::string::npos);
  Result<WineHive> again = ReadWineHive(rewritten);
  ASSERT_TRUE(again);
  EXPECT_TRUE(SameTree(*again->root, *hive->root));
  EXPECT_EQ(again->unreadKeys.size(), 1u);

  // A last line with no line end keeps the "\r" it ends in, copied or written anew.
  Result<WineHive> cr = ReadWineHive("WINE REGISTRY Version 2\n[C]\nstray\r");
  ASSERT_TRUE(cr);
  EXPECT_EQ(cr->root->subkeys.at(0)->keptLines, std::vector<std::string>{"stray\r"});
  for (bool anew : {false, true}) {
    if (anew) RewriteAll(*cr->root);
    Result<WineHive> back = ReadWineHive(WriteWineHive(*cr));
    ASSERT_TRUE(back);
    EXPECT_TRUE(SameTree(*back->root, *cr->root)) << anew;
  }
}

TEST(WineRegistryFile, APrefixWinebootMadeIsWrittenBackByteForByte) {
  for (const char* name : {"system.reg", "user.reg", "userdef.reg"}) {
    std::string text = CapturedFile(name);
    Result<WineHive> hive = ReadWineHive(text);
    ASSERT_TRUE(hive) << name << ": " << hive.message();
    EXPECT_EQ(WriteWineHive(*hive), text) << name;
    // Every key written anew is the text Wine wrote for it: its escapes,
    // value forms, line breaks in hex, and which keys it writes at all.
    RewriteAll(*hive->root);
    EXPECT_EQ(WriteWineHive(*hive), text) << name;
  }
}

TEST(WineRegistry, TheRootsAreThePrefixsFilesAsWineMapsThem) {
  test::TempWinePrefix prefix;
  auto reg = prefix.Open();
  EXPECT_EQ(ReadStringValue(*reg, kHkeyLocalMachine, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion",
                            "CurrentBuild"),
            "7601");
  EXPECT_EQ(ReadStringValue(*reg, kHkeyClassesRoot, ".AI", "Content Type"), "application/postscript");
  EXPECT_EQ(ReadStringValue(*reg, kHkeyCurrentUser, "Control Panel\\Colors", "ActiveTitle"),
            "50 150 250");
  EXPECT_EQ(ReadStringValue(*reg, kHkeyUsers, "S-1-5-21-0-0-0-1000\\Control Panel\\Colors",
                            "ActiveTitle"),
            "50 150 250");
  EXPECT_EQ(ReadStringValue(*reg, kHkeyUsers,
                            ".Default\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                            "Fonts"),
            "C:\\windows\\Fonts");
  EXPECT_EQ(platform::ReadSubKeyNames(*reg, kHkeyUsers, ""),
            (std::vector<std::string>{".Default", "S-1-5-21-0-0-0-1000"}));
  // A name Wine wrote in \x escapes of UTF-16 is the program's UTF-8.
  EXPECT_EQ(platform::ReadSubKeyNames(*reg, kHkeyCurrentUser, "Control Panel\\International").back(),
            "\xF0\x9F\x8C\x8E\xF0\x9F\x8C\x8F\xF0\x9F\x8C\x8D");
  // Letters outside ASCII are found in any case, as Wine finds them, and
  // keep their own.
  ASSERT_EQ(WriteString(*reg, kHkeyCurrentUser, "Software\\\xC3\x9C" "ber \xCE\xA9\xD0\x96", "x", "1"),
            kErrorSuccess);
  EXPECT_EQ(ReadStringValue(*reg, kHkeyCurrentUser, "SOFTWARE\\\xC3\xBC""BER \xCF\x89\xD0\xB6", "x"), "1");
  EXPECT_EQ(platform::ReadSubKeyNames(*reg, kHkeyCurrentUser, "Software").back(),
            "\xC3\x9C""ber \xCE\xA9\xD0\x96");
  // A symbolic link (Wine's "#link") takes no value but its target.
  EXPECT_EQ(WriteString(*reg, kHkeyClassesRoot, "Wow6432Node\\AppId", "x", "1"), kErrorAccessDenied);
  // HKEY_USERS itself holds hives, not keys of its own.
  EXPECT_EQ(WriteString(*reg, kHkeyUsers, "New", "x", "1"), kErrorAccessDenied);
  EXPECT_EQ(reg->RegDeleteKeyA(kHkeyUsers, ".Default"), kErrorAccessDenied);
}

TEST(WineRegistry, AChangeRewritesOnlyItsKeyInOnlyItsFile) {
  test::TempWinePrefix prefix;
  auto reg = prefix.Open();
  std::string user = Data(prefix.File("user.reg"));
  FileStamp system = StampOf(prefix.File("system.reg"));
  // Setting what is there already changes nothing.
  ASSERT_EQ(WriteString(*reg, kHkeyCurrentUser, "Control Panel\\Colors", "ActiveTitle", "50 150 250"),
            kErrorSuccess);
  EXPECT_FALSE(reg->HasUnsavedChanges());
  ASSERT_EQ(WriteString(*reg, kHkeyCurrentUser, "control panel\\colors", "activeborder", "1 2 3"),
            kErrorSuccess);
  EXPECT_TRUE(reg->HasUnsavedChanges());
  ASSERT_EQ(reg->Save(), kErrorSuccess);
  EXPECT_FALSE(reg->HasUnsavedChanges());

  // The key's lines anew, with the time of the change; every other byte as it was.
  std::string expected = user;
  for (auto [from, to] : std::vector<std::pair<std::string, std::string>>{
           {"[Control Panel\\\\Colors] 1796711376\n#time=1dd86dd7ee6660a\n",
            "[Control Panel\\\\Colors] 1704067200\n#time=1da3c457689c000\n"},
           {"\"ActiveBorder\"=\"255 255 255\"", "\"ActiveBorder\"=\"1 2 3\""}}) {
    ASSERT_NE(expected.find(from), std::string::npos) << from;
    expected.replace(expected.find(from), from.size(), to);
  }
  EXPECT_EQ(Data(prefix.File("user.reg")), expected);
  EXPECT_EQ(StampOf(prefix.File("system.reg")), system);
  EXPECT_EQ(Data(prefix.File("userdef.reg")), CapturedFile("userdef.reg"));
  // A save with nothing changed writes nothing.
  FileStamp saved = StampOf(prefix.File("user.reg"));
  ASSERT_EQ(reg->Save(), kErrorSuccess);
  EXPECT_EQ(StampOf(prefix.File("user.reg")), saved);
}

TEST(WineRegistry, KeysAndValuesOfEveryKindLastInTheFiles) {
  test::TempWinePrefix prefix;
  std::filesystem::remove(prefix.File("userdef.reg"));
  std::vector<platform::RegValue> values = {
      {"sz", kRegSz, {'a', 0}},
      {"caf\xC3\xA9 \xF0\x9F\x98\x80", kRegSz, {0xE2, 0x82, 0xAC, 0}},
      {"expand", kRegExpandSz, {'%', 'x', '%', 0}},
      {"multi", kRegMultiSz, {'a', 0, 'b', 0, 0}},
      {"unterminated", kRegSz, {'a', 'b'}},
      {"dword", kRegDword, {1, 2, 3, 4}},
      {"binary", kRegBinary, std::vector<std::uint8_t>(100, 0xAB)},
      {"", kRegNone, {}}};
  {
    auto reg = prefix.Open();
    for (const platform::RegValue& v : values)
      ASSERT_EQ(platform::WriteValue(*reg, kHkeyCurrentUser, "Software\\Kinds", v.name, v.type, v.data),
                kErrorSuccess);
    ASSERT_EQ(WriteString(*reg, kHkeyUsers, ".Default\\Software\\Made", "x", "1"), kErrorSuccess);
    ASSERT_EQ(reg->RegDeleteKeyA(kHkeyLocalMachine, "Software\\Classes\\.chm"), kErrorSuccess);
    // Bytes that are no UTF-8 are no text to store as a string.
    EXPECT_EQ(platform::WriteValue(*reg, kHkeyCurrentUser, "Software\\Kinds", "bad", kRegSz, {0xFF, 0}),
              kErrorInvalidData);
    ASSERT_EQ(reg->Save(), kErrorSuccess);
  }
  auto reg = prefix.Open();
  std::vector<platform::RegValue> read = platform::ReadAllValues(*reg, kHkeyCurrentUser, "Software\\Kinds");
  ASSERT_EQ(read.size(), values.size());
  for (const platform::RegValue& v : values) {
    auto found = std::find_if(read.begin(), read.end(), [&](const auto& r) { return r.name == v.name; });
    ASSERT_NE(found, read.end()) << v.name;
    EXPECT_EQ(found->type, v.type) << v.name;
    EXPECT_EQ(found->data, v.data) << v.name;
  }
  EXPECT_EQ(ReadStringValue(*reg, kHkeyUsers, ".Default\\Software\\Made", "x"), "1");
  platform::OpenedKey deleted(*reg);
  EXPECT_EQ(deleted.Open(kHkeyClassesRoot, ".chm", kKeyRead), kErrorFileNotFound);
  // Non-ASCII text is in the file as Wine writes it: UTF-16 in \x escapes.
  std::string user = Data(prefix.File("user.reg"));
  EXPECT_NE(user.find("\"caf\\xe9 \\xd83d\\xde00\"=\"\\x20ac\"\n"), std::string::npos);
  EXPECT_NE(user.find("\"unterminated\"=hex(1):61,00,62,00\n"), std::string::npos);
  // The missing file was made as Wine makes it.
  std::string start =
      "WINE REGISTRY Version 2\n;; All keys relative to REGISTRY\\\\User\\\\.Default\n\n#arch=win64\n";
  EXPECT_EQ(Data(prefix.File("userdef.reg")).substr(0, start.size()), start);
}

TEST(WineRegistry, AUnitIsWrittenWholeAtItsEndOrUndone) {
  test::TempWinePrefix prefix;
  auto reg = prefix.Open();
  std::string user = Data(prefix.File("user.reg"));
  HKEY open = 0;
  ASSERT_EQ(reg->RegOpenKeyA(kHkeyCurrentUser, "Software\\Wine\\Debug", &open), kErrorSuccess);

  ASSERT_EQ(reg->BeginChanges(), kErrorSuccess);
  ASSERT_EQ(reg->BeginChanges(), kErrorSuccess);  // a nested unit joins the outer one
  ASSERT_EQ(WriteString(*reg, kHkeyCurrentUser, "Unit\\Made", "x", "1"), kErrorSuccess);
  ASSERT_EQ(reg->RegDeleteValueA(open, "RelayExclude"), kErrorSuccess);
  ASSERT_EQ(reg->RegDeleteKeyA(kHkeyCurrentUser, "Software\\Wine\\AppDefaults"), kErrorSuccess);
  EXPECT_EQ(reg->EndChanges(true), kErrorSuccess);
  EXPECT_EQ(reg->Save(), kErrorSuccess);
  EXPECT_EQ(Data(prefix.File("user.reg")), user);  // the outer unit is still open
  reg->EndChanges(false);
  EXPECT_FALSE(reg->HasUnsavedChanges());
  EXPECT_EQ(Data(prefix.File("user.reg")), user);
  EXPECT_TRUE(platform::ReadSubKeyNames(*reg, kHkeyCurrentUser, "Unit").empty());
  EXPECT_NE(ReadStringValue(*reg, kHkeyCurrentUser, "Software\\Wine\\Debug", "RelayExclude"), "");
  // The handle opened before the unit reaches the same key still, and the
  // file is written from keys exactly as they were.
  DWORD size = 0;
  EXPECT_EQ(reg->RegQueryValueExA(open, "RelayExclude", nullptr, nullptr, &size), kErrorSuccess);
  reg->RegCloseKey(open);
  EXPECT_EQ(WriteWineHive(*ReadWineHive(user)), user);

  ASSERT_EQ(reg->BeginChanges(), kErrorSuccess);
  ASSERT_EQ(WriteString(*reg, kHkeyCurrentUser, "Unit", "kept", "1"), kErrorSuccess);
  ASSERT_EQ(reg->EndChanges(true), kErrorSuccess);
  EXPECT_FALSE(reg->HasUnsavedChanges());
  EXPECT_EQ(ReadStringValue(*prefix.Open(), kHkeyCurrentUser, "Unit", "kept"), "1");
}

TEST(WineRegistry, AFileAnotherProgramWroteIsNotOverwritten) {
  test::TempWinePrefix prefix;
  auto reg = prefix.Open();
  ASSERT_EQ(WriteString(*reg, kHkeyCurrentUser, "Mine", "x", "1"), kErrorSuccess);
  // wineserver saves the user's hive meanwhile.
  std::string theirs = Data(prefix.File("user.reg")) + "\n[Theirs] 1704067200\n\"y\"=\"2\"\n";
  std::filesystem::remove(prefix.File("user.reg"));
  ASSERT_TRUE(Result<std::string>(WriteBeside(prefix.File("user.reg"), theirs)));
  for (const auto& entry : std::filesystem::directory_iterator(prefix.folder()))
    if (entry.path().filename().string().rfind(".user.reg.new-", 0) == 0)
      std::filesystem::rename(entry.path(), prefix.File("user.reg"));
  EXPECT_EQ(reg->Save(), kErrorBusy);
  EXPECT_EQ(reg->BeginChanges(), kErrorBusy);
  EXPECT_EQ(Data(prefix.File("user.reg")), theirs);
  EXPECT_TRUE(reg->HasUnsavedChanges());
}

TEST(WineRegistry, AKillBeforeTheRenameLeavesTheOldFileWhole) {
  test::TempWinePrefix prefix;
  std::string user = Data(prefix.File("user.reg"));
  // A save killed after writing its new file, before the rename.
  Result<std::string> left = WriteBeside(prefix.File("user.reg"), "WINE REGISTRY Version 2\n[Half");
  ASSERT_TRUE(left);
  EXPECT_EQ(Data(prefix.File("user.reg")), user);
  ASSERT_TRUE(std::filesystem::exists(*left));
  // The next run reads the old file, and clears what the killed one left.
  auto reg = prefix.Open();
  EXPECT_FALSE(std::filesystem::exists(*left));
  EXPECT_EQ(ReadStringValue(*reg, kHkeyCurrentUser, "Control Panel\\Colors", "ActiveTitle"),
            "50 150 250");
  ASSERT_EQ(WriteString(*reg, kHkeyCurrentUser, "After", "x", "1"), kErrorSuccess);
  ASSERT_EQ(reg->Save(), kErrorSuccess);
  EXPECT_EQ(ReadStringValue(*prefix.Open(), kHkeyCurrentUser, "After", "x"), "1");
  std::size_t files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(prefix.folder()))
    ++files;
  EXPECT_EQ(files, 3u);  // the three hives, no temporary file beside them
}

// A process that saves again and again, killed at moments nobody chose: the
// file read afterwards is always one of its saves, whole, and nothing of the
// killed save stays beside it.
TEST(WineRegistry, AProcessKilledWhileSavingLeavesOneSaveWhole) {
  test::TempWinePrefix prefix;
  int saves = 0;
  for (int round = 0; round < 10; ++round) {
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      auto reg = prefix.Open();
      for (int i = 0;; ++i)
        for (const char* name : {"a", "b", "c"})
          if (WriteString(*reg, kHkeyCurrentUser, "Kill", name, std::to_string(i)) != kErrorSuccess ||
              (name[0] == 'c' && reg->Save() != kErrorSuccess))
            _exit(1);
    }
    usleep(3000 + round * 4000);
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the saving process stopped by itself";
    auto reg = prefix.Open();
    std::string a = ReadStringValue(*reg, kHkeyCurrentUser, "Kill", "a");
    EXPECT_EQ(ReadStringValue(*reg, kHkeyCurrentUser, "Kill", "b"), a);
    EXPECT_EQ(ReadStringValue(*reg, kHkeyCurrentUser, "Kill", "c"), a);
    saves += !a.empty();
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(prefix.folder()))
      ++files;
    EXPECT_EQ(files, 3u);
  }
  EXPECT_GT(saves, 0) << "no save was ever finished: the kills came too soon to mean anything";
}

TEST(WineRegistry, AHandleToADeletedKeySaysSo) {
  test::TempWinePrefix prefix;
  auto reg = prefix.Open();
  HKEY key = 0;
  ASSERT_EQ(reg->RegCreateKeyA(kHkeyCurrentUser, "Gone", &key), kErrorSuccess);
  ASSERT_EQ(reg->RegDeleteKeyA(kHkeyCurrentUser, "Gone"), kErrorSuccess);
  DWORD size = 0;
  EXPECT_EQ(reg->RegQueryValueExA(key, nullptr, nullptr, nullptr, &size), kErrorKeyDeleted);
  EXPECT_EQ(reg->RegCloseKey(key), kErrorSuccess);
  EXPECT_EQ(reg->OpenHandleCount(), 0u);
}

}  // namespace
}  // namespace vb::wine
