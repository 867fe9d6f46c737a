// Cleans one catalogue entry: its steps, as its Analyze mode allows.
#pragma once

#include "catalogue/catalogue.h"
#include "engine/steps.h"

namespace vb::catalogue {

// Under Analyze a skipped entry and one without a cleaner do nothing, and a
// partly entry stops at its CleanerOnly marker; under Run Cleaner every step runs.
void CleanEntry(engine::StepContext& context, const Entry& entry);

}  // namespace vb::catalogue
