#include "app/form1_settings.h"

namespace vb::app {

const std::vector<StoredBox>& StoredBoxes() {
  static const std::vector<StoredBox> boxes = {
      {"SysTemp", "System Temporary", StoreForm::kNumber},
      {"ietemp", "Internet Temporary", StoreForm::kNumber},
      {"Pref", "Windows XP Prefetch", StoreForm::kNumber},
      {"Cook", "Cookies", StoreForm::kNumber},
      {"rdocs", "Recent Documents", StoreForm::kNumber},
      {"RBin", "Empty Recycle Bin", StoreForm::kNumber},
      {"TAP", "Third Party Applications", StoreForm::kNumber},
      {"idat", "Index.dat Files", StoreForm::kNumber},
      {"memdumps", "Memory Dumps", StoreForm::kNumber},
      {"winlog", "Windows Log Files", StoreForm::kNumber},
      {"ExMRUs", "Explorer MRUs", StoreForm::kNumber},
      {"ieurlhist", "Internet Urls/History", StoreForm::kNumber},
      {"tnotif", "Tray Notifications Cache", StoreForm::kWarnedFlag,
       "Warning! This will reset your System Tray. You will have to restart the System Explorer."},
      {"wcache", "Windows Cache", StoreForm::kWarnedFlag,
       "Warning! This will reset the Windows Cache!"},
      {"CAC", "(Opt)Close After Cleaning", StoreForm::kNumber},
      {"CBD", "(Opt)Confirm Before Deletion", StoreForm::kNumber},
      {"HWC", "(Opt)Hide While Cleaning", StoreForm::kNumber},
      {"HWM", "(Opt)Hide Warning Messages", StoreForm::kNumber},
      {"Check1", "(Opt)Hide Progress Bar While Cleaning", StoreForm::kOneOrDelete},
      {"Check2", "(Opt)Show Only Default Settings", StoreForm::kNumber},
      {"Check3", "(Opt)Enable Deletion for Read-Only Files", StoreForm::kOneOrDelete},
      {"Check4", "(Opt)Show All Deleted IE Temp Files", StoreForm::kNumber},
      {"Check6", "(Opt)Automatically Clean When Vanbrisk Opens", StoreForm::kNumber},
      {"Check8", "(Opt)Clean Personalized", StoreForm::kOneOrDelete},
  };
  return boxes;
}

const std::vector<LoadedBox>& BoxesLoadedFirst() {
  static const std::vector<LoadedBox> boxes = {
      {"Check10", "Vanbrisk /AUTO", LoadRule::kChecked, true},
      {"Check2", "(Opt)Show Only Default Settings", LoadRule::kNumber},
  };
  return boxes;
}

const std::vector<LoadedBox>& BoxesLoadedUnlessDefaults() {
  static const std::vector<LoadedBox> boxes = {
      {"Check1", "(Opt)Hide Progress Bar While Cleaning", LoadRule::kProgressBar},
      {"Check3", "(Opt)Enable Deletion For Read-Only Files", LoadRule::kChecked},
      {"Check4", "(Opt)Show All Deleted IE Temp Files", LoadRule::kNumber},
      {"Check6", "(Opt)Automatically Clean When Vanbrisk Opens", LoadRule::kNumber},
      {"Check8", "(Opt)Clean Personalized", LoadRule::kNumber},
      {"SysTemp", "System Temporary", LoadRule::kNumber},
      {"Cook", "Cookies", LoadRule::kNumber},
      {"Pref", "Windows XP Prefetch", LoadRule::kNumber},
      {"RBin", "Empty Recycle Bin", LoadRule::kNumber},
      {"ExMRUs", "Explorer MRUs", LoadRule::kNumber},
      {"rdocs", "Recent Documents", LoadRule::kNumber},
      {"CAC", "(Opt)Close After Cleaning", LoadRule::kNumber},
      {"CBD", "(Opt)Confirm Before Deletion", LoadRule::kNumber},
      {"ietemp", "Internet Temporary", LoadRule::kNumber},
      {"HWM", "(Opt)Hide Warning Messages", LoadRule::kNumber},
      {"HWC", "(Opt)Hide While Cleaning", LoadRule::kNumber},
      {"winlog", "Windows Log Files", LoadRule::kNumber},
      {"idat", "Index.dat Files", LoadRule::kNumber},
      {"ieurlhist", "Internet Urls/History", LoadRule::kNumber},
      {"tnotif", "Tray Notifications Cache", LoadRule::kNumber},
      {"wcache", "Windows Cache", LoadRule::kNumber},
      {"memdumps", "Memory Dumps", LoadRule::kNumber},
      {"TAP", "Third Party Applications", LoadRule::kNumber},
      {"VnbStartup", "Vanbrisk", LoadRule::kChecked, true},
      {"Check5", "(Opt)IEButton", LoadRule::kChecked},
      {"Check7", "(Opt)Recycle Bin", LoadRule::kChecked},
      {"Check9", "(Opt)Recycle Bin - /AUTO", LoadRule::kChecked},
  };
  return boxes;
}

}  // namespace vb::app
