#include "app/form1_settings.h"

namespace vb::app {

namespace {

using F = Form1;
constexpr auto kNumber = StoreForm::kNumber;
constexpr auto kOneOrDelete = StoreForm::kOneOrDelete;
constexpr auto kNone = StoreForm::kNone;
constexpr auto kFirst = LoadWhen::kFirst;
constexpr auto kUnlessDefaults = LoadWhen::kUnlessDefaults;
constexpr auto kRun = SettingPlace::kRunKey;

}  // namespace

const std::vector<BoxSetting>& BoxSettings() {
  static const std::vector<BoxSetting> table = {
      {&F::Check10, shell::kQuietStartupValue, kNone, LoadRule::kChecked, kFirst, kRun},
      {&F::Check2, "(Opt)Show Only Default Settings", kNumber, LoadRule::kNumber, kFirst},
      {&F::Check1, "(Opt)Hide Progress Bar While Cleaning", kOneOrDelete, LoadRule::kProgressBar},
      {&F::Check3, "(Opt)Enable Deletion for Read-Only Files", kOneOrDelete, LoadRule::kChecked},
      {&F::Check4, "(Opt)Show All Deleted IE Temp Files", kNumber, LoadRule::kNumber},
      {&F::Check6, "(Opt)Automatically Clean When Vanbrisk Opens", kNumber, LoadRule::kNumber},
      {&F::Check8, "(Opt)Clean Personalized", kOneOrDelete, LoadRule::kNumber},
      {&F::SysTemp, "System Temporary", kNumber, LoadRule::kNumber},
      {&F::Cook, "Cookies", kNumber, LoadRule::kNumber},
      {&F::Pref, "Windows XP Prefetch", kNumber, LoadRule::kNumber},
      {&F::RBin, "Empty Recycle Bin", kNumber, LoadRule::kNumber},
      {&F::ExMRUs, "Explorer MRUs", kNumber, LoadRule::kNumber},
      {&F::rdocs, "Recent Documents", kNumber, LoadRule::kNumber},
      {&F::CAC, "(Opt)Close After Cleaning", kNumber, LoadRule::kNumber},
      {&F::CBD, "(Opt)Confirm Before Deletion", kNumber, LoadRule::kNumber},
      {&F::ietemp, "Internet Temporary", kNumber, LoadRule::kNumber},
      {&F::HWM, "(Opt)Hide Warning Messages", kNumber, LoadRule::kNumber},
      {&F::HWC, "(Opt)Hide While Cleaning", kNumber, LoadRule::kNumber},
      {&F::winlog, "Windows Log Files", kNumber, LoadRule::kNumber},
      {&F::idat, "Index.dat Files", kNumber, LoadRule::kNumber},
      {&F::ieurlhist, "Internet Urls/History", kNumber, LoadRule::kNumber},
      {&F::tnotif, "Tray Notifications Cache", StoreForm::kWarnedFlag, LoadRule::kNumber,
       kUnlessDefaults, SettingPlace::kSettings,
       "Warning! This will reset your System Tray. You will have to restart the System Explorer."},
      {&F::wcache, "Windows Cache", StoreForm::kWarnedFlag, LoadRule::kNumber, kUnlessDefaults,
       SettingPlace::kSettings, "Warning! This will reset the Windows Cache!"},
      {&F::memdumps, "Memory Dumps", kNumber, LoadRule::kNumber},
      {&F::TAP, "Third Party Applications", kNumber, LoadRule::kNumber},
      {&F::VnbStartup, shell::kStartupValue, kNone, LoadRule::kChecked, kUnlessDefaults, kRun},
      {&F::Check5, shell::kIEButtonSetting, kNone, LoadRule::kChecked},
      {&F::Check7, shell::kOpenVerbSetting, kNone, LoadRule::kChecked},
      {&F::Check9, shell::kRunVerbSetting, kNone, LoadRule::kChecked},
  };
  return table;
}

const std::vector<ItemBox>& ItemBoxes() {
  using engine::Item;
  static const std::vector<ItemBox> table = {
      {Item::kSysTemp, &F::SysTemp},          {Item::kRecycleBin, &F::RBin},
      {Item::kIETemp, &F::ietemp},            {Item::kIEUrlHistory, &F::ieurlhist},
      {Item::kCookies, &F::Cook},             {Item::kIndexDat, &F::idat},
      {Item::kPrefetch, &F::Pref},            {Item::kExplorerMRUs, &F::ExMRUs},
      {Item::kMemoryDumps, &F::memdumps},     {Item::kRecentDocuments, &F::rdocs},
      {Item::kTrayNotifications, &F::tnotif}, {Item::kApplications, &F::TAP},
      {Item::kWindowsLogs, &F::winlog},       {Item::kWindowsCache, &F::wcache},
  };
  return table;
}

}  // namespace vb::app
