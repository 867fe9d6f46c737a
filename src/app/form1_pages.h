// The five pages of the main window and the Options page's tabs, as tables.
#pragma once

#include <vector>

#include "toolkit/form.h"

namespace vb::app {

struct PageSpec {
  const char* button;    // the normal-look picture box that is clicked
  const char* selected;  // its selected-look twin
  std::vector<const char*> shown;
};

enum class Page { kCleaner = 0, kApplications, kInternet, kTools, kOptions };

// The controls whose visibility a page change sets.
const std::vector<const char*>& PageSet();
const std::vector<PageSpec>& Pages();
const PageSpec& PageOf(Page page);

// The option frames the Options page's tab strip switches between, by tab.
const std::vector<const char*>& OptionFrames();
// The buttons that only the Personalized tab shows.
const std::vector<const char*>& PersonalizedButtons();

// Shows the page's members and hides every other member of the page set; the
// Options page leaves the option frames other than the first as they are.
void SwitchPage(toolkit::Form& form, Page page);
// Shows the option frame of the tab and hides the other four.
void ShowOptionTab(toolkit::Form& form, int tab);

}  // namespace vb::app
