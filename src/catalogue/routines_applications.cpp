#include "catalogue/entry_lists.h"

namespace vb::catalogue::tables {

const std::vector<engine::RoutineSteps>& ApplicationRoutines() {
  static const std::vector<engine::RoutineSteps> routines = {};
  return routines;
}

}  // namespace vb::catalogue::tables
