#include "platform/emulated/machine_layout.h"

#include <cstdint>

#include "product/version.h"

namespace vb::emu::layout {

using namespace vb::win;

namespace {

constexpr HKEY HKCU = kHkeyCurrentUser;
constexpr HKEY HKLM = kHkeyLocalMachine;
constexpr HKEY HKCR = kHkeyClassesRoot;

#define PROFILE "C:\\Documents and Settings\\User"
#define ALL_USERS "C:\\Documents and Settings\\All Users"
#define SHELL_FOLDERS "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders"
#define USER_SHELL_FOLDERS \
  "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders"
#define NT_VERSION "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion"
#define WIN_VERSION "Software\\Microsoft\\Windows\\CurrentVersion"
#define SYSTEM_ENV "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment"

}  // namespace

const std::vector<const char*>& Folders() {
  static const std::vector<const char*> folders = {
      "C:\\WINDOWS",
      "C:\\WINDOWS\\system32",
      "C:\\WINDOWS\\Temp",
      "C:\\WINDOWS\\Prefetch",
      "C:\\WINDOWS\\Minidump",
      "C:\\WINDOWS\\Debug",
      "C:\\WINDOWS\\Debug\\UserMode",
      "C:\\Program Files",
      "C:\\Program Files\\Common Files",
      "C:\\Program Files\\Internet Explorer",
      "C:\\Program Files\\Vanbrisk",
      "C:\\Documents and Settings",
      PROFILE,
      PROFILE "\\Application Data",
      PROFILE "\\Cookies",
      PROFILE "\\Desktop",
      PROFILE "\\Favorites",
      PROFILE "\\Local Settings",
      PROFILE "\\Local Settings\\Application Data",
      PROFILE "\\Local Settings\\History",
      PROFILE "\\Local Settings\\Temp",
      PROFILE "\\Local Settings\\Temporary Internet Files",
      PROFILE "\\My Documents",
      PROFILE "\\NetHood",
      PROFILE "\\PrintHood",
      PROFILE "\\Recent",
      PROFILE "\\SendTo",
      PROFILE "\\Start Menu",
      PROFILE "\\Start Menu\\Programs",
      PROFILE "\\Start Menu\\Programs\\Startup",
      PROFILE "\\Templates",
      ALL_USERS,
      ALL_USERS "\\Application Data",
      ALL_USERS "\\Desktop",
      ALL_USERS "\\Documents",
      ALL_USERS "\\Favorites",
      ALL_USERS "\\Start Menu",
      ALL_USERS "\\Start Menu\\Programs",
      ALL_USERS "\\Start Menu\\Programs\\Startup",
      ALL_USERS "\\Templates",
      "C:\\RECYCLER",
  };
  return folders;
}

const std::vector<Value>& Values() {
  static const std::vector<Value> values = {
      // The environment, built at logon from these three keys in this order.
      {HKLM, SYSTEM_ENV, "SystemRoot", kRegSz, "C:\\WINDOWS"},
      {HKLM, SYSTEM_ENV, "SystemDrive", kRegSz, "C:"},
      {HKLM, SYSTEM_ENV, "windir", kRegExpandSz, "%SystemRoot%"},
      {HKLM, SYSTEM_ENV, "ComSpec", kRegExpandSz, "%SystemRoot%\\system32\\cmd.exe"},
      {HKLM, SYSTEM_ENV, "Path", kRegExpandSz, "%SystemRoot%\\system32;%SystemRoot%"},
      {HKLM, SYSTEM_ENV, "PATHEXT", kRegSz, ".COM;.EXE;.BAT;.CMD;.VBS;.JS"},
      {HKLM, SYSTEM_ENV, "OS", kRegSz, "Windows_NT"},
      {HKLM, SYSTEM_ENV, "ProgramFiles", kRegSz, "C:\\Program Files"},
      {HKLM, SYSTEM_ENV, "CommonProgramFiles", kRegSz, "C:\\Program Files\\Common Files"},
      {HKLM, SYSTEM_ENV, "ALLUSERSPROFILE", kRegSz, ALL_USERS},
      {HKLM, SYSTEM_ENV, "COMPUTERNAME", kRegSz, "VANBRISK-PC"},
      {HKLM, SYSTEM_ENV, "NUMBER_OF_PROCESSORS", kRegSz, "1"},
      {HKLM, SYSTEM_ENV, "PROCESSOR_ARCHITECTURE", kRegSz, "x86"},
      {HKLM, SYSTEM_ENV, "TEMP", kRegExpandSz, "%SystemRoot%\\TEMP"},
      {HKLM, SYSTEM_ENV, "TMP", kRegExpandSz, "%SystemRoot%\\TEMP"},
      {HKCU, "Environment", "TEMP", kRegExpandSz, "%USERPROFILE%\\Local Settings\\Temp"},
      {HKCU, "Environment", "TMP", kRegExpandSz, "%USERPROFILE%\\Local Settings\\Temp"},
      {HKCU, "Volatile Environment", "USERNAME", kRegSz, "User"},
      {HKCU, "Volatile Environment", "USERDOMAIN", kRegSz, "VANBRISK-PC"},
      {HKCU, "Volatile Environment", "USERPROFILE", kRegSz, PROFILE},
      {HKCU, "Volatile Environment", "HOMEDRIVE", kRegSz, "C:"},
      {HKCU, "Volatile Environment", "HOMEPATH", kRegSz, "\\Documents and Settings\\User"},
      {HKCU, "Volatile Environment", "APPDATA", kRegSz, PROFILE "\\Application Data"},
      {HKCU, "Volatile Environment", "LOGONSERVER", kRegSz, "\\\\VANBRISK-PC"},

      // Special folders.
      {HKCU, SHELL_FOLDERS, "AppData", kRegSz, PROFILE "\\Application Data"},
      {HKCU, SHELL_FOLDERS, "Local AppData", kRegSz, PROFILE "\\Local Settings\\Application Data"},
      {HKCU, SHELL_FOLDERS, "Cache", kRegSz, PROFILE "\\Local Settings\\Temporary Internet Files"},
      {HKCU, SHELL_FOLDERS, "Cookies", kRegSz, PROFILE "\\Cookies"},
      {HKCU, SHELL_FOLDERS, "History", kRegSz, PROFILE "\\Local Settings\\History"},
      {HKCU, SHELL_FOLDERS, "Recent", kRegSz, PROFILE "\\Recent"},
      {HKCU, SHELL_FOLDERS, "Startup", kRegSz, PROFILE "\\Start Menu\\Programs\\Startup"},
      {HKCU, SHELL_FOLDERS, "Programs", kRegSz, PROFILE "\\Start Menu\\Programs"},
      {HKCU, SHELL_FOLDERS, "Start Menu", kRegSz, PROFILE "\\Start Menu"},
      {HKCU, SHELL_FOLDERS, "Desktop", kRegSz, PROFILE "\\Desktop"},
      {HKCU, SHELL_FOLDERS, "Personal", kRegSz, PROFILE "\\My Documents"},
      {HKCU, SHELL_FOLDERS, "Favorites", kRegSz, PROFILE "\\Favorites"},
      {HKCU, SHELL_FOLDERS, "SendTo", kRegSz, PROFILE "\\SendTo"},
      {HKCU, SHELL_FOLDERS, "Templates", kRegSz, PROFILE "\\Templates"},
      {HKCU, SHELL_FOLDERS, "NetHood", kRegSz, PROFILE "\\NetHood"},
      {HKCU, SHELL_FOLDERS, "PrintHood", kRegSz, PROFILE "\\PrintHood"},
      {HKCU, SHELL_FOLDERS, "Local Settings", kRegSz, PROFILE "\\Local Settings"},
      {HKCU, USER_SHELL_FOLDERS, "AppData", kRegExpandSz, "%USERPROFILE%\\Application Data"},
      {HKCU, USER_SHELL_FOLDERS, "Cache", kRegExpandSz,
       "%USERPROFILE%\\Local Settings\\Temporary Internet Files"},
      {HKCU, USER_SHELL_FOLDERS, "Cookies", kRegExpandSz, "%USERPROFILE%\\Cookies"},
      {HKCU, USER_SHELL_FOLDERS, "History", kRegExpandSz, "%USERPROFILE%\\Local Settings\\History"},
      {HKCU, USER_SHELL_FOLDERS, "Recent", kRegExpandSz, "%USERPROFILE%\\Recent"},
      {HKLM, SHELL_FOLDERS, "Common AppData", kRegSz, ALL_USERS "\\Application Data"},
      {HKLM, SHELL_FOLDERS, "Common Startup", kRegSz, ALL_USERS "\\Start Menu\\Programs\\Startup"},
      {HKLM, SHELL_FOLDERS, "Common Programs", kRegSz, ALL_USERS "\\Start Menu\\Programs"},
      {HKLM, SHELL_FOLDERS, "Common Start Menu", kRegSz, ALL_USERS "\\Start Menu"},
      {HKLM, SHELL_FOLDERS, "Common Desktop", kRegSz, ALL_USERS "\\Desktop"},
      {HKLM, SHELL_FOLDERS, "Common Documents", kRegSz, ALL_USERS "\\Documents"},
      {HKLM, SHELL_FOLDERS, "Common Favorites", kRegSz, ALL_USERS "\\Favorites"},
      {HKLM, SHELL_FOLDERS, "Common Templates", kRegSz, ALL_USERS "\\Templates"},

      // The system's identity, as the diagnostics report reads it.
      {HKLM, NT_VERSION, "SystemRoot", kRegSz, "C:\\WINDOWS"},
      {HKLM, NT_VERSION, "ProductName", kRegSz, "Microsoft Windows XP"},
      {HKLM, NT_VERSION, "CurrentVersion", kRegSz, "5.1"},
      {HKLM, NT_VERSION, "CurrentBuildNumber", kRegSz, "2600"},
      {HKLM, NT_VERSION, "CSDVersion", kRegSz, "Service Pack 3"},
      {HKLM, NT_VERSION, "RegisteredOwner", kRegSz, "User"},
      {HKLM, NT_VERSION, "RegisteredOrganization", kRegSz, ""},
      {HKLM, NT_VERSION, "PathName", kRegSz, "C:\\WINDOWS"},
      {HKLM, WIN_VERSION, "ProductId", kRegSz, "55274-640-0000000-23000"},
      {HKLM, WIN_VERSION, "ProgramFilesDir", kRegSz, "C:\\Program Files"},
      {HKLM, WIN_VERSION, "CommonFilesDir", kRegSz, "C:\\Program Files\\Common Files"},
      {HKLM, WIN_VERSION "\\OptimalLayout", "EnableAutoLayout", kRegDword, "1"},
      {HKLM, WIN_VERSION "\\Uninstall\\Vanbrisk", "DisplayName", kRegSz, "Vanbrisk"},
      {HKLM, WIN_VERSION "\\Uninstall\\Vanbrisk", "DisplayVersion", kRegSz, product::kVersion},
      {HKLM, WIN_VERSION "\\Uninstall\\Vanbrisk", "InstallLocation", kRegSz,
       "C:\\Program Files\\Vanbrisk"},
      {HKCU, WIN_VERSION "\\Explorer", "Logon User Name", kRegSz, "User"},
      // The programs that start at logon: Windows always has both Run keys.
      {HKCU, WIN_VERSION "\\Run", "CTFMON.EXE", kRegSz, "C:\\WINDOWS\\system32\\ctfmon.exe"},
      {HKLM, WIN_VERSION "\\Run", "SoundMan", kRegSz, "SOUNDMAN.EXE"},
      {HKLM, "HARDWARE\\DESCRIPTION\\System", "SystemBiosVersion", kRegMultiSz,
       "EMULATED - 1|Vanbrisk emulated BIOS"},
      {HKLM, "HARDWARE\\DESCRIPTION\\System", "SystemBiosDate", kRegSz, "01/01/08"},
      {HKLM, "HARDWARE\\DESCRIPTION\\System", "VideoBiosDate", kRegSz, "01/01/08"},
      {HKLM, "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0", "ProcessorNameString", kRegSz,
       "Emulated Processor"},
      {HKLM, "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0", "Identifier", kRegSz,
       "x86 Family 6 Model 15 Stepping 11"},
      {HKLM, "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0", "~MHz", kRegDword, "2000"},
      {HKLM, "SYSTEM\\ControlSet001\\Control\\TimeZoneInformation", "StandardName", kRegSz,
       "GMT Standard Time"},
      {HKLM, "SYSTEM\\ControlSet001\\Control\\TimeZoneInformation", "DaylightName", kRegSz,
       "GMT Daylight Time"},
      {HKLM, "SYSTEM\\CurrentControlSet\\Control\\TimeZoneInformation", "StandardName", kRegSz,
       "GMT Standard Time"},
      {HKLM, "SYSTEM\\CurrentControlSet\\Control\\TimeZoneInformation", "DaylightName", kRegSz,
       "GMT Daylight Time"},
      {HKLM, "SYSTEM\\CurrentControlSet\\Control\\ComputerName\\ComputerName", "ComputerName",
       kRegSz, "VANBRISK-PC"},
      {HKLM, "Software\\Microsoft\\Internet Explorer", "Version", kRegSz, "6.0.2900.5512"},
      {HKLM, "Software\\Microsoft\\Internet Explorer\\Main", "Default_Page_URL", kRegSz,
       "about:blank"},
      {HKLM, "Software\\Microsoft\\Internet Explorer\\Main", "Search Page", kRegSz,
       "about:blank"},
      {HKLM, "Software\\Microsoft\\Internet Connection Wizard", "Version", kRegSz,
       "6.00.2900.5512"},
      {HKCR, "HTTP\\shell\\open\\command", "", kRegSz,
       "\"C:\\Program Files\\Internet Explorer\\iexplore.exe\" -nohome"},
      {HKCR, ".txt", "", kRegSz, "txtfile"},

      // The user's locale.
      {HKCU, "Control Panel\\International", "Locale", kRegSz, "00000409"},
      {HKCU, "Control Panel\\International", "sDecimal", kRegSz, "."},
      {HKCU, "Control Panel\\International", "sThousand", kRegSz, ","},
  };
  return values;
}

const std::vector<File>& Files() {
  static const std::vector<File> files = {
      {"C:\\Program Files\\Vanbrisk\\vanbrisk.exe", ""},
      {"C:\\Program Files\\Internet Explorer\\iexplore.exe", ""},
      // The Windows tools the Tools page starts.
      {"C:\\WINDOWS\\system32\\cleanmgr.exe", ""},
      {"C:\\WINDOWS\\system32\\cmd.exe", ""},
      {"C:\\WINDOWS\\system32\\control.exe", ""},
      {"C:\\WINDOWS\\system32\\dxdiag.exe", ""},
      {"C:\\WINDOWS\\system32\\taskmgr.exe", ""},
      {"C:\\WINDOWS\\regedit.exe", ""},
  };
  return files;
}

namespace {

void PutLe(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

}  // namespace

std::string IconBytes() {
  constexpr int kSide = 16;
  constexpr std::uint32_t kImageBytes = 40 + kSide * kSide * 4 + kSide * 4;
  std::string ico;
  PutLe(ico, 0, 2);  // reserved
  PutLe(ico, 1, 2);  // an icon
  PutLe(ico, 1, 2);  // one image
  ico += static_cast<char>(kSide);
  ico += static_cast<char>(kSide);
  PutLe(ico, 0, 2);   // no palette, reserved
  PutLe(ico, 1, 2);   // planes
  PutLe(ico, 32, 2);  // bits per pixel
  PutLe(ico, kImageBytes, 4);
  PutLe(ico, 22, 4);  // the image follows the directory
  PutLe(ico, 40, 4);  // BITMAPINFOHEADER
  PutLe(ico, kSide, 4);
  PutLe(ico, kSide * 2, 4);  // colour and mask
  PutLe(ico, 1, 2);
  PutLe(ico, 32, 2);
  for (int i = 0; i < 6; ++i) PutLe(ico, 0, 4);
  // A green disc with a white sweep across it, bottom row first.
  for (int y = kSide - 1; y >= 0; --y)
    for (int x = 0; x < kSide; ++x) {
      int dx = 2 * x - 15, dy = 2 * y - 15;
      bool inside = dx * dx + dy * dy <= 225;
      bool sweep = inside && y >= 6 && y <= 9 && x >= 3 && x <= 12;
      std::uint32_t bgra = !inside ? 0 : sweep ? 0xFFFFFFFFu : 0xFF2E9E4Fu;
      PutLe(ico, bgra, 4);
    }
  ico.append(kSide * 4, '\0');  // the mask: the alpha channel decides
  return ico;
}

}  // namespace vb::emu::layout
