#include "platform/prefix/prefix_system.h"

#include "platform/emulated/emulated_system.h"

namespace vb::prefix {

using namespace vb::win;

void PrefixSystem::GlobalMemoryStatus(platform::MemoryStatus* status) {
  *status = emu::HostMemoryStatus();
}

DWORD PrefixSystem::timeGetTime() { return emu::HostTicks(); }

LONG PrefixSystem::Launch(const std::string& commandLine, int windowStyle) {
  ui_.Note("Launch: \"" + commandLine + "\", window style " + std::to_string(windowStyle) +
           ": not started, the program runs outside the prefix");
  return kErrorNotSupported;
}

}  // namespace vb::prefix
