// Memory, ticks and program launching for a Wine prefix. The program that
// works on the prefix runs on Linux, outside it: it starts no program in
// the prefix, and its own folder is where the program would be installed.
#pragma once

#include <string>

#include "platform/scripted_ui.h"
#include "platform/system_api.h"

namespace vb::prefix {

// Where the program would lie in the prefix, and its executable's name
// without ".exe".
inline constexpr const char* kProgramFolder = "C:\\Program Files\\Vanbrisk";
inline constexpr const char* kProgramName = "vanbrisk";

class PrefixSystem final : public platform::SystemApi {
 public:
  explicit PrefixSystem(platform::ScriptedUi& ui) : ui_(ui) {}

  void GlobalMemoryStatus(platform::MemoryStatus* status) override;
  win::DWORD timeGetTime() override;  // the host's steady clock
  // Starts nothing: says what it would have started, and fails with
  // kErrorNotSupported.
  win::LONG Launch(const std::string& commandLine, int windowStyle) override;
  std::string ProgramFolder() override { return kProgramFolder; }
  std::string ProgramName() override { return kProgramName; }
  std::string CommandLine() override { return commandLine_; }
  // Wine's user is an administrator.
  bool UserIsAdministrator() override { return true; }
  // The registry's text passes as UTF-8, the host's file names are UTF-8.
  win::DWORD GetACP() override { return platform::kCodePageUtf8; }

  void SetCommandLine(std::string commandLine) { commandLine_ = std::move(commandLine); }

 private:
  platform::ScriptedUi& ui_;
  std::string commandLine_;
};

}  // namespace vb::prefix
