#include "engine/items.h"

namespace vb::engine {

namespace {

StageStep P(int value) { return {StageStep::kProgress, value}; }
StageStep R(Routine routine) { return {StageStep::kRoutine, -1, routine}; }
StageStep CleanerOnly(Routine routine) { return {StageStep::kRoutine, -1, routine, true}; }
StageStep RecycleBin() { return {StageStep::kRecycleBin}; }

}  // namespace

const std::vector<ItemRow>& ItemRows() {
  using I = Item;
  using R_ = Routine;
  static const std::vector<ItemRow> rows = {
      {I::kSysTemp, "SysTemp", "System Temporary", 30, 0, true, "System Temporary", nullptr,
       {false,
        {P(1), P(2), R(R_::kWinTemp), P(3), P(4), R(R_::kClearWinOldFiles), P(5), P(6),
         R(R_::kTemp), P(7)},
        {8, 9}}},
      {I::kRecycleBin, "RBin", "Empty Recycle Bin", 55, 5, true, "Empty Recycle Bin", nullptr,
       {false, {RecycleBin()}, {11, 12}}},
      {I::kIETemp, "ietemp", "Internet Temporary", 35, 1, true, "Internet Temporary", nullptr,
       {false,
        {P(13), P(14), CleanerOnly(R_::kClearIEDownloadDir), P(15), R(R_::kIETemp)},
        {16}}},
      {I::kIEUrlHistory, "ieurlhist", "Internet Urls\\History", 85, 11, true,
       "Internet Urls/History", nullptr,
       {false, {P(17), R(R_::kHistory), CleanerOnly(R_::kClearTypedURLs)},
        {18}}},
      {I::kCookies, "Cook", "Cookies", 45, 2, true, "Cookies", nullptr,
       {false, {P(19), R(R_::kCookies)}, {20}}},
      {I::kIndexDat, "idat", "Index.dat Files", 65, 7, false, "Index.dat Files", nullptr,
       {false, {P(21), P(22), P(23), P(24), R(R_::kClearIndexDat)}, {26}}},
      {I::kPrefetch, "Pref", "XP Prefetch", 40, 3, false, "Windows XP Prefetch", nullptr,
       {false, {P(28), R(R_::kPrefetch)}, {30}}},
      {I::kExplorerMRUs, "ExMRUs", "Explorer MRUs", 80, 10, true, "Explorer MRUs", nullptr,
       {true,
        {P(31), R(R_::kClearRunMRU), P(32), R(R_::kClearDocFindMRU), P(33),
         R(R_::kClearSearchMRUs), P(34), R(R_::kClearFindComputerMRU), P(35),
         R(R_::kClearOpenWithMRUs), R(R_::kClearRecentDocsMRU)},
        {36}}},
      {I::kMemoryDumps, "memdumps", "Memory Dumps", 70, 8, false, "Memory Dumps", nullptr,
       {false, {P(37), R(R_::kClearMemoryDumps)}, {}}},
      {I::kRecentDocuments, "rdocs", "Recent Documents", 50, 4, true, "Recent Documents", nullptr,
       {false, {R(R_::kRecent)}, {}}},
      {I::kTrayNotifications, "tnotif", "Tray Notifications", 90, 12, false,
       "Tray Notifications Cache",
       "Warning! This will reset your System Tray. You will have to restart the System "
       "Explorer.",
       {true, {R(R_::kClearTrayNotify)}, {}}},
      {I::kApplications, "TAP", "Third Party Applications", 60, 6, true,
       "Third Party Applications", nullptr,
       {false, {R(R_::kApplications)}, {50}}},
      {I::kWindowsLogs, "winlog", "Windows Log Files", 75, 9, false, "Windows Log Files", nullptr,
       {false,
        {P(51), P(52), R(R_::kWinLogs), P(53), P(54), R(R_::kClearWbemLogs), P(55), P(56),
         R(R_::kClearDrWatson), P(57), P(58), R(R_::kClearDebugLogs), P(59), P(60),
         R(R_::kClearWinLogFiles), P(63), P(65), R(R_::kClearRootLogs), P(68)},
        {70}}},
      {I::kWindowsCache, "wcache", "Windows Cache", 95, 13, false, "Windows Cache",
       "Warning! This will reset the Windows Cache!",
       {true, {R(R_::kClearStreamMRU)}, {100}}},
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
