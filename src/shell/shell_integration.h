// The program's entries in the Windows shell: the two Run values that start
// it at logon, the two Recycle Bin verbs and the Internet Explorer toolbar
// button, each written while its check box is ticked and removed when it is
// cleared.
#pragma once

#include <string>

#include "platform/platform.h"
#include "toolkit/controls.h"

namespace vb::shell {

// The boxes whose clicks write the entries, and the machine they write to.
struct ShellContext {
  platform::Platform& platform;
  toolkit::CheckBox& openOnStartup;       // "Vanbrisk" Run value
  toolkit::CheckBox& cleanAtStartup;      // "Vanbrisk /AUTO" Run value
  toolkit::CheckBox& recycleBinOpenVerb;  // "Open Vanbrisk..." Recycle Bin verb
  toolkit::CheckBox& recycleBinRunVerb;   // "Run Vanbrisk..." Recycle Bin verb
  toolkit::CheckBox& explorerButton;      // Internet Explorer button
};

inline constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr const char* kRecycleBinShell =
    "CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\Shell";
// The values the five boxes keep: the two Run values and three settings.
inline constexpr const char* kStartupValue = "Vanbrisk";
inline constexpr const char* kQuietStartupValue = "Vanbrisk /AUTO";
inline constexpr const char* kIEButtonSetting = "(Opt)IEButton";
inline constexpr const char* kOpenVerbSetting = "(Opt)Recycle Bin";
inline constexpr const char* kRunVerbSetting = "(Opt)Recycle Bin - /AUTO";
inline constexpr const char* kOpenVerb = "Open Vanbrisk...";
inline constexpr const char* kRunVerb = "Run Vanbrisk...";
inline constexpr const char* kIEButtonKey =
    "Software\\Microsoft\\Internet Explorer\\Extensions\\{D4AC5FD3-C2EE-4FC4-83EC-925E685134F4}";

// The running program: its folder as the system reports it, a backslash, its
// name and ".exe".
[[nodiscard]] std::string ProgramPath(platform::SystemApi& system);
// The command that starts the program at that path: in double quotes when the
// path holds a blank (the shell would otherwise cut it there), then " /AUTO"
// for quiet mode.
[[nodiscard]] std::string StartCommand(const std::string& path, bool quiet);

// Write (again) the "Open Vanbrisk..." verb, the "Run Vanbrisk..." verb and the
// toolbar button with the running program's path.
void VnbRBin(ShellContext& context);
void VnbRBin2(ShellContext& context);
void VnbIE(ShellContext& context);

// The click handlers of the five boxes.
void OpenOnStartup_Click(ShellContext& context);
void CleanAtStartup_Click(ShellContext& context);
void RecycleBinOpenVerb_Click(ShellContext& context);
void RecycleBinRunVerb_Click(ShellContext& context);
void ExplorerButton_Click(ShellContext& context);

}  // namespace vb::shell
