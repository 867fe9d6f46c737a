// Lays out a new emulated machine: the folders, environment and "Shell
// Folders" values of a Windows XP installation, with the program installed.
#pragma once

#include <string>

namespace vb::emu {

struct InitOptions {
  bool limitedUser = false;  // the user may not write HKEY_LOCAL_MACHINE or HKEY_CLASSES_ROOT
  bool overwrite = false;    // replace a machine that is already there
};

// The user of every new machine and the folders the layout gives him.
inline constexpr const char* kUserName = "User";
inline constexpr const char* kUserProfile = "C:\\Documents and Settings\\User";
inline constexpr const char* kProgramFolder = "C:\\Program Files\\Vanbrisk";

[[nodiscard]] bool InitMachine(const std::string& folder, const InitOptions& options,
                               std::string* error);

}  // namespace vb::emu
