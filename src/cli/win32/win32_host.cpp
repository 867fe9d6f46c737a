// vanbrisk-cli on Windows: the real machine, with the program's message boxes
// answered by a scripted user, and scheduled commands run.
#include <windows.h>

#include <vector>

#include "cli/machine_verbs.h"
#include "cli/platform_choice.h"
#include "cli/schedule_verb.h"
#include "platform/win32/win32_platform.h"

namespace vb::cli {

namespace {

class RealMachine final : public ChosenPlatform {
 public:
  // The console shows what the verbs print in the program's own code page
  // (UTF-8 under the manifest), not in the console's OEM one; the console
  // gets its code page back when the verb is done.
  RealMachine() : platform_(&ui_), consoleCodePage_(GetConsoleOutputCP()) {
    if (consoleCodePage_ != 0) SetConsoleOutputCP(GetACP());
  }
  ~RealMachine() override {
    if (consoleCodePage_ != 0) SetConsoleOutputCP(consoleCodePage_);
  }
  RealMachine(const RealMachine&) = delete;
  RealMachine& operator=(const RealMachine&) = delete;
  platform::Platform& get() override { return platform_; }
  platform::ScriptedUi& ui() override { return ui_; }

 private:
  platform::ScriptedUi ui_;
  win32::Win32Platform platform_;
  UINT consoleCodePage_;  // 0 without a console
};

}  // namespace

bool UsesEmulatedMachines() { return false; }

Result<std::unique_ptr<ChosenPlatform>> OpenPlatform(const std::string&, bool, std::ostream&) {
  return std::unique_ptr<ChosenPlatform>(std::make_unique<RealMachine>());
}

CommandRunner SystemCommandRunner(platform::Platform&, std::ostream&) {
  return [](const std::string& commandLine, bool quiet) -> std::optional<int> {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    // A quiet command writes to NUL; its input is NUL too, so that it never waits.
    HANDLE nul = INVALID_HANDLE_VALUE;
    if (quiet) {
      SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
      nul = CreateFileA("NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                        &inherit, OPEN_EXISTING, 0, nullptr);
      if (nul == INVALID_HANDLE_VALUE) return std::nullopt;
      startup.dwFlags = STARTF_USESTDHANDLES;
      startup.hStdInput = startup.hStdOutput = startup.hStdError = nul;
    }
    PROCESS_INFORMATION process = {};
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    BOOL started = CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                  nullptr, &startup, &process);
    if (nul != INVALID_HANDLE_VALUE) CloseHandle(nul);
    if (!started) return std::nullopt;
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(code);
  };
}

int RunMachineVerb(const std::string&, const std::vector<std::string>& args, VerbIo io) {
  if (args.empty() || args[0] != "init") {
    io.err << "usage: machine init [--demo] [--modern] [--limited-user] [--force]\n";
    return kExitUsage;
  }
  // On Windows the program works on the real machine: there is none to lay out.
  io.err << "machine init has no meaning on Windows: vanbrisk-cli works on this machine "
            "itself\n";
  return kExitFailed;
}

int RunPrefixesVerb(const std::vector<std::string>&, VerbIo io) {
  io.err << "prefixes has no meaning on Windows: Wine prefixes are found on Linux\n";
  return kExitUsage;
}

}  // namespace vb::cli
