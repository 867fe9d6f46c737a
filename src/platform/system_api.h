// Memory status, the tick count, launching programs, the program's own identity.
#pragma once

#include <cstdint>
#include <string>

#include "platform/win_types.h"

namespace vb::platform {

using namespace vb::win;

// MEMORYSTATUS.
struct MemoryStatus {
  DWORD dwLength = sizeof(MemoryStatus);
  DWORD dwMemoryLoad = 0;
  std::uint64_t dwTotalPhys = 0;
  std::uint64_t dwAvailPhys = 0;
  std::uint64_t dwTotalPageFile = 0;
  std::uint64_t dwAvailPageFile = 0;
  std::uint64_t dwTotalVirtual = 0;
  std::uint64_t dwAvailVirtual = 0;
};

class SystemApi {
 public:
  virtual ~SystemApi() = default;

  virtual void GlobalMemoryStatus(MemoryStatus* status) = 0;
  // Milliseconds since some fixed moment; wraps around.
  virtual DWORD timeGetTime() = 0;
  // Starts a program without waiting. windowStyle: 1 normal, 2 minimized,
  // 3 maximized, each with focus. Returns kErrorSuccess once it has started.
  virtual LONG Launch(const std::string& commandLine, int windowStyle) = 0;
  // The program's folder, without a trailing "\".
  virtual std::string ProgramFolder() = 0;
  // The program's executable name without folder and extension.
  virtual std::string ProgramName() = 0;
  // The program's command line, its arguments only.
  virtual std::string CommandLine() = 0;
  // Whether the user runs with administrator rights, and may change what
  // belongs to the whole machine.
  virtual bool UserIsAdministrator() = 0;
  // The code page of the program's text (its file, key and window texts):
  // the process's ANSI code page, 65001 when that is UTF-8.
  virtual DWORD GetACP() = 0;
};

inline constexpr DWORD kCodePageUtf8 = 65001;

}  // namespace vb::platform
