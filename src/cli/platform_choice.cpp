#include "cli/platform_choice.h"

#ifdef _WIN32
#include "platform/win32/win32_platform.h"
#else
#include <filesystem>

#include "platform/emulated/machine.h"
#include "platform/emulated/machine_init.h"
#endif

namespace vb::cli {

namespace {

#ifdef _WIN32

class RealMachine final : public ChosenPlatform {
 public:
  RealMachine() : platform_(&ui_) {}
  platform::Platform& get() override { return platform_; }
  platform::ScriptedUi& ui() override { return ui_; }

 private:
  platform::ScriptedUi ui_;
  win32::Win32Platform platform_;
};

#else

class EmulatedMachine final : public ChosenPlatform {
 public:
  explicit EmulatedMachine(std::unique_ptr<emu::Machine> machine) : machine_(std::move(machine)) {}
  platform::Platform& get() override { return *machine_; }
  platform::ScriptedUi& ui() override { return machine_->Script(); }

 private:
  std::unique_ptr<emu::Machine> machine_;
};

#endif

}  // namespace

#ifdef _WIN32

bool UsesEmulatedMachines() { return false; }

std::unique_ptr<ChosenPlatform> OpenPlatform(const std::string&, bool, std::string*) {
  return std::make_unique<RealMachine>();
}

#else

bool UsesEmulatedMachines() { return true; }

std::unique_ptr<ChosenPlatform> OpenPlatform(const std::string& folder, bool createDefault,
                                             std::string* error) {
  std::string why;
  if (createDefault && !std::filesystem::exists(folder + "/registry.db") &&
      !emu::InitMachine(folder, {}, &why)) {
    if (error) *error = "cannot create the default machine: " + why;
    return nullptr;
  }
  auto machine = emu::Machine::Open(folder, error);
  if (!machine) return nullptr;
  return std::make_unique<EmulatedMachine>(std::move(machine));
}

#endif

}  // namespace vb::cli
