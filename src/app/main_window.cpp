#include "app/main_window.h"

#include <charconv>
#include <optional>
#include <cstdlib>

#include "app/form1_controls.h"
#include "app/form1_settings.h"
#include "app/program.h"
#include "app/warning_window.h"
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
      stopwatch_(program.platform().System()),
      file_(program.platform().Files()),
      file1_(program.platform().Files()),
      file2_(program.platform().Files()),
      file4_(program.platform().Files()),
      dir1_(program.platform().Files()),
      dir3_(program.platform().Files()),
      cache_(program.platform().UrlCache()),
      removal_{program.platform(), form_.Get<toolkit::ListBox>("L"),
               form_.Get<toolkit::ListBox>("L2"), analyzeOnly_, shallowAnalyze_, file_, file1_,
               file2_, dir1_, dir3_},
      builtin_{program.platform(), removal_, form_,
               [this](const std::string& url) { return DeleteCacheEntry(url); }},
      views_{program.platform(),
             cache_,
             form_.Get<toolkit::ListBox>("List2"),
             form_.Get<toolkit::ListView>("ListView2"),
             form_.Get<toolkit::ListView>("ListView1"),
             form_.Get<toolkit::ListView>("LV1"),
             form_.Get<toolkit::ListView>("LV2"),
             form_.Get<toolkit::Frame>("Frame4"),
             form_.Get<toolkit::Frame>("Frame5")} {
  file1_.SetHidden(true);
  file1_.SetSystem(true);
  file_.SetHidden(true);
  file2_.SetHidden(true);
  engine::AddBuiltinRoutines(builtin_, routines_);
  form_.Move(kDesignLeft, kDesignTop);
  form_.SetSize(kDesignWidth, kDesignHeight);
  quiet_ = program.CommandLine() == "/AUTO";
  Wire();
}

MainWindow::~MainWindow() = default;

void MainWindow::Wire() {
  form_.onLoad = [this] { Form_Load(); };
  form_.onUnload = [this] { Form_Unload(); };
  form_.Get<toolkit::Button>("Command1").onClick = [this] { form_.Unload(); };
  form_.Get<toolkit::Button>("CleanCom").onClick = [this] { CleanCom_Click(); };
  form_.Get<toolkit::Button>("AnalyCom").onClick = [this] { AnalyCom_Click(); };
  form_.Get<toolkit::Button>("Command4").onClick = [this] { SwitchItemSets(true); };
  form_.Get<toolkit::Button>("Command5").onClick = [this] { SwitchItemSets(false); };
  for (int p = 0; p < static_cast<int>(Pages().size()); ++p)
    form_.Get<toolkit::Control>(Pages()[p].button).onClick = [this, p] {
      ShowPage(static_cast<Page>(p));
    };
  for (const StoredBox& stored : StoredBoxes()) {
    const char* box = stored.box;
    Box(box).onClick = [this, box] { StoreBox(box); };
  }
  form_.Get<toolkit::TabStrip>("TabStrip3").onClick = [this] { TabStrip3_Click(); };
  form_.Get<toolkit::TabStrip>("TabStrip2").onClick = [this] { TabStrip2_Click(); };
  auto hand = [this](int, int) { program_.platform().Ui().SetCursor(platform::Cursor::kHand); };
  form_.Get<toolkit::Control>("Label1").onMouseMove = hand;
  form_.Get<toolkit::Control>("Picture1").onMouseMove = hand;
  form_.Get<toolkit::Control>("Text1").onMouseDown = [this](toolkit::MouseButton button, int, int) {
    if (button != toolkit::MouseButton::kRight) return;
    // Disabled and enabled again at once, so that the system's own edit menu
    // does not open, then the program's popup.
    auto& text = form_.Get<toolkit::TextBox>("Text1");
    text.SetEnabled(false);
    text.SetEnabled(true);
    form_.PopupMenu(form_.Get<toolkit::Menu>("textpopup"));
  };
  form_.Get<toolkit::Control>("Text2").onMouseDown = [this](toolkit::MouseButton button, int, int) {
    // The log of the Internet page has its menu only while it holds text.
    auto& text = form_.Get<toolkit::TextBox>("Text2");
    if (text.Text().empty()) return;
    text.SetEnabled(true);
    if (button != toolkit::MouseButton::kRight) return;
    text.SetEnabled(false);
    text.SetEnabled(true);
    form_.PopupMenu(form_.Get<toolkit::Menu>("listpopup"));
  };
}

void MainWindow::StoreBox(const char* box) {
  auto& registry = program_.platform().Registry();
  for (const StoredBox& stored : StoredBoxes()) {
    if (std::string(stored.box) != box) continue;
    int value = Box(box).Value();
    switch (stored.form) {
      case StoreForm::kNumber:
        settings::SaveSetting(registry, settings::kAppName, settings::kSettings, stored.setting,
                              std::to_string(value));
        break;
      case StoreForm::kWarnedFlag:
        if (registry::Reg32::GetString(registry, kHkeyCurrentUser,
                                       settings::SectionPath(settings::kSettings), stored.setting)
                .empty() &&
            !Checked("HWM"))
          program_.platform().Ui().MessageBoxA(stored.warning, "Vanbrisk Suite", 48);
        [[fallthrough]];
      case StoreForm::kOneOrDelete:
        if (Box(box).Value() == 1)
          settings::SaveSetting(registry, settings::kAppName, settings::kSettings, stored.setting,
                                "1");
        else
          settings::DeleteSetting(program_.platform(), settings::kSettings, stored.setting);
        break;
      case StoreForm::kNone:
        break;
    }
  }
  std::string name = box;
  if (name == "Check1") form_.Get<toolkit::Control>("ProgressBar1").SetVisible(!Checked("Check1"));
  if (name == "Check3") {
    readOnlyFiles_ = Checked("Check3");
    for (engine::FileList* list : {&file_, &file1_, &file2_, &file4_}) list->SetReadOnly(readOnlyFiles_);
  }
}

void MainWindow::Form_Initialize() {
  program_.platform().Ui().InitCommonControlsEx(8, 0x800);
}

void MainWindow::Form_Load() {
  auto& platform = program_.platform();
  auto& registry = platform.Registry();
  std::string section = settings::SectionPath(settings::kSettings);
  auto read = [&](const LoadedBox& row) {
    return ReadRegString(registry, kHkeyCurrentUser, row.runKey ? kRunKey : section, row.value, "");
  };

  // 1-2. The hand cursor is the platform's; the marker of a finished load goes.
  settings::DeleteSetting(platform, settings::kSettings, "AutoCleanTrue");

  // 3. Every stored value first, then applied in order.
  std::string left = ReadRegString(registry, kHkeyCurrentUser, section, "WINDOW_LEFT", "");
  std::string top = ReadRegString(registry, kHkeyCurrentUser, section, "WINDOW_TOP", "");
  std::vector<std::string> first, rest;
  for (const LoadedBox& row : BoxesLoadedFirst()) first.push_back(read(row));
  for (const LoadedBox& row : BoxesLoadedUnlessDefaults()) rest.push_back(read(row));
  if (auto l = Twips(left)) form_.Move(*l, form_.Top());
  if (auto t = Twips(top)) form_.Move(form_.Left(), *t);
  auto apply = [&](const LoadedBox& row, const std::string& text) {
    if (text.empty()) return;
    switch (row.rule) {
      case LoadRule::kChecked:
        Box(row.box).SetValue(1);
        break;
      case LoadRule::kNumber:
        if (auto v = BoxValue(text)) Box(row.box).SetValue(*v);
        break;
      case LoadRule::kProgressBar: {
        char* end = nullptr;
        long n = std::strtol(text.c_str(), &end, 10);
        if (end == text.c_str()) break;
        Box(row.box).SetValue(n != 0 ? 1 : 0);
        form_.Get<toolkit::Control>("ProgressBar1").SetVisible(n == 0);
        break;
      }
    }
  };
  for (std::size_t i = 0; i < first.size(); ++i) apply(BoxesLoadedFirst()[i], first[i]);
  if (Box("Check2").Value() != 1)
    for (std::size_t i = 0; i < rest.size(); ++i) apply(BoxesLoadedUnlessDefaults()[i], rest[i]);

  // 4. A system with prefetch layout optimisation has this key; without it
  // the prefetch item is left as the user set it.
  registry::cRegistry layout(platform);
  layout.SetClassKey(kHkeyLocalMachine);
  layout.SetSectionKey("Software\\Microsoft\\Windows\\CurrentVersion\\OptimalLayout");
  layout.KeyExists();

  // 6. Quiet mode: one Run Cleaner while hidden, then the end.
  if (quiet_) {
    form_.Hide();
    CleanCom_Click();
    program_.app().End();
    return;
  }
  // 7. Clean when the program opens, before the window is shown.
  if (Checked("Check6")) CleanCom_Click();
  if (program_.app().Ended()) return;

  // 8-9.
  settings::SaveSetting(registry, settings::kAppName, settings::kSettings, "AutoCleanTrue", "True");
  form_.Get<toolkit::ComboBox>("Combo1")
      .SetText(ReadRegString(registry, kHkeyCurrentUser, section, "Language", ""));
}

void MainWindow::Form_Unload() {
  auto& platform = program_.platform();
  auto& registry = platform.Registry();
  if (form_.State() == toolkit::WindowState::kNormal) {
    settings::SaveSetting(registry, settings::kAppName, settings::kSettings, "WINDOW_LEFT",
                          TwipsText(form_.Left()));
    settings::SaveSetting(registry, settings::kAppName, settings::kSettings, "WINDOW_TOP",
                          TwipsText(form_.Top()));
  }
  settings::SaveSetting(registry, settings::kAppName, settings::kSettings, "Language",
                        form_.Get<toolkit::ComboBox>("Combo1").Text());
  settings::DeleteSetting(platform, settings::kSettings, "AutoCleanTrue");
  program_.app().End();
}

engine::CleanRunWindow MainWindow::RunWindow() {
  return engine::CleanRunWindow{
      program_.platform(),
      program_.app(),
      form_,
      form_.Get<toolkit::ListBox>("L"),
      form_.Get<toolkit::TextBox>("Text1"),
      form_.Get<toolkit::Label>("Label4"),
      form_.Get<toolkit::ProgressBar>("ProgressBar1"),
      form_.Get<toolkit::ListBox>("List2"),
      form_.Get<toolkit::ListView>("ListView2"),
      form_.Get<toolkit::Button>("CleanCom"),
      form_.Get<toolkit::Button>("Command1"),
      stopwatch_,
      [this](const std::string& box) { return Checked(box); },
      [this] { ShowWarning(); },
      [this] {
        if (!quiet_) form_.Show();
      },
      [this] { LoadHistroy(); },
      [this] { LoadCookies(); },
      [this] { engine::CleanIETemp(builtin_); },
      [this] { form_.Unload(); },
  };
}

void MainWindow::CleanCom_Click() {
  engine::CleanRunWindow window = RunWindow();
  engine::CleanCom_Click(window, routines_, analyzeOnly_);
}

bool MainWindow::DeleteCacheEntry(const std::string& url) {
  bool deleted = cache_.DeleteCacheEntry(url);
  form_.Get<toolkit::Control>("Text3").SetEnabled(true);
  return deleted;
}

void MainWindow::LoadHistroy() { browser::LoadHistroy(views_); }

void MainWindow::LoadCookies() { browser::LoadCookies(views_); }

void MainWindow::AnalyCom_Click() {
  analyzeOnly_ = true;
  CleanCom_Click();
  analyzeOnly_ = false;
}

void MainWindow::ShowWarning() {
  // In quiet mode no window may open: the run just stops at the gate.
  if (quiet_) return;
  warnings_.push_back(std::make_unique<WarningWindow>(program_.app(), [this] { CleanCom_Click(); }));
  warnings_.back()->ShowOwnedBy(form_);
}

void MainWindow::SwitchItemSets(bool second) {
  static const char* const kFirst[] = {"SysTemp", "ietemp", "Cook", "Pref", "rdocs", "RBin", "TAP"};
  static const char* const kSecond[] = {"idat",      "memdumps", "winlog", "ExMRUs",
                                        "ieurlhist", "tnotif",   "wcache"};
  form_.Get<toolkit::Control>("Command4").SetVisible(!second);
  form_.Get<toolkit::Control>("Command5").SetVisible(second);
  for (const char* box : kFirst) form_.Get<toolkit::Control>(box).SetVisible(!second);
  for (const char* box : kSecond) form_.Get<toolkit::Control>(box).SetVisible(second);
}

void MainWindow::ShowPage(Page page) {
  auto& app = program_.app();
  switch (page) {
    case Page::kInternet:
      SwitchPage(form_, page);
      app.SetMousePointer(toolkit::kPointerHourglass);
      if (form_.Get<toolkit::ListBox>("List2").ListCount() <= browser::kCacheReloadLimit)
        LoadHistroy();
      LoadCookies();
      {
        auto& l2 = form_.Get<toolkit::ListBox>("L2");
        std::string text;
        for (int i = 0; i < l2.ListCount(); ++i) text += l2.List(i) + "\r\n";
        form_.Get<toolkit::TextBox>("Text2").SetText(text);
      }
      app.SetMousePointer(toolkit::kPointerDefault);
      break;
    case Page::kOptions:
      form_.Get<toolkit::ListView>("LV").Clear();
      form_.Get<toolkit::ListView>("LV2").Clear();
      SwitchPage(form_, page);
      // The tab strip starts again at its first tab, so that the tab and the
      // frame shown always agree.
      form_.Get<toolkit::TabStrip>("TabStrip3").Select(0);
      ShowOptionTab(form_, 0);
      break;
    default:
      SwitchPage(form_, page);
  }
}

void MainWindow::TabStrip3_Click() {
  if (form_.Get<toolkit::TabStrip>("TabStrip3").SelectedIndex() == 1) LoadCookies();
  ShowOptionTab(form_, form_.Get<toolkit::TabStrip>("TabStrip3").SelectedIndex());
}

void MainWindow::TabStrip2_Click() {
  static const char* const kLists[] = {"Appl", "IE", "MM", "Util", "Win"};
  int tab = form_.Get<toolkit::TabStrip>("TabStrip2").SelectedIndex();
  for (int i = 0; i < 5; ++i) form_.Get<toolkit::Control>(kLists[i]).SetVisible(i == tab);
}

}  // namespace vb::app
