// RegistryApi over the registry files of a Wine or Proton prefix:
//
//   HKEY_LOCAL_MACHINE       system.reg
//   HKEY_CURRENT_USER        user.reg, also HKEY_USERS\<the user's SID>
//   HKEY_USERS\.Default      userdef.reg
//   HKEY_CLASSES_ROOT        HKEY_LOCAL_MACHINE\Software\Classes, as Wine
//                            maps it (Wine merges no user classes into it)
//
// Names are kept in their case and found without regard to it, in Wine's
// order. The program's ANSI text is UTF-8: names and string data pass
// between it and Wine's UTF-16 (wine_names.h).
//
// Changes are made in memory. A unit of changes (BeginChanges, EndChanges)
// is written at its end, all of it or none; changes made outside a unit
// wait for Save(). Only the files that changed are written, each replaced
// whole (replace_file.h), and within them only the changed keys are written
// anew: the others keep the bytes they had. A file that another program
// (a running wineserver) wrote since it was read is not overwritten.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "base/result.h"
#include "platform/registry_api.h"
#include "platform/wine/replace_file.h"
#include "platform/wine/wine_hive.h"

namespace vb::wine {

class WineRegistry final : public platform::RegistryApi {
 public:
  struct Options {
    // The time of a change, in 100 ns ticks since 1601; the system's clock
    // when not given.
    std::function<std::uint64_t()> clock;
  };

  // Reads the prefix's registry files; system.reg must be there, a missing
  // user.reg or userdef.reg is an empty hive (written only once it has
  // changed). Temporary files that a killed save left are removed. Fails
  // with the Windows error code when a file cannot be read, is no Wine
  // registry file, or the files name different architectures.
  [[nodiscard]] static Result<std::unique_ptr<WineRegistry>> Open(const std::string& prefixFolder,
                                                                  Options options = {});

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
  // kErrorBusy when a file changed on disk since it was read.
  [[nodiscard]] win::LONG BeginChanges() override;
  win::LONG EndChanges(bool keep) override;

  WineRegistry(const WineRegistry&) = delete;
  WineRegistry& operator=(const WineRegistry&) = delete;

  // Writes every file whose keys changed since it was read or last saved:
  // all of them or, when one cannot be written, none. kErrorBusy when a file
  // changed on disk since it was read; the disk's error otherwise. Within a
  // unit of changes it writes nothing: the unit is written at its end.
  [[nodiscard]] win::LONG Save();
  bool HasUnsavedChanges() const;
  std::size_t OpenHandleCount() const { return handles_.size(); }

 private:
  enum HiveId { kMachine, kUser, kDefaultUser, kHiveCount, kUsersRoot = kHiveCount };
  struct Hive {
    std::string path;
    WineHive model;
    FileStamp stamp;  // the file as read or last written
    bool dirty = false;
  };
  struct OpenKey {
    std::shared_ptr<WineKey> key;
    int hive = 0;  // a HiveId
    win::DWORD access = 0;
  };

  WineRegistry(std::array<Hive, kHiveCount> hives, Options options);
  [[nodiscard]] win::LONG Lookup(win::HKEY key, OpenKey* out) const;
  [[nodiscard]] win::LONG Use(win::HKEY key, win::DWORD needed, OpenKey* out) const;
  [[nodiscard]] win::LONG Walk(const OpenKey& from, const char* subKey, bool create,
                               OpenKey* found, bool* created);
  win::HKEY NewHandle(OpenKey key);
  bool Writable(int hive) const { return hive != kUsersRoot; }
  win::DWORD Grant(int hive, win::DWORD access) const;
  std::uint64_t Now() const;
  // Marks a key changed (written anew, with the time now) and its file dirty.
  void Touch(int hive, WineKey& key);
  void OnUndo(std::function<void()> undo);
  [[nodiscard]] bool FilesUnchanged() const;
  // Save, telling which files were replaced (some may be when another
  // could not be).
  [[nodiscard]] win::LONG SaveFiles(std::array<bool, kHiveCount>* replaced);

  std::array<Hive, kHiveCount> hives_;
  Options options_;
  std::shared_ptr<WineKey> users_;    // HKEY_USERS: the two user hives' roots
  std::shared_ptr<WineKey> classes_;  // HKEY_LOCAL_MACHINE\Software\Classes
  std::map<win::HKEY, OpenKey> handles_;
  win::HKEY nextHandle_ = 0x100;
  // The unit of changes under way: its depth, how to undo it, and which
  // files were dirty before it.
  int unitDepth_ = 0;
  std::vector<std::function<void()>> undo_;
  std::array<bool, kHiveCount> dirtyBefore_{};
};

}  // namespace vb::wine
