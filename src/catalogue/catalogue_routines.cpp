#include "catalogue/catalogue_routines.h"

namespace vb::catalogue {

void AddCatalogueRoutines(ApplicationStageContext& stage, engine::RoutineTable& routines) {
  routines.Set(engine::Routine::kApplications, [&stage] { RunApplicationStage(stage); });
  for (const engine::RoutineSteps& routine : CatalogueRoutines())
    routines.Set(routine.routine, [&stage, &steps = routine.steps] {
      engine::RunSteps(stage.steps, steps);
    });
}

}  // namespace vb::catalogue
