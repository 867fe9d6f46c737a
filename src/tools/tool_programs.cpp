#include "tools/tool_programs.h"

#include "platform/entry_lister.h"

namespace vb::tools {

namespace {

std::string WindowsFolder(platform::Platform& platform) {
  return platform.Environment().GetEnvironmentVariableA("SystemRoot");
}

// The first of the launch's files that is present, or "".
std::string PresentFile(platform::Platform& platform, const ToolLaunch& launch) {
  std::string windows = WindowsFolder(platform);
  platform::EntryLister lister(platform.Files());
  for (const char* file : launch.files) {
    std::string path = windows + file;
    if (!lister.ListEntries(path, platform::kListPlainFiles).empty()) return path;
  }
  return std::string();
}

}  // namespace

const std::vector<ToolProgram>& ToolPrograms() {
  static const std::vector<ToolProgram> programs = {
      {Tool::kDiskCleanup,
       {{"cleanmgr", 1, {"\\system32\\cleanmgr.exe", "\\system\\cleanmgr.exe"}}}},
      {Tool::kRegistryEditor, {{"regedit", 1, {"\\regedit.exe"}}}},
      {Tool::kControlPanel, {{"control", 1, {"\\system32\\control.exe", "\\system\\control.exe"}}}},
      {Tool::kDirectXDiagnostics,
       {{"dxdiag", 1, {"\\system32\\dxdiag.exe", "\\system\\dxdiag.exe"}}}},
      // The Windows NT prompt and the old DOS one: each starts when present.
      {Tool::kCommandPrompt,
       {{"cmd", 1, {"\\system32\\cmd.exe", "\\system\\cmd.exe"}, true},
        {nullptr, 2, {"\\COMMAND.COM"}, true}}},
      {Tool::kTaskManager,
       {{"taskmgr", 1, {"\\system32\\taskmgr.exe", "\\system\\taskmgr.exe"}}}},
  };
  return programs;
}

const ToolProgram& ProgramOf(Tool tool) {
  for (const ToolProgram& program : ToolPrograms())
    if (program.tool == tool) return program;
  return ToolPrograms().front();
}

bool ToolPresent(platform::Platform& platform, const ToolProgram& program) {
  for (const ToolLaunch& launch : program.launches)
    if (!PresentFile(platform, launch).empty()) return true;
  return false;
}

void StartTool(platform::Platform& platform, const ToolProgram& program) {
  for (const ToolLaunch& launch : program.launches) {
    std::string file = launch.whenPresent || !launch.command ? PresentFile(platform, launch) : "";
    if (launch.whenPresent && file.empty()) continue;
    std::string command = launch.command ? launch.command : file;
    if (platform.System().Launch(command, launch.windowStyle) != win::kErrorSuccess)
      platform.Ui().MessageBoxA("Vanbrisk could not start \"" + command + "\".",
                                "Vanbrisk Suite", win::kMbIconExclamation);
  }
}

}  // namespace vb::tools
