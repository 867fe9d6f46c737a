// The Recycle Bin of the emulated machine: X:\RECYCLER of each drive.
//
// The items of a bin are the entries directly inside RECYCLER (in any case),
// desktop.ini and INFO2 aside; its size is the bytes of every file below it
// but those two. Emptying removes those items, whole trees included, and
// never acts through a symbolic link: a link is removed as a link.
#pragma once

#include <string>

#include "platform/shell_api.h"

namespace vb::emu {

class HostPaths;

class EmulatedShell final : public platform::ShellApi {
 public:
  explicit EmulatedShell(const HostPaths& paths);

  // rootPath "C:", "C:\" or any path on the drive; null or "" sums every
  // drive. kEInvalidArg when it names no drive of the machine.
  win::HRESULT SHQueryRecycleBinA(const char* rootPath, platform::RecycleBinInfo* info) override;
  // kEFail when an item could not be removed (in use, say); the others go.
  win::HRESULT SHEmptyRecycleBinA(std::intptr_t ownerWindow, const char* rootPath,
                                  win::DWORD flags) override;

 private:
  // The drive letters rootPath stands for; false when it names no drive.
  bool Drives(const char* rootPath, std::string* letters) const;

  const HostPaths& paths_;
};

}  // namespace vb::emu
