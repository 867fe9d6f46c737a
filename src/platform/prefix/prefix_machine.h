// A Wine or Proton prefix as the machine the program works on: the drives'
// files through the emulated machine's file system (the prefix is laid out
// as it is), the registry read from and written to Wine's own files, the
// user the prefix's own.
//
// The registry's changes are held in memory and written by Save, which the
// front end calls when its command is done; a unit of changes is written at
// its end. The prefix has no URL cache index the program reads: its URL
// cache is empty. Its Recycle Bin is X:\RECYCLER, as the emulated machine's,
// which Wine does not use.
#pragma once

#include <memory>
#include <string>

#include "base/result.h"
#include "platform/platform.h"
#include "platform/scripted_ui.h"

namespace vb::emu {
class Database;
class HostPaths;
class EmulatedFileSystem;
class EmulatedEnvironment;
class EmulatedUrlCache;
class EmulatedShell;
}  // namespace vb::emu

namespace vb::wine {
class WineRegistry;
}

namespace vb::prefix {

class PrefixSystem;

class PrefixMachine final : public platform::Platform {
 public:
  // Opens the prefix of that folder (see IsWinePrefix); fails with a message
  // when it is none, its registry cannot be read or it has no single user.
  [[nodiscard]] static Result<std::unique_ptr<PrefixMachine>> Open(const std::string& folder);
  ~PrefixMachine() override;

  platform::RegistryApi& Registry() override;
  platform::FileSystemApi& Files() override;
  platform::EnvironmentApi& Environment() override;
  platform::UrlCacheApi& UrlCache() override;
  platform::ShellApi& Shell() override;
  platform::UserInterfaceApi& Ui() override;
  platform::SystemApi& System() override;
  platform::ScriptedUi& Script() { return *ui_; }

  const std::string& Folder() const { return folder_; }
  const std::string& User() const { return user_; }
  // Writes the registry's changes to Wine's files; fails, saying why, when a
  // file could not be written or another program (a wineserver) changed it
  // since it was read. Nothing to write is success.
  [[nodiscard]] Result<> Save();

 private:
  explicit PrefixMachine(std::string folder);

  std::string folder_;
  std::string user_;
  std::unique_ptr<emu::HostPaths> paths_;
  std::unique_ptr<wine::WineRegistry> registry_;
  std::unique_ptr<emu::EmulatedFileSystem> files_;
  std::unique_ptr<emu::EmulatedEnvironment> environment_;
  std::unique_ptr<emu::Database> cacheDb_;
  std::unique_ptr<emu::EmulatedUrlCache> urlCache_;
  std::unique_ptr<emu::EmulatedShell> shell_;
  std::unique_ptr<platform::ScriptedUi> ui_;
  std::unique_ptr<PrefixSystem> system_;
};

}  // namespace vb::prefix
