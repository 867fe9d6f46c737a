// A machine's registry.db that has no room left, as on a full disk: SQLite's
// page limit for the machine's connection is set to the pages it has, and
// values fill what room the pages still had.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/emulated/database.h"
#include "platform/registry_api.h"

namespace vb::test {

inline void FillDatabase(emu::Database& db, platform::RegistryApi& registry) {
  std::int64_t pages = 0;
  {
    emu::Statement count(db.handle(), "PRAGMA page_count");
    ASSERT_TRUE(count.Step());
    pages = count.Int(0);
  }
  ASSERT_TRUE(db.Exec("PRAGMA max_page_count = " + std::to_string(pages)));
  win::HKEY key = 0;
  ASSERT_EQ(registry.RegCreateKeyA(win::kHkeyCurrentUser, "Software\\Filler", &key),
            win::kErrorSuccess);
  int written = 0;
  for (std::size_t size : {4096u, 512u, 64u, 8u, 1u}) {
    std::string data(size, 'f');
    win::LONG rc = win::kErrorSuccess;
    while (rc == win::kErrorSuccess) {
      std::string name = "f" + std::to_string(written++);
      rc = registry.RegSetValueExA(key, name.c_str(), win::kRegBinary,
                                   reinterpret_cast<const win::BYTE*>(data.data()),
                                   static_cast<win::DWORD>(size));
    }
    ASSERT_EQ(rc, win::kErrorDiskFull);
  }
  registry.RegCloseKey(key);
}

}  // namespace vb::test
