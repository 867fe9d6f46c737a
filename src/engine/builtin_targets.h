// The targets of the built-in items: each routine that is a list of steps,
// with its steps in the order they run.
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
