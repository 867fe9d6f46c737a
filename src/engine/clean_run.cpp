#include "engine/clean_run.h"

#include "engine/number_format.h"
#include "registry/reg32.h"
#include "registry/settings_store.h"

namespace vb::engine {

using namespace vb::win;
using registry::Reg32::DeleteValue;
using registry::Reg32::GetString;
namespace settings = registry::settings;

namespace {

StageStep P(int value) { return StageStep{value, nullptr, false}; }
StageStep R(const char* routine) { return StageStep{-1, routine, false}; }
StageStep CleanerOnly(const char* routine) { return StageStep{-1, routine, true}; }

// The routines the run itself provides.
constexpr const char* kRecycleBinStage = "(Recycle Bin)";
constexpr const char* kIETempStage = "(Internet Temporary Files)";
constexpr const char* kDownloadDirStep = "ClearIEDownloadDir";

std::string SettingsKey() { return settings::SectionPath(settings::kSettings); }

}  // namespace

const std::vector<Stage>& StageTable() {
  static const std::vector<Stage> stages = {
      {"SysTemp", false,
       {P(1), P(2), R("WinTemp"), P(3), P(4), R("ClearWinOldFiles"), P(5), P(6), R("temp"), P(7)},
       {8, 9}},
      {"RBin", false, {R(kRecycleBinStage)}, {11, 12}},
      {"ietemp", false, {P(13), P(14), CleanerOnly(kDownloadDirStep), P(15), R(kIETempStage)}, {16}},
      {"ieurlhist", false, {P(17), R("History"), CleanerOnly("ClearTypedURLs")}, {18}},
      {"Cook", false, {P(19), R("Cookies")}, {20}},
      {"idat", false, {P(21), P(22), P(23), P(24), R("ClearIndexDat")}, {26}},
      {"Pref", false, {P(28), R("Prefetch")}, {30}},
      {"ExMRUs", true,
       {P(31), R("ClearRunMRU"), P(32), R("ClearDocFindMRU"), P(33), R("ClearSearchMRUs"), P(34),
        R("ClearFindComputerMRU"), P(35), R("ClearOpenWithMRUs"), R("ClearRecentDocsMRU")},
       {36}},
      {"memdumps", false, {P(37), R("ClearMemoryDumps")}, {}},
      {"rdocs", false, {R("Recent")}, {}},
      {"tnotif", true, {R("ClearTrayNotify")}, {}},
      {"", false, {R("Personalized")}, {38}},
      {"TAP", false, {R("Applications")}, {50}},
      {"winlog", false,
       {P(51), P(52), R("WinLogs"), P(53), P(54), R("ClearWbemLogs"), P(55), P(56),
        R("ClearDrWatson"), P(57), P(58), R("ClearDebugLogs"), P(59), P(60), R("ClearWinLogFiles"),
        P(63), P(65), R("ClearRootLogs"), P(68)},
       {70}},
      {"wcache", true, {R("ClearStreamMRU")}, {100}},
  };
  return stages;
}

void CleanCom_Click(CleanRunWindow& w, const RoutineTable& routines, bool analyzeOnly) {
  auto& registry = w.platform.Registry();
  std::string separator = w.platform.Environment().GetDecimalSeparator();

  // Reset.
  w.L.Clear();
  w.Text1.SetText("");
  w.Text1.SetEnabled(true);
  w.Label4.SetCaption("");
  w.ProgressBar1.SetValue(0);

  // The first-clean gate.
  if (!analyzeOnly && GetString(registry, kHkeyCurrentUser, SettingsKey(), "MSG_CONFIRM_TMP").empty() &&
      GetString(registry, kHkeyCurrentUser, SettingsKey(), "Cleaner Warning").empty()) {
    if (w.showWarning) w.showWarning();
    return;
  }

  // The cache and cookie lists, fresh for the Internet items.
  if (w.checked("ietemp") && w.List2.ListCount() <= 10000 && w.loadHistory) w.loadHistory();
  if (w.checked("Cook") && w.loadCookies) w.loadCookies();

  // The Recycle Bin of the user's drive. The record starts zeroed, so a query
  // that fails leaves the count 0 and the stage writes nothing.
  platform::RecycleBinInfo bin{};
  bin.cbSize = sizeof bin;
  std::string homeDrive = w.platform.Environment().GetEnvironmentVariableA("HOMEDRIVE");
  w.platform.Shell().SHQueryRecycleBinA(homeDrive.c_str(), &bin);
  auto countLow = static_cast<std::int32_t>(static_cast<std::uint64_t>(bin.i64NumItems) & 0xFFFFFFFFu);
  std::int16_t binCount = countLow >= -32768 && countLow <= 32767 ? static_cast<std::int16_t>(countLow) : 0;
  auto sizeLow = static_cast<std::uint32_t>(static_cast<std::uint64_t>(bin.i64Size) & 0xFFFFFFFFu);
  auto sizeHigh = static_cast<std::uint32_t>(static_cast<std::uint64_t>(bin.i64Size) >> 32);

  w.L.AddItem(analyzeOnly ? kAnalysisHeader : kCleaningHeader);
  w.L.AddItem(kRule);

  if (!analyzeOnly && w.checked("CBD") &&
      w.platform.Ui().MessageBoxA("Warning!\r\nThis process will permanetly delete files on your "
                                  "computer!\r\nDo you wish to continue?",
                                  "Vanbrisk Suite", 68) == kIdNo)
    return;

  // Busy.
  w.app.SetMousePointer(toolkit::kPointerHourglass);
  w.CleanCom.SetEnabled(false);
  if (!analyzeOnly && w.checked("HWC")) w.form.Hide();
  w.ProgressBar1.SetVisible(
      GetString(registry, kHkeyCurrentUser, SettingsKey(), "(Opt)Hide Progress Bar While Cleaning")
          .empty());
  w.stopwatch.StartTimer();
  w.ProgressBar1.SetValue(0);

  RoutineTable own = {
      {kRecycleBinStage,
       [&] {
         if (binCount == 0) return;
         w.L.AddItem("Emptied Recycle Bin (" + std::to_string(binCount) + " Files) " +
                     RecycleBinSizeText(sizeLow, sizeHigh, separator));
         if (!analyzeOnly)
           w.platform.Shell().SHEmptyRecycleBinA(0, nullptr, kSherbNoConfirmation | kSherbNoProgressUi);
       }},
      {kDownloadDirStep,
       [&] {
         DeleteValue(registry, kHkeyCurrentUser, "Software\\Microsoft\\Internet Explorer",
                     "Download Directory");
       }},
      {kIETempStage,
       [&] {
         if (w.List2.ListCount() == 0) return;
         if (w.checked("Check4")) {
           for (int i = 0; i < w.List2.ListCount(); ++i) w.L.AddItem(w.List2.List(i));
         } else {
           w.L.AddItem("Temporary Internet Files (" + std::to_string(w.ListView2.Count()) +
                       " Files)");
         }
         if (w.cleanIETemp) w.cleanIETemp();
         w.List2.Clear();
       }},
  };
  auto call = [&](const char* name) {
    if (auto it = own.find(name); it != own.end()) return it->second();
    if (auto it = routines.find(name); it != routines.end() && it->second) it->second();
  };
  for (const Stage& stage : StageTable()) {
    bool runs = (!*stage.box || w.checked(stage.box)) && !(stage.cleanerOnly && analyzeOnly);
    if (runs)
      for (const StageStep& step : stage.steps) {
        if (step.progress >= 0)
          w.ProgressBar1.SetValue(step.progress);
        else if (!(step.cleanerOnly && analyzeOnly))
          call(step.routine);
      }
    for (int value : stage.after) w.ProgressBar1.SetValue(value);
  }

  // Finish.
  w.ProgressBar1.SetValue(100);
  std::int32_t elapsed = w.stopwatch.StopTimer();
  w.Label4.SetCaption(std::to_string(elapsed));
  w.Label4.SetCaption(ElapsedText(elapsed, separator));
  if (w.L.ListCount() == 2)
    w.L.AddItem(analyzeOnly ? "No files to be deleted" : "No files have been deleted");
  w.L.AddItem(kRule);
  w.L.AddItem("Completed in " + w.Label4.Caption());
  std::string text;
  for (int i = 0; i < w.L.ListCount(); ++i) text += w.L.List(i) + "\r\n";
  w.Text1.SetText(text);

  if (!analyzeOnly && w.checked("CAC") &&
      !GetString(registry, kHkeyCurrentUser, SettingsKey(), "AutoCleanTrue").empty()) {
    if (w.unloadMain) w.unloadMain();
    return;
  }
  if (w.checked("HWC") && w.showMain) w.showMain();
  w.app.SetMousePointer(toolkit::kPointerDefault);
  DeleteValue(registry, kHkeyCurrentUser, SettingsKey(), "MSG_CONFIRM_TMP");
  w.CleanCom.SetEnabled(true);
  w.form.SetDefaultButton(&w.Command1);
  if (!GetString(registry, kHkeyCurrentUser, SettingsKey(),
                 "(Opt)Automatically Clean When Vanbrisk Opens")
           .empty())
    settings::SaveSetting(registry, settings::kAppName, settings::kSettings, "AutoCleanTrue", "1");
}

}  // namespace vb::engine
