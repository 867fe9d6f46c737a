// What makes a folder a Wine prefix: Wine's registry files (system.reg and
// user.reg) beside its C: drive (drive_c). A folder that holds an emulated
// machine's registry.db is that machine, not a prefix.
#pragma once

#include <string>

namespace vb::prefix {

bool IsWinePrefix(const std::string& folder);

}  // namespace vb::prefix
