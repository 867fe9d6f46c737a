// The registry keys that are never deleted with everything below them: the
// hives, the keys directly below a hive, and the keys of Windows itself down
// to its CurrentVersion keys. The rule-file reader, the Add Registry dialog
// and the cleaner ask before a key goes whole.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/result.h"
#include "platform/win_types.h"

namespace vb::registry {

// Whether root\path may be deleted with everything below it; when it may
// not, the failure says why ("a whole hive", "a key Windows needs"...).
// Refused:
// - a root that is not one of the four, a path with an empty component or
//   a control character (NUL included);
// - a hive: a root itself, a user's hive below HKEY_USERS, and
//   Software\Classes, the classes that HKEY_CLASSES_ROOT shows;
// - a key directly below a hive (HKCU\Software, HKCR\.txt,
//   HKU\S-1-5-21-...\Control Panel, HKLM\Software\Classes\CLSID);
// - Software\Microsoft, Software\Policies, Software\WOW6432Node,
//   SYSTEM\CurrentControlSet, SYSTEM\ControlSetNNN and every key on the way
//   down to Software\Microsoft\Windows\CurrentVersion and
//   Software\Microsoft\Windows NT\CurrentVersion, below
//   Software\WOW6432Node (the 32-bit view of Software) as below Software.
// Letter case and trailing backslashes are ignored. A vendor's own key
// (HKCU\Software\OldApp) and the keys below CurrentVersion may go.
[[nodiscard]] Result<> KeyTreeMayGo(win::HKEY root, std::string_view path);

}  // namespace vb::registry
