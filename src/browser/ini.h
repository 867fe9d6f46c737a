// INI: one key of an INI file, read through the profile function into a
// buffer of fixed size, as the browser locators read "profiles.ini".
#pragma once

#include <string>

#include "platform/file_system_api.h"

namespace vb::browser {

// GetPrivateProfileStringA (Section, Key, default "", a 255-character buffer,
// File_Path): the value as far as the buffer holds it (254 characters and
// the NUL), or "" when the file, section or key is missing.
[[nodiscard]] std::string GetFromINI(platform::FileSystemApi& files, const std::string& File_Path,
                                     const std::string& Section, const std::string& Key);

}  // namespace vb::browser
