// RegistryApi over the keys and values tables of registry.db.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "platform/registry_api.h"

namespace vb::emu {

class Database;

class EmulatedRegistry final : public platform::RegistryApi {
 public:
  // limitedUser: the user may read but not write HKEY_LOCAL_MACHINE and
  // HKEY_CLASSES_ROOT.
  EmulatedRegistry(Database& db, bool limitedUser);

  [[nodiscard]] win::LONG RegOpenKeyA(win::HKEY key, const char* subKey,
                                      win::HKEY* result) override;
  [[nodiscard]] win::LONG RegOpenKeyExA(win::HKEY key, const char* subKey, win::DWORD options,
                                        win::DWORD access, win::HKEY* result) override;
  [[nodiscard]] win::LONG RegCreateKeyA(win::HKEY key, const char* subKey,
                                        win::HKEY* result) override;
  [[nodiscard]] win::LONG RegCreateKeyExA(win::HKEY key, const char* subKey, win::DWORD reserved,
                                          const char* keyClass, win::DWORD options,
                                          win::DWORD access, win::HKEY* result,
                                          win::DWORD* disposition) override;
  [[nodiscard]] win::LONG RegQueryValueExA(win::HKEY key, const char* valueName, win::DWORD* type,
                                           win::BYTE* data, win::DWORD* size) override;
  [[nodiscard]] win::LONG RegSetValueExA(win::HKEY key, const char* valueName, win::DWORD type,
                                         const win::BYTE* data, win::DWORD size) override;
  win::LONG RegDeleteValueA(win::HKEY key, const char* valueName) override;
  win::LONG RegDeleteKeyA(win::HKEY key, const char* subKey) override;
  [[nodiscard]] win::LONG RegEnumKeyA(win::HKEY key, win::DWORD index, char* name,
                                      win::DWORD nameSize) override;
  [[nodiscard]] win::LONG RegEnumValueA(win::HKEY key, win::DWORD index, char* name,
                                        win::DWORD* nameSize, win::DWORD* type, win::BYTE* data,
                                        win::DWORD* dataSize) override;
  [[nodiscard]] win::LONG RegQueryInfoKeyA(win::HKEY key, platform::RegKeyInfo* info) override;
  win::LONG RegCloseKey(win::HKEY key) override;
  [[nodiscard]] win::LONG BeginChanges() override;
  win::LONG EndChanges(bool keep) override;

  // Open handles, for tests that check every handle is closed.
  std::size_t OpenHandleCount() const { return handles_.size(); }

 private:
  struct OpenKey {
    std::int64_t id = 0;
    int hive = 0;  // the row id of the hive: 1 HKCR, 2 HKCU, 3 HKLM, 4 HKU
    win::DWORD access = 0;
    // Where the last enumeration by index stopped, so that the next index
    // continues from there instead of counting from the start.
    std::uint64_t generation = 0;
    std::optional<win::DWORD> keyIndex;
    std::string keyFold;
    std::optional<win::DWORD> valueIndex;
    std::int64_t valueId = 0;
  };

  // The key a handle stands for; kErrorInvalidHandle or kErrorKeyDeleted.
  [[nodiscard]] win::LONG Lookup(win::HKEY key, OpenKey* out);
  [[nodiscard]] win::LONG Use(win::HKEY key, win::DWORD needed, OpenKey** out);
  // The Windows error for the database call that failed last.
  win::LONG Failure();
  bool HiveWritable(int hive) const;
  win::DWORD Grant(int hive, win::DWORD access) const;
  [[nodiscard]] win::LONG Walk(const OpenKey& from, const char* subKey, bool create,
                               std::int64_t* id, bool* created);
  win::HKEY NewHandle(OpenKey key);
  std::optional<std::int64_t> ValueRow(std::int64_t keyId, const char* valueName);

  Database& db_;
  bool limitedUser_;
  std::map<win::HKEY, OpenKey> handles_;
  OpenKey rootScratch_;  // the record Use hands out for a predefined root
  win::HKEY nextHandle_ = 0x100;
  std::uint64_t generation_ = 0;  // bumped by every change made through this object
};

}  // namespace vb::emu
