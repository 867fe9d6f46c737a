// The one vocabulary every cleaning target is written in: registry keys and
// values to delete, files in a folder (with or without the tree below, the
// emptied folders removed or kept, some files kept), URL-cache entries and
// named routines. The built-in items, the catalogue's entries, the rule
// files' entries, the personalized entries and the browser profiles all
// produce steps; one interpreter runs them, through the one folder walker
// and the one safety policy. A step owns its strings.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/folder.h"
#include "engine/removal.h"
#include "engine/routines.h"
#include "platform/platform.h"
#include "platform/win_types.h"

namespace vb::engine {

enum class StepKind {
  kDeleteKey,         // a key without subkeys
  kDeleteValue,       // one value
  kDeleteTree,        // a key with everything below it, but what keptKeys names
  kLetterList,        // each value named by a character of "MRUList", then "MRUList"
  kNumberedValues,    // the values named value + first to value + last, in decimal
  kNumberedKeys,      // the keys named key + first to key + last, in decimal
  kValuesUntilEmpty,  // value + first, + first + 1...: each read, then deleted, until
                      // the first that reads empty (deleted too) or last
  kLetteredValues,    // the values named by the letters first to last
  kSubkeyKeys,        // for each subkey N of key, the key key\N\value (without subkeys)
  kFiles,             // the files the patterns name in a folder (ClearFile), or a rule's
                      // FileKey: with recurse the tree below, with removeSelf the folders
  kFolder,            // a folder's files, its tree's under Run Cleaner (ClearD)
  kTree,              // a folder's whole tree, the emptied subfolders removed (ClearD2)
  kDeepTree,          // as kTree, under Analyze two levels only (ClearDirTree)
  kDatabaseRows,      // rows of the SQLite databases the patterns name exactly in a folder
  kCacheEntry,        // one URL-cache entry and its file
  kRefused,           // a target refused when it was read: `url` names it, `value` says why
  kRoutine,           // a routine of the table
  kCleanerOnly,       // the steps after this one run only under Run Cleaner
};

// A key, or one value of it, that a key deletion keeps.
struct KeptKey {
  win::HKEY root = 0;
  std::string path;
  std::optional<std::string> value;
};

// Files a file step keeps, in a folder named as steps name folders.
struct KeptFolderFiles {
  Folder folder = {};
  std::vector<std::string> patterns = {};
  bool andBelow = false;  // in every folder below it too
};

struct Step {
  StepKind kind = StepKind::kCleanerOnly;
  win::HKEY root = 0;
  std::string key = {};
  std::string value = {};  // a value's name, a numbered range's prefix, kSubkeyKeys' tail
  int first = 0;
  int last = 0;
  std::vector<KeptKey> keptKeys = {};

  Folder folder = {};
  std::vector<std::string> patterns = {};
  bool patternsInTurn = false;  // one pass per pattern, in order (the built-in tables)
  bool exactNames = false;      // the patterns are file names, not wildcards
  bool plainFilesOnly = false;  // neither hidden nor system files
  bool recurse = false;
  bool removeSelf = false;
  bool systemFiles = false;        // kDeepTree: system files too
  bool systemFolderFiles = false;  // the built-in tables' named files of a protected folder
  std::vector<KeptFolderFiles> keptFiles = {};
  // The folder is the machine's, not the user's: only an administrator
  // cleans it; anyone else is told so and it is skipped.
  bool machineWide = false;

  // kDatabaseRows: the statements, run in one transaction; the program whose
  // database it is and what they clean, for the line shown while it runs
  // ("Close Google Chrome to clean its history"); and whether the cookie
  // keep-list's hosts are bound to kept_host().
  std::vector<std::string> statements = {};
  std::string owner = {};
  std::string contents = {};
  bool keepsKeptCookies = false;

  std::string url = {};  // kCacheEntry, with its file in `value`
  Routine routine = Routine::kCount;
};

// The constructors the tables are written with.
Step DeleteKey(win::HKEY root, std::string key);
Step DeleteValue(win::HKEY root, std::string key, std::string value);
Step DeleteTree(win::HKEY root, std::string key);
Step LetterList(win::HKEY root, std::string key);
Step NumberedValues(win::HKEY root, std::string key, int first, int last, std::string prefix = "");
Step NumberedKeys(win::HKEY root, std::string keyPrefix, int first, int last);
Step ValuesUntilEmpty(win::HKEY root, std::string key, std::string prefix, int first, int last);
Step LetteredValues(win::HKEY root, std::string key, char first, char last);
Step SubkeyKeys(win::HKEY root, std::string key, std::string tail);
// The built-in tables' files: each pattern in turn, in one folder.
Step Files(Folder folder, std::vector<std::string> patterns);
Step EmptyFolder(Folder folder);
Step EmptyTree(Folder folder);
Step EmptyDeepTree(Folder folder, bool systemFiles = false);
Step CacheEntry(std::string url, std::string localFile);
Step DatabaseRows(Folder folder, std::string file, std::vector<std::string> statements,
                  std::string owner, std::string contents);
// The step, for a machine-wide folder.
Step MachineWide(Step step);
// The database step, with the keep-list's hosts bound to kept_host().
Step KeepingKeptCookies(Step step);
Step Refused(std::string what, std::string why);
Step Call(Routine routine);
Step CleanerOnly();

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

// Runs the steps in order; under Analyze it stops at a CleanerOnly marker.
// Failures are silent: a missing or refused key, value, folder or file is
// skipped and the next step runs. What the safety policy refuses is logged
// and counted.
void RunSteps(StepContext& context, const std::vector<Step>& steps);

// Deletes one URL-cache entry and its file; refused (with its line) when the
// file lies outside the cache folders. Under Analyze it is counted only.
enum class CacheEntryResult { kGone, kStayed, kRefused };
CacheEntryResult DeleteCacheEntry(RemovalContext& context, const std::string& url,
                                  const std::string& localFile);

// "HKEY_CURRENT_USER\Software\Example": a key as the run logs it.
[[nodiscard]] std::string KeyText(win::HKEY root, const std::string& path);

}  // namespace vb::engine
