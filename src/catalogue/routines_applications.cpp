// The routines the Applications and Utilities entries call: the recent-file
// lists of the Nero cover designer and of WinRAR, Ad-Aware's logs and
// quarantine, and Acrobat Reader 7's search cache.
#include "catalogue/entry_lists.h"
#include "catalogue/table_names.h"

namespace vb::catalogue::tables {

using namespace vb::engine;
using namespace vb::win;

const std::vector<RoutineSteps>& ApplicationRoutines() {
  static const std::vector<RoutineSteps> routines = {
      {Routine::kCover,
       {NumberedValues(HKCU, "Software\\Ahead\\Cover Designer\\Recent File List", 1, 100, "file")}},
      // The values "0" to "100" of the three history keys. Deleting a value of
      // one key does not touch the others, so one range per key leaves the
      // registry as deleting the three values of each number in turn does.
      {Routine::kRar,
       {NumberedValues(HKCU, "Software\\WinRAR\\ArcHistory", 0, 100),
        NumberedValues(HKCU, "Software\\WinRAR\\DialogEditHistory\\ArcName", 0, 100),
        NumberedValues(HKCU, "Software\\WinRAR\\DialogEditHistory\\ExtrPath", 0, 100)}},
      {Routine::kAdAware,
       {EmptyTree(AD("\\Lavasoft\\Ad-Aware\\Logs")),
        EmptyTree(AD("\\Lavasoft\\Ad-Aware\\Quarantine"))}},
      {Routine::kAdobeReader7, {EmptyTree(LAD("\\Adobe\\Acrobat\\7.0\\Cache\\Search70"))}},
  };
  return routines;
}

}  // namespace vb::catalogue::tables
