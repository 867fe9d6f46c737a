#include "platform/emulated/emulated_system.h"

#include <sys/sysinfo.h>

#include <chrono>


namespace vb::emu {

using namespace vb::win;

EmulatedSystem::EmulatedSystem(Machine& machine) : machine_(machine) {}

namespace {

// The share of physical memory in use, in percent, from the figures given.
void SetMemoryLoad(platform::MemoryStatus* status) {
  if (status->dwTotalPhys)
    status->dwMemoryLoad =
        static_cast<DWORD>(100 - (status->dwAvailPhys * 100 / status->dwTotalPhys));
}

}  // namespace

platform::MemoryStatus HostMemoryStatus() {
  platform::MemoryStatus status{};
  struct sysinfo info {};
  if (sysinfo(&info) == 0) {
    status.dwTotalPhys = static_cast<std::uint64_t>(info.totalram) * info.mem_unit;
    status.dwAvailPhys = static_cast<std::uint64_t>(info.freeram + info.bufferram) * info.mem_unit;
    status.dwTotalPageFile = static_cast<std::uint64_t>(info.totalswap) * info.mem_unit;
    status.dwAvailPageFile = static_cast<std::uint64_t>(info.freeswap) * info.mem_unit;
  }
  status.dwTotalVirtual = 2ull << 30;
  status.dwAvailVirtual = status.dwTotalVirtual;
  SetMemoryLoad(&status);
  return status;
}

void EmulatedSystem::GlobalMemoryStatus(platform::MemoryStatus* status) {
  *status = HostMemoryStatus();
  // A machine may fix its own figures, so that reports built on them repeat.
  if (std::string total = machine_.Setting(kTotalPhysSetting); !total.empty())
    status->dwTotalPhys = std::stoull(total);
  if (std::string avail = machine_.Setting(kAvailPhysSetting); !avail.empty())
    status->dwAvailPhys = std::stoull(avail);
  SetMemoryLoad(status);
}

DWORD HostTicks() {
  auto now = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<DWORD>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

LONG EmulatedSystem::Launch(const std::string& commandLine, int windowStyle) {
  Statement s(machine_.Db().handle(), "INSERT INTO launched(command, style) VALUES (?, ?)");
  if (!s.Bind(1, commandLine).Bind(2, windowStyle).Run()) return kErrorAccessDenied;
  machine_.Script().Note("Launch: \"" + commandLine + "\", window style " +
                         std::to_string(windowStyle));
  return kErrorSuccess;
}

std::string EmulatedSystem::ProgramFolder() { return machine_.Setting(kProgramFolderSetting); }

std::string EmulatedSystem::ProgramName() { return machine_.Setting(kProgramNameSetting); }

std::vector<LaunchedProgram> EmulatedSystem::Launched() {
  std::vector<LaunchedProgram> out;
  Statement s(machine_.Db().handle(), "SELECT command, style FROM launched ORDER BY id");
  while (s.Step()) out.push_back({s.Text(0), static_cast<int>(s.Int(1))});
  return out;
}

}  // namespace vb::emu
