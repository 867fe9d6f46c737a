// The clean run behind "Analyze" and "Run Cleaner": the first-clean gate, the
// header, the confirmation, the stages in their fixed order with their
// progress values, the Recycle Bin, the run time and the summary.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/cache_view_port.h"
#include "engine/items.h"
#include "engine/removal.h"
#include "engine/routines.h"
#include "engine/stopwatch.h"
#include "platform/platform.h"
#include "toolkit/application.h"
#include "toolkit/controls.h"

namespace vb::engine {

// The options the run reads, as the boxes stood when it started.
struct RunOptions {
  bool confirm = false;            // ask before deleting
  bool hideWhileCleaning = false;  // hide the window while cleaning
  bool closeAfter = false;         // end the program after a Run Cleaner
  bool showAllIeFiles = false;     // list every Internet Explorer temporary file
};

struct RunRequest {
  bool analyzeOnly = false;
  ItemSet items;
  RunOptions options;
  // The administrator accepted the first-clean warning for every user.
  bool warningAccepted = false;
};


// The controls the run writes.
struct RunDisplay {
  toolkit::Application& app;  // the screen's mouse pointer
  toolkit::ListBox& resultsLog;
  toolkit::TextBox& resultsText;
  toolkit::Label& elapsedTime;
  toolkit::ProgressBar& progressBar;
  toolkit::Button& runCleanerButton;
};

// What the run asks of the window it runs in.
class RunHost {
 public:
  virtual ~RunHost() = default;
  // Shows the first-clean warning owned by the window.
  virtual void ShowWarning() = 0;
  virtual void HideWindow() = 0;
  // Shows the window again after a run that hid it.
  virtual void ShowWindow() = 0;
  // Unloads the window, which ends the program.
  virtual void CloseWindow() = 0;
  // Makes Exit the window's default button.
  virtual void MakeExitDefault() = 0;
  // Analyze's stages run between these: whatever a stage would change
  // (the registry lists some items clear in both modes) is recorded and
  // counted, never made.
  virtual void BeginPreview() = 0;
  virtual void EndPreview() = 0;
};

// The header's first line and its rule.
inline constexpr const char* kCleaningHeader = "CLEANING SUMMARY (Results for deleted files)";
inline constexpr const char* kAnalysisHeader = "ANALYSIS SUMMARY (No files have been deleted yet)";
inline const std::string kRule(88, '-');

class CleanRun {
 public:
  CleanRun(platform::Platform& platform, RunDisplay display, CacheViewPort& views,
           const RoutineTable& routines, Stopwatch& stopwatch, RunHost& host,
           RemovalContext& removal)
      : platform_(platform),
        removal_(removal),
        display_(display),
        views_(views),
        routines_(routines),
        stopwatch_(stopwatch),
        host_(host) {}

  // One run: Analyze when the request says so, else Run Cleaner.
  void Run(const RunRequest& request);

 private:
  platform::Platform& platform_;
  RemovalContext& removal_;
  RunDisplay display_;
  CacheViewPort& views_;
  const RoutineTable& routines_;
  Stopwatch& stopwatch_;
  RunHost& host_;
};

}  // namespace vb::engine
