#include "platform/prefix/prefix_machine.h"

#include "platform/emulated/database.h"
#include "platform/emulated/emulated_environment.h"
#include "platform/emulated/emulated_file_system.h"
#include "platform/emulated/emulated_shell.h"
#include "platform/emulated/emulated_url_cache.h"
#include "platform/emulated/host_paths.h"
#include "platform/prefix/prefix_folder.h"
#include "platform/prefix/prefix_system.h"
#include "platform/prefix/prefix_user.h"
#include "platform/wine/wine_registry.h"

namespace vb::prefix {

PrefixMachine::PrefixMachine(std::string folder) : folder_(std::move(folder)) {}

PrefixMachine::~PrefixMachine() = default;

Result<std::unique_ptr<PrefixMachine>> PrefixMachine::Open(const std::string& folder) {
  if (!IsWinePrefix(folder))
    return Fail("no Wine prefix in " + folder + " (it needs system.reg and user.reg beside drive_c)");
  std::unique_ptr<PrefixMachine> m(new PrefixMachine(folder));
  auto registry = wine::WineRegistry::Open(folder);
  if (!registry)
    return Fail("the registry of the prefix " + folder + " cannot be read: " + registry.message());
  m->registry_ = std::move(*registry);
  Result<std::string> user = PrefixUser(folder, *m->registry_);
  if (!user) return user.failure();
  m->user_ = *user;
  std::string error;
  m->cacheDb_ = std::make_unique<emu::Database>();
  if (!m->cacheDb_->Open(":memory:", true, &error)) return Fail(error);
  m->paths_ = std::make_unique<emu::HostPaths>(folder);
  m->files_ = std::make_unique<emu::EmulatedFileSystem>(*m->paths_);
  m->environment_ = std::make_unique<emu::EmulatedEnvironment>(
      *m->registry_, ProcessVariables(*m->registry_, m->user_));
  m->urlCache_ = std::make_unique<emu::EmulatedUrlCache>(*m->cacheDb_, *m->files_);
  m->shell_ = std::make_unique<emu::EmulatedShell>(*m->paths_);
  m->ui_ = std::make_unique<platform::ScriptedUi>();
  m->system_ = std::make_unique<PrefixSystem>(*m->ui_);
  return m;
}

Result<> PrefixMachine::Save() {
  win::LONG saved = registry_->Save();
  if (saved == win::kErrorSuccess) return {};
  if (saved == win::kErrorBusy)
    return Fail("the registry changes were not written: another program (a wineserver) changed "
                "the registry files of " + folder_ + " since they were read",
                saved);
  return Fail("the registry changes were not written to " + folder_ + " (error " +
                  std::to_string(saved) + ")",
              saved);
}

platform::RegistryApi& PrefixMachine::Registry() { return *registry_; }
platform::FileSystemApi& PrefixMachine::Files() { return *files_; }
platform::EnvironmentApi& PrefixMachine::Environment() { return *environment_; }
platform::UrlCacheApi& PrefixMachine::UrlCache() { return *urlCache_; }
platform::ShellApi& PrefixMachine::Shell() { return *shell_; }
platform::UserInterfaceApi& PrefixMachine::Ui() { return *ui_; }
platform::SystemApi& PrefixMachine::System() { return *system_; }

}  // namespace vb::prefix
