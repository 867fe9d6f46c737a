// The shell's Recycle Bin functions.
#pragma once

#include <cstdint>

#include "platform/win_types.h"

namespace vb::platform {

using namespace vb::win;

// SHQUERYRBINFO.
struct RecycleBinInfo {
  DWORD cbSize = sizeof(RecycleBinInfo);
  std::int64_t i64Size = 0;
  std::int64_t i64NumItems = 0;
};

class ShellApi {
 public:
  virtual ~ShellApi() = default;

  // Size and item count of the Recycle Bin of the drive that rootPath names
  // ("C:", "C:\").
  virtual HRESULT SHQueryRecycleBinA(const char* rootPath, RecycleBinInfo* info) = 0;
  // rootPath null: the bins of every drive.
  virtual HRESULT SHEmptyRecycleBinA(std::intptr_t ownerWindow, const char* rootPath,
                                     DWORD flags) = 0;
};

}  // namespace vb::platform
