#include "engine/builtin_targets.h"

namespace vb::engine {

using namespace vb::win;

constexpr HKEY HKCU = kHkeyCurrentUser;

const std::vector<RoutineSteps>& BuiltinTargets() {
  static const std::vector<RoutineSteps> targets = {
      {Routine::kClearIEDownloadDir,
       {DeleteValue(HKCU, "Software\\Microsoft\\Internet Explorer", "Download Directory")}},
      {Routine::kHistory,
       {EmptyFolder(UserFolder("History")), EmptyDeepTree(UserFolder("History", "\\History.IE5"))}},
      {Routine::kClearTypedURLs,
       {DeleteKey(HKCU, "Software\\Microsoft\\Internet Explorer\\TypedURLs")}},
  };
  return targets;
}

}  // namespace vb::engine
