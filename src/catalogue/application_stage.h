// The application stage of a run: the marks stored, every list consumed
// entry by entry with each checked entry's cleaner found by its exact text,
// and the lists made again.
#pragma once

#include <optional>

#include "browser/firefox.h"
#include "catalogue/app_lists.h"
#include "engine/steps.h"
#include "toolkit/controls.h"

namespace vb::catalogue {

struct ApplicationStageContext {
  AppListsContext& lists;
  engine::StepContext& steps;
  toolkit::ProgressBar& progress;
  // The main window's flag OperaCookies, which the Opera entries set.
  bool& operaCookies;
  // The stage's one FireFox object, made at its first Firefox entry.
  std::optional<browser::FireFox> firefox = std::nullopt;
};

// The lists in the order the stage consumes them, with the progress value
// set after Multimedia and before Windows.
void RunApplicationStage(ApplicationStageContext& context);

}  // namespace vb::catalogue
