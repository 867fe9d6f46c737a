#include "app/form1_pages.h"

#include <algorithm>

namespace vb::app {

Form1Pages::Form1Pages(Form1& f)
    : pageSet{f.optionsPage,
              f.applicationsPage,
              f.cleanerPage,
              f.toolsPage,
              f.internetPage,
              f.cleanerSettingsFrame,
              f.settingsFrame,
              f.resultsLogFrame,
              f.cacheFrame,
              f.cookiesFrame,
              f.moreToolsFrame,
              f.commonToolsFrame,
              f.programToolsFrame,
              f.cleanerOptionsFrame,
              f.cookieOptionsFrame,
              f.internetOptionsFrame,
              f.personalizedFrame,
              f.advancedOptionsFrame,
              f.runCleanerButton,
              f.analyzeButton,
              f.diagnosticsButton,
              f.startupButton,
              f.directXDiagnosticsButton,
              f.commandPromptButton,
              f.taskManagerButton,
              f.diskCleanupButton,
              f.registryEditorButton,
              f.controlPanelButton,
              f.addFolderButton,
              f.addFileButton,
              f.addRegistryButton,
              f.removeSelectedButton,
              f.removeAllButton,
              f.cleanBrowsersButton,
              f.saveLogButton,
              f.nextItemsButton,
              f.previousItemsButton,
              f.deleteCacheButton,
              f.deleteCookiesButton},
      pages{{
          {f.cleanerPageButton, f.cleanerPageSelected,
           {f.cleanerPage, f.cleanerSettingsFrame, f.settingsFrame, f.analyzeButton,
            f.runCleanerButton}},
          {f.applicationsPageButton, f.applicationsPageSelected, {f.applicationsPage}},
          {f.internetPageButton, f.internetPageSelected,
           {f.internetPage, f.resultsLogFrame, f.cacheFrame, f.cookiesFrame, f.cleanBrowsersButton,
            f.saveLogButton, f.deleteCacheButton, f.deleteCookiesButton}},
          {f.toolsPageButton, f.toolsPageSelected,
           {f.toolsPage, f.moreToolsFrame, f.commonToolsFrame, f.programToolsFrame,
            f.diagnosticsButton, f.startupButton, f.directXDiagnosticsButton, f.commandPromptButton,
            f.taskManagerButton, f.diskCleanupButton, f.registryEditorButton,
            f.controlPanelButton}},
          {f.optionsPageButton, f.optionsPageSelected, {f.optionsPage, f.cleanerOptionsFrame}},
      }},
      optionFrames{f.cleanerOptionsFrame, f.cookieOptionsFrame, f.internetOptionsFrame,
                   f.personalizedFrame, f.advancedOptionsFrame},
      personalizedButtons{f.addFolderButton, f.addFileButton, f.addRegistryButton,
                          f.removeSelectedButton, f.removeAllButton},
      applicationLists{f.applicationsList, f.internetList, f.multimediaList, f.utilitiesList,
                       f.windowsList} {
  for (const engine::ItemRow& row : engine::ItemRows()) {
    auto& set = row.place < engine::kItemRowsPerSet ? firstItems : secondItems;
    set.push_back(&f.ItemBox(row.item));
  }
}

namespace {

template <class Container>
bool Holds(const Container& controls, const toolkit::Control* control) {
  return std::find(controls.begin(), controls.end(), control) != controls.end();
}

}  // namespace

void SwitchPage(Form1& form, const Form1Pages& p, Page page) {
  const PageSpec& chosen = p.pages[static_cast<int>(page)];
  for (const PageSpec& other : p.pages) other.selected->SetVisible(&other == &chosen);
  form.cleanerPageButton->SetVisible(page != Page::kCleaner);
  for (toolkit::Control* member : p.pageSet) {
    bool keep = page == Page::kOptions && Holds(p.optionFrames, member) &&
                member != form.cleanerOptionsFrame;
    if (!keep) member->SetVisible(Holds(chosen.shown, member));
  }
  if (page == Page::kCleaner) {
    // The ">>>" / "<<<" button that fits the item set showing.
    bool second = p.secondItems.front()->Visible();
    form.previousItemsButton->SetVisible(second);
    form.nextItemsButton->SetVisible(!second);
  }
}

void ShowOptionTab(const Form1Pages& p, int tab) {
  for (int i = 0; i < static_cast<int>(p.optionFrames.size()); ++i)
    p.optionFrames[i]->SetVisible(i == tab);
  for (toolkit::Button* button : p.personalizedButtons) button->SetVisible(tab == 3);
}

}  // namespace vb::app
