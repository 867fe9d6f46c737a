#include "catalogue/entry_lists.h"

namespace vb::catalogue::tables {

const std::vector<engine::RoutineSteps>& InternetRoutines() {
  static const std::vector<engine::RoutineSteps> routines = {};
  return routines;
}

}  // namespace vb::catalogue::tables
