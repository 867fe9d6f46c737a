// .reg files against a registry: import and export.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/result.h"
#include "platform/registry_api.h"
#include "registry/reg_file.h"

namespace vb::registry {

// Applies a parsed file in one unit of changes: either all of it is written,
// or, when a write fails, the registry keeps what it had (where the registry
// can group changes; Windows cannot, and keeps what was written before the
// failure). A [-KEY] of a missing key and "name"=- of a missing value are no
// failure, as in regedit. A failure carries the code of the registry call
// that failed.
[[nodiscard]] Result<> ApplyRegFile(platform::RegistryApi& registry, const RegFile& file);

// Parses the whole file, then applies it; a malformed file changes nothing.
// codePage: the program's (see ParseRegFile).
[[nodiscard]] Result<> ImportRegFile(platform::RegistryApi& registry, std::string_view bytes,
                                     win::DWORD codePage);

// The Version 5.00 file (UTF-16LE, BOM, CRLF) of root\subKey and all below
// it, with the key names in their stored case.
[[nodiscard]] Result<std::string> ExportRegKey(platform::RegistryApi& registry, win::HKEY root,
                                               const std::string& subKey, win::DWORD codePage);

}  // namespace vb::registry
