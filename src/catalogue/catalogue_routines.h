// The catalogue's routines in the routine table: the application stage and
// the routines its entries call.
#pragma once

#include "catalogue/application_stage.h"
#include "engine/routines.h"
#include "engine/steps.h"

namespace vb::catalogue {

// Adds the application stage (run over `stage`), the step-list routines
// (Cover, Rar, AdAware, AdobeReader7, FlashPlayer, the Opera cleaner's parts)
// and the six Firefox operations on the stage's FireFox object.
void AddCatalogueRoutines(ApplicationStageContext& stage, engine::RoutineTable& routines);

}  // namespace vb::catalogue
