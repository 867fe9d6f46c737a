#include "catalogue/rule_steps.h"

namespace vb::catalogue {

using engine::Step;
using engine::StepKind;

std::vector<Step> RuleSteps(const RuleEntry& rule) {
  std::vector<engine::KeptFolderFiles> keptFiles;
  std::vector<engine::KeptKey> keptKeys;
  for (const RuleExclusion& ex : rule.exclusions) {
    if (ex.kind == RuleExclusion::Kind::kRegistry)
      keptKeys.push_back({ex.key.root, ex.key.path, ex.value});
    else
      keptFiles.push_back({engine::RuleFolder(ex.folder), ex.patterns,
                           ex.kind == RuleExclusion::Kind::kPath});
  }
  std::vector<Step> steps;
  for (const RuleFiles& files : rule.files)
    steps.push_back({.kind = StepKind::kFiles,
                     .folder = engine::RuleFolder(files.folder),
                     .patterns = files.patterns,
                     .recurse = files.recurse,
                     .removeSelf = files.removeSelf,
                     .keptFiles = keptFiles});
  steps.push_back(engine::CleanerOnly());
  for (const RuleRegistry& reg : rule.registry) {
    Step step = reg.value ? engine::DeleteValue(reg.key.root, reg.key.path, *reg.value)
                          : engine::DeleteTree(reg.key.root, reg.key.path);
    step.keptKeys = keptKeys;
    steps.push_back(std::move(step));
  }
  return steps;
}

}  // namespace vb::catalogue
