// The five application lists: which entries are listed on this machine
// (LoadApps), the check marks stored in the section "Apps" (SaveApps), and
// the ListBoxMenu's selections.
#pragma once

#include <vector>

#include <array>
#include <memory>

#include "catalogue/catalogue.h"
#include "platform/platform.h"
#include "toolkit/controls.h"

namespace vb::catalogue {

class RuleCatalogue;  // rule_catalogue.h

struct AppListsContext {
  platform::Platform& platform;
  // The five application lists, indexed by AppList.
  std::array<toolkit::ListBox*, kAppListCount> lists;
  toolkit::ListBox& scratch;  // the stored marks while they are restored
  // The entries of the rule file in the program's folder, read by LoadApps.
  std::shared_ptr<const RuleCatalogue> rules = nullptr;
  // Set while marks are changed by the program rather than by the user.
  bool settingMarks = false;
};

// Appends every detected entry to its list (the lists are empty when it is
// called), the built-in ones and those of the rule file, which it reads
// again, and checks the entries named by the stored marks, by exact text.
void LoadApps(AppListsContext& context);

// Which of the entries this machine has; a rule that several entries share
// is tested once.
[[nodiscard]] std::vector<bool> Detect(platform::Platform& platform,
                                       const std::vector<const Entry*>& entries);
// Replaces the section "Apps" with the current check marks.
void SaveApps(AppListsContext& context);

// The ListBoxMenu: checks or clears every entry of all five lists, or of the
// lists that are visible ("of Type").
void SetAllChecked(AppListsContext& context, bool checked, bool visibleOnly);

// A list's item check handler: when the user checks an entry of the rule
// file that has a warning, the warning is shown.
void WarnOnCheck(AppListsContext& context, AppList list, int index);

}  // namespace vb::catalogue
