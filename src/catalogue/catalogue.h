// The application catalogue as data: every entry with its display text (its
// only identity, compared exactly), its list, the rule that lists it, what
// it does under Analyze, and its cleaning steps in the shared vocabulary.
#pragma once

#include <vector>

#include "engine/steps.h"
#include "platform/win_types.h"

namespace vb::catalogue {

// The five category lists, in the order of the Applications page's tabs.
enum class AppList { kApplications, kInternet, kMultimedia, kUtilities, kWindows };
inline constexpr int kAppListCount = 5;

// What the application stage does with a checked entry under Analyze.
enum class UnderAnalyze {
  kRuns,       // every step, in both modes
  kSkipped,    // nothing: the entry is cleaned only by Run Cleaner
  kPartly,     // the steps before the CleanerOnly marker
  kNoCleaner,  // the entry has no steps in either mode
};

// Where a detection folder starts; read once by each detection.
enum class DetectBase {
  kProgramFolder,  // the environment variable HOMEDRIVE + "\Program Files"
  kAppData,        // "AppData" of the user's "Shell Folders"
  kWindowsFolder,  // "SystemRoot" of HKLM SOFTWARE\Microsoft\Windows NT\CurrentVersion
  kLocalAppData,   // "Local AppData" of the user's "Shell Folders"
};

struct Detection {
  enum Kind {
    kAlways,          // listed on every machine
    kKey,             // the registry key root\path exists
    kFolderAnyEntry,  // base + path + "\*.*" lists a name, with folders
    kFolderDot,       // the first name that listing gives is "."
  } kind;
  win::HKEY root = 0;
  const char* path = nullptr;
  DetectBase base = DetectBase::kProgramFolder;
};

inline Detection Always() { return {Detection::kAlways}; }
inline Detection KeyExists(win::HKEY root, const char* key) {
  return {Detection::kKey, root, key};
}
inline Detection FolderHasEntry(DetectBase base, const char* tail) {
  return {Detection::kFolderAnyEntry, 0, tail, base};
}
inline Detection FolderExists(DetectBase base, const char* tail) {
  return {Detection::kFolderDot, 0, tail, base};
}

struct RuleEntry;  // rule_file.h

struct Entry {
  const char* text;
  AppList list;
  Detection detection;
  UnderAnalyze analyze;
  std::vector<engine::Step> steps;
  // An entry read from a rule file: what it detects; nullptr for the
  // built-in entries.
  const RuleEntry* rule = nullptr;
};

// The entries of one list, in the order in which the application stage
// compares their texts.
const std::vector<Entry>& Entries(AppList list);

// The catalogue's routines that are lists of steps (Cover, Rar, AdAware,
// AdobeReader7, FlashPlayer and the two parts of the Opera cleaner).
const std::vector<engine::RoutineSteps>& CatalogueRoutines();

}  // namespace vb::catalogue
