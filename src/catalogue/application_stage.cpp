#include "catalogue/application_stage.h"

#include "catalogue/entry_cleaner.h"

namespace vb::catalogue {

namespace {

// Cleans every checked entry of the list and empties it: entry 0 is looked
// at and removed, checked or not, until none is left.
void ConsumeList(ApplicationStageContext& c, AppList which) {
  toolkit::ListBox& list = *c.lists.lists[static_cast<int>(which)];
  while (list.ListCount() > 0) {
    if (list.Checked(0)) {
      std::string text = list.List(0);
      for (const Entry& entry : Entries(which))
        if (text == entry.text) CleanEntry(c.steps, entry);
    }
    list.RemoveItem(0);
  }
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
