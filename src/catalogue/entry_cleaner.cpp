#include "catalogue/entry_cleaner.h"

#include "browser/firefox.h"
#include "catalogue/table_names.h"

namespace vb::catalogue {

namespace {

bool NamesProfiles(const engine::Step& step) {
  return step.folder.tail.find(tables::kProfileMark) != std::string::npos;
}

// The steps with each step that names Firefox's profiles run once per
// profile, and a line for each profile named outside the Firefox folder.
std::vector<engine::Step> ForEachProfile(platform::Platform& platform,
                                         const std::vector<engine::Step>& steps) {
  browser::FirefoxProfiles profiles = browser::FindFirefoxProfiles(platform);
  std::vector<engine::Step> out;
  for (const std::string& path : profiles.outside)
    out.push_back(engine::Refused(path, "a profile outside the Firefox folder"));
  for (const engine::Step& step : steps) {
    if (!NamesProfiles(step)) {
      out.push_back(step);
      continue;
    }
    std::size_t at = step.folder.tail.find(tables::kProfileMark);
    for (const std::string& profile : profiles.inside) {
      engine::Step each = step;
      each.folder.tail.replace(at, std::string_view(tables::kProfileMark).size(), profile);
      out.push_back(std::move(each));
    }
  }
  return out;
}

}  // namespace

void CleanEntry(engine::StepContext& context, const Entry& entry) {
  bool analyze = context.removal.analyzeOnly;
  if (analyze && (entry.analyze == UnderAnalyze::kSkipped ||
                  entry.analyze == UnderAnalyze::kNoCleaner))
    return;
  if (engine::RunTally* tally = context.removal.tally) tally->source = entry.text;
  bool profiles = false;
  for (const engine::Step& step : entry.steps) profiles = profiles || NamesProfiles(step);
  if (profiles)
    engine::RunSteps(context, ForEachProfile(context.platform, entry.steps));
  else
    engine::RunSteps(context, entry.steps);
}

}  // namespace vb::catalogue
