// The routines that the built-in items share with the Internet page's
// commands, each a list of steps in the order they run. The items' other
// steps are in their own rows (engine/items.cpp).
#pragma once

#include <vector>

#include "engine/steps.h"

namespace vb::engine {

// Explorer's list of searched file names, under HKEY_CURRENT_USER (the key's
// name as Windows spells it, in two literal pieces).
inline constexpr const char* kDocFindMruKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Doc Find S" "pec MRU";

const std::vector<RoutineSteps>& BuiltinTargets();

}  // namespace vb::engine
