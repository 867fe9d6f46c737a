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
      {&F::cleanAtStartup, shell::kQuietStartupValue, kNone, LoadRule::kChecked, kFirst, kRun},
      {&F::defaultSettingsOnly, "(Opt)Show Only Default Settings", kNumber, LoadRule::kNumber,
       kFirst},
      {&F::hideProgressBar, "(Opt)Hide Progress Bar While Cleaning", kOneOrDelete,
       LoadRule::kProgressBar},
      {&F::deleteReadOnlyFiles, "(Opt)Enable Deletion for Read-Only Files", kOneOrDelete,
       LoadRule::kChecked},
      {&F::showAllIeFiles, "(Opt)Show All Deleted IE Temp Files", kNumber, LoadRule::kNumber},
      {&F::cleanWhenOpening, "(Opt)Automatically Clean When Vanbrisk Opens", kNumber,
       LoadRule::kNumber},
      {&F::cleanPersonalized, "(Opt)Clean Personalized", kOneOrDelete, LoadRule::kNumber},
      {&F::systemTemporary, "System Temporary", kNumber, LoadRule::kNumber},
      {&F::cookies, "Cookies", kNumber, LoadRule::kNumber},
      {&F::prefetch, "Windows XP Prefetch", kNumber, LoadRule::kNumber},
      {&F::recycleBin, "Empty Recycle Bin", kNumber, LoadRule::kNumber},
      {&F::explorerMrus, "Explorer MRUs", kNumber, LoadRule::kNumber},
      {&F::recentDocuments, "Recent Documents", kNumber, LoadRule::kNumber},
      {&F::closeAfterCleaning, "(Opt)Close After Cleaning", kNumber, LoadRule::kNumber},
      {&F::confirmBeforeDeletion, "(Opt)Confirm Before Deletion", kNumber, LoadRule::kNumber},
      {&F::internetTemporary, "Internet Temporary", kNumber, LoadRule::kNumber},
      {&F::hideWarningMessages, "(Opt)Hide Warning Messages", kNumber, LoadRule::kNumber},
      {&F::hideWhileCleaning, "(Opt)Hide While Cleaning", kNumber, LoadRule::kNumber},
      {&F::windowsLogFiles, "Windows Log Files", kNumber, LoadRule::kNumber},
      {&F::indexDatFiles, "Index.dat Files", kNumber, LoadRule::kNumber},
      {&F::internetUrlHistory, "Internet Urls/History", kNumber, LoadRule::kNumber},
      {&F::trayNotifications, "Tray Notifications Cache", StoreForm::kWarnedFlag, LoadRule::kNumber,
       kUnlessDefaults, SettingPlace::kSettings,
       "Warning! This will reset your System Tray. You will have to restart the System Explorer."},
      {&F::windowsCache, "Windows Cache", StoreForm::kWarnedFlag, LoadRule::kNumber,
       kUnlessDefaults, SettingPlace::kSettings, "Warning! This will reset the Windows Cache!"},
      {&F::memoryDumps, "Memory Dumps", kNumber, LoadRule::kNumber},
      {&F::thirdPartyApplications, "Third Party Applications", kNumber, LoadRule::kNumber},
      {&F::openOnStartup, shell::kStartupValue, kNone, LoadRule::kChecked, kUnlessDefaults, kRun},
      {&F::explorerButton, shell::kIEButtonSetting, kNone, LoadRule::kChecked},
      {&F::recycleBinOpenVerb, shell::kOpenVerbSetting, kNone, LoadRule::kChecked},
      {&F::recycleBinRunVerb, shell::kRunVerbSetting, kNone, LoadRule::kChecked},
  };
  return table;
}

const std::vector<ItemBox>& ItemBoxes() {
  using engine::Item;
  static const std::vector<ItemBox> table = {
      {Item::kSysTemp, &F::systemTemporary},
      {Item::kRecycleBin, &F::recycleBin},
      {Item::kIETemp, &F::internetTemporary},
      {Item::kIEUrlHistory, &F::internetUrlHistory},
      {Item::kCookies, &F::cookies},
      {Item::kIndexDat, &F::indexDatFiles},
      {Item::kPrefetch, &F::prefetch},
      {Item::kExplorerMRUs, &F::explorerMrus},
      {Item::kMemoryDumps, &F::memoryDumps},
      {Item::kRecentDocuments, &F::recentDocuments},
      {Item::kTrayNotifications, &F::trayNotifications},
      {Item::kApplications, &F::thirdPartyApplications},
      {Item::kWindowsLogs, &F::windowsLogFiles},
      {Item::kWindowsCache, &F::windowsCache},
  };
  return table;
}

}  // namespace vb::app
