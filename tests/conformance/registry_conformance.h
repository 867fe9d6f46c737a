// The registry conformance cases, run against each platform's own registry
// and, on Linux, against a Wine prefix's registry files (each instantiates
// the suite with its target).
#pragma once

#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include "conformance/platform_target.h"
#include "platform/opened_key.h"

namespace vb::conformance {

using namespace vb::win;

// A registry to run the cases on: how to make its target, and its name in
// the cases' names ("ConformanceRegistry.Case/NAME").
struct RegistryTarget {
  const char* name;
  TargetMaker make;
};
inline void PrintTo(const RegistryTarget& target, std::ostream* out) { *out << target.name; }

class ConformanceRegistry : public PlatformTest,
                            public ::testing::WithParamInterface<RegistryTarget> {
 protected:
  std::unique_ptr<Target> NewTarget() override { return GetParam().make(); }
  // Whether keys and values come in Wine's order: under Wine, and from a
  // Wine prefix's files.
  bool WineOrder() {
    return OnWine() || target().realisation() == Realisation::kWineFiles;
  }
  // Every subkey name of a key, by index until ERROR_NO_MORE_ITEMS.
  std::vector<std::string> SubKeys(const std::string& path) {
    std::vector<std::string> names;
    platform::OpenedKey key(reg());
    EXPECT_EQ(key.Open(kHkeyCurrentUser, path, kKeyRead), kErrorSuccess) << path;
    char name[256];
    LONG rc;
    DWORD i = 0;
    while ((rc = reg().RegEnumKeyA(key.get(), i, name, sizeof name)) == kErrorSuccess) {
      names.push_back(name);
      ++i;
    }
    EXPECT_EQ(rc, kErrorNoMoreItems);
    return names;
  }
  std::vector<std::string> ValueNames(const std::string& path) {
    std::vector<std::string> names;
    platform::OpenedKey key(reg());
    EXPECT_EQ(key.Open(kHkeyCurrentUser, path, kKeyRead), kErrorSuccess) << path;
    char name[256];
    LONG rc;
    for (DWORD i = 0;; ++i) {
      DWORD size = sizeof name;
      rc = reg().RegEnumValueA(key.get(), i, name, &size, nullptr, nullptr, nullptr);
      if (rc != kErrorSuccess) break;
      EXPECT_EQ(size, std::strlen(name));
      names.push_back(name);
    }
    EXPECT_EQ(rc, kErrorNoMoreItems);
    return names;
  }
  LONG Create(const std::string& path, DWORD* disposition = nullptr) {
    HKEY key = 0;
    DWORD how = 0;
    LONG rc = reg().RegCreateKeyExA(kHkeyCurrentUser, path.c_str(), 0, nullptr, 0, kKeyAllAccess,
                                    &key, &how);
    if (rc == kErrorSuccess) reg().RegCloseKey(key);
    if (disposition) *disposition = how;
    return rc;
  }
  bool Exists(const std::string& path) {
    platform::OpenedKey key(reg());
    return key.Open(kHkeyCurrentUser, path, kKeyRead) == kErrorSuccess;
  }
};

}  // namespace vb::conformance
