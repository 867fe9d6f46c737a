#include "catalogue/catalogue.h"

#include "catalogue/entry_lists.h"

namespace vb::catalogue {

namespace {

std::vector<Entry> Joined(std::initializer_list<const std::vector<Entry>*> parts) {
  std::vector<Entry> all;
  for (const std::vector<Entry>* part : parts) all.insert(all.end(), part->begin(), part->end());
  return all;
}

}  // namespace

const std::vector<Entry>& Entries(AppList list) {
  static const std::vector<Entry> internet =
      Joined({&tables::InternetEntries(), &tables::ChromiumEntries(), &tables::FirefoxEntries()});
  static const std::vector<Entry> windows =
      Joined({&tables::WindowsEntries(), &tables::TodayWindowsEntries()});
  switch (list) {
    case AppList::kApplications: return tables::ApplicationEntries();
    case AppList::kInternet: return internet;
    case AppList::kMultimedia: return tables::MultimediaEntries();
    case AppList::kUtilities: return tables::UtilityEntries();
    case AppList::kWindows: break;
  }
  return windows;
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
