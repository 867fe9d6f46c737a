// The names of the four registry roots, and full key paths built on them
// ("HKEY_CURRENT_USER\Software\X", "HKCU\Software\X").
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/win_types.h"

namespace vb::registry {

// The root a name stands for: the long names HKEY_CLASSES_ROOT,
// HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_USERS and the short names HKCR,
// HKCU, HKLM, HKU, in any letter case. Nothing for any other name.
std::optional<win::HKEY> ParseRootName(std::string_view name);

// "HKEY_CURRENT_USER" and "HKCU" for kHkeyCurrentUser; empty for a handle that
// is not one of the four roots.
std::string RootLongName(win::HKEY root);
std::string RootShortName(win::HKEY root);

// A full key path taken apart. subKey is empty for the root itself and has
// neither a leading nor a trailing backslash nor an empty component.
struct KeyPath {
  win::HKEY root = 0;
  std::string subKey;
};

// Splits "HKCU\Software\X" into the root and "Software\X". One trailing
// backslash is allowed ("HKCU\Software\"). On failure returns nothing and
// puts a message such as "unknown registry root "HKEY_FOO"" in *error.
std::optional<KeyPath> SplitKeyPath(std::string_view path, std::string* error);

// "HKEY_CURRENT_USER\Software\X": the long root name, then the subkey if any.
std::string JoinKeyPath(win::HKEY root, std::string_view subKey);

}  // namespace vb::registry
