#include "engine/items.h"

#include <utility>

#include "engine/builtin_targets.h"

namespace vb::engine {

using namespace vb::win;

namespace {

StageStep P(int value) { return {StageStep::kProgress, value}; }
StageStep R(Routine routine) { return {StageStep::kRoutine, -1, routine}; }
StageStep CleanerOnly(Routine routine) { return {StageStep::kRoutine, -1, routine, true}; }
StageStep S(std::vector<Step> steps) {
  return {StageStep::kSteps, -1, Routine::kCount, false, std::move(steps)};
}
StageStep RecycleBin() { return {StageStep::kRecycleBin}; }

constexpr HKEY HKCU = kHkeyCurrentUser;
constexpr HKEY HKLM = kHkeyLocalMachine;
#define EXPLORER "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\"
#define SEARCH_BARS                                   \
  "Software\\Microsoft\\Internet Explorer\\Explorer " \
  "Bars\\{C4EE31F3-4768-11D2-BE5C-00A0C9A83DA1}\\"
#define SYSTEM_PROFILE "\\system32\\config\\systemprofile"
#define ACMRU "Software\\Microsoft\\Search Assistant\\ACMru\\"

}  // namespace

const std::vector<ItemRow>& ItemRows() {
  using I = Item;
  using R_ = Routine;
  static const std::vector<ItemRow> rows = {
      {.item = I::kSysTemp,
       .control = "SysTemp",
       .caption = "System Temporary",
       .languageKey = 30,
       .place = 0,
       .ticked = true,
       .setting = "System Temporary",
       .stage = {false,
                 {P(1), P(2),
                  S({EmptyTree(SystemRoot("\\Temp")),
                     EmptyTree(SystemRoot("\\PCHealth\\HelpCtr\\Temp"))}),
                  P(3), P(4), S({Files(SystemRoot(""), {"*.OLD", "*.tmp"})}), P(5), P(6),
                  // The user's temporary folder, system files included.
                  S({EmptyDeepTree(TempFolder(), true)}), P(7)},
                 {8, 9}}},
      {.item = I::kRecycleBin,
       .control = "RBin",
       .caption = "Empty Recycle Bin",
       .languageKey = 55,
       .place = 5,
       .ticked = true,
       .setting = "Empty Recycle Bin",
       .stage = {false, {RecycleBin()}, {11, 12}}},
      {.item = I::kIETemp,
       .control = "ietemp",
       .caption = "Internet Temporary",
       .languageKey = 35,
       .place = 1,
       .ticked = true,
       .setting = "Internet Temporary",
       .stage = {false,
                 {P(13), P(14), CleanerOnly(R_::kClearIEDownloadDir), P(15), R(R_::kIETemp)},
                 {16}}},
      {.item = I::kIEUrlHistory,
       .control = "ieurlhist",
       .caption = "Internet Urls\\History",
       .languageKey = 85,
       .place = 11,
       .ticked = true,
       .setting = "Internet Urls/History",
       .stage = {false, {P(17), R(R_::kHistory), CleanerOnly(R_::kClearTypedURLs)}, {18}}},
      {.item = I::kCookies,
       .control = "Cook",
       .caption = "Cookies",
       .languageKey = 45,
       .place = 2,
       .ticked = true,
       .setting = "Cookies",
       .stage = {false, {P(19), R(R_::kCookies)}, {20}}},
      {.item = I::kIndexDat,
       .control = "idat",
       .caption = "Index.dat Files",
       .languageKey = 65,
       .place = 7,
       .ticked = false,
       .setting = "Index.dat Files",
       .stage = {false,
                 {P(21), P(22), P(23), P(24),
                  S({Files(SystemRoot(SYSTEM_PROFILE "\\Cookies"), {"*.*"}),
                     Files(SystemRoot(SYSTEM_PROFILE "\\Local Settings\\History\\History.IE5"),
                           {"*.*"}),
                     Files(SystemRoot(SYSTEM_PROFILE
                                      "\\Local Settings\\Temporary Internet Files\\Content.IE5"),
                           {"*.*"}),
                     Files(SystemRoot(
                               SYSTEM_PROFILE
                               "\\Local Settings\\History\\History.IE5\\MSHist012005072320050724"),
                           {"*.*"})})},
                 {26}}},
      {.item = I::kPrefetch,
       .control = "Pref",
       .caption = "XP Prefetch",
       .languageKey = 40,
       .place = 3,
       .ticked = false,
       .setting = "Windows XP Prefetch",
       .stage = {false, {P(28), S({EmptyTree(SystemRoot("\\Prefetch"))})}, {30}}},
      {.item = I::kExplorerMRUs,
       .control = "ExMRUs",
       .caption = "Explorer MRUs",
       .languageKey = 80,
       .place = 10,
       .ticked = true,
       .setting = "Explorer MRUs",
       .stage =
           {true,
            {P(31), S({LetterList(HKCU, EXPLORER "RunMRU")}), P(32),
             S({LetterList(HKCU, kDocFindMruKey)}), P(33),
             S({DeleteKey(HKCU, ACMRU "5603"), DeleteKey(HKCU, ACMRU "5604"),
                DeleteKey(HKCU, ACMRU "5001"), DeleteKey(HKCU, ACMRU "5647"),
                DeleteKey(HKCU, SEARCH_BARS "FilesNamedMRU"),
                DeleteKey(HKCU, SEARCH_BARS "ContainingTextMRU"),
                DeleteKey(HKCU, SEARCH_BARS "ComputerNameMRU")}),
             P(34), S({LetterList(HKCU, EXPLORER "FindComputerMRU")}), P(35),
             S({SubkeyKeys(HKCU, EXPLORER "FileExts", "OpenWithList"),
                DeleteValue(HKCU, "Software\\Microsoft\\Direct3D\\MostRecentApplication", "Name"),
                DeleteValue(HKCU, "Software\\Microsoft\\DirectInput\\MostRecentApplication", "Id"),
                DeleteValue(HKCU, "Software\\Microsoft\\DirectInput\\MostRecentApplication",
                            "Name"),
                DeleteValue(HKLM, "Software\\Microsoft\\DirectDraw\\MostRecentApplication", "Name"),
                DeleteTree(HKCU, EXPLORER "ComDlg32\\LastVisitedMRU"),
                DeleteTree(HKCU, EXPLORER "ComDlg32\\OpenSaveMRU"),
                DeleteKey(HKCU, "InstallLocationsMRU")}),
             S({DeleteKey(HKCU, EXPLORER "Wallpaper\\MRU"),
                DeleteKey(HKCU, EXPLORER "RecentDocs\\Folder"),
                NumberedValues(HKCU, EXPLORER "RecentDocs", 0, 100),
                DeleteValue(HKCU, EXPLORER "RecentDocs", "MRUListEx")})},
            {36}}},
      {.item = I::kMemoryDumps,
       .control = "memdumps",
       .caption = "Memory Dumps",
       .languageKey = 70,
       .place = 8,
       .ticked = false,
       .setting = "Memory Dumps",
       .stage = {false,
                 {P(37),
                  S({Files(Win9xRoot(""), {"memory.dmp"}), Files(NtRoot(""), {"memory.dmp"})})},
                 {}}},
      {.item = I::kRecentDocuments,
       .control = "rdocs",
       .caption = "Recent Documents",
       .languageKey = 50,
       .place = 4,
       .ticked = true,
       .setting = "Recent Documents",
       .stage = {false,
                 {S({EmptyTree(UserFolder("Recent")),
                     LetteredValues(HKCU, EXPLORER "RecentDocs\\", 'a', 'z'),
                     DeleteValue(HKCU, EXPLORER "RecentDocs\\", "MRUList")})},
                 {}}},
      {.item = I::kTrayNotifications,
       .control = "tnotif",
       .caption = "Tray Notifications",
       .languageKey = 90,
       .place = 12,
       .ticked = false,
       .setting = "Tray Notifications Cache",
       .warning = "Warning! This will reset your System Tray. You will have to restart the System "
                  "Explorer.",
       .stage = {true,
                 {S({DeleteValue(HKCU, EXPLORER "TrayNotify", "IconStreams"),
                     DeleteValue(HKCU, EXPLORER "TrayNotify", "PastIconsStream")})},
                 {}}},
      {.item = I::kApplications,
       .control = "TAP",
       .caption = "Third Party Applications",
       .languageKey = 60,
       .place = 6,
       .ticked = true,
       .setting = "Third Party Applications",
       .stage = {false, {R(R_::kApplications)}, {50}}},
      {.item = I::kWindowsLogs,
       .control = "winlog",
       .caption = "Windows Log Files",
       .languageKey = 75,
       .place = 9,
       .ticked = false,
       .setting = "Windows Log Files",
       .stage = {false,
                 {P(51), P(52), S({EmptyTree(SystemRoot("\\security\\logs"))}), P(53), P(54),
                  S({Files(SystemRoot("\\system32\\wbem\\Logs"), {"*.*"})}), P(55), P(56),
                  S({Files(CommonFolder("Common AppData", "\\Microsoft\\Dr Watson"), {"*.*"})}),
                  P(57), P(58),
                  S({Files(NtRoot("\\Debug"), {"*.log"}),
                     Files(NtRoot("\\Debug\\UserMode"), {"*.*"})}),
                  P(59), P(60),
                  S({Files(SystemRoot(""), {"*.log", "*log.txt", "*.bak", "SchedLgU.txt",
                                            "*.logSti_Trace.log", "IE4 Error Log.txt"})}),
                  P(63), P(65),
                  S({Files(HomeDrive(""), {"Scandisk.log", "netlog.txt", "bootlog.prv",
                                           "SUHDLOG.DAT", "schedlog.txt"})}),
                  P(68)},
                 {70}}},
      {.item = I::kWindowsCache,
       .control = "wcache",
       .caption = "Windows Cache",
       .languageKey = 95,
       .place = 13,
       .ticked = false,
       .setting = "Windows Cache",
       .warning = "Warning! This will reset the Windows Cache!",
       .stage = {true,
                 {S({DeleteKey(HKCU, EXPLORER "StreamMRU"),
                     DeleteKey(HKCU, EXPLORER "Streams\\0")})},
                 {100}}},
  };
  return rows;
}

const std::vector<Stage>& StageTable() {
  static const std::vector<Stage> stages = [] {
    std::vector<Stage> out;
    for (const ItemRow& row : ItemRows()) {
      if (row.item == Item::kApplications)
        out.push_back({std::nullopt, false, {R(Routine::kPersonalized)}, {38}});
      out.push_back({row.item, row.stage.cleanerOnly, row.stage.steps, row.stage.after});
    }
    return out;
  }();
  return stages;
}

}  // namespace vb::engine
