// vanbrisk-cli over an emulated machine or a Wine prefix: the folder opened
// (an emulated machine laid out when it has none), and "machine init".
#include <filesystem>

#include "cli/machine_verbs.h"
#include "cli/platform_choice.h"
#include "fixtures/demo_traces.h"
#include "fixtures/machine_init.h"
#include "platform/emulated/machine.h"
#include "platform/prefix/prefix_folder.h"
#include "platform/prefix/prefix_machine.h"
#include "platform/prefix/wine_server.h"

namespace vb::cli {

namespace {

class EmulatedMachine final : public ChosenPlatform {
 public:
  explicit EmulatedMachine(std::unique_ptr<emu::Machine> machine) : machine_(std::move(machine)) {}
  platform::Platform& get() override { return *machine_; }
  platform::ScriptedUi& ui() override { return machine_->Script(); }

 private:
  std::unique_ptr<emu::Machine> machine_;
};

// A Wine or Proton prefix. Reading it goes on while its wineserver runs; a
// change is refused then, and the server's lock held while one is made.
class WinePrefix final : public ChosenPlatform {
 public:
  explicit WinePrefix(std::unique_ptr<prefix::PrefixMachine> prefix) : prefix_(std::move(prefix)) {}
  platform::Platform& get() override { return *prefix_; }
  platform::ScriptedUi& ui() override { return prefix_->Script(); }
  std::string inUse() override {
    pid_t server = prefix::RunningWineServer(prefix_->Folder());
    return server == 0 ? std::string() : prefix::ServerRunningNote(prefix_->Folder(), server);
  }
  Result<> holdForChanges() override {
    auto hold = prefix::WineServerHold::Take(prefix_->Folder());
    if (!hold) return hold.failure();
    hold_ = std::move(*hold);
    return {};
  }
  Result<> finishChanges() override { return prefix_->Save(); }

 private:
  std::unique_ptr<prefix::PrefixMachine> prefix_;
  std::unique_ptr<prefix::WineServerHold> hold_;
};

}  // namespace

bool UsesEmulatedMachines() { return true; }

Result<std::unique_ptr<ChosenPlatform>> OpenPlatform(const std::string& folder,
                                                     bool createDefault, std::ostream& log) {
  if (prefix::IsWinePrefix(folder)) {
    auto opened = prefix::PrefixMachine::Open(folder);
    if (!opened) return opened.failure();
    return std::unique_ptr<ChosenPlatform>(std::make_unique<WinePrefix>(std::move(*opened)));
  }
  if (createDefault && !std::filesystem::exists(folder + "/registry.db")) {
    // Said before it is made: a first command's output then tells where it worked.
    log << "Creating a new machine in " << folder << "\n";
    if (Result<> made = fixtures::InitMachine(folder, {}); !made)
      return Fail("cannot create the default machine: " + made.message());
  }
  std::string error;
  auto machine = emu::Machine::Open(folder, &error);
  if (!machine) return Fail(error);
  // A machine laid out before the program's folder was one of its settings
  // has the program where every machine has it.
  if (machine->Setting(emu::kProgramFolderSetting).empty() &&
      !(machine->SetSetting(emu::kProgramFolderSetting, fixtures::kProgramFolder) &&
        machine->SetSetting(emu::kProgramNameSetting, fixtures::kProgramName)))
    return Fail("cannot write the machine's settings in " + folder);
  return std::unique_ptr<ChosenPlatform>(std::make_unique<EmulatedMachine>(std::move(machine)));
}

int RunMachineVerb(const std::string& folder, const std::vector<std::string>& args, VerbIo io) {
  if (args.empty() || args[0] != "init") {
    io.err << "usage: machine init [--demo] [--modern] [--limited-user] [--force]\n";
    return kExitUsage;
  }
  fixtures::InitOptions options;
  bool demo = false;
  for (std::size_t i = 1; i < args.size(); ++i) {
    if (args[i] == "--limited-user") {
      options.limitedUser = true;
    } else if (args[i] == "--demo") {
      demo = true;
    } else if (args[i] == "--modern") {
      options.modern = true;
    } else if (args[i] == "--force") {
      options.overwrite = true;
    } else {
      io.err << "machine init: unknown option " << args[i] << "\n";
      return kExitUsage;
    }
  }
  // The traces go in before the machine is put in place, with an
  // administrator's rights even on a limited user's machine.
  if (demo)
    options.fill = [modern = options.modern](emu::Machine& machine) -> Result<> {
      Result<> added = fixtures::AddDemoTraces(machine, modern);
      if (added) return added;
      return Fail("the demonstration traces could not be added: " + added.message());
    };
  if (Result<> made = fixtures::InitMachine(folder, options); !made) {
    io.err << "machine init: " << made.message() << "\n";
    return kExitFailed;
  }
  io.out << "Created a " << (options.modern ? "Windows 10/11 " : "")
         << (demo ? "demonstration " : "") << "machine in " << folder
         << (options.limitedUser ? " (limited user)" : "") << "\n";
  return kExitOk;
}

}  // namespace vb::cli
