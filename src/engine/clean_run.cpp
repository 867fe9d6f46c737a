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

std::string SettingsKey() { return settings::SectionPath(settings::kSettings); }

// What the Recycle Bin of the user's drive held when the run started.
struct BinState {
  std::int16_t count = 0;
  std::uint64_t size = 0;
  std::uint32_t sizeLow = 0;
  std::uint32_t sizeHigh = 0;
};

BinState QueryRecycleBin(platform::Platform& platform) {
  // The record starts zeroed, so a query that fails leaves the count 0 and
  // the stage writes nothing.
  platform::RecycleBinInfo bin{};
  bin.cbSize = sizeof bin;
  std::string homeDrive = platform.Environment().GetEnvironmentVariableA("HOMEDRIVE");
  platform.Shell().SHQueryRecycleBinA(homeDrive.c_str(), &bin);
  // The count is kept as a signed 16-bit number; a count that does not fit is 0.
  auto countLow = static_cast<std::int32_t>(static_cast<std::uint64_t>(bin.i64NumItems) & 0xFFFFFFFFu);
  BinState state;
  if (countLow >= -32768 && countLow <= 32767) state.count = static_cast<std::int16_t>(countLow);
  state.size = static_cast<std::uint64_t>(bin.i64Size);
  state.sizeLow = static_cast<std::uint32_t>(static_cast<std::uint64_t>(bin.i64Size) & 0xFFFFFFFFu);
  state.sizeHigh = static_cast<std::uint32_t>(static_cast<std::uint64_t>(bin.i64Size) >> 32);
  return state;
}

}  // namespace

void CleanRun::Run(const RunRequest& request) {
  auto& registry = platform_.Registry();
  auto& d = display_;
  bool analyzeOnly = request.analyzeOnly;
  std::string separator = platform_.Environment().GetDecimalSeparator();

  // Reset.
  d.resultsLog.Clear();
  d.resultsText.SetText("");
  d.resultsText.SetEnabled(true);
  d.elapsedTime.SetCaption("");
  d.progressBar.SetValue(0);

  // The first-clean gate.
  if (!analyzeOnly && !request.warningAccepted &&
      GetString(registry, kHkeyCurrentUser, SettingsKey(), "MSG_CONFIRM_TMP").empty() &&
      GetString(registry, kHkeyCurrentUser, SettingsKey(), "Cleaner Warning").empty()) {
    host_.ShowWarning();
    return;
  }

  // The cache and cookie lists, fresh for the Internet items.
  bool reloadCache = Has(request.items, Item::kIETemp) &&
                     views_.cacheUrls.ListCount() <= kCacheReloadLimit;
  views_.Reload(reloadCache, Has(request.items, Item::kCookies));

  BinState bin = QueryRecycleBin(platform_);

  d.resultsLog.AddItem(analyzeOnly ? kAnalysisHeader : kCleaningHeader);
  d.resultsLog.AddItem(kRule);

  if (!analyzeOnly && request.options.confirm &&
      platform_.Ui().MessageBoxA("Warning!\r\nThis process will permanetly delete files on your "
                                 "computer!\r\nDo you wish to continue?",
                                 "Vanbrisk Suite", kMbYesNo | kMbIconInformation) == kIdNo)
    return;

  // Busy.
  d.app.SetMousePointer(toolkit::kPointerHourglass);
  d.runCleanerButton.SetEnabled(false);
  if (!analyzeOnly && request.options.hideWhileCleaning) host_.HideWindow();
  d.progressBar.SetVisible(
      GetString(registry, kHkeyCurrentUser, SettingsKey(), "(Opt)Hide Progress Bar While Cleaning")
          .empty());
  stopwatch_.StartTimer();
  d.progressBar.SetValue(0);

  // The folders are found afresh for every run, each base opened once.
  if (analyzeOnly) host_.BeginPreview();
  removal_.places.KeepBasesOpen(true);
  removal_.policy.Forget();
  removal_.listed.clear();
  for (const Stage& stage : StageTable()) {
    bool runs = (!stage.item || Has(request.items, *stage.item)) &&
                !(stage.cleanerOnly && analyzeOnly);
    if (runs && removal_.tally)
      removal_.tally->source =
          stage.item ? RowOf(*stage.item).caption : kPersonalizedSource;
    if (runs)
      for (const StageStep& step : stage.steps) {
        if (step.cleanerOnly && analyzeOnly) continue;
        switch (step.kind) {
          case StageStep::kProgress: d.progressBar.SetValue(step.progress); break;
          case StageStep::kRoutine: routines_.Run(step.routine); break;
          case StageStep::kSteps: {
            StepContext context{platform_, removal_, routines_};
            RunSteps(context, step.steps);
            break;
          }
          case StageStep::kRecycleBin:
            if (bin.count == 0) break;
            d.resultsLog.AddItem("Emptied Recycle Bin (" + std::to_string(bin.count) + " Files) " +
                                 RecycleBinSizeText(bin.sizeLow, bin.sizeHigh, separator));
            if (analyzeOnly ||
                platform_.Shell().SHEmptyRecycleBinA(0, nullptr, kSherbNoConfirmation |
                                                                     kSherbNoProgressUi) == 0)
              Tally(removal_.tally, ActionKind::kRecycleBin, !analyzeOnly, "Recycle Bin",
                    std::to_string(bin.count), bin.size);
            break;
        }
      }
    for (int value : stage.after) d.progressBar.SetValue(value);
  }

  removal_.places.KeepBasesOpen(false);
  if (analyzeOnly) host_.EndPreview();

  // Finish.
  d.progressBar.SetValue(100);
  std::int32_t elapsed = stopwatch_.StopTimer();
  d.elapsedTime.SetCaption(std::to_string(elapsed));
  d.elapsedTime.SetCaption(ElapsedText(elapsed, separator));
  if (d.resultsLog.ListCount() == 2)
    d.resultsLog.AddItem(analyzeOnly ? "No files to be deleted" : "No files have been deleted");
  d.resultsLog.AddItem(kRule);
  d.resultsLog.AddItem("Completed in " + d.elapsedTime.Caption());
  std::string text;
  for (int i = 0; i < d.resultsLog.ListCount(); ++i) text += d.resultsLog.List(i) + "\r\n";
  d.resultsText.SetText(text);

  // Close after cleaning acts only once loading has finished (the marker).
  if (!analyzeOnly && request.options.closeAfter &&
      !GetString(registry, kHkeyCurrentUser, SettingsKey(), "AutoCleanTrue").empty()) {
    host_.CloseWindow();
    return;
  }
  if (request.options.hideWhileCleaning) host_.ShowWindow();
  d.app.SetMousePointer(toolkit::kPointerDefault);
  DeleteValue(registry, kHkeyCurrentUser, SettingsKey(), "MSG_CONFIRM_TMP");
  d.runCleanerButton.SetEnabled(true);
  host_.MakeExitDefault();
  if (!GetString(registry, kHkeyCurrentUser, SettingsKey(),
                 "(Opt)Automatically Clean When Vanbrisk Opens")
           .empty())
    settings::SaveSetting(registry, settings::kAppName, settings::kSettings, "AutoCleanTrue", "1");
}

}  // namespace vb::engine
