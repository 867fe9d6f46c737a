#include "catalogue/entry_lists.h"
#include "catalogue/table_names.h"

namespace vb::catalogue::tables {

using namespace vb::engine;

#define OPERA_PROFILE "\\Opera\\Opera\\profile"

// The Opera cleaner comes in two parts, chosen by the entry that calls it:
// the cache, sessions and visited-link files, or the cookie file alone.
const std::vector<RoutineSteps>& InternetRoutines() {
  static const std::vector<RoutineSteps> routines = {
      {Routine::kFlashPlayer, {EmptyTree(AD("\\Macromedia\\Flash Player"))}},
      {Routine::kOperaCache,
       {EmptyTree(AD(OPERA_PROFILE "\\cache4")), EmptyTree(AD(OPERA_PROFILE "\\sessions")),
        EmptyTree(AD(OPERA_PROFILE "\\cacheOp")),
        Files(AD(OPERA_PROFILE), {"download.dat", "global.dat", "vlink4.dat"}),
        Files(AD(OPERA_PROFILE), {"opera.dir"})}},
      {Routine::kOperaCookies, {Files(AD(OPERA_PROFILE), {"cookies4.dat"})}},
  };
  return routines;
}

}  // namespace vb::catalogue::tables
