// registry::DeleteTree over an emulated registry: what it refuses, a tree of
// any depth, and where a key that will not go ends the walk.
#include "registry/key_tree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string_view>
#include <utility>

#include "platform/emulated/emulated_registry.h"
#include "platform/registry_values.h"
#include "registry/key_reading.h"
#include "registry/reg_file_registry.h"
#include "support/forwarding_registry.h"
#include "support/registry_checks.h"
#include "support/small_stack.h"
#include "support/temp_machine.h"

namespace vb {
namespace {

using namespace vb::win;
using platform::ReadAllValues;
using platform::ReadSubKeyNames;
using platform::WriteString;
using registry::DeleteTree;

// The machine's registry, except that no key named "Stuck" and no value
// named "pinned" can be deleted.
class StuckRegistry : public test::ForwardingRegistry {
 public:
  using ForwardingRegistry::ForwardingRegistry;
  LONG RegDeleteKeyA(HKEY key, const char* subKey) override {
    std::string_view path = subKey;
    if (path == "Stuck" || path.ends_with("\\Stuck")) return kErrorAccessDenied;
    return ForwardingRegistry::RegDeleteKeyA(key, subKey);
  }
  LONG RegDeleteValueA(HKEY key, const char* name) override {
    if (std::string_view(name) == "pinned") return kErrorAccessDenied;
    return ForwardingRegistry::RegDeleteValueA(key, name);
  }
};

// The machine's registry, counting the key names that opening, creating and
// deleting keys look up: "A\\B\\C" is three.
class CountingRegistry : public test::ForwardingRegistry {
 public:
  using ForwardingRegistry::ForwardingRegistry;
  LONG RegOpenKeyExA(HKEY k, const char* s, DWORD op, DWORD a, HKEY* o) override {
    Count(s);
    return ForwardingRegistry::RegOpenKeyExA(k, s, op, a, o);
  }
  LONG RegCreateKeyExA(HKEY k, const char* s, DWORD re, const char* c, DWORD op, DWORD a, HKEY* o,
                       DWORD* d) override {
    Count(s);
    return ForwardingRegistry::RegCreateKeyExA(k, s, re, c, op, a, o, d);
  }
  LONG RegDeleteKeyA(HKEY k, const char* s) override {
    Count(s);
    return ForwardingRegistry::RegDeleteKeyA(k, s);
  }
  std::size_t TakeCount() { return std::exchange(names_, 0); }

 private:
  void Count(const char* subKey) {
    std::string_view path = subKey ? subKey : "";
    names_ += 1 + static_cast<std::size_t>(std::count(path.begin(), path.end(), '\\'));
  }
  std::size_t names_ = 0;
};

class DeleteTreeTest : public ::testing::Test {
 protected:
  // Software\Deep, and below it a chain of depth keys "k", each with a value.
  void BuildChain(int depth) {
    ASSERT_EQ(reg().BeginChanges(), kErrorSuccess);  // one transaction makes the building quick
    HKEY key = 0;
    ASSERT_EQ(reg().RegCreateKeyA(kHkeyCurrentUser, "Software\\Deep", &key), kErrorSuccess);
    for (int level = 0; level < depth; ++level) {
      HKEY child = 0;
      ASSERT_EQ(reg().RegCreateKeyA(key, "k", &child), kErrorSuccess);
      ASSERT_EQ(reg().RegSetValueExA(child, "v", kRegBinary, nullptr, 0), kErrorSuccess);
      reg().RegCloseKey(key);
      key = child;
    }
    reg().RegCloseKey(key);
    ASSERT_EQ(reg().EndChanges(true), kErrorSuccess);
  }
  platform::RegistryApi& reg() { return m.platform().Registry(); }
  bool Exists(const std::string& subKey) {
    return test::KeyExists(reg(), kHkeyCurrentUser, subKey);
  }
  std::vector<std::string> Values(const std::string& subKey) {
    std::vector<std::string> names;
    for (const platform::RegValue& value : ReadAllValues(reg(), kHkeyCurrentUser, subKey))
      names.push_back(value.name);
    return names;
  }
  void TearDown() override {
    EXPECT_EQ(dynamic_cast<emu::EmulatedRegistry&>(reg()).OpenHandleCount(), 0u)
        << "a key handle was left open";
  }
  test::TempMachine m;
};

TEST_F(DeleteTreeTest, RefusesHivesAndMalformedPathsAndTellsAMissingKey) {
  for (const char* bad : {"", "\\", "\\Software", "Software\\", "Software\\\\Microsoft"})
    EXPECT_EQ(DeleteTree(reg(), kHkeyCurrentUser, bad), kErrorInvalidParameter) << bad;
  EXPECT_EQ(DeleteTree(reg(), 0x1234, "Software"), kErrorInvalidParameter);
  EXPECT_TRUE(Exists("Software"));
  EXPECT_EQ(DeleteTree(reg(), kHkeyCurrentUser, "Software\\Not There"), kErrorFileNotFound);
}

// A tree thousands of levels deep is read, exported and deleted looking each
// key up a bounded number of times, never again from the hive for every
// level (the work grows with the depth, not with its square), and deleted on
// a stack that a frame per level would need about twice of.
TEST_F(DeleteTreeTest, DeepTreesAreReadExportedAndDeletedInLinearWorkOnASmallStack) {
  constexpr int kDepth = 2500;
  BuildChain(kDepth);
  CountingRegistry counting(reg());
  std::string deepest = "Software\\DEEP", stored = "Software\\Deep";
  for (int level = 0; level < kDepth; ++level) {
    deepest += "\\K";
    stored += "\\k";
  }

  registry::RegFile tree;
  ASSERT_EQ(registry::ReadKeyTree(counting, kHkeyCurrentUser, "Software\\Deep", &tree),
            kErrorSuccess);
  EXPECT_EQ(tree.keys.size(), kDepth + 1u);
  EXPECT_LE(counting.TakeCount(), 2u * kDepth);

  // The stored letter case of a path as deep as the tree.
  EXPECT_EQ(registry::StoredKeyCase(counting, kHkeyCurrentUser, deepest), stored);
  EXPECT_LE(counting.TakeCount(), 2u * kDepth);

  Result<std::string> exported = registry::ExportRegKey(counting, kHkeyCurrentUser,
                                                              "software\\deep", 65001);
  ASSERT_TRUE(exported) << exported.message();
  EXPECT_LE(counting.TakeCount(), 4u * kDepth);

  LONG rc = -1;
  test::OnSmallStack(128 * 1024,
                     [&] { rc = DeleteTree(counting, kHkeyCurrentUser, "Software\\Deep"); });
  EXPECT_EQ(rc, kErrorSuccess);
  EXPECT_LE(counting.TakeCount(), 4u * kDepth);
  EXPECT_FALSE(Exists("Software\\Deep"));
  EXPECT_TRUE(Exists("Software"));
}

TEST_F(DeleteTreeTest, AKeyThatWillNotGoEndsTheWalkWithWhatFollowsIt) {
  for (const char* path : {"Software\\T", "Software\\T\\A", "Software\\T\\A\\A1", "Software\\T\\M",
                           "Software\\T\\M\\Stuck", "Software\\T\\M\\Stuck\\Below",
                           "Software\\T\\Z"})
    ASSERT_EQ(WriteString(reg(), kHkeyCurrentUser, path, "v", path), kErrorSuccess);
  ASSERT_EQ(WriteString(reg(), kHkeyCurrentUser, "Software\\T\\M\\Stuck", "pinned", "x"),
            kErrorSuccess);
  StuckRegistry stuck(reg());
  std::string failed;
  EXPECT_EQ(DeleteTree(stuck, kHkeyCurrentUser, "Software\\T", &failed), kErrorAccessDenied);
  EXPECT_EQ(failed, "HKEY_CURRENT_USER\\Software\\T\\M\\Stuck");
  // Deepest first: what came before the stuck key is gone, values of the keys
  // above it too; the stuck key keeps only what could not go, and the keys
  // after it stay whole.
  EXPECT_EQ(ReadSubKeyNames(reg(), kHkeyCurrentUser, "Software\\T"),
            (std::vector<std::string>{"M", "Z"}));
  EXPECT_TRUE(Values("Software\\T").empty());
  EXPECT_TRUE(Values("Software\\T\\M").empty());
  EXPECT_EQ(Values("Software\\T\\M\\Stuck"), std::vector<std::string>{"pinned"});
  EXPECT_TRUE(ReadSubKeyNames(reg(), kHkeyCurrentUser, "Software\\T\\M\\Stuck").empty());
  EXPECT_EQ(Values("Software\\T\\Z"), std::vector<std::string>{"v"});
}

}  // namespace
}  // namespace vb
