#include "catalogue/catalogue_routines.h"

#include <utility>

namespace vb::catalogue {

void AddCatalogueRoutines(ApplicationStageContext& stage, engine::RoutineTable& routines) {
  routines.Set(engine::Routine::kApplications, [&stage] { RunApplicationStage(stage); });
  for (const engine::RoutineSteps& routine : CatalogueRoutines())
    routines.Set(routine.routine, [&stage, &steps = routine.steps, which = routine.routine] {
      // The Opera entries leave the flag as their part needs it, for the
      // Internet page's "Clean Browsers" to find.
      if (which == engine::Routine::kOperaCache) stage.operaCookies = false;
      if (which == engine::Routine::kOperaCookies) stage.operaCookies = true;
      engine::RunSteps(stage.steps, steps);
    });
  using Operation = void (browser::FireFox::*)();
  const std::pair<engine::Routine, Operation> firefox[] = {
      {engine::Routine::kFirefoxCache, &browser::FireFox::Delete_Cache},
      {engine::Routine::kFirefoxCookies, &browser::FireFox::Delete_Cookies},
      {engine::Routine::kFirefoxBookmarks, &browser::FireFox::Delete_Bookmarks},
      {engine::Routine::kFirefoxHistory, &browser::FireFox::Delete_History},
      {engine::Routine::kFirefoxDownloadHistory, &browser::FireFox::Delete_DHistory},
      {engine::Routine::kFirefoxSavedFormInfo, &browser::FireFox::Delete_SavedFormInfo},
  };
  for (auto [routine, operation] : firefox)
    routines.Set(routine, [&stage, operation = operation] {
      if (!stage.firefox) stage.firefox.emplace(stage.steps);
      ((*stage.firefox).*operation)();
    });
}

}  // namespace vb::catalogue
