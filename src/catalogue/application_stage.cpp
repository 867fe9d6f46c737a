#include "catalogue/application_stage.h"

#include "catalogue/entry_cleaner.h"
#include "catalogue/rule_catalogue.h"

namespace vb::catalogue {

namespace {

// Cleans every checked entry of the list and empties it: entry 0 is looked
// at and removed, checked or not, until none is left. The checked entries of
// the rule file are cleaned after the built-in ones, in the list's order.
void ConsumeList(ApplicationStageContext& c, AppList which) {
  toolkit::ListBox& list = *c.lists.lists[static_cast<int>(which)];
  std::vector<const Entry*> fromRules;
  while (list.ListCount() > 0) {
    if (list.Checked(0)) {
      std::string text = list.List(0);
      for (const Entry& entry : Entries(which))
        if (text == entry.text) CleanEntry(c.steps, entry);
      if (c.lists.rules)
        if (const Entry* entry = c.lists.rules->Find(which, text)) fromRules.push_back(entry);
    }
    list.RemoveItem(0);
  }
  for (const Entry* entry : fromRules) CleanEntry(c.steps, *entry);
}

}  // namespace

void RunApplicationStage(ApplicationStageContext& c) {
  // The lists are consumed below: their marks are stored first, and LoadApps
  // restores them at the end.
  SaveApps(c.lists);
  c.firefox.reset();
  ConsumeList(c, AppList::kInternet);
  ConsumeList(c, AppList::kMultimedia);
  c.progress.SetValue(44);
  ConsumeList(c, AppList::kWindows);
  ConsumeList(c, AppList::kUtilities);
  ConsumeList(c, AppList::kApplications);
  LoadApps(c.lists);
}

}  // namespace vb::catalogue
