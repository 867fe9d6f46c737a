#include "app/main_window.h"

#include <charconv>
#include <cstdlib>
#include <optional>
#include <stdexcept>

#include "app/form1_settings.h"
#include "app/program.h"
#include "app/warning_window.h"
#include "catalogue/catalogue_routines.h"
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
      form_(program.app()),
      pages_(form_),
      stopwatch_(program.platform().System()),
      file4_(program.platform().Files()),
      cache_(program.platform().UrlCache()),
      places_(program.platform()),
      policy_(places_),
      removal_{program.platform(), *form_.L, *form_.L2, analyzeOnly_, readOnlyFiles_, places_,
               policy_},
      views_{program.platform(), cache_,        *form_.List2, *form_.ListView2, *form_.ListView1,
             *form_.LV1,         *form_.LV2,    *form_.Frame4, *form_.Frame5},
      builtin_{program.platform(), removal_, views_, *form_.Frame3, options_,
               [this] { form_.Text3->SetEnabled(true); }},
      steps_{program.platform(), removal_, routines_},
      apps_{program.platform(),
            {form_.Appl, form_.IE, form_.MM, form_.Util, form_.Win},
            *form_.ListBox},
      stage_{apps_, steps_, *form_.ProgressBar1, operaCookies_},
      personal_{program.platform(), *form_.LV},
      personalStage_{steps_,            *form_.Check8,    *form_.ListView3,
                     *form_.ListView4,  *form_.ListView5, *form_.ListView6},
      run_(program.platform(),
           {program.app(), *form_.L, *form_.Text1, *form_.Label4, *form_.ProgressBar1,
            *form_.CleanCom},
           views_, routines_, stopwatch_, *this, removal_),
      internet_{program.app(), builtin_, routines_, file4_, *form_.IE, *form_.Text2,
                *form_.DelCache, *form_.DelCook, *form_.operacache2, *form_.mozff,
                *form_.dscache, *form_.operacook, *form_.mozffcook, *form_.dscookie,
                operaCookies_},
      keepList_{program.platform(), *form_.LV1, *form_.LV2, *form_.Text3},
      shell_{program.platform(), *form_.VnbStartup, *form_.Check10, *form_.Check7, *form_.Check9,
             *form_.Check5} {
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
  f.Command1->onClick = [this] { form_.Unload(); };
  f.CleanCom->onClick = [this] { CleanCom_Click(); };
  f.AnalyCom->onClick = [this] { AnalyCom_Click(); };
  f.Command4->onClick = [this] { SwitchItemSets(true); };
  f.Command5->onClick = [this] { SwitchItemSets(false); };
  for (int p = 0; p < static_cast<int>(pages_.pages.size()); ++p)
    pages_.pages[p].button->onClick = [this, p] { ShowPage(static_cast<Page>(p)); };
  for (const BoxSetting& setting : BoxSettings()) {
    toolkit::CheckBox& box = *(f.*setting.box);
    box.onClick = [this, &box] { StoreBox(box); };
  }
  f.TabStrip3->onClick = [this] { TabStrip3_Click(); };
  for (toolkit::ListBox* list : pages_.applicationLists)
    list->onMouseDown = [this](toolkit::MouseButton button, int, int) {
      if (button == toolkit::MouseButton::kRight) form_.PopupMenu(*form_.lbmnu);
    };
  for (int l = 0; l < catalogue::kAppListCount; ++l)
    apps_.lists[l]->onItemCheck = [this, l](int index) {
      catalogue::WarnOnCheck(apps_, static_cast<catalogue::AppList>(l), index);
    };
  f.sall->onClick = [this] { catalogue::SetAllChecked(apps_, true, false); };
  f.sallt->onClick = [this] { catalogue::SetAllChecked(apps_, true, true); };
  f.dall->onClick = [this] { catalogue::SetAllChecked(apps_, false, false); };
  f.dallt->onClick = [this] { catalogue::SetAllChecked(apps_, false, true); };
  f.TabStrip2->onClick = [this] { TabStrip2_Click(); };
  auto hand = [this](int, int) { program_.platform().Ui().SetCursor(platform::Cursor::kHand); };
  f.Label1->onMouseMove = hand;
  f.Picture1->onMouseMove = hand;
  f.Text1->onMouseDown = [this](toolkit::MouseButton button, int, int) {
    if (button != toolkit::MouseButton::kRight) return;
    // Disabled and enabled again at once, so that the system's own edit menu
    // does not open, then the program's popup.
    form_.Text1->SetEnabled(false);
    form_.Text1->SetEnabled(true);
    form_.PopupMenu(*form_.textpopup);
  };
  f.Text2->onMouseDown = [this](toolkit::MouseButton button, int, int) {
    // The log of the Internet page has its menu only while it holds text.
    auto& text = *form_.Text2;
    if (text.Text().empty()) return;
    text.SetEnabled(true);
    if (button != toolkit::MouseButton::kRight) return;
    text.SetEnabled(false);
    text.SetEnabled(true);
    form_.PopupMenu(*form_.listpopup);
  };
  WireInternetPage();
  WirePersonalized();
  WireLanguage();
  WireShell();
  WireTools();
}

void MainWindow::StoreBox(toolkit::CheckBox& box) {
  auto& registry = program_.platform().Registry();
  for (const BoxSetting& setting : BoxSettings()) {
    if (form_.*setting.box != &box) continue;
    switch (setting.store) {
      case StoreForm::kNumber:
        settings::SaveSetting(registry, settings::kAppName, settings::kSettings, setting.value,
                              std::to_string(box.Value()));
        break;
      case StoreForm::kWarnedFlag:
        if (registry::Reg32::GetString(registry, kHkeyCurrentUser,
                                       settings::SectionPath(settings::kSettings), setting.value)
                .empty() &&
            form_.HWM->Value() != 1)
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
  if (&box == form_.Check1) form_.ProgressBar1->SetVisible(form_.Check1->Value() != 1);
  if (&box == form_.Check3) {
    readOnlyFiles_ = form_.Check3->Value() == 1;
    file4_.SetReadOnly(readOnlyFiles_);
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
  for (std::size_t i = 0; i < stored.size(); ++i) {
    const BoxSetting& row = BoxSettings()[i];
    const std::string& text = stored[i];
    if (row.when == LoadWhen::kUnlessDefaults && form_.Check2->Value() == 1) break;
    if (text.empty()) continue;
    toolkit::CheckBox& box = *(form_.*row.box);
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
        form_.ProgressBar1->SetVisible(n == 0);
        break;
      }
    }
  }

  // A system with prefetch layout optimisation has this key; without it the
  // prefetch item is left as the user set it.
  registry::cRegistry layout(platform);
  layout.SetClassKey(kHkeyLocalMachine);
  layout.SetSectionKey("Software\\Microsoft\\Windows\\CurrentVersion\\OptimalLayout");
  layout.KeyExists();

  catalogue::LoadApps(apps_);

  // Quiet mode: one Run Cleaner while hidden, then the end.
  if (quiet_) {
    form_.Hide();
    CleanCom_Click();
    program_.app().End();
    return;
  }
  // Clean when the program opens, before the window is shown.
  if (form_.Check6->Value() == 1 && program_.cleanWhenOpening) CleanCom_Click();
  if (program_.app().Ended()) return;

  // Loading has finished: from now on "Close After Cleaning" may end the
  // program. Then the language box takes the stored language, whose file is
  // applied; a missing or invalid file leaves the design texts.
  settings::SaveSetting(registry, settings::kAppName, settings::kSettings, "AutoCleanTrue", "True");
  form_.Combo1->SetText(ReadRegString(registry, kHkeyCurrentUser, section, "Language", ""));
  ReapplyLanguage();
}

void MainWindow::Form_Unload() {
  auto& platform = program_.platform();
  auto& registry = platform.Registry();
  catalogue::SaveApps(apps_);
  if (form_.State() == toolkit::WindowState::kNormal) {
    settings::SaveSetting(registry, settings::kAppName, settings::kSettings, "WINDOW_LEFT",
                          TwipsText(form_.Left()));
    settings::SaveSetting(registry, settings::kAppName, settings::kSettings, "WINDOW_TOP",
                          TwipsText(form_.Top()));
  }
  settings::SaveSetting(registry, settings::kAppName, settings::kSettings, "Language",
                        form_.Combo1->Text());
  settings::DeleteSetting(platform, settings::kSettings, "AutoCleanTrue");
  program_.app().End();
}

engine::RunRequest MainWindow::Request() const {
  engine::RunRequest request;
  request.analyzeOnly = analyzeOnly_;
  for (const ItemBox& row : ItemBoxes())
    request.items.set(static_cast<std::size_t>(row.item), (form_.*row.box)->Value() == 1);
  request.options = {form_.CBD->Value() == 1, form_.HWC->Value() == 1, form_.CAC->Value() == 1,
                     form_.Check4->Value() == 1};
  return request;
}

void MainWindow::CleanCom_Click() {
  engine::RunRequest request = Request();
  options_ = request.options;
  run_.Run(request);
}

void MainWindow::AnalyCom_Click() {
  analyzeOnly_ = true;
  CleanCom_Click();
  analyzeOnly_ = false;
}

void MainWindow::ShowWarning() {
  // In quiet mode no window may open: the run just stops at the gate.
  if (quiet_) return;
  program_.Open<WarningWindow>(program_.app(), [this] { CleanCom_Click(); }).ShowOwnedBy(form_);
}

void MainWindow::HideWindow() { form_.Hide(); }

void MainWindow::ShowWindow() {
  if (!quiet_) form_.Show();
}

void MainWindow::CloseWindow() { form_.Unload(); }

void MainWindow::MakeExitDefault() { form_.SetDefaultButton(form_.Command1); }

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
  form_.Command4->SetVisible(!second);
  form_.Command5->SetVisible(second);
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
      language::FillLanguageBox(program_.platform(), *form_.Combo1);
      personal::LoadPersonalized(personal_);
      form_.LV2->Clear();
      SwitchPage(form_, pages_, page);
      // The tab strip starts again at its first tab, so that the tab and the
      // frame shown always agree.
      form_.TabStrip3->Select(0);
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

void MainWindow::TabStrip3_Click() {
  if (form_.TabStrip3->SelectedIndex() == 1) browser::LoadCookies(views_);
  ShowOptionTab(pages_, form_.TabStrip3->SelectedIndex());
}

void MainWindow::TabStrip2_Click() {
  int tab = form_.TabStrip2->SelectedIndex();
  for (int i = 0; i < static_cast<int>(pages_.applicationLists.size()); ++i)
    pages_.applicationLists[i]->SetVisible(i == tab);
}

}  // namespace vb::app
