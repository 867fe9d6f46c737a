// Registry semantics the program depends on, the same on every platform:
// names without regard to case, creation of missing parents, leaf-only
// deletion, enumeration by index, value types and sizes, ERROR_MORE_DATA.
#include <cstring>

#include "conformance/registry_conformance.h"
#include "platform/opened_key.h"
#include "platform/registry_values.h"

namespace vb::conformance {
namespace {

using namespace vb::win;

TEST_P(ConformanceRegistry, KeyAndValueNamesIgnoreCaseAndKeepTheirOwn) {
  ASSERT_EQ(Create(Key("MixedCase\\Inner")), kErrorSuccess);
  EXPECT_TRUE(Exists(Key("mixedcase\\INNER")));
  EXPECT_EQ(SubKeys(Key()), std::vector<std::string>{"MixedCase"});

  ASSERT_EQ(platform::WriteString(reg(), kHkeyCurrentUser, Key("MixedCase"), "ValueName", "one"),
            kErrorSuccess);
  EXPECT_EQ(platform::ReadStringValue(reg(), kHkeyCurrentUser, Key("MIXEDCASE"), "valuename"),
            "one");
  // Writing under another case replaces the value and keeps the first name.
  ASSERT_EQ(platform::WriteString(reg(), kHkeyCurrentUser, Key("mixedcase"), "VALUENAME", "two"),
            kErrorSuccess);
  EXPECT_EQ(ValueNames(Key("MixedCase")), std::vector<std::string>{"ValueName"});
  EXPECT_EQ(platform::ReadStringValue(reg(), kHkeyCurrentUser, Key("MixedCase"), "ValueName"),
            "two");

  // A second create under another case opens the same key.
  DWORD disposition = 0;
  ASSERT_EQ(Create(Key("MIXEDCASE\\inner"), &disposition), kErrorSuccess);
  EXPECT_EQ(disposition, kRegOpenedExistingKey);
  EXPECT_EQ(SubKeys(Key("MixedCase")), std::vector<std::string>{"Inner"});
}

TEST_P(ConformanceRegistry, CreateMakesEveryMissingParentAndOpenDoesNot) {
  platform::OpenedKey missing(reg());
  EXPECT_EQ(missing.Open(kHkeyCurrentUser, Key("A\\B\\C"), kKeyRead), kErrorFileNotFound);

  DWORD disposition = 0;
  ASSERT_EQ(Create(Key("A\\B\\C"), &disposition), kErrorSuccess);
  EXPECT_EQ(disposition, kRegCreatedNewKey);
  EXPECT_TRUE(Exists(Key("A")));
  EXPECT_TRUE(Exists(Key("A\\B")));
  EXPECT_TRUE(Exists(Key("A\\B\\C")));
  ASSERT_EQ(Create(Key("A\\B\\C"), &disposition), kErrorSuccess);
  EXPECT_EQ(disposition, kRegOpenedExistingKey);

  // The short form creates too, relative to an open key.
  platform::OpenedKey a(reg());
  ASSERT_EQ(a.Open(kHkeyCurrentUser, Key("A"), kKeyAllAccess), kErrorSuccess);
  HKEY made = 0;
  ASSERT_EQ(reg().RegCreateKeyA(a.get(), "X\\Y", &made), kErrorSuccess);
  reg().RegCloseKey(made);
  EXPECT_TRUE(Exists(Key("A\\X\\Y")));
  HKEY opened = 0;
  ASSERT_EQ(reg().RegOpenKeyA(a.get(), "x", &opened), kErrorSuccess);
  reg().RegCloseKey(opened);
}

TEST_P(ConformanceRegistry, DeleteKeyTakesOnlyAKeyWithoutSubkeys) {
  ASSERT_EQ(Create(Key("Tree\\Leaf")), kErrorSuccess);
  ASSERT_EQ(platform::WriteString(reg(), kHkeyCurrentUser, Key("Tree"), "v", "x"), kErrorSuccess);
  platform::OpenedKey scratch(reg());
  ASSERT_EQ(scratch.Open(kHkeyCurrentUser, Key(), kKeyAllAccess), kErrorSuccess);

  // Windows refuses a key with subkeys with ERROR_ACCESS_DENIED.
  EXPECT_EQ(reg().RegDeleteKeyA(scratch.get(), "Tree"), kErrorAccessDenied);
  EXPECT_TRUE(Exists(Key("Tree\\Leaf")));
  EXPECT_EQ(platform::ReadStringValue(reg(), kHkeyCurrentUser, Key("Tree"), "v"), "x");

  EXPECT_EQ(reg().RegDeleteKeyA(scratch.get(), "tree\\LEAF"), kErrorSuccess);
  EXPECT_FALSE(Exists(Key("Tree\\Leaf")));
  // A key with values but no subkeys goes, values and all.
  EXPECT_EQ(reg().RegDeleteKeyA(scratch.get(), "Tree"), kErrorSuccess);
  EXPECT_FALSE(Exists(Key("Tree")));
  EXPECT_EQ(reg().RegDeleteKeyA(scratch.get(), "Tree"), kErrorFileNotFound);
  EXPECT_EQ(reg().RegDeleteKeyA(scratch.get(), "Never\\There"), kErrorFileNotFound);
}

TEST_P(ConformanceRegistry, SubkeysEnumerateInAlphabeticalOrderWithoutRegardToCase) {
  for (const char* name : {"beta", "Alpha", "gamma", "Delta", "_under", "10", "9"})
    ASSERT_EQ(Create(Key(std::string("Sorted\\") + name)), kErrorSuccess);
  // Windows keeps subkeys sorted by their upper-case names, so "_" (after
  // "Z") sorts last; Wine sorts by lower-case names, and "_" (before "a")
  // comes first. Letters and digits sort alike on both.
  std::vector<std::string> sorted = {"10", "9", "Alpha", "beta", "Delta", "gamma", "_under"};
  if (WineOrder()) sorted = {"10", "9", "_under", "Alpha", "beta", "Delta", "gamma"};
  EXPECT_EQ(SubKeys(Key("Sorted")), sorted);
  platform::OpenedKey key(reg());
  ASSERT_EQ(key.Open(kHkeyCurrentUser, Key("Sorted"), kKeyRead), kErrorSuccess);
  char name[64];
  EXPECT_EQ(reg().RegEnumKeyA(key.get(), 7, name, sizeof name), kErrorNoMoreItems);
  EXPECT_EQ(reg().RegEnumKeyA(key.get(), 100, name, sizeof name), kErrorNoMoreItems);
  // Indexes may be asked in any order.
  ASSERT_EQ(reg().RegEnumKeyA(key.get(), 4, name, sizeof name), kErrorSuccess);
  EXPECT_EQ(name, sorted[4]);
  ASSERT_EQ(reg().RegEnumKeyA(key.get(), 0, name, sizeof name), kErrorSuccess);
  EXPECT_STREQ(name, "10");

  // An empty key has nothing at index 0.
  ASSERT_EQ(Create(Key("Empty")), kErrorSuccess);
  EXPECT_EQ(SubKeys(Key("Empty")), std::vector<std::string>{});
  EXPECT_EQ(ValueNames(Key("Empty")), std::vector<std::string>{});
}

TEST_P(ConformanceRegistry, ValuesEnumerateInTheirOrderAndDeletionClosesTheGap) {
  for (const char* name : {"zeta", "Alpha", "mid"})
    ASSERT_EQ(platform::WriteString(reg(), kHkeyCurrentUser, Key("Vals"), name, name),
              kErrorSuccess);
  ASSERT_EQ(platform::WriteString(reg(), kHkeyCurrentUser, Key("Vals"), "", "default"),
            kErrorSuccess);
  std::vector<std::string> names = ValueNames(Key("Vals"));
  if (WineOrder()) {
    // Wine keeps a key's values sorted by name; Windows keeps the order in
    // which they were made.
    EXPECT_EQ(names, (std::vector<std::string>{"", "Alpha", "mid", "zeta"}));
  } else {
    EXPECT_EQ(names, (std::vector<std::string>{"zeta", "Alpha", "mid", ""}));
  }
  platform::OpenedKey key(reg());
  ASSERT_EQ(key.Open(kHkeyCurrentUser, Key("Vals"), kKeyAllAccess), kErrorSuccess);
  EXPECT_EQ(reg().RegDeleteValueA(key.get(), "ALPHA"), kErrorSuccess);
  EXPECT_EQ(reg().RegDeleteValueA(key.get(), "Alpha"), kErrorFileNotFound);
  EXPECT_EQ(reg().RegDeleteValueA(key.get(), nullptr), kErrorSuccess);
  names = ValueNames(Key("Vals"));
  EXPECT_EQ(names, WineOrder() ? (std::vector<std::string>{"mid", "zeta"})
                            : (std::vector<std::string>{"zeta", "mid"}));
}

TEST_P(ConformanceRegistry, ValueTypesAndSizesComeBackAsStored) {
  platform::OpenedKey key(reg());
  ASSERT_EQ(key.Create(kHkeyCurrentUser, Key("Types"), kKeyAllAccess), kErrorSuccess);
  auto set = [&](const char* name, DWORD type, const std::string& bytes) {
    EXPECT_EQ(reg().RegSetValueExA(key.get(), name, type,
                                   reinterpret_cast<const BYTE*>(bytes.data()),
                                   static_cast<DWORD>(bytes.size())),
              kErrorSuccess)
        << name;
  };
  set("sz", kRegSz, std::string("abc\0", 4));
  set("expand", kRegExpandSz, std::string("%SystemRoot%\\x\0", 15));
  set("dword", kRegDword, std::string("\x01\x02\x03\x04", 4));
  set("binary", kRegBinary, std::string("\x00\xFF\x10", 3));
  set("multi", kRegMultiSz, std::string("a\0bc\0\0", 6));
  set("empty", kRegBinary, std::string());
  set("none", kRegNone, std::string("\x7f", 1));

  struct Expect {
    const char* name;
    DWORD type;
    std::string bytes;
  };
  for (const Expect& e : std::vector<Expect>{
           {"SZ", kRegSz, std::string("abc\0", 4)},
           // Queries never expand: the text comes back as it was written.
           {"expand", kRegExpandSz, std::string("%SystemRoot%\\x\0", 15)},
           {"dword", kRegDword, std::string("\x01\x02\x03\x04", 4)},
           {"binary", kRegBinary, std::string("\x00\xFF\x10", 3)},
           {"multi", kRegMultiSz, std::string("a\0bc\0\0", 6)},
           {"empty", kRegBinary, std::string()},
           {"none", kRegNone, std::string("\x7f", 1)}}) {
    DWORD type = 99, size = 0;
    // The size alone first, with no buffer.
    ASSERT_EQ(reg().RegQueryValueExA(key.get(), e.name, &type, nullptr, &size), kErrorSuccess)
        << e.name;
    EXPECT_EQ(type, e.type) << e.name;
    EXPECT_EQ(size, e.bytes.size()) << e.name;
    std::string got(64, '\xEE');
    size = static_cast<DWORD>(got.size());
    ASSERT_EQ(reg().RegQueryValueExA(key.get(), e.name, &type,
                                     reinterpret_cast<BYTE*>(got.data()), &size),
              kErrorSuccess)
        << e.name;
    EXPECT_EQ(got.substr(0, size), e.bytes) << e.name;
  }
  DWORD size = 0;
  EXPECT_EQ(reg().RegQueryValueExA(key.get(), "missing", nullptr, nullptr, &size),
            kErrorFileNotFound);

  // A DWORD read through the helpers.
  ASSERT_EQ(platform::WriteDword(reg(), kHkeyCurrentUser, Key("Types"), "n", 0xFFFFFFFEu),
            kErrorSuccess);
  std::vector<platform::RegValue> all = platform::ReadAllValues(reg(), kHkeyCurrentUser,
                                                                Key("Types"));
  ASSERT_EQ(all.size(), 8u);
  bool found = false;
  for (const platform::RegValue& v : all)
    if (v.name == "n") {
      found = true;
      EXPECT_EQ(v.type, kRegDword);
      EXPECT_EQ(v.data, (std::vector<std::uint8_t>{0xFE, 0xFF, 0xFF, 0xFF}));
    }
  EXPECT_TRUE(found);
}

TEST_P(ConformanceRegistry, ShortBuffersGetMoreDataAndTheSizeNeeded) {
  platform::OpenedKey key(reg());
  ASSERT_EQ(key.Create(kHkeyCurrentUser, Key("Short"), kKeyAllAccess), kErrorSuccess);
  ASSERT_EQ(platform::WriteString(reg(), kHkeyCurrentUser, Key("Short"), "LongValueName",
                                  "0123456789"),
            kErrorSuccess);
  ASSERT_EQ(Create(Key("Short\\SubKeyWithALongName")), kErrorSuccess);

  BYTE data[4];
  DWORD type = 0, size = sizeof data;
  EXPECT_EQ(reg().RegQueryValueExA(key.get(), "LongValueName", &type, data, &size),
            kErrorMoreData);
  EXPECT_EQ(size, 11u);

  char name[4];
  DWORD nameSize = sizeof name;
  EXPECT_EQ(reg().RegEnumValueA(key.get(), 0, name, &nameSize, nullptr, nullptr, nullptr),
            kErrorMoreData);
  char fullName[64];
  nameSize = sizeof fullName;
  DWORD dataSize = sizeof data;
  EXPECT_EQ(reg().RegEnumValueA(key.get(), 0, fullName, &nameSize, &type, data, &dataSize),
            kErrorMoreData);
  EXPECT_EQ(dataSize, 11u);

  char keyName[8];
  EXPECT_EQ(reg().RegEnumKeyA(key.get(), 0, keyName, sizeof keyName), kErrorMoreData);
  char fullKey[32];
  ASSERT_EQ(reg().RegEnumKeyA(key.get(), 0, fullKey, sizeof fullKey), kErrorSuccess);
  EXPECT_STREQ(fullKey, "SubKeyWithALongName");
  // Exactly the name and its NUL fit.
  char exact[20];
  EXPECT_EQ(reg().RegEnumKeyA(key.get(), 0, exact, sizeof exact), kErrorSuccess);
}

TEST_P(ConformanceRegistry, QueryInfoCountsSubkeysAndValuesWithTheirLongestLengths) {
  ASSERT_EQ(Create(Key("Info\\ab")), kErrorSuccess);
  ASSERT_EQ(Create(Key("Info\\abcdef")), kErrorSuccess);
  ASSERT_EQ(platform::WriteString(reg(), kHkeyCurrentUser, Key("Info"), "x", "12345"),
            kErrorSuccess);
  ASSERT_EQ(platform::WriteDword(reg(), kHkeyCurrentUser, Key("Info"), "longer", 1),
            kErrorSuccess);
  platform::OpenedKey key(reg());
  ASSERT_EQ(key.Open(kHkeyCurrentUser, Key("Info"), kKeyRead), kErrorSuccess);
  platform::RegKeyInfo info;
  ASSERT_EQ(reg().RegQueryInfoKeyA(key.get(), &info), kErrorSuccess);
  EXPECT_EQ(info.subKeys, 2u);
  EXPECT_EQ(info.values, 2u);
  EXPECT_EQ(info.maxSubKeyLen, 6u);
  EXPECT_EQ(info.maxValueNameLen, 6u);
  // The ANSI function reports data sizes as stored: Windows keeps strings in
  // UTF-16, and may report that size (12) rather than the ANSI one (6).
  EXPECT_GE(info.maxValueLen, 6u);
  EXPECT_LE(info.maxValueLen, 12u);
}

TEST_P(ConformanceRegistry, TheDefaultValueAndMissingKeys) {
  platform::OpenedKey key(reg());
  ASSERT_EQ(key.Create(kHkeyCurrentUser, Key("Default"), kKeyAllAccess), kErrorSuccess);
  DWORD size = 0;
  EXPECT_EQ(reg().RegQueryValueExA(key.get(), nullptr, nullptr, nullptr, &size),
            kErrorFileNotFound);
  std::string text("std\0", 4);
  ASSERT_EQ(reg().RegSetValueExA(key.get(), "", kRegSz,
                                 reinterpret_cast<const BYTE*>(text.data()), 4),
            kErrorSuccess);
  char got[8] = {};
  size = sizeof got;
  DWORD type = 0;
  ASSERT_EQ(reg().RegQueryValueExA(key.get(), nullptr, &type, reinterpret_cast<BYTE*>(got), &size),
            kErrorSuccess);
  EXPECT_STREQ(got, "std");
  EXPECT_EQ(type, kRegSz);

  platform::OpenedKey missing(reg());
  EXPECT_EQ(missing.Open(kHkeyCurrentUser, Key("Default\\Nope"), kKeyRead), kErrorFileNotFound);
  // A closed handle is no handle.
  HKEY opened = 0;
  ASSERT_EQ(reg().RegOpenKeyExA(kHkeyCurrentUser, Key("Default").c_str(), 0, kKeyRead, &opened),
            kErrorSuccess);
  EXPECT_EQ(reg().RegCloseKey(opened), kErrorSuccess);
  EXPECT_NE(reg().RegQueryValueExA(opened, nullptr, nullptr, nullptr, &size), kErrorSuccess);
}

TEST_P(ConformanceRegistry, APredefinedRootIsNoKeyToDelete) {
  // HKEY_CURRENT_USER itself: the call must leave the hive in place.
  EXPECT_NE(reg().RegDeleteKeyA(kHkeyCurrentUser, ""), kErrorSuccess);
  EXPECT_TRUE(Exists("Software"));
  EXPECT_TRUE(Exists(Key()));
}

// The platform's own registry.
INSTANTIATE_TEST_SUITE_P(, ConformanceRegistry,
                         ::testing::Values(RegistryTarget{"Platform", &MakeTarget}));

}  // namespace
}  // namespace vb::conformance
