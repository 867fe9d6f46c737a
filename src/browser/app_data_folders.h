// The user's application-data folders, where Firefox and the Mozilla suite
// keep their profiles: values of the user's "Shell Folders".
#pragma once

#include <string>

#include "platform/platform.h"

namespace vb::browser {

// "AppData", read with cRegistry, up to a NUL; "" when missing or not a string.
[[nodiscard]] std::string RoamingAppData(platform::Platform& platform);
// "Local AppData", read with ReadRegString; "" when missing.
[[nodiscard]] std::string LocalAppData(platform::Platform& platform);

}  // namespace vb::browser
