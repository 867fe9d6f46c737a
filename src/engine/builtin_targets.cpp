#include "engine/builtin_targets.h"

namespace vb::engine {

using namespace vb::win;

namespace {

constexpr HKEY HKCU = kHkeyCurrentUser;
constexpr HKEY HKLM = kHkeyLocalMachine;
#define EXPLORER "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\"
#define SEARCH_BARS \
  "Software\\Microsoft\\Internet Explorer\\Explorer Bars\\{C4EE31F3-4768-11D2-BE5C-00A0C9A83DA1}\\"
#define SYSTEM_PROFILE "\\system32\\config\\systemprofile"

}  // namespace

const std::vector<FolderStep>& FolderSteps() {
  static const std::vector<FolderStep> steps = {
      {"WinTemp", Base::kSystemRoot, nullptr, "\\Temp", Method::kClearD2, {}},
      {"WinTemp", Base::kSystemRoot, nullptr, "\\PCHealth\\HelpCtr\\Temp", Method::kClearD2, {}},
      {"ClearWinOldFiles", Base::kSystemRoot, nullptr, "", Method::kClearFile, {"*.OLD", "*.tmp"}},
      {"Prefetch", Base::kSystemRoot, nullptr, "\\Prefetch", Method::kClearD2, {}},
      {"WinLogs", Base::kSystemRoot, nullptr, "\\security\\logs", Method::kClearD2, {}},
      {"ClearIndexDat", Base::kSystemRoot, nullptr, SYSTEM_PROFILE "\\Cookies", Method::kClearFile,
       {"*.*"}},
      {"ClearIndexDat", Base::kSystemRoot, nullptr,
       SYSTEM_PROFILE "\\Local Settings\\History\\History.IE5", Method::kClearFile, {"*.*"}},
      {"ClearIndexDat", Base::kSystemRoot, nullptr,
       SYSTEM_PROFILE "\\Local Settings\\Temporary Internet Files\\Content.IE5", Method::kClearFile,
       {"*.*"}},
      {"ClearIndexDat", Base::kSystemRoot, nullptr,
       SYSTEM_PROFILE "\\Local Settings\\History\\History.IE5\\MSHist012005072320050724",
       Method::kClearFile, {"*.*"}},
      {"ClearMemoryDumps", Base::kWin9xRoot, nullptr, "", Method::kClearFile, {"memory.dmp"}},
      {"ClearMemoryDumps", Base::kNtRoot, nullptr, "", Method::kClearFile, {"memory.dmp"}},
      {"ClearWbemLogs", Base::kSystemRoot, nullptr, "\\system32\\wbem\\Logs", Method::kClearFile,
       {"*.*"}},
      {"ClearDrWatson", Base::kCommonFolder, "Common AppData", "\\Microsoft\\Dr Watson",
       Method::kClearFile, {"*.*"}},
      {"ClearDebugLogs", Base::kNtRoot, nullptr, "\\Debug", Method::kClearFile, {"*.log"}},
      {"ClearDebugLogs", Base::kNtRoot, nullptr, "\\Debug\\UserMode", Method::kClearFile, {"*.*"}},
      {"ClearWinLogFiles", Base::kSystemRoot, nullptr, "", Method::kClearFile,
       {"*.log", "*log.txt", "*.bak", "SchedLgU.txt", "*.logSti_Trace.log", "IE4 Error Log.txt"}},
      {"ClearRootLogs", Base::kHomeDrive, nullptr, "", Method::kClearFile,
       {"Scandisk.log", "netlog.txt", "bootlog.prv", "SUHDLOG.DAT", "schedlog.txt"}},
      {"Recent", Base::kUserFolder, "Recent", "", Method::kClearD2, {}},
      {"History", Base::kUserFolder, "History", "", Method::kClearD, {}},
      {"History", Base::kUserFolder, "History", "\\History.IE5", Method::kClearDirTree, {}},
  };
  return steps;
}

const std::vector<RegStep>& RegistrySteps() {
  static const std::vector<RegStep> steps = {
      {"ClearTypedURLs", RegAction::kDeleteKey, HKCU, "Software\\Microsoft\\Internet Explorer\\TypedURLs"},
      {"ClearRunMRU", RegAction::kLetterList, HKCU, EXPLORER "RunMRU"},
      {"ClearDocFindMRU", RegAction::kLetterList, HKCU, kDocFindMruKey},
      {"ClearFindComputerMRU", RegAction::kLetterList, HKCU, EXPLORER "FindComputerMRU"},
      {"ClearSearchMRUs", RegAction::kDeleteKey, HKCU, "Software\\Microsoft\\Search Assistant\\ACMru\\5603"},
      {"ClearSearchMRUs", RegAction::kDeleteKey, HKCU, "Software\\Microsoft\\Search Assistant\\ACMru\\5604"},
      {"ClearSearchMRUs", RegAction::kDeleteKey, HKCU, "Software\\Microsoft\\Search Assistant\\ACMru\\5001"},
      {"ClearSearchMRUs", RegAction::kDeleteKey, HKCU, "Software\\Microsoft\\Search Assistant\\ACMru\\5647"},
      {"ClearSearchMRUs", RegAction::kDeleteKey, HKCU, SEARCH_BARS "FilesNamedMRU"},
      {"ClearSearchMRUs", RegAction::kDeleteKey, HKCU, SEARCH_BARS "ContainingTextMRU"},
      {"ClearSearchMRUs", RegAction::kDeleteKey, HKCU, SEARCH_BARS "ComputerNameMRU"},
      // ClearOpenWithMRUs: after the OpenWithList keys of every file type.
      {"ClearOpenWithMRUs", RegAction::kDeleteValue, HKCU, "Software\\Microsoft\\Direct3D\\MostRecentApplication", "Name"},
      {"ClearOpenWithMRUs", RegAction::kDeleteValue, HKCU, "Software\\Microsoft\\DirectInput\\MostRecentApplication", "Id"},
      {"ClearOpenWithMRUs", RegAction::kDeleteValue, HKCU, "Software\\Microsoft\\DirectInput\\MostRecentApplication", "Name"},
      {"ClearOpenWithMRUs", RegAction::kDeleteValue, HKLM, "Software\\Microsoft\\DirectDraw\\MostRecentApplication", "Name"},
      {"ClearOpenWithMRUs", RegAction::kDeleteTree, HKCU, EXPLORER "ComDlg32\\LastVisitedMRU"},
      {"ClearOpenWithMRUs", RegAction::kDeleteTree, HKCU, EXPLORER "ComDlg32\\OpenSaveMRU"},
      {"ClearOpenWithMRUs", RegAction::kDeleteKey, HKCU, "InstallLocationsMRU"},
      {"ClearTrayNotify", RegAction::kDeleteValue, HKCU, EXPLORER "TrayNotify", "IconStreams"},
      {"ClearTrayNotify", RegAction::kDeleteValue, HKCU, EXPLORER "TrayNotify", "PastIconsStream"},
      {"ClearStreamMRU", RegAction::kDeleteKey, HKCU, EXPLORER "StreamMRU"},
      {"ClearStreamMRU", RegAction::kDeleteKey, HKCU, EXPLORER "Streams\\0"},
  };
  return steps;
}

}  // namespace vb::engine
