#include "catalogue/entry_cleaner.h"

namespace vb::catalogue {

void CleanEntry(engine::StepContext& context, const Entry& entry) {
  bool analyze = context.removal.analyzeOnly;
  if (analyze && (entry.analyze == UnderAnalyze::kSkipped ||
                  entry.analyze == UnderAnalyze::kNoCleaner))
    return;
  if (engine::RunTally* tally = context.removal.tally) tally->source = entry.text;
  engine::RunSteps(context, entry.steps);
}

}  // namespace vb::catalogue
