// Deletion of a registry key, named by its full text, with all its values and
// subkeys.
#pragma once

#include <string>

#include "platform/platform.h"

namespace vb::personal {

// Deletes the key named by a full path that begins with a root's long name
// ("HKEY_CURRENT_USER\Software\Example"; final backslashes are allowed),
// deepest keys first, ignoring every error. A path that names only a root, or
// no root by its long name, deletes nothing; the walk ends when a subkey
// cannot be deleted (see registry::DeleteTree).
void del_reg_sub(platform::Platform& platform, const std::string& inkey);

}  // namespace vb::personal
