#include "catalogue/catalogue.h"

#include "catalogue/entry_lists.h"

namespace vb::catalogue {

const std::vector<Entry>& Entries(AppList list) {
  switch (list) {
    case AppList::kApplications: return tables::ApplicationEntries();
    case AppList::kInternet: return tables::InternetEntries();
    case AppList::kMultimedia: return tables::MultimediaEntries();
    case AppList::kUtilities: return tables::UtilityEntries();
    case AppList::kWindows: break;
  }
  return tables::WindowsEntries();
}

const std::vector<engine::RoutineSteps>& CatalogueRoutines() {
  static const std::vector<engine::RoutineSteps> all = [] {
    std::vector<engine::RoutineSteps> routines = tables::ApplicationRoutines();
    for (const engine::RoutineSteps& r : tables::InternetRoutines()) routines.push_back(r);
    return routines;
  }();
  return all;
}

}  // namespace vb::catalogue
