// The four removal routines every cleaner empties folders with. Under Analyze
// they measure each file they would delete and log it; under Run Cleaner they
// delete each file and log the ones that are really gone.
#pragma once

#include <string>

#include "engine/file_lists.h"
#include "engine/run_tally.h"
#include "platform/platform.h"
#include "toolkit/controls.h"

namespace vb::engine {

// The state of the main window the routines read and change.
struct RemovalContext {
  platform::Platform& platform;
  toolkit::ListBox& L;   // the results log of the run
  toolkit::ListBox& L2;  // the results log of the Internet page
  const bool& analyzeOnly;
  bool& shallowAnalyze;
  FileList& File;   // ClearD2's files
  FileList& File1;  // ClearD's files
  FileList& File2;  // ClearFile's files; callers set its Pattern first
  FolderList& Dir1;  // ClearD's subfolders
  FolderList& Dir3;  // ClearD2's subfolders
  RunTally* tally = nullptr;  // the totals of the run, when someone counts them
};

// Each takes the folder with or without its trailing "\" and appends one to
// the caller's variable when it lacks it.
void ClearD(RemovalContext& context, std::string& folder);
void ClearD2(RemovalContext& context, std::string& folder);
void ClearFile(RemovalContext& context, std::string& folder);
void ClearDirTree(RemovalContext& context, const std::string& folder);

}  // namespace vb::engine
