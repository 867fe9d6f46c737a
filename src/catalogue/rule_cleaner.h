// Cleans one entry read from a rule file: its files through ClearFile, the
// removal routine of the built-in file targets, and under Run Cleaner its
// registry keys and values, keeping whatever its exclusions name.
#pragma once

#include "catalogue/rule_file.h"
#include "engine/steps.h"

namespace vb::catalogue {

// Under Analyze the files are measured and nothing else is touched; under
// Run Cleaner they are deleted, REMOVESELF folders left empty are removed,
// and the registry targets are deleted. A folder no rule may empty is
// skipped as it resolves at the time of the run, whatever it resolved to
// when the file was read.
void CleanRuleEntry(engine::StepContext& context, const RuleEntry& rule);

}  // namespace vb::catalogue
