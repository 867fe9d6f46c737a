// The clean run behind "Analyze" and "Run Cleaner": the first-clean gate, the
// header, the confirmation, the stages in their fixed order with their
// progress values, the Recycle Bin, the run time and the summary.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "engine/stopwatch.h"
#include "platform/platform.h"
#include "toolkit/application.h"
#include "toolkit/form.h"

namespace vb::engine {

using Routine = std::function<void()>;

// One step of a stage: a progress value to set, or the routine of that name.
struct StageStep {
  int progress = -1;
  const char* routine = nullptr;
  bool cleanerOnly = false;  // skipped by Analyze
};

// A stage of the run, guarded by its check box.
struct Stage {
  const char* box;           // the item box that guards it; empty: always runs
  bool cleanerOnly;          // the whole stage is skipped by Analyze
  std::vector<StageStep> steps;
  std::vector<int> after;  // progress values set after the stage, whether it ran or not
};

// The stages in the order the run visits them.
const std::vector<Stage>& StageTable();

// The item routines by name; a name without a routine does nothing.
using RoutineTable = std::map<std::string, Routine>;

// The pieces of the main window that the run reads and changes.
struct CleanRunWindow {
  platform::Platform& platform;
  toolkit::Application& app;
  toolkit::Form& form;
  toolkit::ListBox& L;
  toolkit::TextBox& Text1;
  toolkit::Label& Label4;
  toolkit::ProgressBar& ProgressBar1;
  toolkit::ListBox& List2;
  toolkit::ListView& ListView2;
  toolkit::Button& CleanCom;
  toolkit::Button& Command1;
  Stopwatch& stopwatch;
  // Whether the box of that name is checked.
  std::function<bool(const std::string& box)> checked;
  std::function<void()> showWarning;  // shows the first-clean warning owned by the window
  Routine showMain;                    // shows the window again after a run that hid it
  Routine loadHistory;                 // refills List2 and ListView2 from the URL cache
  Routine loadCookies;                 // refills the cookie views
  Routine cleanIETemp;                 // deletes the Internet Explorer temporary files
  Routine unloadMain;                  // unloads the main window and ends the program
};

// The header's first line and its rule.
inline constexpr const char* kCleaningHeader = "CLEANING SUMMARY (Results for deleted files)";
inline constexpr const char* kAnalysisHeader = "ANALYSIS SUMMARY (No files have been deleted yet)";
inline const std::string kRule(88, '-');

// One run; analyzeOnly: Analyze, else Run Cleaner.
void CleanCom_Click(CleanRunWindow& window, const RoutineTable& routines, bool analyzeOnly);

}  // namespace vb::engine
