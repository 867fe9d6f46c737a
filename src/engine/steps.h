// The small vocabulary that cleaning targets are written in: registry keys and
// values to delete, files matching patterns in a folder, folders to empty, and
// named routines. The built-in items are lists of these steps; one
// interpreter runs every step through the registry routines and the removal
// routines, with their safety.
#pragma once

#include <string>
#include <vector>

#include "engine/removal.h"
#include "engine/routines.h"
#include "platform/platform.h"
#include "platform/win_types.h"

namespace vb::engine {

// Where a folder's path starts. The base is read afresh each time a step runs,
// and the path is the base followed by the step's tail as it is; an empty
// base leaves the path at the root of the current drive.
enum class Base {
  kEnvironment,   // an environment variable, its name looked up without regard to case
  kUserFolder,    // a value of the user's "Shell Folders"
  kCommonFolder,  // a value of the machine's "Shell Folders"
  kWin9xRoot,     // "SystemRoot" of HKLM Software\Microsoft\Windows\CurrentVersion
  kNtRoot,        // "SystemRoot" of HKLM SOFTWARE\Microsoft\Windows NT\CurrentVersion
};

struct Folder {
  Base base;
  const char* name;  // the variable or "Shell Folders" value; unused otherwise
  const char* tail;
};

inline Folder SystemRoot(const char* tail) { return {Base::kEnvironment, "SystemRoot", tail}; }
inline Folder HomeDrive(const char* tail) { return {Base::kEnvironment, "HOMEDRIVE", tail}; }
inline Folder UserFolder(const char* value, const char* tail = "") {
  return {Base::kUserFolder, value, tail};
}
inline Folder CommonFolder(const char* value, const char* tail = "") {
  return {Base::kCommonFolder, value, tail};
}
inline Folder Win9xRoot(const char* tail) { return {Base::kWin9xRoot, nullptr, tail}; }
inline Folder NtRoot(const char* tail) { return {Base::kNtRoot, nullptr, tail}; }

// The short names the application targets are written with.
inline Folder PF(const char* tail) { return {Base::kEnvironment, "ProgramFiles", tail}; }
inline Folder AD(const char* tail) { return {Base::kEnvironment, "AppData", tail}; }
inline Folder SR(const char* tail) { return SystemRoot(tail); }
inline Folder HD(const char* tail) { return HomeDrive(tail); }
inline Folder CAD(const char* tail) { return CommonFolder("Common AppData", tail); }
inline Folder UAD(const char* tail) { return UserFolder("AppData", tail); }
inline Folder LAD(const char* tail) { return UserFolder("Local AppData", tail); }
inline Folder NTW(const char* tail) { return NtRoot(tail); }
inline Folder W9W(const char* tail) { return Win9xRoot(tail); }

enum class Action {
  kDeleteKey,       // a key without subkeys
  kDeleteValue,     // one value
  kDeleteTree,      // a key with everything below it
  kLetterList,      // each value named by a character of "MRUList", then "MRUList"
  kNumberedValues,  // the values named prefix + first to prefix + last, in decimal
  kNumberedKeys,    // the keys named key + first to key + last, in decimal
  kValuesUntilEmpty,  // prefix + first, + first + 1...: each read, then deleted, until
                      // the first that reads empty (deleted too) or last
  kLetteredValues,  // the values named by the letters first to last
  kFiles,           // the files matching each pattern in turn in one folder (ClearFile)
  kFolder,          // a folder's files, its subfolders measured but kept (ClearD)
  kTree,            // a folder's files and every subfolder's (ClearD2)
  kDeepTree,        // a folder's whole tree, one file list per folder (ClearDirTree)
  kRoutine,         // a routine of the table
  kCleanerOnly,     // the steps after this one run only under Run Cleaner
};

struct Step {
  Action action;
  win::HKEY root = 0;
  const char* key = nullptr;
  const char* value = nullptr;
  Folder folder{};
  std::vector<const char*> patterns = {};
  int first = 0;
  int last = 0;
  Routine routine = Routine::kCount;
};

inline Step DeleteKey(win::HKEY root, const char* key) { return {Action::kDeleteKey, root, key}; }
inline Step DeleteValue(win::HKEY root, const char* key, const char* value) {
  return {Action::kDeleteValue, root, key, value};
}
inline Step DeleteTree(win::HKEY root, const char* key) { return {Action::kDeleteTree, root, key}; }
inline Step LetterList(win::HKEY root, const char* key) { return {Action::kLetterList, root, key}; }
inline Step NumberedValues(win::HKEY root, const char* key, int first, int last,
                           const char* prefix = "") {
  return {Action::kNumberedValues, root, key, prefix, {}, {}, first, last};
}
inline Step NumberedKeys(win::HKEY root, const char* keyPrefix, int first, int last) {
  return {Action::kNumberedKeys, root, keyPrefix, nullptr, {}, {}, first, last};
}
inline Step ValuesUntilEmpty(win::HKEY root, const char* key, const char* prefix, int first,
                             int last) {
  return {Action::kValuesUntilEmpty, root, key, prefix, {}, {}, first, last};
}
inline Step LetteredValues(win::HKEY root, const char* key, char first, char last) {
  return {Action::kLetteredValues, root, key, nullptr, {}, {}, first, last};
}
inline Step Files(Folder folder, std::vector<const char*> patterns) {
  return {Action::kFiles, 0, nullptr, nullptr, folder, std::move(patterns)};
}
inline Step EmptyFolder(Folder folder) { return {Action::kFolder, 0, nullptr, nullptr, folder}; }
inline Step EmptyTree(Folder folder) { return {Action::kTree, 0, nullptr, nullptr, folder}; }
inline Step EmptyDeepTree(Folder folder) {
  return {Action::kDeepTree, 0, nullptr, nullptr, folder};
}
inline Step Call(Routine routine) {
  return {Action::kRoutine, 0, nullptr, nullptr, {}, {}, 0, 0, routine};
}
inline Step CleanerOnly() { return {Action::kCleanerOnly}; }

// A routine that is a list of steps.
struct RoutineSteps {
  Routine routine;
  std::vector<Step> steps;
};

// What the steps run over.
struct StepContext {
  platform::Platform& platform;
  RemovalContext& removal;
  const RoutineTable& routines;
};

// The folder's path as the step would use it now.
[[nodiscard]] std::string FolderPath(platform::Platform& platform, const Folder& folder);

// Runs the steps in order; under Analyze it stops at a CleanerOnly marker.
// Failures are silent: a missing or refused key, value, folder or file is
// skipped and the next step runs.
void RunSteps(StepContext& context, const std::vector<Step>& steps);

}  // namespace vb::engine
