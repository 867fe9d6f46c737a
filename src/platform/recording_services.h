// The Recycle Bin and the system services of the recording platform.
// Passing through, each call is the call below. Recording, emptying a bin
// and launching a program are recorded instead: an emptied bin then reports
// nothing in it, and a launch is answered as started.
#pragma once

#include <string>

#include "platform/recorded_change.h"
#include "platform/shell_api.h"
#include "platform/system_api.h"

namespace vb::platform {

class RecordingShell final : public ShellApi {
 public:
  RecordingShell(ShellApi& below, const RecordingSession& session)
      : below_(below), session_(session) {}
  void Forget();

  // A root path the bin below refuses is refused here too; every other one
  // is emptied in the record.
  HRESULT SHQueryRecycleBinA(const char* rootPath, RecycleBinInfo* info) override;
  HRESULT SHEmptyRecycleBinA(std::intptr_t ownerWindow, const char* rootPath, DWORD flags) override;

 private:
  ShellApi& below_;
  const RecordingSession& session_;
  bool emptiedAll_ = false;
  std::string emptied_;  // the drive letters emptied, in lower case
};

class RecordingSystem final : public SystemApi {
 public:
  RecordingSystem(SystemApi& below, const RecordingSession& session)
      : below_(below), session_(session) {}

  void GlobalMemoryStatus(MemoryStatus* status) override { below_.GlobalMemoryStatus(status); }
  DWORD timeGetTime() override { return below_.timeGetTime(); }
  LONG Launch(const std::string& commandLine, int windowStyle) override;
  std::string ProgramFolder() override { return below_.ProgramFolder(); }
  std::string ProgramName() override { return below_.ProgramName(); }
  std::string CommandLine() override { return below_.CommandLine(); }
  bool UserIsAdministrator() override { return below_.UserIsAdministrator(); }
  DWORD GetACP() override { return below_.GetACP(); }

 private:
  SystemApi& below_;
  const RecordingSession& session_;
};

}  // namespace vb::platform
