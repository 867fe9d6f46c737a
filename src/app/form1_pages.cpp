#include "app/form1_pages.h"

#include <algorithm>
#include <cstring>

namespace vb::app {

const std::vector<const char*>& PageSet() {
  static const std::vector<const char*> set = {
      "Options", "Applications", "Cleaner", "Tools",    "Internet", "Frame1",   "Frame2",
      "Frame3",  "Frame4",       "Frame5",  "Frame6",   "Frame7",   "Frame8",   "CleanO",
      "CookO",   "IEO",          "PerO",    "AdvO",     "CleanCom", "AnalyCom", "Diag",
      "Start",   "DXDiag",       "CPrompt", "TMan",     "DClean",   "RegEdit",  "CPanel",
      "AFol",    "AFil",         "AReg",    "RSel",     "RAll",     "CleanIE",  "SLF",
      "Command4", "Command5",    "DelCache", "DelCook"};
  return set;
}

const std::vector<PageSpec>& Pages() {
  static const std::vector<PageSpec> pages = {
      {"ct2", "ct1", {"Cleaner", "Frame1", "Frame2", "AnalyCom", "CleanCom"}},
      {"at2", "at1", {"Applications"}},
      {"iet2", "iet1", {"Internet", "Frame3", "Frame4", "Frame5", "CleanIE", "SLF", "DelCache", "DelCook"}},
      {"tt2", "tt1",
       {"Tools", "Frame6", "Frame7", "Frame8", "Diag", "Start", "DXDiag", "CPrompt", "TMan",
        "DClean", "RegEdit", "CPanel"}},
      {"ot2", "ot1", {"Options", "CleanO"}},
  };
  return pages;
}

const PageSpec& PageOf(Page page) { return Pages()[static_cast<int>(page)]; }

const std::vector<const char*>& OptionFrames() {
  static const std::vector<const char*> frames = {"CleanO", "CookO", "IEO", "PerO", "AdvO"};
  return frames;
}

const std::vector<const char*>& PersonalizedButtons() {
  static const std::vector<const char*> buttons = {"AFol", "AFil", "AReg", "RSel", "RAll"};
  return buttons;
}

namespace {

bool Listed(const std::vector<const char*>& names, const char* name) {
  return std::any_of(names.begin(), names.end(),
                     [&](const char* n) { return std::strcmp(n, name) == 0; });
}

}  // namespace

void SwitchPage(toolkit::Form& form, Page page) {
  const PageSpec& chosen = PageOf(page);
  for (const PageSpec& other : Pages())
    form.Get<toolkit::Control>(other.selected).SetVisible(&other == &chosen);
  form.Get<toolkit::Control>("ct2").SetVisible(page != Page::kCleaner);
  const auto& frames = OptionFrames();
  for (const char* member : PageSet()) {
    bool keep = page == Page::kOptions && Listed(frames, member) && std::strcmp(member, "CleanO") != 0;
    if (!keep) form.Get<toolkit::Control>(member).SetVisible(Listed(chosen.shown, member));
  }
  if (page == Page::kCleaner) {
    // The ">>>" / "<<<" button that fits the item set showing.
    bool second = form.Get<toolkit::Control>("idat").Visible();
    form.Get<toolkit::Control>("Command5").SetVisible(second);
    form.Get<toolkit::Control>("Command4").SetVisible(!second);
  }
}

void ShowOptionTab(toolkit::Form& form, int tab) {
  const auto& frames = OptionFrames();
  for (int i = 0; i < static_cast<int>(frames.size()); ++i)
    form.Get<toolkit::Control>(frames[i]).SetVisible(i == tab);
  for (const char* button : PersonalizedButtons())
    form.Get<toolkit::Control>(button).SetVisible(tab == 3);
}

}  // namespace vb::app
