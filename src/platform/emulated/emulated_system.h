// Memory status, ticks and program launching on the emulated machine.
// Launched programs are recorded in registry.db, not run.
#pragma once

#include <string>
#include <vector>

#include "platform/emulated/machine.h"
#include "platform/system_api.h"

namespace vb::emu {

// The host's memory, as GlobalMemoryStatus tells it.
platform::MemoryStatus HostMemoryStatus();
// Milliseconds of the host's steady clock, as timeGetTime counts them.
win::DWORD HostTicks();

class EmulatedSystem final : public platform::SystemApi {
 public:
  explicit EmulatedSystem(Machine& machine);

  void GlobalMemoryStatus(platform::MemoryStatus* status) override;
  win::DWORD timeGetTime() override { return HostTicks(); }
  win::LONG Launch(const std::string& commandLine, int windowStyle) override;
  std::string ProgramFolder() override;
  std::string ProgramName() override;
  std::string CommandLine() override { return commandLine_; }
  // A limited user's machine has none.
  bool UserIsAdministrator() override { return !machine_.LimitedUser(); }
  // The machine's names are the host's file names: UTF-8.
  win::DWORD GetACP() override { return platform::kCodePageUtf8; }

  void SetCommandLine(std::string commandLine) { commandLine_ = std::move(commandLine); }
  // What Launch recorded, oldest first, from every process that used the machine.
  std::vector<LaunchedProgram> Launched();

 private:
  Machine& machine_;
  std::string commandLine_;
};

}  // namespace vb::emu
