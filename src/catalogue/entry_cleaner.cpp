#include "catalogue/entry_cleaner.h"

#include "catalogue/rule_cleaner.h"

namespace vb::catalogue {

void CleanEntry(engine::StepContext& context, const Entry& entry) {
  if (entry.rule) {
    CleanRuleEntry(context, *entry.rule);
    return;
  }
  bool analyze = context.removal.analyzeOnly;
  if (analyze && (entry.analyze == UnderAnalyze::kSkipped ||
                  entry.analyze == UnderAnalyze::kNoCleaner))
    return;
  engine::RunSteps(context, entry.steps);
}

}  // namespace vb::catalogue
