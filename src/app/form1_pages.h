// The five pages of the main window, the Options page's tabs and the two sets
// of item boxes, as tables of the form's controls.
#pragma once

#include <array>
#include <vector>

#include "app/form1.h"

namespace vb::app {

enum class Page { kCleaner = 0, kApplications, kInternet, kTools, kOptions };

struct PageSpec {
  toolkit::Control* button;    // the normal-look picture box that is clicked
  toolkit::Control* selected;  // its selected-look twin
  std::vector<toolkit::Control*> shown;
};

// The tables over one form, made once when the window is built.
struct Form1Pages {
  explicit Form1Pages(Form1& form);

  // The controls whose visibility a page change sets.
  std::vector<toolkit::Control*> pageSet;
  std::array<PageSpec, 5> pages;
  // The option frames the Options page's tab strip switches between, by tab.
  std::array<toolkit::Frame*, 5> optionFrames;
  // The buttons that only the Personalized tab shows.
  std::array<toolkit::Button*, 5> personalizedButtons;
  // The two sets of item boxes that ">>>" and "<<<" switch between.
  std::vector<toolkit::CheckBox*> firstItems, secondItems;
  // The application lists, one per tab of the Applications page.
  std::array<toolkit::ListBox*, 5> applicationLists;
};

// Shows the page's members and hides every other member of the page set; the
// Options page leaves the option frames other than the first as they are.
void SwitchPage(Form1& form, const Form1Pages& pages, Page page);
// Shows the option frame of the tab and hides the other four.
void ShowOptionTab(const Form1Pages& pages, int tab);

}  // namespace vb::app
