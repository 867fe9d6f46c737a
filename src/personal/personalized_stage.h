// The clean run's stage for the user's own items: folders emptied, files
// deleted and logged, registry keys and values deleted.
#pragma once

#include "engine/removal.h"
#include "engine/routines.h"
#include "toolkit/controls.h"

namespace vb::personal {

struct PersonalizedStageContext {
  engine::RemovalContext& removal;  // the platform, the log L and the run's mode
  toolkit::CheckBox& Check8;        // "Clean Personalized ..."
  // The working lists, filled afresh from the settings at each run.
  toolkit::ListView& ListView3;  // folders
  toolkit::ListView& ListView4;  // files
  toolkit::ListView& ListView5;  // registry keys
  toolkit::ListView& ListView6;  // registry values
};

// Fills the working lists; when Check8 is checked, empties each folder with
// ClearDirTree, deletes and logs each plain file (a file that could not be
// deleted is not logged under Run Cleaner), and under Run Cleaner only
// deletes each registry key with everything below it and each value entry's
// value. Each list is consumed from its first row.
void CleanPersonalized(PersonalizedStageContext& context);

// Registers CleanPersonalized as the personalized routine of the run.
void AddPersonalizedRoutine(PersonalizedStageContext& context, engine::RoutineTable& routines);

}  // namespace vb::personal
