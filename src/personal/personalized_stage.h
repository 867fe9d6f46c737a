// The clean run's stage for the user's own items: each folder, file,
// registry key and value a step of the one vocabulary, run through the one
// interpreter and its safety policy, however the entry was stored.
#pragma once

#include "engine/routines.h"
#include "engine/steps.h"
#include "toolkit/controls.h"

namespace vb::personal {

struct PersonalizedStageContext {
  engine::StepContext& steps;            // the platform, the results log and the run's mode
  toolkit::CheckBox& cleanPersonalized;  // "Clean Personalized ..."
  // The working lists, filled afresh from the settings at each run.
  toolkit::ListView& folders;
  toolkit::ListView& files;
  toolkit::ListView& registryKeys;
  toolkit::ListView& registryValues;
};

// Fills the working lists; when cleanPersonalized is checked, empties each folder as
// ClearDirTree does, deletes and logs each plain file (a file that could not
// be deleted is not logged under Run Cleaner), and under Run Cleaner only
// deletes each registry key with everything below it and each value entry's
// value. An entry that names no single folder, file, key or value, or one
// the safety policy refuses, is skipped with its line. The lists are empty
// afterwards.
void CleanPersonalized(PersonalizedStageContext& context);

// The steps of the four lists as they stand, in the order they are cleaned.
[[nodiscard]] std::vector<engine::Step> PersonalizedSteps(const PersonalizedStageContext& context);

// Registers CleanPersonalized as the personalized routine of the run.
void AddPersonalizedRoutine(PersonalizedStageContext& context, engine::RoutineTable& routines);

}  // namespace vb::personal
