// The one folder walker of every file step. Under Analyze it measures each
// file it would delete and logs it; under Run Cleaner it deletes each file
// and logs the ones that are really gone. Every folder it enters and every
// entry it deletes passes the safety policy: a link or junction is never
// followed, a protected folder never emptied, walked into or removed, and a
// name taken from a listing is deleted as that name.
#pragma once

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "engine/folder.h"
#include "engine/places.h"
#include "engine/run_tally.h"
#include "engine/safety_policy.h"
#include "platform/platform.h"
#include "toolkit/controls.h"

namespace vb::engine {

// The state of the main window the walker reads and writes.
struct RemovalContext {
  platform::Platform& platform;
  toolkit::ListBox& resultsLog;   // the results log of the run
  toolkit::ListBox& internetLog;  // the results log of the Internet page
  const bool& analyzeOnly;
  const bool& readOnlyFiles;  // "Enable Deletion for Read-Only Files"
  Places& places;
  SafetyPolicy& policy;
  RunTally* tally = nullptr;  // the actions of the run, when someone counts them
  // The files an analysis has listed so far in this run, by folder and name
  // in folded case: a file that two steps reach (the same folder spelt in
  // two cases, say) is listed once, as Run Cleaner deletes it once.
  std::set<std::pair<FolderId, std::string>> listed{};
};

// Which subfolders a sweep walks into.
enum class Descent {
  kNone,           // the folder's own files only
  kAlways,         // the whole tree
  kWhenCleaning,   // the whole tree under Run Cleaner, the folder's own files under Analyze
  kUnlessShallow,  // the whole tree, but under Analyze not below a shallow sweep's folder
};

// Which folders a sweep removes once it has emptied them (under Run Cleaner only).
enum class FolderRemoval {
  kNone,
  kSubfolders,        // the emptied subfolders, never the folder itself
  kSubfoldersAndSelf  // and the folder itself, when a step's folder name reached it
};

// Files a step keeps: those matching the patterns in the folders named (and,
// with andBelow, in every folder below them).
struct KeptFiles {
  std::set<FolderId> folders;
  std::vector<std::string> patterns;
  bool andBelow = false;
};

struct Sweep {
  // The names to take, any pattern matching; wildcards as FindFirstFile has them.
  std::vector<std::string> patterns = {"*.*"};
  bool exactNames = false;  // the patterns are names, matched without wildcards
  bool hidden = true;       // hidden files are taken too
  bool system = false;      // system files are taken too
  Descent descent = Descent::kNone;
  FolderRemoval removal = FolderRemoval::kNone;
  bool internetLog = false;  // deletions are logged to the Internet log as well
  // The files that patterns name (never every file) may be taken directly
  // in a protected folder: the built-in logs of the Windows folder and of a
  // drive's root. So may files named exactly, one by one. Nothing else of a
  // protected folder is ever touched.
  bool systemFolderFiles = false;
  std::vector<KeptFiles> kept;
};

// Sweeps a folder a step's folder name reached; `shallow` marks a sweep that
// under Analyze does not go below the folder's subfolders' files.
void SweepFolder(RemovalContext& context, const OpenedFolder& folder, const Sweep& sweep,
                 bool shallow = false);
// Sweeps every folder that `folder` names now.
void SweepFolders(RemovalContext& context, const Folder& folder, const Sweep& sweep);

// The removal routines of the built-in targets, by what each takes:
// ClearD a folder's files, and under Run Cleaner its whole tree's, keeping
// the folders; ClearD2 the whole tree's files, removing the emptied
// subfolders; ClearFile the files of one folder that the patterns name;
// ClearDirTree as ClearD2, under Analyze to two levels only.
Sweep ClearDSweep();
Sweep ClearD2Sweep(bool systemFiles = false);
Sweep ClearFileSweep(std::vector<std::string> patterns);
void ClearD(RemovalContext& context, const Folder& folder);
void ClearD2(RemovalContext& context, const Folder& folder);
void ClearFile(RemovalContext& context, const Folder& folder, std::vector<std::string> patterns);
void ClearDirTree(RemovalContext& context, const Folder& folder, bool systemFiles = false);

// A refusal: its line in the results log ("Skipped C:\WINDOWS: protected
// folder") and its action.
void Refuse(RemovalContext& context, const std::string& what, const std::string& why);

// A registry key (value empty) or value that the system failed to delete:
// its line in the results log ("Could not delete the value 0 of
// HKEY_CURRENT_USER\...: The disk is full ...") and its action.
void RegistryFailure(RemovalContext& context, const std::string& key, const std::string& value,
                     const std::string& why);

}  // namespace vb::engine
