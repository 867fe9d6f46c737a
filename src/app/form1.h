// The main window's form, Form1: every control bound once to a typed member,
// built from the table of form1_controls.cpp.
#pragma once

#include <array>
#include <cstddef>

#include "engine/items.h"
#include "toolkit/form.h"
#include "toolkit/form_builder.h"

namespace vb::app {

class Form1 : public toolkit::Form {
 public:
  explicit Form1(toolkit::Application& app);

  // Always shown: each page's button in its normal look, which is clicked,
  // and in its selected look, which lies over it while its page is current;
  // the banner, the logo and three buttons.
  toolkit::PictureBox *cleanerPageButton = nullptr, *cleanerPageSelected = nullptr;
  toolkit::PictureBox *applicationsPageButton = nullptr, *applicationsPageSelected = nullptr;
  toolkit::PictureBox *internetPageButton = nullptr, *internetPageSelected = nullptr;
  toolkit::PictureBox *toolsPageButton = nullptr, *toolsPageSelected = nullptr;
  toolkit::PictureBox *optionsPageButton = nullptr, *optionsPageSelected = nullptr;
  toolkit::Label* banner = nullptr;
  toolkit::PictureBox* logo = nullptr;
  toolkit::Button *onlineHelpButton = nullptr, *aboutButton = nullptr, *exitButton = nullptr;

  // Never shown: the data holders of the runs, and the formats of the run's
  // totals (run_totals_caption.h), captions so that language files reach them.
  toolkit::Label *totalsFormat = nullptr, *rowsFormat = nullptr, *lockedTip = nullptr;
  toolkit::ListBox *resultsLog = nullptr, *internetLog = nullptr;
  toolkit::ListBox* cacheUrls = nullptr;    // the URLs of the cache view's entries
  toolkit::ListBox* storedMarks = nullptr;  // the application lists' stored marks
  // The personalized items of a run, by kind.
  toolkit::ListView *personalFolders = nullptr, *personalFiles = nullptr,
                    *personalRegistryKeys = nullptr, *personalRegistryValues = nullptr;

  // Cleaner page: the results, and the item boxes in two sets of seven.
  toolkit::Frame* cleanerPage = nullptr;
  toolkit::ProgressBar* progressBar = nullptr;
  toolkit::TextBox* resultsText = nullptr;
  // Under the results box after a run: its run time, and beside it its totals.
  toolkit::Label *elapsedTime = nullptr, *runTotals = nullptr;
  toolkit::Frame* cleanerSettingsFrame = nullptr;
  // The item boxes, one for each row of engine::ItemRows(), by item.
  std::array<toolkit::CheckBox*, engine::kItemCount> itemBoxes{};
  toolkit::CheckBox& ItemBox(engine::Item item) const {
    return *itemBoxes[static_cast<std::size_t>(item)];
  }
  toolkit::Button *nextItemsButton = nullptr, *previousItemsButton = nullptr;  // ">>>", "<<<"
  toolkit::Frame* settingsFrame = nullptr;
  toolkit::CheckBox *openOnStartup = nullptr, *hideWarningMessages = nullptr,
                    *hideWhileCleaning = nullptr, *confirmBeforeDeletion = nullptr,
                    *closeAfterCleaning = nullptr;
  toolkit::Button *analyzeButton = nullptr, *runCleanerButton = nullptr;

  // Applications page: one list per tab.
  toolkit::Frame* applicationsPage = nullptr;
  toolkit::Label* applicationsPrompt = nullptr;
  toolkit::TabStrip* applicationTabs = nullptr;
  toolkit::ListBox *applicationsList = nullptr, *internetList = nullptr, *multimediaList = nullptr,
                   *utilitiesList = nullptr, *windowsList = nullptr;

  // Internet page.
  toolkit::Frame* internetPage = nullptr;
  toolkit::Label* browsersLabel = nullptr;
  toolkit::Frame *cacheFrame = nullptr, *cookiesFrame = nullptr, *resultsLogFrame = nullptr;
  toolkit::ListView *cacheView = nullptr, *cookieView = nullptr;
  toolkit::TextBox* internetLogText = nullptr;
  toolkit::Button *cleanBrowsersButton = nullptr, *saveLogButton = nullptr,
                  *deleteCacheButton = nullptr, *deleteCookiesButton = nullptr;

  // Tools page.
  toolkit::Frame *toolsPage = nullptr, *programToolsFrame = nullptr, *commonToolsFrame = nullptr,
                 *moreToolsFrame = nullptr;
  toolkit::Button *diagnosticsButton = nullptr, *startupButton = nullptr;
  toolkit::Button *diskCleanupButton = nullptr, *registryEditorButton = nullptr,
                  *controlPanelButton = nullptr, *directXDiagnosticsButton = nullptr,
                  *commandPromptButton = nullptr, *taskManagerButton = nullptr;

  // Options page and the frames of its five tabs.
  toolkit::Frame* optionsPage = nullptr;
  toolkit::TabStrip* optionTabs = nullptr;
  toolkit::Frame *cleanerOptionsFrame = nullptr, *cookieOptionsFrame = nullptr,
                 *internetOptionsFrame = nullptr, *personalizedFrame = nullptr,
                 *advancedOptionsFrame = nullptr;
  // Cleaner options.
  toolkit::CheckBox *hideProgressBar = nullptr, *defaultSettingsOnly = nullptr,
                    *deleteReadOnlyFiles = nullptr;
  toolkit::Label* defaultSettingsNote = nullptr;
  // Cookies.
  toolkit::Label *cookiesToDeleteLabel = nullptr, *cookiesToKeepLabel = nullptr;
  toolkit::ListView *cookiesToDelete = nullptr, *cookiesToKeep = nullptr;
  toolkit::TextBox* chosenCookieText = nullptr;
  toolkit::Button *keepCookieButton = nullptr, *releaseCookieButton = nullptr;  // "->", "<-"
  // Internet options.
  toolkit::CheckBox *showAllIeFiles = nullptr, *explorerButton = nullptr;
  // Personalized.
  toolkit::Label *personalizedLabel = nullptr, *hiddenFilesNote = nullptr;
  toolkit::ListView* personalizedList = nullptr;
  toolkit::CheckBox* cleanPersonalized = nullptr;
  toolkit::Button *addFolderButton = nullptr, *addFileButton = nullptr,
                  *addRegistryButton = nullptr, *removeSelectedButton = nullptr,
                  *removeAllButton = nullptr;
  // Advanced options.
  toolkit::CheckBox *cleanAtStartup = nullptr, *cleanWhenOpening = nullptr,
                    *recycleBinOpenVerb = nullptr, *recycleBinRunVerb = nullptr;
  toolkit::Label *languageLabel = nullptr, *commandLineLabel = nullptr, *quietModeNote = nullptr;
  toolkit::ComboBox* languageBox = nullptr;

  // The six popup menus and their items.
  toolkit::Menu *resultsTextMenu = nullptr, *internetLogMenu = nullptr, *cacheMenu = nullptr,
                *cookieMenu = nullptr, *applicationListMenu = nullptr, *personalizedMenu = nullptr;
  toolkit::MenuItem *saveTextItem = nullptr, *saveLogItem = nullptr;
  toolkit::MenuItem *deleteExplorerCacheItem = nullptr, *deleteOperaCacheItem = nullptr,
                    *deleteFirefoxCacheItem = nullptr, *deleteSelectedCacheItem = nullptr,
                    *reloadCacheItem = nullptr, *cancelCacheItem = nullptr;
  toolkit::MenuItem *deleteExplorerCookiesItem = nullptr, *deleteOperaCookiesItem = nullptr,
                    *deleteFirefoxCookiesItem = nullptr, *deleteSelectedCookieItem = nullptr,
                    *reloadCookiesItem = nullptr, *cancelCookiesItem = nullptr;
  toolkit::MenuItem *selectAllItem = nullptr, *selectAllOfTypeItem = nullptr,
                    *deselectAllItem = nullptr, *deselectAllOfTypeItem = nullptr;
  toolkit::MenuItem *addFileItem = nullptr, *addFolderItem = nullptr, *addRegistryItem = nullptr,
                    *removeSelectedItem = nullptr, *removeAllItem = nullptr;
};

// The window's table: controls and menus in creation order, each with its place.
const toolkit::FormTable<Form1>& Form1Table();

// The client area, in pixels at 96 DPI: its design size, the smallest the
// user may make the window, and the size it opens at where the screen holds
// it, which gives the results box room for a usual path on one line.
inline constexpr int kForm1ClientWidth = 664;
inline constexpr int kForm1ClientHeight = 476;
inline constexpr int kForm1OpenWidth = 880;
inline constexpr int kForm1OpenHeight = 540;

}  // namespace vb::app
