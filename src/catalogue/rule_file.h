// Rule files of the "winapp2.ini" kind: one section per application, with
// the keys that pick its list, tell whether it is installed and name what to
// clean. ParseRules is a pure function over text: reading the file, finding
// folders and cleaning are the jobs of rule_places and rule_cleaner.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/result.h"
#include "catalogue/catalogue.h"
#include "platform/win_types.h"

namespace vb::catalogue {

// The lines of a rule file that were not taken (or entries that were
// skipped): findings of the reading, which goes on. Each failure reads
// "winapp2.ini, line 12: message". They are kept by their line, so that the
// catalogue's own findings fall in among the reader's in the file's order.
using RuleProblems = std::multimap<int, Failure>;
// The failure "winapp2.ini, line 12: message".
[[nodiscard]] Failure LineProblem(std::string_view file, int line, const std::string& message);

// A registry key: a root and a path below it (never empty: a hive is refused).
struct RuleKey {
  win::HKEY root = 0;
  std::string path;
};

// Detect=KEY (a key that exists) or DetectFile=PATH (a file or folder that
// exists; wildcards allowed in every component).
struct RuleDetect {
  int line = 0;
  bool file = false;
  RuleKey key;       // when !file
  std::string path;  // when file
};

// A Windows version as major.minor; DetectOS=min|max, either side open.
using OsVersion = std::pair<int, int>;
struct OsRange {
  std::optional<OsVersion> min, max;
};

// FileKey=FOLDER|PATTERN[;PATTERN...][|RECURSE|REMOVESELF].
struct RuleFiles {
  int line = 0;
  std::string folder;  // "%Name%\..." or "X:\...", without a trailing "\"
  std::vector<std::string> patterns;
  bool recurse = false;
  bool removeSelf = false;  // implies recurse
};

// RegKey=KEY (the key with everything below it) or RegKey=KEY|NAME (one value).
struct RuleRegistry {
  int line = 0;
  RuleKey key;
  std::optional<std::string> value;
};

// ExcludeKey=FILE|FOLDER|NAMES, PATH|FOLDER[|PATTERNS] (the folder and below)
// or REG|KEY[|NAME].
struct RuleExclusion {
  enum class Kind { kFile, kPath, kRegistry };
  Kind kind = Kind::kFile;
  int line = 0;
  std::string folder;
  std::vector<std::string> patterns;
  RuleKey key;
  std::optional<std::string> value;
};

struct RuleEntry {
  std::string text;  // the section's name without its final " *"
  int line = 0;      // of the section header
  AppList list = AppList::kApplications;
  std::vector<RuleDetect> detects;  // any one holding lists the entry; none: always listed
  std::optional<OsRange> os;        // must hold as well
  std::vector<RuleFiles> files;
  std::vector<RuleRegistry> registry;
  std::vector<RuleExclusion> exclusions;
  std::string warning;  // shown when the entry is checked
  int cleaningLines = 0;  // its FileKey and RegKey lines, whether taken or refused
};

struct RuleFile {
  std::vector<RuleEntry> entries;  // in the order of the file
  RuleProblems problems;
};

// Reads every section of the text. A line that cannot be understood, or that
// holds a control character (NUL included), is reported and skipped, the
// rest of its entry kept; so is a RegKey line that would delete a key
// Windows needs (registry/protected_keys.h) whole. A section without a name,
// one whose name holds a control character, and a second section of a name
// that differs from an earlier one at most in letter case are reported and
// skipped whole. fileName is only used in the problems.
[[nodiscard]] RuleFile ParseRules(std::string_view text, std::string_view fileName);

// The environment names a rule's folders may start with or hold, as written
// in the rule files ("AppData", "LocalAppData"...), for the folder finder.
[[nodiscard]] bool IsRuleFolderName(std::string_view name);

// The key a SpecialDetect name tests, or nullptr.
[[nodiscard]] const RuleKey* SpecialDetectKey(std::string_view name);

// The display caption of each list, as Section= names it.
[[nodiscard]] const char* ListCaption(AppList list);

}  // namespace vb::catalogue
