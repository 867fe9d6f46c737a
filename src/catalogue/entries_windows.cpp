#include "catalogue/entry_lists.h"
#include "catalogue/table_names.h"

#define USER_ASSIST "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\UserAssist"
#define APPLETS "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\"

namespace vb::catalogue::tables {

using namespace vb::engine;

constexpr AppList WIN = AppList::kWindows;

// In the order in which the application stage compares the texts.
const std::vector<Entry>& WindowsEntries() {
  static const std::vector<Entry> entries = {
      {"User Assist History", WIN, KeyExists(HKCU, USER_ASSIST), kRuns,
       {DeleteKey(HKCU, USER_ASSIST "\\{5E6AB780-7743-11CF-A12B-00AA004AE837}\\Count"),
        DeleteKey(HKCU, USER_ASSIST "\\{75048700-EF1F-11D0-9888-006097DEACF9}\\Count")}},
      {"IIS Log Files", WIN, FolderHasEntry(kWindowsFolder, "\\system32\\LogFiles"), kRuns,
       {EmptyTree(SR("\\system32\\LogFiles"))}},
      {"RegEdit", WIN, Always(), kSkipped, {DeleteValue(HKCU, APPLETS "Regedit", "LastKey")}},
      {"MS WordPad", WIN, Always(), kSkipped,
       {DeleteKey(HKCU, APPLETS "Wordpad\\Recent File List")}},
      {"MS Paint", WIN, Always(), kSkipped, {DeleteKey(HKCU, APPLETS "Paint\\Recent File List")}},
      {"Downloaded Installations", WIN,
       KeyExists(HKLM, "Software\\Microsoft\\Windows\\CurrentVersion\\OptimalLayout"), kRuns,
       {EmptyTree(SR("\\Downloaded Installations"))}},
  };
  return entries;
}

}  // namespace vb::catalogue::tables
