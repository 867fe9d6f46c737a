// The emulated Windows machine: a folder laid out like a Wine prefix
// (drive_c/, drive_d/, ...) with registry.db beside the drives.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/emulated/database.h"
#include "platform/platform.h"
#include "platform/scripted_ui.h"

namespace vb::emu {

class HostPaths;
class EmulatedRegistry;
class EmulatedFileSystem;
class EmulatedEnvironment;
class EmulatedUrlCache;
class EmulatedShell;
class EmulatedSystem;

struct LaunchedProgram {
  std::string commandLine;
  int windowStyle = 0;
};

// Names of the machine's own settings in the machine table of registry.db.
inline constexpr const char* kLimitedUserSetting = "limited_user";
// Where the program that runs on the machine lies, and its executable's name
// without ".exe": what the system reports as the program's own folder and name.
inline constexpr const char* kProgramFolderSetting = "program_folder";
inline constexpr const char* kProgramNameSetting = "program_name";
inline constexpr const char* kTotalPhysSetting = "memory_total_phys";
inline constexpr const char* kAvailPhysSetting = "memory_avail_phys";

class Machine final : public platform::Platform {
 public:
  // Opens an existing machine folder; null with a message when it is none.
  [[nodiscard]] static std::unique_ptr<Machine> Open(const std::string& folder, std::string* error);
  ~Machine() override;

  platform::RegistryApi& Registry() override;
  platform::FileSystemApi& Files() override;
  platform::EnvironmentApi& Environment() override;
  platform::UrlCacheApi& UrlCache() override;
  platform::ShellApi& Shell() override;
  platform::UserInterfaceApi& Ui() override;
  platform::SystemApi& System() override;

  // The concrete realisations, for the front end and the tests.
  platform::ScriptedUi& Script();
  EmulatedSystem& Sys();
  const HostPaths& Paths() const;

  const std::string& Folder() const { return folder_; }
  Database& Db() { return db_; }
  bool LimitedUser();
  // Sets or reads one of the machine's own settings.
  [[nodiscard]] bool SetSetting(const std::string& name, const std::string& value);
  std::string Setting(const std::string& name);

 private:
  explicit Machine(std::string folder);

  std::string folder_;
  Database db_;
  std::unique_ptr<HostPaths> paths_;
  std::unique_ptr<EmulatedRegistry> registry_;
  std::unique_ptr<EmulatedFileSystem> files_;
  std::unique_ptr<EmulatedEnvironment> environment_;
  std::unique_ptr<EmulatedUrlCache> urlCache_;
  std::unique_ptr<EmulatedShell> shell_;
  std::unique_ptr<platform::ScriptedUi> ui_;
  std::unique_ptr<EmulatedSystem> system_;
};

}  // namespace vb::emu
