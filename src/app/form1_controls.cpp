// The controls and menus of the main window as a table: kind (from the bound
// member), the frame or menu each sits in, place, caption, language keys,
// tooltip, design state and look, in creation order. Places are pixels at
// 96 DPI in the window's client area at its design size, the smallest the
// user may make it; anchors say how each control follows a larger window.
// Controls of different pages may share a place; those of one page never
// overlap, except a frame and what it holds.
#include "app/form1.h"

#include <algorithm>
#include <utility>

namespace vb::app {

using toolkit::Bind;
using toolkit::FontRole;
using toolkit::kFollowBottom;
using toolkit::kFollowRight;
using toolkit::kGrow;
using toolkit::kGrowTall;
using toolkit::kGrowWide;
using toolkit::Look;
using toolkit::Pointer;
using toolkit::Rect;
using F = Form1;

namespace {

constexpr const char* kWebTip = "Click here to visit the Vanbrisk web site";

// The page area right of the page buttons, below the banner.
constexpr int X0 = 120, Y0 = 64, W = 536, H = 360;

// Rows of check boxes inside a frame.
constexpr Rect Row(int x, int y, int i, int width = 200) { return {x, y + i * 22, width, 20}; }
// The two sets of item boxes share the rows of their frame.
constexpr Rect ItemPlace(int i) { return Row(X0 + 320, Y0 + 18, i); }
constexpr Rect SettingRow(int i) { return Row(X0 + 320, Y0 + 214, i); }
// The application lists fill the tab strip's page.
constexpr Rect kApplicationListPlace = {X0 + 16, Y0 + 60, W - 32, H - 76};

// A decorative control that no code reaches.
toolkit::ControlRow<F> Decoration(const char* name, Rect at, unsigned anchors) {
  return toolkit::Unbound<toolkit::Shape, F>({.name = name, .at = at, .anchors = anchors});
}
toolkit::ControlRow<F> Separator(const char* name, const char* menu) {
  return toolkit::Unbound<toolkit::MenuItem, F>({.name = name, .container = menu, .caption = "-"});
}

// A page button, in the column of the pages' buttons: the normal look is
// clicked, the selected look lies over it, in its place, while its page is
// current. Both looks take their caption from the page's key.
toolkit::ControlSpec PageButton(const char* name, const char* caption, int key, int page,
                                bool selected, bool visible) {
  return {.name = name,
          .at = {8, Y0 + 8 + page * 64, 100, 56},
          .caption = caption,
          .key = key,
          .visible = visible,
          .look = selected ? Look::kPageButtonSelected : Look::kPageButton};
}

// An item's box, from its row.
toolkit::ControlSpec ItemBoxSpec(const engine::ItemRow& item) {
  int set = item.place / engine::kItemRowsPerSet, row = item.place % engine::kItemRowsPerSet;
  return {.name = item.control,
          .container = "Frame1",
          .at = ItemPlace(row),
          .caption = item.caption,
          .key = item.languageKey,
          .visible = set == 0,
          .value = item.ticked ? 1 : 0,
          .anchors = kFollowRight};
}

template <std::size_t... I>
void AddItemBoxes(std::vector<toolkit::ControlRow<F>>& rows, std::index_sequence<I...>) {
  std::vector<std::pair<int, toolkit::ControlRow<F>>> boxes = {
      {engine::ItemRows()[I].place,
       toolkit::BindElement<&F::itemBoxes, I>(ItemBoxSpec(engine::ItemRows()[I]))}...};
  std::stable_sort(boxes.begin(), boxes.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (auto& [place, row] : boxes) rows.push_back(std::move(row));
}

std::vector<toolkit::ControlRow<F>> Rows() {
  std::vector<toolkit::ControlRow<F>> rows = {
      // Always shown.
      Bind<&F::cleanerPageSelected>(PageButton("ct1", "Cleaner", 630, 0, true, true)),
      Bind<&F::cleanerPageButton>(PageButton("ct2", "Cleaner", 630, 0, false, false)),
      Bind<&F::applicationsPageSelected>(PageButton("at1", "Applications", 635, 1, true, false)),
      Bind<&F::applicationsPageButton>(PageButton("at2", "Applications", 635, 1, false, true)),
      Bind<&F::internetPageSelected>(PageButton("iet1", "Internet", 640, 2, true, false)),
      Bind<&F::internetPageButton>(PageButton("iet2", "Internet", 640, 2, false, true)),
      Bind<&F::toolsPageSelected>(PageButton("tt1", "Tools", 645, 3, true, false)),
      Bind<&F::toolsPageButton>(PageButton("tt2", "Tools", 645, 3, false, true)),
      Bind<&F::optionsPageSelected>(PageButton("ot1", "Options", 650, 4, true, false)),
      Bind<&F::optionsPageButton>(PageButton("ot2", "Options", 650, 4, false, true)),
      // The product's name: no key, never translated.
      Bind<&F::banner>({.name = "Label1", .at = {X0, 8, W, 48}, .caption = "Vanbrisk",
                        .toolTip = kWebTip, .toolTipKey = 140, .look = Look::kBanner,
                        .font = FontRole::kBanner, .pointer = Pointer::kHand,
                        .anchors = kGrowWide}),
      Bind<&F::logo>({.name = "Picture1", .at = {8, 8, 100, 48}, .toolTip = kWebTip,
                      .toolTipKey = 140, .look = Look::kLogo, .font = FontRole::kSymbol,
                      .pointer = Pointer::kHand}),
      Bind<&F::onlineHelpButton>({.name = "Command3", .at = {X0, 438, 112, 28},
                                  .caption = "Online Help", .key = 25,
                                  .toolTip = "Click here to view Vanbrisk Online Help",
                                  .toolTipKey = 670, .anchors = kFollowBottom}),
      Bind<&F::aboutButton>({.name = "Command2", .at = {X0 + 120, 438, 96, 28}, .caption = "About",
                             .key = 20, .anchors = kFollowBottom}),
      Bind<&F::exitButton>({.name = "Command1", .at = {X0 + W - 96, 438, 96, 28}, .caption = "Exit",
                            .key = 15, .anchors = kFollowRight | kFollowBottom}),
      Decoration("Shape1", {0, 60, kForm1ClientWidth, 2}, kGrowWide),
      Decoration("Shape2", {112, 64, 2, 400}, kGrowTall),
      Decoration("Shape3", {0, 428, kForm1ClientWidth, 2}, kFollowBottom | kGrowWide),
      Decoration("Line1", {X0, 88, W, 1}, kGrowWide),

      // Never shown: data holders of the runs, and the formats of the totals
      // line (run_totals_caption.h), as captions that language files reach.
      Bind<&F::totalsFormat>({.name = "Label13",
                              .caption = "Files: %1   Size: %2   Registry keys: %3   "
                                         "Registry values: %4",
                              .key = 675, .visible = false}),
      Bind<&F::rowsFormat>({.name = "Label14", .caption = "   Database rows: %1", .key = 680,
                            .visible = false}),
      // The tooltip of what Group Policy locks.
      Bind<&F::lockedTip>({.name = "Label15", .caption = "Set by your administrator", .key = 990,
                           .visible = false}),
      Bind<&F::resultsLog>({.name = "L", .visible = false}),
      Bind<&F::internetLog>({.name = "L2", .visible = false}),
      toolkit::Unbound<toolkit::ListBox, F>({.name = "List1", .visible = false}),
      Bind<&F::cacheUrls>({.name = "List2", .visible = false}),
      Bind<&F::storedMarks>({.name = "ListBox", .visible = false}),
      Bind<&F::personalFolders>({.name = "ListView3", .visible = false}),
      Bind<&F::personalFiles>({.name = "ListView4", .visible = false}),
      Bind<&F::personalRegistryKeys>({.name = "ListView5", .visible = false}),
      Bind<&F::personalRegistryValues>({.name = "ListView6", .visible = false}),

      // Cleaner page: the results box takes whatever room the window gains;
      // the run time and the totals sit under it, the boxes at the right.
      Bind<&F::cleanerPage>({.name = "Cleaner", .at = {X0, Y0, 300, H}, .anchors = kGrow}),
      Bind<&F::progressBar>({.name = "ProgressBar1", .container = "Cleaner",
                             .at = {X0 + 8, Y0 + 8, 284, 18}, .anchors = kGrowWide}),
      Bind<&F::resultsText>(
          {.name = "Text1", .container = "Cleaner", .at = {X0 + 8, Y0 + 32, 284, H - 78},
           .anchors = kGrow, .flags = toolkit::kMultiLine | toolkit::kLocked | toolkit::kNoWrap}),
      Bind<&F::elapsedTime>({.name = "Label4", .container = "Cleaner",
                             .at = {X0 + 8, Y0 + H - 42, 68, 34}, .anchors = kFollowBottom}),
      Bind<&F::runTotals>({.name = "Label12", .container = "Cleaner",
                           .at = {X0 + 80, Y0 + H - 42, 212, 34},
                           .anchors = kFollowBottom | kGrowWide}),
      Bind<&F::cleanerSettingsFrame>({.name = "Frame1", .at = {X0 + 308, Y0, 228, 196},
                                      .caption = "Cleaner Settings", .key = 655,
                                      .anchors = kFollowRight}),
  };
  // The item boxes, made from the items' own rows in the order of their
  // places: the two sets share the rows of their frame.
  AddItemBoxes(rows, std::make_index_sequence<engine::kItemCount>());
  rows.insert(rows.end(), {
      Bind<&F::nextItemsButton>({.name = "Command4", .at = {X0 + 308 + 168, Y0 + 170, 52, 22},
                                 .caption = ">>>", .toolTip = "Shows More Cleaning Options...",
                                 .toolTipKey = 665, .font = FontRole::kSymbol,
                                 .anchors = kFollowRight}),
      Bind<&F::previousItemsButton>({.name = "Command5", .at = {X0 + 308 + 168, Y0 + 170, 52, 22},
                                     .caption = "<<<", .visible = false,
                                     .font = FontRole::kSymbol, .anchors = kFollowRight}),
      Bind<&F::settingsFrame>({.name = "Frame2", .at = {X0 + 308, Y0 + 198, 228, 126},
                               .caption = "Settings", .key = 660, .anchors = kFollowRight}),
      Bind<&F::openOnStartup>({.name = "VnbStartup", .container = "Frame2", .at = SettingRow(0),
                               .caption = "Open Vanbrisk Suite On Startup", .key = 120,
                               .anchors = kFollowRight}),
      Bind<&F::hideWarningMessages>({.name = "HWM", .container = "Frame2", .at = SettingRow(1),
                                     .caption = "Hide Warning Messages", .key = 115,
                                     .anchors = kFollowRight}),
      Bind<&F::hideWhileCleaning>({.name = "HWC", .container = "Frame2", .at = SettingRow(2),
                                   .caption = "Hide While Cleaning", .key = 110,
                                   .anchors = kFollowRight}),
      Bind<&F::confirmBeforeDeletion>({.name = "CBD", .container = "Frame2", .at = SettingRow(3),
                                       .caption = "Confirm Before Deletion", .key = 105,
                                       .anchors = kFollowRight}),
      Bind<&F::closeAfterCleaning>({.name = "CAC", .container = "Frame2", .at = SettingRow(4),
                                    .caption = "Close After Cleaning", .key = 100,
                                    .anchors = kFollowRight}),
      Bind<&F::analyzeButton>({.name = "AnalyCom", .at = {X0 + 308, Y0 + 330, 110, 30},
                               .caption = "&Analyze", .key = 10,
                               .anchors = kFollowRight | kFollowBottom}),
      Bind<&F::runCleanerButton>({.name = "CleanCom", .at = {X0 + 308 + 118, Y0 + 330, 110, 30},
                                  .caption = "&Run Cleaner", .key = 5,
                                  .anchors = kFollowRight | kFollowBottom}),

      // Applications page: the lists take the room the window gains.
      Bind<&F::applicationsPage>({.name = "Applications", .at = {X0, Y0, W, H}, .visible = false,
                                  .anchors = kGrow}),
      Bind<&F::applicationsPrompt>(
          {.name = "Label9", .container = "Applications", .at = {X0 + 8, Y0 + 8, W - 16, 18},
           .caption = "Select Which Applications You Wish To Clean:", .key = 200,
           .anchors = kGrowWide}),
      Bind<&F::applicationTabs>(
          {.name = "TabStrip2", .container = "Applications",
           .at = {X0 + 8, Y0 + 30, W - 16, H - 38}, .anchors = kGrow,
           .tabs = {"Applications", "Internet", "Multimedia", "Utilities", "Windows"},
           .tabKeys = {765, 770, 775, 780, 785}}),
      Bind<&F::applicationsList>({.name = "Appl", .container = "Applications",
                                  .at = kApplicationListPlace, .anchors = kGrow,
                                  .flags = toolkit::kSorted | toolkit::kCheckBoxes}),
      Bind<&F::internetList>({.name = "IE", .container = "Applications",
                              .at = kApplicationListPlace, .visible = false, .anchors = kGrow,
                              .flags = toolkit::kSorted | toolkit::kCheckBoxes}),
      Bind<&F::multimediaList>({.name = "MM", .container = "Applications",
                                .at = kApplicationListPlace, .visible = false, .anchors = kGrow,
                                .flags = toolkit::kSorted | toolkit::kCheckBoxes}),
      Bind<&F::utilitiesList>({.name = "Util", .container = "Applications",
                               .at = kApplicationListPlace, .visible = false, .anchors = kGrow,
                               .flags = toolkit::kSorted | toolkit::kCheckBoxes}),
      Bind<&F::windowsList>({.name = "Win", .container = "Applications",
                             .at = kApplicationListPlace, .visible = false, .anchors = kGrow,
                             .flags = toolkit::kSorted | toolkit::kCheckBoxes}),

      // Internet page: the log takes the room the window gains, and its
      // buttons stay under it.
      Bind<&F::internetPage>({.name = "Internet", .at = {X0, Y0, W, 26}, .visible = false,
                              .anchors = kGrowWide}),
      Bind<&F::browsersLabel>({.name = "Label2", .container = "Internet",
                               .at = {X0 + 8, Y0 + 4, 200, 18}, .caption = "Internet Browsers",
                               .key = 685}),
      // The cache's addresses are long: its list takes the width the window
      // gains, and the cookies keep the right.
      Bind<&F::cacheFrame>({.name = "Frame4", .at = {X0, Y0 + 30, 264, 160}, .caption = "Cache:",
                            .visible = false, .anchors = kGrowWide}),
      Bind<&F::cacheView>({.name = "ListView2", .container = "Frame4",
                           .at = {X0 + 8, Y0 + 48, 248, 134}, .anchors = kGrowWide}),
      Bind<&F::cookiesFrame>({.name = "Frame5", .at = {X0 + 272, Y0 + 30, 264, 160},
                              .caption = "Cookies:", .visible = false, .anchors = kFollowRight}),
      Bind<&F::cookieView>({.name = "ListView1", .container = "Frame5",
                            .at = {X0 + 280, Y0 + 48, 248, 134}, .anchors = kFollowRight}),
      Bind<&F::resultsLogFrame>({.name = "Frame3", .at = {X0, Y0 + 196, W, 124},
                                 .caption = "Results Log:", .visible = false, .anchors = kGrow}),
      Bind<&F::internetLogText>(
          {.name = "Text2", .container = "Frame3", .at = {X0 + 8, Y0 + 214, W - 16, 98},
           .anchors = kGrow, .flags = toolkit::kMultiLine | toolkit::kLocked | toolkit::kNoWrap}),
      Bind<&F::cleanBrowsersButton>(
          {.name = "CleanIE", .at = {X0, Y0 + 328, 128, 30}, .caption = "&Clean Browsers",
           .key = 310, .toolTip = "This will delete all IE tracks...", .toolTipKey = 690,
           .visible = false, .anchors = kFollowBottom}),
      Bind<&F::saveLogButton>({.name = "SLF", .at = {X0 + 136, Y0 + 328, 128, 30},
                               .caption = "Save Log File...", .key = 305, .visible = false,
                               .anchors = kFollowBottom}),
      Bind<&F::deleteCacheButton>({.name = "DelCache", .at = {X0 + 272, Y0 + 328, 128, 30},
                                   .caption = "Delete Cache", .key = 315, .visible = false,
                                   .anchors = kFollowBottom}),
      Bind<&F::deleteCookiesButton>({.name = "DelCook", .at = {X0 + 408, Y0 + 328, 128, 30},
                                     .caption = "Delete Cookies", .key = 320, .visible = false,
                                     .anchors = kFollowBottom}),

      // Tools page.
      Bind<&F::toolsPage>({.name = "Tools", .at = {X0, Y0, W, H}, .visible = false,
                           .anchors = kGrow}),
      Bind<&F::programToolsFrame>({.name = "Frame8", .at = {X0 + 8, Y0 + 8, W - 16, 64},
                                   .caption = "Program Tools", .key = 400, .visible = false,
                                   .anchors = kGrowWide}),
      Bind<&F::diagnosticsButton>({.name = "Diag", .at = {X0 + 20, Y0 + 30, 150, 30},
                                   .caption = "Diagnostics", .key = 695,
                                   .toolTip = "Click here to view information about your system...",
                                   .toolTipKey = 420, .visible = false}),
      Bind<&F::startupButton>({.name = "Start", .at = {X0 + 180, Y0 + 30, 150, 30},
                               .caption = "Startup", .key = 700,
                               .toolTip = "Click here to view which programs are starting up with "
                                          "your system...", .toolTipKey = 425, .visible = false}),
      Bind<&F::commonToolsFrame>({.name = "Frame7", .at = {X0 + 8, Y0 + 84, W - 16, 64},
                                  .caption = "Most Commonly Used...", .key = 405,
                                  .visible = false, .anchors = kGrowWide}),
      Bind<&F::diskCleanupButton>({.name = "DClean", .at = {X0 + 20, Y0 + 106, 150, 30},
                                   .caption = "Disk Cleanup", .key = 705, .visible = false}),
      Bind<&F::registryEditorButton>({.name = "RegEdit", .at = {X0 + 180, Y0 + 106, 150, 30},
                                      .caption = "Registry Editor", .key = 710, .visible = false}),
      Bind<&F::controlPanelButton>({.name = "CPanel", .at = {X0 + 340, Y0 + 106, 150, 30},
                                    .caption = "Control Panel  ", .key = 715, .visible = false}),
      Bind<&F::moreToolsFrame>({.name = "Frame6", .at = {X0 + 8, Y0 + 160, W - 16, 64},
                                .caption = "More Tools...", .key = 410, .visible = false,
                                .anchors = kGrowWide}),
      Bind<&F::directXDiagnosticsButton>({.name = "DXDiag", .at = {X0 + 20, Y0 + 182, 150, 30},
                                          .caption = "DirectX Diagnostics", .key = 720,
                                          .visible = false}),
      Bind<&F::commandPromptButton>({.name = "CPrompt", .at = {X0 + 180, Y0 + 182, 150, 30},
                                     .caption = "Command Prompt", .key = 725, .visible = false}),
      Bind<&F::taskManagerButton>({.name = "TMan", .at = {X0 + 340, Y0 + 182, 150, 30},
                                   .caption = "Task Manager", .key = 730, .visible = false}),

      // Options page: the tab strip with one option frame in its page.
      Bind<&F::optionsPage>({.name = "Options", .at = {X0, Y0, W, H}, .visible = false,
                             .anchors = kGrow}),
      Bind<&F::optionTabs>(
          {.name = "TabStrip3", .container = "Options", .at = {X0 + 8, Y0 + 8, W - 16, H - 16},
           .anchors = kGrow, .tabs = {"Cleaner", "Cookies", "Internet", "Personalized", "Advanced"},
           .tabKeys = {790, 795, 800, 805, 810}}),
      Bind<&F::cleanerOptionsFrame>({.name = "CleanO", .at = {X0 + 16, Y0 + 40, W - 32, H - 56},
                                     .caption = "Cleaner Options", .key = 500, .visible = false,
                                     .anchors = kGrow}),
      Bind<&F::hideProgressBar>({.name = "Check1", .container = "CleanO",
                                 .at = Row(X0 + 28, Y0 + 60, 0, 300),
                                 .caption = "Hide Progress Bar While Cleaning", .key = 505}),
      Bind<&F::defaultSettingsOnly>({.name = "Check2", .container = "CleanO",
                                     .at = Row(X0 + 28, Y0 + 60, 1, 300),
                                     .caption = "Show Only Default Settings", .key = 510}),
      Bind<&F::deleteReadOnlyFiles>({.name = "Check3", .container = "CleanO",
                                     .at = Row(X0 + 28, Y0 + 60, 2, 300),
                                     .caption = "Enable Deletion for Read-Only Files", .key = 515}),
      Bind<&F::defaultSettingsNote>(
          {.name = "Label3", .container = "CleanO", .at = {X0 + 28, Y0 + 136, W - 60, 44},
           .caption = "Note: When using \"Show Only Default Settings\" You will have to restart "
                      "the program in order for the settings to be enabled.", .key = 520,
           .anchors = kGrowWide}),
      Bind<&F::cookieOptionsFrame>({.name = "CookO", .at = {X0 + 16, Y0 + 40, W - 32, H - 56},
                                    .caption = "Cookies", .key = 525, .visible = false,
                                    .anchors = kGrow}),
      Bind<&F::cookiesToDeleteLabel>({.name = "Label", .container = "CookO",
                                      .at = {X0 + 28, Y0 + 58, 200, 18},
                                      .caption = "Cookies to delete:", .key = 530}),
      Bind<&F::cookiesToDelete>({.name = "LV1", .container = "CookO",
                                 .at = {X0 + 28, Y0 + 78, 210, 180}}),
      Bind<&F::cookiesToKeepLabel>({.name = "Label5", .container = "CookO",
                                    .at = {X0 + 290, Y0 + 58, 200, 18},
                                    .caption = "Cookies to keep:", .key = 535}),
      Bind<&F::cookiesToKeep>({.name = "LV2", .container = "CookO",
                               .at = {X0 + 290, Y0 + 78, 210, 180}}),
      Bind<&F::chosenCookieText>({.name = "Text3", .container = "CookO",
                                  .at = {X0 + 28, Y0 + 266, 472, 22}}),
      Bind<&F::keepCookieButton>({.name = "SC", .container = "CookO",
                                  .at = {X0 + 246, Y0 + 120, 36, 26}, .caption = "->"}),
      Bind<&F::releaseCookieButton>({.name = "RC", .container = "CookO",
                                     .at = {X0 + 246, Y0 + 154, 36, 26}, .caption = "<-"}),
      Bind<&F::internetOptionsFrame>({.name = "IEO", .at = {X0 + 16, Y0 + 40, W - 32, H - 56},
                                      .caption = "Internet Options", .key = 540, .visible = false,
                                      .anchors = kGrow}),
      Bind<&F::showAllIeFiles>({.name = "Check4", .container = "IEO",
                                .at = Row(X0 + 28, Y0 + 60, 0, 320),
                                .caption = "Show All Deleted IE Temp Files", .key = 545}),
      Bind<&F::explorerButton>({.name = "Check5", .container = "IEO",
                                .at = Row(X0 + 28, Y0 + 60, 1, 320),
                                .caption = "Add Vanbrisk button to Internet Explorer", .key = 550}),
      Bind<&F::personalizedFrame>({.name = "PerO", .at = {X0 + 16, Y0 + 40, W - 32, H - 56},
                                   .caption = "Personalized", .key = 555, .visible = false,
                                   .anchors = kGrow}),
      Bind<&F::personalizedLabel>(
          {.name = "Label6", .container = "PerO", .at = {X0 + 28, Y0 + 58, W - 60, 18},
           .caption = " Personalized files, folders && registry items to clean:", .key = 560,
           .anchors = kGrowWide}),
      Bind<&F::personalizedList>({.name = "LV", .container = "PerO",
                                  .at = {X0 + 28, Y0 + 78, W - 60, 150}, .anchors = kGrow}),
      Bind<&F::cleanPersonalized>({.name = "Check8", .container = "PerO",
                                   .at = {X0 + 28, Y0 + 234, W - 60, 20},
                                   .caption = "Clean Personalized Files, Folders && Registry "
                                              "Items when clicking \"Run Cleaner\"", .key = 565,
                                   .anchors = kFollowBottom | kGrowWide}),
      Bind<&F::hiddenFilesNote>(
          {.name = "Label8", .container = "PerO", .at = {X0 + 28, Y0 + 256, W - 60, 18},
           .caption = "Note: Cleaning is not supported for hidden files", .key = 570,
           .anchors = kFollowBottom | kGrowWide}),
      Bind<&F::addFolderButton>({.name = "AFol", .at = {X0 + 28, Y0 + 280, 88, 26},
                                 .caption = "Add Folder", .key = 575, .visible = false,
                                 .anchors = kFollowBottom}),
      Bind<&F::addFileButton>({.name = "AFil", .at = {X0 + 122, Y0 + 280, 88, 26},
                               .caption = "Add File", .key = 580, .visible = false,
                               .anchors = kFollowBottom}),
      Bind<&F::addRegistryButton>({.name = "AReg", .at = {X0 + 216, Y0 + 280, 88, 26},
                                   .caption = "Add Registry", .key = 585, .visible = false,
                                   .anchors = kFollowBottom}),
      Bind<&F::removeSelectedButton>({.name = "RSel", .at = {X0 + 310, Y0 + 280, 100, 26},
                                      .caption = "Remove Selected", .key = 590, .visible = false,
                                      .anchors = kFollowBottom}),
      Bind<&F::removeAllButton>({.name = "RAll", .at = {X0 + 416, Y0 + 280, 84, 26},
                                 .caption = "Remove All", .key = 595, .visible = false,
                                 .anchors = kFollowBottom}),
      Bind<&F::advancedOptionsFrame>({.name = "AdvO", .at = {X0 + 16, Y0 + 40, W - 32, H - 56},
                                      .caption = "Advanced Options", .key = 600, .visible = false,
                                      .anchors = kGrow}),
      Bind<&F::cleanAtStartup>({.name = "Check10", .container = "AdvO",
                                .at = Row(X0 + 28, Y0 + 60, 0, 460),
                                .caption = "Run Cleaner when the computer starts", .key = 610}),
      Bind<&F::cleanWhenOpening>(
          {.name = "Check6", .container = "AdvO", .at = Row(X0 + 28, Y0 + 60, 1, 460),
           .caption = "Automatically Clean When Vanbrisk Opens", .key = 615}),
      Bind<&F::recycleBinOpenVerb>({.name = "Check7", .container = "AdvO",
                                    .at = Row(X0 + 28, Y0 + 60, 2, 460),
                                    .caption = "Add \"Open Vanbrisk...\" option to recycle bin "
                                               "right click menu", .key = 620}),
      Bind<&F::recycleBinRunVerb>({.name = "Check9", .container = "AdvO",
                                   .at = Row(X0 + 28, Y0 + 60, 3, 460),
                                   .caption = "Add \"Run Vanbrisk...\" option to recycle bin "
                                              "right click menu", .key = 625}),
      Bind<&F::languageLabel>({.name = "Label7", .container = "AdvO",
                               .at = {X0 + 28, Y0 + 160, 70, 18}, .caption = "Language:",
                               .key = 605}),
      // The closed box; its list drops below.
      Bind<&F::languageBox>({.name = "Combo1", .container = "AdvO",
                             .at = {X0 + 100, Y0 + 156, 180, 22}}),
      Bind<&F::commandLineLabel>({.name = "Label10", .container = "AdvO",
                                  .at = {X0 + 28, Y0 + 196, 300, 18},
                                  .caption = "Command-Line Parameters:", .key = 735}),
      Bind<&F::quietModeNote>({.name = "Label11", .container = "AdvO",
                               .at = {X0 + 28, Y0 + 216, W - 60, 36},
                               .caption = "/AUTO - (Quiet Mode) Opens program hidden, runs "
                                          "cleaner and then exits when finished",
                               .key = 740, .anchors = kGrowWide}),

      // Popup menus: each top-level entry is invisible, so the window has no
      // menu bar; the program opens them at the mouse.
      Bind<&F::resultsTextMenu>({.name = "textpopup", .caption = "TextPopup", .visible = false}),
      Bind<&F::saveTextItem>({.name = "mnusave", .container = "textpopup",
                              .caption = "Save to text file...", .key = 130}),
      Bind<&F::internetLogMenu>({.name = "listpopup", .caption = "ListPopup", .visible = false}),
      Bind<&F::saveLogItem>({.name = "mnulog", .container = "listpopup",
                             .caption = "Save log file...", .key = 300}),
      Bind<&F::cacheMenu>({.name = "cachepopup", .caption = "CachePopup", .visible = false}),
      Bind<&F::deleteExplorerCacheItem>({.name = "iecache2", .container = "cachepopup",
                                         .caption = "Delete Internet Explorer Cache", .key = 330}),
      Bind<&F::deleteOperaCacheItem>({.name = "operacache2", .container = "cachepopup",
                                      .caption = "Delete Opera Browser Cache", .key = 335,
                                      .enabled = false}),
      Bind<&F::deleteFirefoxCacheItem>({.name = "mozff", .container = "cachepopup",
                                        .caption = "Delete Mozilla Firefox Cache", .key = 340,
                                        .enabled = false}),
      Separator("sep", "cachepopup"),
      Bind<&F::deleteSelectedCacheItem>({.name = "dscache", .container = "cachepopup",
                                         .caption = "Delete Selected Cache File...", .key = 345,
                                         .visible = false}),
      Bind<&F::reloadCacheItem>({.name = "refresh1", .container = "cachepopup",
                                 .caption = "Reload Cache/Cookies", .key = 350}),
      Separator("sep2", "cachepopup"),
      Bind<&F::cancelCacheItem>({.name = "cancel1", .container = "cachepopup", .caption = "Cancel",
                                 .key = 355}),
      Bind<&F::cookieMenu>({.name = "cachepopup2", .caption = "CachePopup2", .visible = false}),
      Bind<&F::deleteExplorerCookiesItem>({.name = "iecook", .container = "cachepopup2",
                                           .caption = "Delete Internet Explorer Cookies",
                                           .key = 360}),
      Bind<&F::deleteOperaCookiesItem>({.name = "operacook", .container = "cachepopup2",
                                        .caption = "Delete Opera Browser Cookies", .key = 365,
                                        .enabled = false}),
      Bind<&F::deleteFirefoxCookiesItem>({.name = "mozffcook", .container = "cachepopup2",
                                          .caption = "Delete Mozilla Firefox Cookies", .key = 370,
                                          .enabled = false}),
      Separator("sep3", "cachepopup2"),
      Bind<&F::deleteSelectedCookieItem>({.name = "dscookie", .container = "cachepopup2",
                                          .caption = "Delete Selected Cookie...", .key = 380,
                                          .visible = false}),
      Bind<&F::reloadCookiesItem>({.name = "refresh2", .container = "cachepopup2",
                                   .caption = "Reload Cache/Cookies", .key = 350}),
      Separator("sep4", "cachepopup2"),
      Bind<&F::cancelCookiesItem>({.name = "cancel2", .container = "cachepopup2",
                                   .caption = "Cancel", .key = 355}),
      Bind<&F::applicationListMenu>({.name = "lbmnu", .caption = "ListBoxMenu", .visible = false}),
      Bind<&F::selectAllItem>({.name = "sall", .container = "lbmnu", .caption = "Select All",
                               .key = 745}),
      Bind<&F::selectAllOfTypeItem>({.name = "sallt", .container = "lbmnu",
                                     .caption = "Select All of Type", .key = 750}),
      Separator("sep5", "lbmnu"),
      Bind<&F::deselectAllItem>({.name = "dall", .container = "lbmnu", .caption = "Deselect All",
                                 .key = 755}),
      Bind<&F::deselectAllOfTypeItem>({.name = "dallt", .container = "lbmnu",
                                       .caption = "Deselect All of Type", .key = 760}),
      Bind<&F::personalizedMenu>({.name = "PersMenu", .caption = "PersMenu", .visible = false}),
      Bind<&F::addFileItem>({.name = "afilmnu", .container = "PersMenu", .caption = "Add File",
                             .key = 580}),
      Bind<&F::addFolderItem>({.name = "afolmnu", .container = "PersMenu", .caption = "Add Folder",
                               .key = 575}),
      Bind<&F::addRegistryItem>({.name = "aregmnu", .container = "PersMenu",
                                 .caption = "Add Registry", .key = 585}),
      Separator("sep6", "PersMenu"),
      Bind<&F::removeSelectedItem>({.name = "rselmnu", .container = "PersMenu",
                                    .caption = "Remove Selected", .key = 590, .visible = false}),
      Bind<&F::removeAllItem>({.name = "rallmnu", .container = "PersMenu", .caption = "Remove All",
                               .key = 595}),
  });
  return rows;
}

}  // namespace

const toolkit::FormTable<Form1>& Form1Table() {
  // The product's name as the caption: no key, never translated.
  static const toolkit::FormTable<Form1> table{.name = "Form1",
                                               .caption = "Vanbrisk",
                                               .clientWidth = kForm1ClientWidth,
                                               .clientHeight = kForm1ClientHeight,
                                               .controls = Rows(),
                                               .openWidth = kForm1OpenWidth,
                                               .openHeight = kForm1OpenHeight};
  return table;
}

Form1::Form1(toolkit::Application& app) : toolkit::Form(app, Form1Table().name) {
  toolkit::BuildForm(*this, Form1Table());
}

}  // namespace vb::app
