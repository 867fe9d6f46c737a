// The messages of the registry's error codes, as reg.exe prints them.
#pragma once

#include <string>

#include "platform/win_types.h"

namespace vb::registry {

// "Access is denied." and the like for a registry error code.
[[nodiscard]] std::string RegistryErrorText(win::LONG code);

}  // namespace vb::registry
