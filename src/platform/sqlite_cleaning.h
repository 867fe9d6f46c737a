// The SQLite half of a database clean, the same on every platform: the
// realisations find and check the file (a regular file inside an open
// folder, not in use) and hand over a path SQLite opens, or the file's bytes
// for a preview.
#pragma once

#include <string>

#include "platform/file_system_api.h"

namespace vb::platform {

// Whether a cookie host is a kept host or lies below one; leading dots do not
// count and letter case does not matter.
[[nodiscard]] bool IsKeptHost(std::string_view host, const std::vector<std::string>& keptHosts);

// Runs the work on the database file at a UTF-8 path, as
// FileSystemApi::CleanEntryDatabase says. The file is opened without
// following a link; `kErrorSharingViolation` when another connection holds it.
[[nodiscard]] LONG CleanDatabaseFile(const std::string& utf8Path, const DatabaseWork& work,
                                     DatabaseOutcome* outcome);

// Runs the work on a copy in memory of a database file's bytes and tells what
// it changed, as FileSystemApi::ProbeCleanEntryDatabase says. A database kept
// in write-ahead-log mode is read as its file holds it.
[[nodiscard]] LONG ProbeDatabaseBytes(std::string bytes, const DatabaseWork& work,
                                      DatabaseOutcome* outcome);

}  // namespace vb::platform
