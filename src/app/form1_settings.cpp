#include "app/form1_settings.h"

namespace vb::app {

namespace {

using F = Form1;
constexpr auto kNumber = StoreForm::kNumber;
constexpr auto kOneOrDelete = StoreForm::kOneOrDelete;
constexpr auto kWarnedFlag = StoreForm::kWarnedFlag;
constexpr auto kNone = StoreForm::kNone;
constexpr auto kFirst = LoadWhen::kFirst;
constexpr auto kUnlessDefaults = LoadWhen::kUnlessDefaults;
constexpr auto kRun = SettingPlace::kRunKey;

}  // namespace

const std::vector<BoxSetting>& BoxSettings() {
  static const std::vector<BoxSetting> table = [] {
    std::vector<BoxSetting> rows = {
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
        {&F::closeAfterCleaning, "(Opt)Close After Cleaning", kNumber, LoadRule::kNumber},
        {&F::confirmBeforeDeletion, "(Opt)Confirm Before Deletion", kNumber, LoadRule::kNumber},
        {&F::hideWarningMessages, "(Opt)Hide Warning Messages", kNumber, LoadRule::kNumber},
        {&F::hideWhileCleaning, "(Opt)Hide While Cleaning", kNumber, LoadRule::kNumber},
    };
    for (const engine::ItemRow& item : engine::ItemRows())
      rows.push_back({nullptr, item.setting, item.warning ? kWarnedFlag : kNumber,
                      LoadRule::kNumber, kUnlessDefaults, SettingPlace::kSettings, item.warning,
                      item.item});
    rows.insert(rows.end(), {
        {&F::openOnStartup, shell::kStartupValue, kNone, LoadRule::kChecked, kUnlessDefaults, kRun},
        {&F::explorerButton, shell::kIEButtonSetting, kNone, LoadRule::kChecked},
        {&F::recycleBinOpenVerb, shell::kOpenVerbSetting, kNone, LoadRule::kChecked},
        {&F::recycleBinRunVerb, shell::kRunVerbSetting, kNone, LoadRule::kChecked},
    });
    return rows;
  }();
  return table;
}

}  // namespace vb::app
