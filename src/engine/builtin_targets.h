// The targets of the built-in items, as tables walked by a few routines.
#pragma once

#include <vector>

#include "platform/win_types.h"

namespace vb::engine {

// Where a folder step's path starts.
enum class Base {
  kSystemRoot,     // the environment variable SystemRoot
  kHomeDrive,      // the environment variable HOMEDRIVE
  kUserFolder,     // a value of the user's "Shell Folders"
  kCommonFolder,   // a value of the machine's "Shell Folders"
  kWin9xRoot,      // "SystemRoot" of HKLM Software\Microsoft\Windows\CurrentVersion
  kNtRoot,         // "SystemRoot" of HKLM SOFTWARE\Microsoft\Windows NT\CurrentVersion
};

enum class Method { kClearD, kClearD2, kClearFile, kClearDirTree };

struct FolderStep {
  const char* routine;
  Base base;
  const char* folderValue;  // for kUserFolder and kCommonFolder
  const char* tail;         // appended to the base as it is
  Method method;
  std::vector<const char*> patterns;  // kClearFile: one call per pattern, in order
};

enum class RegAction {
  kDeleteKey,     // a key without subkeys
  kDeleteValue,   // one value
  kLetterList,    // each value named by a character of "MRUList", then "MRUList"
  kDeleteTree,    // a key with everything below it
};

struct RegStep {
  const char* routine;
  RegAction action;
  win::HKEY root;
  const char* key;
  const char* value = nullptr;
};

// Explorer's list of searched file names, under HKEY_CURRENT_USER (the key's
// name as Windows spells it, in two literal pieces).
inline constexpr const char* kDocFindMruKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Doc Find S" "pec MRU";

// In the order each routine runs them.
const std::vector<FolderStep>& FolderSteps();
const std::vector<RegStep>& RegistrySteps();

}  // namespace vb::engine
