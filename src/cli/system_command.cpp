// SystemCommandRunner of schedule_verb.h, for each platform.
#include "cli/schedule_verb.h"

#ifdef _WIN32
#include <windows.h>

#include <vector>
#endif

namespace vb::cli {

#ifdef _WIN32

CommandRunner SystemCommandRunner(platform::Platform&, std::ostream&) {
  return [](const std::string& commandLine) -> std::optional<int> {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &startup, &process))
      return std::nullopt;
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(code);
  };
}

#else

CommandRunner SystemCommandRunner(platform::Platform& platform, std::ostream& out) {
  return [&platform, &out](const std::string& commandLine) -> std::optional<int> {
    if (platform.System().Launch(commandLine, 1) != 0) return std::nullopt;
    out << "recorded, not run (emulated machine): " << commandLine << "\n";
    return 0;
  };
}

#endif

}  // namespace vb::cli
