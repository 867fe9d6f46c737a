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
#define ACMRU "Software\\Microsoft\\Search Assistant\\ACMru\\"

}  // namespace

const std::vector<RoutineSteps>& BuiltinTargets() {
  static const std::vector<RoutineSteps> targets = {
      {Routine::kWinTemp,
       {EmptyTree(SystemRoot("\\Temp")), EmptyTree(SystemRoot("\\PCHealth\\HelpCtr\\Temp"))}},
      {Routine::kClearWinOldFiles, {Files(SystemRoot(""), {"*.OLD", "*.tmp"})}},
      // The user's temporary folder, system files included.
      {Routine::kTemp, {EmptyDeepTree(TempFolder(), true)}},
      {Routine::kClearIEDownloadDir,
       {DeleteValue(HKCU, "Software\\Microsoft\\Internet Explorer", "Download Directory")}},
      {Routine::kHistory,
       {EmptyFolder(UserFolder("History")), EmptyDeepTree(UserFolder("History", "\\History.IE5"))}},
      {Routine::kClearTypedURLs, {DeleteKey(HKCU, "Software\\Microsoft\\Internet Explorer\\TypedURLs")}},
      {Routine::kClearIndexDat,
       {Files(SystemRoot(SYSTEM_PROFILE "\\Cookies"), {"*.*"}),
        Files(SystemRoot(SYSTEM_PROFILE "\\Local Settings\\History\\History.IE5"), {"*.*"}),
        Files(SystemRoot(SYSTEM_PROFILE "\\Local Settings\\Temporary Internet Files\\Content.IE5"),
              {"*.*"}),
        Files(SystemRoot(SYSTEM_PROFILE
                         "\\Local Settings\\History\\History.IE5\\MSHist012005072320050724"),
              {"*.*"})}},
      {Routine::kPrefetch, {EmptyTree(SystemRoot("\\Prefetch"))}},
      {Routine::kClearRunMRU, {LetterList(HKCU, EXPLORER "RunMRU")}},
      {Routine::kClearDocFindMRU, {LetterList(HKCU, kDocFindMruKey)}},
      {Routine::kClearSearchMRUs,
       {DeleteKey(HKCU, ACMRU "5603"), DeleteKey(HKCU, ACMRU "5604"), DeleteKey(HKCU, ACMRU "5001"),
        DeleteKey(HKCU, ACMRU "5647"), DeleteKey(HKCU, SEARCH_BARS "FilesNamedMRU"),
        DeleteKey(HKCU, SEARCH_BARS "ContainingTextMRU"),
        DeleteKey(HKCU, SEARCH_BARS "ComputerNameMRU")}},
      {Routine::kClearFindComputerMRU, {LetterList(HKCU, EXPLORER "FindComputerMRU")}},
      // The "OpenWithList" key of every file type Explorer knows.
      {Routine::kOpenWithLists, {SubkeyKeys(HKCU, EXPLORER "FileExts", "OpenWithList")}},
      {Routine::kClearOpenWithMRUs,
       {Call(Routine::kOpenWithLists),
        DeleteValue(HKCU, "Software\\Microsoft\\Direct3D\\MostRecentApplication", "Name"),
        DeleteValue(HKCU, "Software\\Microsoft\\DirectInput\\MostRecentApplication", "Id"),
        DeleteValue(HKCU, "Software\\Microsoft\\DirectInput\\MostRecentApplication", "Name"),
        DeleteValue(HKLM, "Software\\Microsoft\\DirectDraw\\MostRecentApplication", "Name"),
        DeleteTree(HKCU, EXPLORER "ComDlg32\\LastVisitedMRU"),
        DeleteTree(HKCU, EXPLORER "ComDlg32\\OpenSaveMRU"), DeleteKey(HKCU, "InstallLocationsMRU")}},
      {Routine::kClearRecentDocsMRU,
       {DeleteKey(HKCU, EXPLORER "Wallpaper\\MRU"), DeleteKey(HKCU, EXPLORER "RecentDocs\\Folder"),
        NumberedValues(HKCU, EXPLORER "RecentDocs", 0, 100),
        DeleteValue(HKCU, EXPLORER "RecentDocs", "MRUListEx")}},
      {Routine::kClearMemoryDumps,
       {Files(Win9xRoot(""), {"memory.dmp"}), Files(NtRoot(""), {"memory.dmp"})}},
      // The recent-documents list goes in both modes.
      {Routine::kRecent,
       {EmptyTree(UserFolder("Recent")), LetteredValues(HKCU, EXPLORER "RecentDocs\\", 'a', 'z'),
        DeleteValue(HKCU, EXPLORER "RecentDocs\\", "MRUList")}},
      {Routine::kClearTrayNotify,
       {DeleteValue(HKCU, EXPLORER "TrayNotify", "IconStreams"),
        DeleteValue(HKCU, EXPLORER "TrayNotify", "PastIconsStream")}},
      {Routine::kWinLogs, {EmptyTree(SystemRoot("\\security\\logs"))}},
      {Routine::kClearWbemLogs, {Files(SystemRoot("\\system32\\wbem\\Logs"), {"*.*"})}},
      {Routine::kClearDrWatson, {Files(CommonFolder("Common AppData", "\\Microsoft\\Dr Watson"), {"*.*"})}},
      {Routine::kClearDebugLogs,
       {Files(NtRoot("\\Debug"), {"*.log"}), Files(NtRoot("\\Debug\\UserMode"), {"*.*"})}},
      {Routine::kClearWinLogFiles,
       {Files(SystemRoot(""), {"*.log", "*log.txt", "*.bak", "SchedLgU.txt", "*.logSti_Trace.log",
                               "IE4 Error Log.txt"})}},
      {Routine::kClearRootLogs,
       {Files(HomeDrive(""),
              {"Scandisk.log", "netlog.txt", "bootlog.prv", "SUHDLOG.DAT", "schedlog.txt"})}},
      {Routine::kClearStreamMRU,
       {DeleteKey(HKCU, EXPLORER "StreamMRU"), DeleteKey(HKCU, EXPLORER "Streams\\0")}},
  };
  return targets;
}

}  // namespace vb::engine
