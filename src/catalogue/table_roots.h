// The registry roots by their short names, so that each row of a catalogue
// table reads like the target it writes down.
#pragma once

#include "platform/win_types.h"

namespace vb::catalogue::tables {

inline constexpr win::HKEY HKCU = win::kHkeyCurrentUser;
inline constexpr win::HKEY HKLM = win::kHkeyLocalMachine;
inline constexpr win::HKEY HKCR = win::kHkeyClassesRoot;

}  // namespace vb::catalogue::tables
