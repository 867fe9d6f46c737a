// The programs that Windows starts at logon, as the Startup window lists
// them: the values of three Run keys and the plain files of the two Startup
// folders, and the deletion of one of them.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"

namespace vb::tools {

// Where an entry comes from, in listing order.
struct StartupSource {
  const char* location;  // the text of the location column
  win::HKEY root;
  const char* key;
  // A Startup folder: the "Shell Folders" value under key that names it;
  // null for a Run key, whose values are the entries.
  const char* folderValue;
};

const std::vector<StartupSource>& StartupSources();

// The command column of a file in a Startup folder.
inline constexpr char kDataNotAvailable[] = "       - Data Not Available -";

struct StartupEntry {
  std::string name;
  std::string location;
  std::string command;
  const StartupSource* source = nullptr;
  // For a file: the folder it was listed from, with its final "\".
  std::string folder;
};

// Every entry of every source in order. A command that cannot be read with
// full access, or is 128 characters or more, shows empty; a Startup folder
// that is not named or cannot be listed adds nothing; hidden and system files
// are not listed.
std::vector<StartupEntry> ListStartup(platform::Platform& platform);

// Deletes the entry's value, or its file from the folder it was listed from.
// True when it is gone, also when it was gone already; false when it stays
// (the key or file could not be changed).
[[nodiscard]] bool DeleteStartupEntry(platform::Platform& platform, const StartupEntry& entry);

}  // namespace vb::tools
