// Database files of the emulated machine: an entry of an open folder opened
// for a clean, and whether another program holds it.
#pragma once

#include <string>

#include "platform/emulated/host_paths.h"
#include "platform/file_system_api.h"

namespace vb::emu {

// Opens the entry `name` of an open folder as a database to clean: never
// through a link (kErrorAccessDenied), only a regular file, and not while it
// is in use: held by an exclusive flock or by another program's SQLite lock
// (kErrorSharingViolation).
[[nodiscard]] win::LONG OpenDatabaseEntry(int folderFd, const std::string& name, HostFd* file);

// The database work on an entry of an open folder, or its preview over the
// file's bytes.
[[nodiscard]] win::LONG CleanDatabaseEntry(int folderFd, const std::string& name,
                                           const platform::DatabaseWork& work,
                                           platform::DatabaseOutcome* outcome);
[[nodiscard]] win::LONG ProbeDatabaseEntry(int folderFd, const std::string& name,
                                           const platform::DatabaseWork& work,
                                           platform::DatabaseOutcome* outcome);

}  // namespace vb::emu
