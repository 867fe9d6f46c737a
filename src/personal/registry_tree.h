// Deletion of a registry key with all its values and subkeys.
#pragma once

#include <string>

#include "platform/platform.h"

namespace vb::personal {

// Deletes the key named by a full path that begins with a root's name
// ("HKEY_CURRENT_USER\Software\Example"), deepest keys first, ignoring every
// error. A path that names only a root, or no known root, deletes nothing; the
// walk ends when a subkey cannot be deleted.
void del_reg_sub(platform::Platform& platform, const std::string& inkey);

}  // namespace vb::personal
