// The five application lists: which entries are listed on this machine
// (LoadApps), the check marks stored in the section "Apps" (SaveApps), and
// the ListBoxMenu's selections.
#pragma once

#include <array>

#include "catalogue/catalogue.h"
#include "platform/platform.h"
#include "toolkit/controls.h"

namespace vb::catalogue {

struct AppListsContext {
  platform::Platform& platform;
  // Appl, IE, MM, Util, Win: indexed by AppList.
  std::array<toolkit::ListBox*, kAppListCount> lists;
  toolkit::ListBox& scratch;  // ListBox: the stored marks while they are restored
};

// Appends every detected entry to its list (the lists are empty when it is
// called) and checks the entries named by the stored marks, by exact text.
void LoadApps(AppListsContext& context);
// Replaces the section "Apps" with the current check marks.
void SaveApps(AppListsContext& context);

// The ListBoxMenu: checks or clears every entry of all five lists, or of the
// lists that are visible ("of Type").
void SetAllChecked(AppListsContext& context, bool checked, bool visibleOnly);

}  // namespace vb::catalogue
