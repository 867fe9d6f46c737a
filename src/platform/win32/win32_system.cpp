// Memory status, the tick count, launching programs and the program's own
// identity over kernel32, winmm and shell32.
#include <windows.h>
#include <mmsystem.h>
#include <shellapi.h>

#include <vector>

#include "platform/win32/win32_platform.h"

namespace vb::win32 {

namespace {

std::string ModulePath() {
  std::vector<char> buffer(MAX_PATH);
  for (;;) {
    DWORD length = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return std::string();
    if (length < buffer.size()) return std::string(buffer.data(), length);
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace

std::string ArgumentsOf(const std::string& commandLine) {
  std::size_t i = 0;
  while (i < commandLine.size() && (commandLine[i] == ' ' || commandLine[i] == '\t')) ++i;
  if (i < commandLine.size() && commandLine[i] == '"') {
    std::size_t close = commandLine.find('"', i + 1);
    i = close == std::string::npos ? commandLine.size() : close + 1;
  } else {
    while (i < commandLine.size() && commandLine[i] != ' ' && commandLine[i] != '\t') ++i;
  }
  while (i < commandLine.size() && (commandLine[i] == ' ' || commandLine[i] == '\t')) ++i;
  return commandLine.substr(i);
}

void Win32System::GlobalMemoryStatus(platform::MemoryStatus* status) {
  if (!status) return;
  *status = platform::MemoryStatus{};
  MEMORYSTATUSEX ex = {};
  ex.dwLength = sizeof ex;
  // The extended call gives the figures above 4 GB too.
  if (!GlobalMemoryStatusEx(&ex)) return;
  status->dwMemoryLoad = ex.dwMemoryLoad;
  status->dwTotalPhys = ex.ullTotalPhys;
  status->dwAvailPhys = ex.ullAvailPhys;
  status->dwTotalPageFile = ex.ullTotalPageFile;
  status->dwAvailPageFile = ex.ullAvailPageFile;
  status->dwTotalVirtual = ex.ullTotalVirtual;
  status->dwAvailVirtual = ex.ullAvailVirtual;
}

win::DWORD Win32System::timeGetTime() { return ::timeGetTime(); }

win::LONG Win32System::Launch(const std::string& commandLine, int windowStyle) {
  // The styles the program passes are SW_SHOWNORMAL, SW_SHOWMINIMIZED and
  // SW_SHOWMAXIMIZED themselves.
  WORD show = windowStyle == 2 ? SW_SHOWMINIMIZED : windowStyle == 3 ? SW_SHOWMAXIMIZED
                                                                     : SW_SHOWNORMAL;
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = show;
  PROCESS_INFORMATION process = {};
  std::vector<char> line(commandLine.begin(), commandLine.end());
  line.push_back('\0');
  if (CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                     &process)) {
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return ERROR_SUCCESS;
  }
  DWORD error = GetLastError();
  // A document or an address rather than a program: the shell opens it.
  std::string file = commandLine, parameters;
  if (!file.empty() && file[0] == '"') {
    std::size_t close = file.find('"', 1);
    parameters = close == std::string::npos ? "" : ArgumentsOf(commandLine);
    file = file.substr(1, close == std::string::npos ? std::string::npos : close - 1);
  }
  auto opened = reinterpret_cast<INT_PTR>(ShellExecuteA(
      nullptr, "open", file.c_str(), parameters.empty() ? nullptr : parameters.c_str(), nullptr,
      show));
  return opened > 32 ? ERROR_SUCCESS : static_cast<win::LONG>(error);
}

std::string Win32System::ProgramFolder() {
  std::string path = ModulePath();
  std::size_t separator = path.find_last_of('\\');
  return separator == std::string::npos ? std::string() : path.substr(0, separator);
}

std::string Win32System::ProgramName() {
  std::string path = ModulePath();
  std::size_t separator = path.find_last_of('\\');
  std::string name = separator == std::string::npos ? path : path.substr(separator + 1);
  std::size_t dot = name.find_last_of('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

bool Win32System::UserIsAdministrator() {
  // Membership of the Administrators group that counts now: under UAC, only
  // an elevated token has it enabled.
  SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
  PSID administrators = nullptr;
  if (!AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0,
                                0, 0, 0, 0, &administrators))
    return false;
  BOOL member = FALSE;
  if (!CheckTokenMembership(nullptr, administrators, &member)) member = FALSE;
  FreeSid(administrators);
  return member != FALSE;
}

std::string Win32System::CommandLine() {
  const char* line = GetCommandLineA();
  return ArgumentsOf(line ? line : "");
}

win::DWORD Win32System::GetACP() { return ::GetACP(); }

}  // namespace vb::win32
