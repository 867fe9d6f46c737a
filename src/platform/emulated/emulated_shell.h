// The Recycle Bin of the emulated machine: X:\RECYCLER of each drive.
#pragma once

#include "platform/shell_api.h"

namespace vb::emu {

class HostPaths;

class EmulatedShell final : public platform::ShellApi {
 public:
  explicit EmulatedShell(const HostPaths& paths);
  // (both ShellApi members are overridden in the implementation)
};

}  // namespace vb::emu
