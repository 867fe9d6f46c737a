#include "app/main_window.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <optional>
#include <stdexcept>

#include "app/form1_settings.h"
#include "app/program.h"
#include "app/run_totals_caption.h"
#include "app/warning_window.h"
#include "catalogue/catalogue_routines.h"
#include "catalogue/rule_catalogue.h"
#include "language/language_box.h"
#include "language/language_file.h"
#include "registry/c_registry.h"
#include "registry/reg32.h"
#include "registry/settings_store.h"

namespace vb::app {

using namespace vb::win;
namespace settings = registry::settings;
using registry::ReadRegString;

namespace {

// The window's position when none is stored, in twips.
constexpr float kDesignLeft = 1500, kDesignTop = 1200;
constexpr int kDesignWidth = 9600, kDesignHeight = 7200;

// A stored box value: a whole number from 0 to 2, or nothing when the text is
// no such number (the statement that applies it then fails and is skipped).
std::optional<int> BoxValue(const std::string& text) {
  char* end = nullptr;
  long n = std::strtol(text.c_str(), &end, 10);
  if (end == text.c_str() || *end != '\0' || n < 0 || n > 2) return std::nullopt;
  return static_cast<int>(n);
}

std::optional<float> Twips(const std::string& text) {
  std::string t = text;
  for (char& c : t)
    if (c == ',') c = '.';
  float value = 0;
  auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
  if (ec != std::errc() || end != t.data() + t.size()) return std::nullopt;
  return value;
}

std::string TwipsText(float value) {
  char text[32];
  auto [end, ec] = std::to_chars(text, text + sizeof text, value);
  return ec == std::errc() ? std::string(text, end) : std::string("0");
}

}  // namespace

MainWindow::MainWindow(Program& program)
    : program_(program),
      groupPolicy_(ReadGroupPolicy(program.platform().Registry())),
      form_(program.app()),
      pages_(form_),
      stopwatch_(program.platform().System()),
      fileList_(program.platform().Files()),
      cache_(program.platform().UrlCache()),
      places_(program.platform()),
      policy_(places_),
      removal_{program.platform(), *form_.resultsLog, *form_.internetLog, analyzeOnly_,
               readOnlyFiles_, places_, policy_},
      views_{program.platform(), cache_, *form_.cacheUrls, *form_.cacheView, *form_.cookieView,
             *form_.cookiesToDelete, *form_.cookiesToKeep, *form_.cacheFrame,
             *form_.cookiesFrame},
      builtin_{program.platform(), removal_, views_, *form_.resultsLogFrame, options_,
               [this] { form_.chosenCookieText->SetEnabled(true); }},
      steps_{program.platform(), removal_, routines_},
      apps_{program.platform(),
            {form_.applicationsList, form_.internetList, form_.multimediaList, form_.utilitiesList,
             form_.windowsList},
            *form_.storedMarks},
      stage_{apps_, steps_, *form_.progressBar, operaCookies_},
      personal_{program.platform(), *form_.personalizedList},
      personalStage_{steps_, *form_.cleanPersonalized, *form_.personalFolders,
                     *form_.personalFiles, *form_.personalRegistryKeys,
                     *form_.personalRegistryValues},
      run_(program.platform(),
           {program.app(), *form_.resultsLog, *form_.resultsText, *form_.elapsedTime,
            *form_.progressBar, *form_.runCleanerButton},
           views_, routines_, stopwatch_, *this, removal_),
      internet_{.app = program.app(),
                .builtin = builtin_,
                .routines = routines_,
                .fileList = fileList_,
                .internetList = *form_.internetList,
                .logText = *form_.internetLogText,
                .deleteCacheButton = *form_.deleteCacheButton,
                .deleteCookiesButton = *form_.deleteCookiesButton,
                .deleteOperaCacheItem = *form_.deleteOperaCacheItem,
                .deleteFirefoxCacheItem = *form_.deleteFirefoxCacheItem,
                .deleteSelectedCacheItem = *form_.deleteSelectedCacheItem,
                .deleteOperaCookiesItem = *form_.deleteOperaCookiesItem,
                .deleteFirefoxCookiesItem = *form_.deleteFirefoxCookiesItem,
                .deleteSelectedCookieItem = *form_.deleteSelectedCookieItem,
                .operaCookies = operaCookies_},
      keepList_{program.platform(), *form_.cookiesToDelete, *form_.cookiesToKeep,
                *form_.chosenCookieText},
      shell_{program.platform(), *form_.openOnStartup, *form_.cleanAtStartup,
             *form_.recycleBinOpenVerb, *form_.recycleBinRunVerb, *form_.explorerButton} {
  engine::AddBuiltinRoutines(builtin_, routines_);
  catalogue::AddCatalogueRoutines(stage_, routines_);
  personal::AddPersonalizedRoutine(personalStage_, routines_);
  if (std::vector<engine::Routine> missing = routines_.Missing(); !missing.empty())
    throw std::logic_error(std::string("no implementation of the routine ") +
                           engine::RoutineName(missing.front()));
  form_.Move(kDesignLeft, kDesignTop);
  form_.SetSize(kDesignWidth, kDesignHeight);
  quiet_ = program.CommandLine() == "/AUTO";
  Wire();
}

MainWindow::~MainWindow() = default;

void MainWindow::Wire() {
  auto& f = form_;
  f.onLoad = [this] { Form_Load(); };
  f.onUnload = [this] { Form_Unload(); };
  f.exitButton->onClick = [this] { form_.Unload(); };
  f.runCleanerButton->onClick = [this] { RunCleaner_Click(); };
  f.analyzeButton->onClick = [this] { Analyze_Click(); };
  f.nextItemsButton->onClick = [this] { SwitchItemSets(true); };
  f.previousItemsButton->onClick = [this] { SwitchItemSets(false); };
  for (int p = 0; p < static_cast<int>(pages_.pages.size()); ++p)
    pages_.pages[p].button->onClick = [this, p] { ShowPage(static_cast<Page>(p)); };
  for (const BoxSetting& setting : BoxSettings()) {
    toolkit::CheckBox& box = setting.BoxOf(f);
    box.onClick = [this, &box] { StoreBox(box); };
  }
  f.optionTabs->onClick = [this] { OptionTabs_Click(); };
  for (toolkit::ListBox* list : pages_.applicationLists)
    list->onMouseDown = [this](toolkit::MouseButton button, int, int) {
      if (button == toolkit::MouseButton::kRight) form_.PopupMenu(*form_.applicationListMenu);
    };
  for (int l = 0; l < catalogue::kAppListCount; ++l)
    apps_.lists[l]->onItemCheck = [this, l](int index) {
      catalogue::WarnOnCheck(apps_, static_cast<catalogue::AppList>(l), index);
    };
  f.selectAllItem->onClick = [this] { catalogue::SetAllChecked(apps_, true, false); };
  f.selectAllOfTypeItem->onClick = [this] { catalogue::SetAllChecked(apps_, true, true); };
  f.deselectAllItem->onClick = [this] { catalogue::SetAllChecked(apps_, false, false); };
  f.deselectAllOfTypeItem->onClick = [this] { catalogue::SetAllChecked(apps_, false, true); };
  f.applicationTabs->onClick = [this] { ApplicationTabs_Click(); };
  auto hand = [this](int, int) { program_.platform().Ui().SetCursor(platform::Cursor::kHand); };
  f.banner->onMouseMove = hand;
  f.logo->onMouseMove = hand;
  f.resultsText->onMouseDown = [this](toolkit::MouseButton button, int, int) {
    if (button != toolkit::MouseButton::kRight) return;
    // Disabled and enabled again at once, so that the system's own edit menu
    // does not open, then the program's popup.
    form_.resultsText->SetEnabled(false);
    form_.resultsText->SetEnabled(true);
    form_.PopupMenu(*form_.resultsTextMenu);
  };
  f.internetLogText->onMouseDown = [this](toolkit::MouseButton button, int, int) {
    // The log of the Internet page has its menu only while it holds text.
    auto& text = *form_.internetLogText;
    if (text.Text().empty()) return;
    text.SetEnabled(true);
    if (button != toolkit::MouseButton::kRight) return;
    text.SetEnabled(false);
    text.SetEnabled(true);
    form_.PopupMenu(*form_.internetLogMenu);
  };
  WireInternetPage();
  WirePersonalized();
  WireLanguage();
  WireShell();
  WireTools();
}

bool MainWindow::Locked(const toolkit::CheckBox& box) const {
  for (const BoxSetting& setting : BoxSettings())
    if (&setting.BoxOf(form_) == &box) return groupPolicy_.Box(setting.value).has_value();
  return false;
}

void MainWindow::ApplyPolicyToBoxes() {
  for (const BoxSetting& row : BoxSettings()) {
    std::optional<int> value = groupPolicy_.Box(row.value);
    if (!value) continue;
    toolkit::CheckBox& box = row.BoxOf(form_);
    // The box's own effects follow (the progress bar, the shell's entries);
    // its setting is not written (StoreBox).
    box.SetValue(*value);
  }
  ShowLocks();
}

void MainWindow::ShowLocks() {
  // The tooltip in the window's language: its hidden label's caption.
  const std::string& tip = form_.lockedTip->Caption();
  auto lock = [&tip](toolkit::Control& control) {
    control.SetEnabled(false);
    control.SetToolTipText(tip);
  };
  for (const BoxSetting& row : BoxSettings())
    if (groupPolicy_.Box(row.value)) lock(row.BoxOf(form_));
  if (groupPolicy_.language) lock(*form_.languageBox);
  if (groupPolicy_.entries)
    for (toolkit::ListBox* list : apps_.lists) lock(*list);
}

void MainWindow::ApplyPolicyToEntries() {
  if (!groupPolicy_.entries) return;
  const std::vector<std::string>& chosen = *groupPolicy_.entries;
  apps_.settingMarks = true;
  for (toolkit::ListBox* list : apps_.lists) {
    for (int i = 0; i < list->ListCount(); ++i)
      list->SetChecked(i, std::find(chosen.begin(), chosen.end(), list->List(i)) != chosen.end());
  }
  apps_.settingMarks = false;
  ShowLocks();
}

void MainWindow::StoreBox(toolkit::CheckBox& box) {
  auto& registry = program_.platform().Registry();
  for (const BoxSetting& setting : BoxSettings()) {
    if (&setting.BoxOf(form_) != &box || groupPolicy_.Box(setting.value)) continue;
    switch (setting.store) {
      case StoreForm::kNumber:
        settings::SaveSetting(registry, settings::kAppName, settings::kSettings, setting.value,
                              std::to_string(box.Value()));
        break;
      case StoreForm::kWarnedFlag:
        if (registry::Reg32::GetString(registry, kHkeyCurrentUser,
                                       settings::SectionPath(settings::kSettings), setting.value)
                .empty() &&
            form_.hideWarningMessages->Value() != 1)
          program_.platform().Ui().MessageBoxA(setting.warning, "Vanbrisk Suite",
                                               kMbIconExclamation);
        [[fallthrough]];
      case StoreForm::kOneOrDelete:
        if (box.Value() == 1)
          settings::SaveSetting(registry, settings::kAppName, settings::kSettings, setting.value,
                                "1");
        else
          settings::DeleteSetting(program_.platform(), settings::kSettings, setting.value);
        break;
      case StoreForm::kNone:
        break;
    }
  }
  if (&box == form_.hideProgressBar)
    form_.progressBar->SetVisible(form_.hideProgressBar->Value() != 1);
  if (&box == form_.deleteReadOnlyFiles) {
    readOnlyFiles_ = form_.deleteReadOnlyFiles->Value() == 1;
    fileList_.SetReadOnly(readOnlyFiles_);
  }
}

void MainWindow::Form_Initialize() {
  program_.platform().Ui().InitCommonControlsEx(8, 0x800);
}

void MainWindow::Form_Load() {
  auto& platform = program_.platform();
  auto& registry = platform.Registry();
  std::string section = settings::SectionPath(settings::kSettings);

  // The hand cursor is the platform's; the marker of a finished load goes.
  settings::DeleteSetting(platform, settings::kSettings, "AutoCleanTrue");

  // Every stored value is read first, then applied in order: the position,
  // the first rows, and the rest unless "Show Only Default Settings" is on.
  std::string left = ReadRegString(registry, kHkeyCurrentUser, section, "WINDOW_LEFT", "");
  std::string top = ReadRegString(registry, kHkeyCurrentUser, section, "WINDOW_TOP", "");
  std::vector<std::string> stored;
  for (const BoxSetting& row : BoxSettings())
    stored.push_back(ReadRegString(registry, kHkeyCurrentUser,
                                   row.place == SettingPlace::kRunKey ? kRunKey : section,
                                   row.value, ""));
  if (auto l = Twips(left)) form_.Move(*l, form_.Top());
  if (auto t = Twips(top)) form_.Move(form_.Left(), *t);
  // "Show Only Default Settings", as policy or the user set it.
  auto defaultsOnly = [this] {
    for (const BoxSetting& row : BoxSettings())
      if (row.box == &Form1::defaultSettingsOnly)
        return groupPolicy_.Box(row.value).value_or(form_.defaultSettingsOnly->Value());
    return form_.defaultSettingsOnly->Value();
  };
  for (std::size_t i = 0; i < stored.size(); ++i) {
    const BoxSetting& row = BoxSettings()[i];
    const std::string& text = stored[i];
    if (row.when == LoadWhen::kUnlessDefaults && defaultsOnly() == 1) break;
    if (text.empty()) continue;
    toolkit::CheckBox& box = row.BoxOf(form_);
    switch (row.load) {
      case LoadRule::kChecked: box.SetValue(1); break;
      case LoadRule::kNumber:
        if (auto v = BoxValue(text)) box.SetValue(*v);
        break;
      case LoadRule::kProgressBar: {
        char* end = nullptr;
        long n = std::strtol(text.c_str(), &end, 10);
        if (end == text.c_str()) break;
        box.SetValue(n != 0 ? 1 : 0);
        form_.progressBar->SetVisible(n == 0);
        break;
      }
    }
  }

  ApplyPolicyToBoxes();

  // A system with prefetch layout optimisation has this key; without it the
  // prefetch item is left as the user set it.
  registry::cRegistry layout(platform);
  layout.SetClassKey(kHkeyLocalMachine);
  layout.SetSectionKey("Software\\Microsoft\\Windows\\CurrentVersion\\OptimalLayout");
  layout.KeyExists();

  catalogue::LoadApps(apps_);
  ApplyPolicyToEntries();
  // A rule file that is no file of rules is the user's input, answered as a
  // refused language file is; the program goes on without it. Quiet mode has
  // nobody to answer a box.
  if (!quiet_ && apps_.rules && !apps_.rules->Unread().empty())
    program_.platform().Ui().MessageBoxA(
        std::string(catalogue::kRuleFileName) + " in the program's folder was not read: " +
            apps_.rules->Unread() + ". Vanbrisk goes on without its entries.",
        "Vanbrisk", kMbIconExclamation);

  // Quiet mode: one Run Cleaner while hidden, then the end.
  if (quiet_) {
    form_.Hide();
    RunCleaner_Click();
    program_.app().End();
    return;
  }
  // Clean when the program opens, before the window is shown.
  if (form_.cleanWhenOpening->Value() == 1 && program_.cleanWhenOpening) RunCleaner_Click();
  if (program_.app().Ended()) return;

  // Loading has finished: from now on "Close After Cleaning" may end the
  // program. Then the language box takes the stored language, whose file is
  // applied; a missing or invalid file leaves the design texts.
  settings::SaveSetting(registry, settings::kAppName, settings::kSettings, "AutoCleanTrue", "True");
  form_.languageBox->SetText(groupPolicy_.language
                                 ? *groupPolicy_.language
                                 : ReadRegString(registry, kHkeyCurrentUser, section, "Language", ""));
  ApplyLanguage();
}

void MainWindow::Form_Unload() {
  auto& platform = program_.platform();
  auto& registry = platform.Registry();
  // What policy sets is not the user's to keep.
  if (!groupPolicy_.entries) catalogue::SaveApps(apps_);
  if (form_.State() == toolkit::WindowState::kNormal) {
    settings::SaveSetting(registry, settings::kAppName, settings::kSettings, "WINDOW_LEFT",
                          TwipsText(form_.Left()));
    settings::SaveSetting(registry, settings::kAppName, settings::kSettings, "WINDOW_TOP",
                          TwipsText(form_.Top()));
  }
  if (!groupPolicy_.language)
    settings::SaveSetting(registry, settings::kAppName, settings::kSettings, "Language",
                          form_.languageBox->Text());
  settings::DeleteSetting(platform, settings::kSettings, "AutoCleanTrue");
  program_.app().End();
}

engine::RunRequest MainWindow::Request() const {
  engine::RunRequest request;
  request.analyzeOnly = analyzeOnly_;
  request.warningAccepted = groupPolicy_.warningAccepted;
  for (const engine::ItemRow& row : engine::ItemRows())
    request.items.set(static_cast<std::size_t>(row.item), form_.ItemBox(row.item).Value() == 1);
  request.options = engine::RunOptions{
      .confirm = form_.confirmBeforeDeletion->Value() == 1,
      .hideWhileCleaning = form_.hideWhileCleaning->Value() == 1,
      .closeAfter = form_.closeAfterCleaning->Value() == 1,
      .showAllIeFiles = form_.showAllIeFiles->Value() == 1,
  };
  return request;
}

void MainWindow::RunCleaner_Click() {
  engine::RunRequest request = Request();
  options_ = request.options;
  // The run counts into the tally a caller gave, else into one of its own;
  // the line under the results box shows what this run alone counted.
  engine::RunTally own;
  engine::RunTally* given = removal_.tally;
  engine::RunTally& tally = given ? *given : own;
  engine::RunTally before = TallySince(tally, {});
  removal_.tally = &tally;
  form_.runTotals->SetCaption("");
  run_.Run(request);
  removal_.tally = given;
  // A run that stopped before its end (the first-clean warning, a "No" to the
  // confirmation) has no run time, and no totals either.
  if (!form_.elapsedTime->Caption().empty())
    form_.runTotals->SetCaption(RunTotalsCaption(TallySince(tally, before),
                                                 form_.totalsFormat->Caption(),
                                                 form_.rowsFormat->Caption()));
}

void MainWindow::Analyze_Click() {
  analyzeOnly_ = true;
  RunCleaner_Click();
  analyzeOnly_ = false;
}

void MainWindow::ShowWarning() {
  // In quiet mode no window may open: the run just stops at the gate.
  if (quiet_) return;
  Show(program_.Open<WarningWindow>(program_.app(), [this] { RunCleaner_Click(); }));
}

void MainWindow::HideWindow() { form_.Hide(); }

void MainWindow::ShowWindow() {
  if (!quiet_) form_.Show();
}

void MainWindow::CloseWindow() { form_.Unload(); }

void MainWindow::MakeExitDefault() { form_.SetDefaultButton(form_.exitButton); }

void MainWindow::BeginPreview() {
  // A plan records already, and keeps its record.
  previewing_ = !program_.Recorder().Recording();
  if (previewing_) program_.Recorder().StartRecording();
}

void MainWindow::EndPreview() {
  if (previewing_) program_.Recorder().StopRecording();
  previewing_ = false;
}

void MainWindow::SwitchItemSets(bool second) {
  form_.nextItemsButton->SetVisible(!second);
  form_.previousItemsButton->SetVisible(second);
  for (toolkit::CheckBox* box : pages_.firstItems) box->SetVisible(!second);
  for (toolkit::CheckBox* box : pages_.secondItems) box->SetVisible(second);
}

void MainWindow::ShowPage(Page page) {
  switch (page) {
    case Page::kInternet: {
      SwitchPage(form_, pages_, page);
      browser::LoadInternetPage(internet_);
      break;
    }
    case Page::kOptions:
      language::FillLanguageBox(program_.platform(), *form_.languageBox);
      personal::LoadPersonalized(personal_);
      form_.cookiesToKeep->Clear();
      SwitchPage(form_, pages_, page);
      // The tab strip starts again at its first tab, so that the tab and the
      // frame shown always agree.
      form_.optionTabs->Select(0);
      ShowOptionTab(pages_, 0);
      break;
    case Page::kTools:
      SwitchPage(form_, pages_, page);
      DisableMissingTools();
      break;
    default:
      SwitchPage(form_, pages_, page);
  }
}

void MainWindow::OptionTabs_Click() {
  if (form_.optionTabs->SelectedIndex() == 1) browser::LoadCookies(views_);
  ShowOptionTab(pages_, form_.optionTabs->SelectedIndex());
}

void MainWindow::ApplicationTabs_Click() {
  int tab = form_.applicationTabs->SelectedIndex();
  for (int i = 0; i < static_cast<int>(pages_.applicationLists.size()); ++i)
    pages_.applicationLists[i]->SetVisible(i == tab);
}

}  // namespace vb::app
