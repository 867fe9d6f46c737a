// The names of the four registry roots, and full key paths built on them
// ("HKEY_CURRENT_USER\Software\X", "HKCU\Software\X"). Every part of the
// program that reads or writes a root's name does it here.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/result.h"
#include "platform/win_types.h"

namespace vb::registry {

// Which spellings of a root a caller accepts: reg.exe and .reg files take the
// long and the short names, the cleaner's own key texts only the long ones.
enum class RootNames { kLongOrShort, kLongOnly };

// The root a name stands for: the long names HKEY_CLASSES_ROOT,
// HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_USERS and (unless only the long
// names are accepted) the short names HKCR, HKCU, HKLM, HKU, in any letter
// case. Nothing for any other name.
[[nodiscard]] std::optional<win::HKEY> ParseRootName(std::string_view name,
                                                     RootNames accepted = RootNames::kLongOrShort);

// "HKEY_CURRENT_USER" and "HKCU" for kHkeyCurrentUser; empty for a handle that
// is not one of the four roots.
[[nodiscard]] std::string RootLongName(win::HKEY root);
[[nodiscard]] std::string RootShortName(win::HKEY root);

// A full key path taken apart. subKey is empty for the root itself and has
// neither a leading nor a trailing backslash nor an empty component.
struct KeyPath {
  win::HKEY root = 0;
  std::string subKey;
};

// Splits "HKCU\Software\X" into the root and "Software\X". One trailing
// backslash is allowed ("HKCU\Software\"). Fails with a message such as
// "unknown registry root "HKEY_FOO"".
[[nodiscard]] Result<KeyPath> SplitKeyPath(std::string_view path,
                                           RootNames accepted = RootNames::kLongOrShort);

// "HKEY_CURRENT_USER\Software\X": the long root name, then the subkey if any.
[[nodiscard]] std::string JoinKeyPath(win::HKEY root, std::string_view subKey);

}  // namespace vb::registry
