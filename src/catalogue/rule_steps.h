// A rule file's entry as steps of the one vocabulary: each FileKey a file
// step (its folder found when it runs, its kept files with it), and, under
// Run Cleaner only, each RegKey a key or value deletion keeping what the
// entry's exclusions name.
#pragma once

#include <vector>

#include "catalogue/rule_file.h"
#include "engine/steps.h"

namespace vb::catalogue {

[[nodiscard]] std::vector<engine::Step> RuleSteps(const RuleEntry& rule);

}  // namespace vb::catalogue
