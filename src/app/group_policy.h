// Group Policy for the program: what an administrator sets under
// HKLM\Software\Policies\Vanbrisk (the machine) and
// HKCU\Software\Policies\Vanbrisk (the user). A value of the machine wins
// over the user's, and a policy wins over the user's own settings. A box
// that a policy sets is locked: the window shows it disabled, and its
// setting is never written.
//
// The value names are those of the settings (BoxSettings), so that the
// templates, the program and its settings name each choice once:
//   one REG_DWORD per box: 1 ticked, 0 unticked;
//   "Cleaner Warning" REG_DWORD 1: the administrator accepted the first-clean
//     warning for every user;
//   "Clean Entries" REG_DWORD 1: exactly the entries whose texts are the
//     REG_SZ values of the subkey "Entries" are ticked; 0: none is;
//   "Language" REG_SZ: the language file's name, as the language box shows it.
// A value of another type or out of range is ignored, and said so.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/registry_api.h"

namespace vb::app {

inline constexpr const char* kPolicyKey = "Software\\Policies\\Vanbrisk";
inline constexpr const char* kPolicyEntriesKey = "Software\\Policies\\Vanbrisk\\Entries";
inline constexpr const char* kWarningPolicy = "Cleaner Warning";
inline constexpr const char* kEntriesPolicy = "Clean Entries";
inline constexpr const char* kLanguagePolicy = "Language";

struct GroupPolicy {
  // The boxes set, by their setting's value name: 1 ticked, 0 unticked.
  std::map<std::string, int> boxes;
  bool warningAccepted = false;
  // Set: exactly these entries (their texts) are ticked; every entry is locked.
  std::optional<std::vector<std::string>> entries;
  std::optional<std::string> language;
  // One line per value that is set but malformed, and so ignored.
  std::vector<std::string> problems;

  [[nodiscard]] std::optional<int> Box(const std::string& setting) const;
  [[nodiscard]] bool Empty() const;
};

// The policy in force: each value of the machine, else of the user.
[[nodiscard]] GroupPolicy ReadGroupPolicy(platform::RegistryApi& registry);

}  // namespace vb::app
