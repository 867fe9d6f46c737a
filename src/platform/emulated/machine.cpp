#include "platform/emulated/machine.h"

#include <filesystem>

#include "platform/emulated/emulated_environment.h"
#include "platform/emulated/emulated_file_system.h"
#include "platform/emulated/emulated_registry.h"
#include "platform/emulated/emulated_shell.h"
#include "platform/emulated/emulated_system.h"
#include "platform/emulated/emulated_url_cache.h"
#include "platform/emulated/host_paths.h"

namespace vb::emu {

Machine::Machine(std::string folder) : folder_(std::move(folder)) {}

Machine::~Machine() = default;

std::unique_ptr<Machine> Machine::Open(const std::string& folder, std::string* error) {
  std::string db = folder + "/registry.db";
  if (!std::filesystem::is_regular_file(db) || !std::filesystem::is_directory(folder + "/drive_c")) {
    if (error)
      *error = "no emulated machine in " + folder + " (create one with 'machine init')";
    return nullptr;
  }
  std::unique_ptr<Machine> m(new Machine(folder));
  if (!m->db_.Open(db, false, error)) return nullptr;
  m->paths_ = std::make_unique<HostPaths>(folder);
  m->registry_ = std::make_unique<EmulatedRegistry>(m->db_, m->Setting(kLimitedUserSetting) == "1");
  m->files_ = std::make_unique<EmulatedFileSystem>(*m->paths_);
  m->environment_ = std::make_unique<EmulatedEnvironment>(*m->registry_);
  m->urlCache_ = std::make_unique<EmulatedUrlCache>(m->db_, *m->files_);
  m->shell_ = std::make_unique<EmulatedShell>(*m->paths_);
  m->ui_ = std::make_unique<platform::ScriptedUi>();
  m->system_ = std::make_unique<EmulatedSystem>(*m);
  return m;
}

platform::RegistryApi& Machine::Registry() { return *registry_; }
platform::FileSystemApi& Machine::Files() { return *files_; }
platform::EnvironmentApi& Machine::Environment() { return *environment_; }
platform::UrlCacheApi& Machine::UrlCache() { return *urlCache_; }
platform::ShellApi& Machine::Shell() { return *shell_; }
platform::UserInterfaceApi& Machine::Ui() { return *ui_; }
platform::SystemApi& Machine::System() { return *system_; }
platform::ScriptedUi& Machine::Script() { return *ui_; }
EmulatedSystem& Machine::Sys() { return *system_; }
const HostPaths& Machine::Paths() const { return *paths_; }

bool Machine::LimitedUser() { return Setting(kLimitedUserSetting) == "1"; }

bool Machine::SetSetting(const std::string& name, const std::string& value) {
  Statement s(db_.handle(),
              "INSERT INTO machine(name, value) VALUES (?, ?) "
              "ON CONFLICT(name) DO UPDATE SET value = excluded.value");
  return s.Bind(1, name).Bind(2, value).Run();
}

std::string Machine::Setting(const std::string& name) {
  Statement s(db_.handle(), "SELECT value FROM machine WHERE name = ?");
  return s.Bind(1, name).Step() ? s.Text(0) : std::string();
}

}  // namespace vb::emu
