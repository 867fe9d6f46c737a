// .reg files against a registry: import, export, and the whole-tree reading
// and deleting they need (which reg add/delete/query use as well).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/opened_key.h"
#include "platform/registry_api.h"
#include "registry/reg_file.h"

namespace vb::registry {

using platform::OpenedKey;


// "Access is denied." and the like for a registry error code.
std::string RegistryErrorText(win::LONG code);

// The bytes of one value, whatever their size.
win::LONG QueryValueBytes(platform::RegistryApi& registry, win::HKEY key,
                          const std::string& valueName, win::DWORD* type, std::string* data);
// The names of a key's subkeys (enumeration order) and values (creation order).
win::LONG SubKeyNames(platform::RegistryApi& registry, win::HKEY key,
                      std::vector<std::string>* names);
win::LONG ValueNames(platform::RegistryApi& registry, win::HKEY key,
                     std::vector<std::string>* names);

// The key path with every component in the case the registry stored it;
// components that cannot be found stay as given.
std::string StoredKeyCase(platform::RegistryApi& registry, win::HKEY root,
                          const std::string& subKey);

// Reads one key: its values in their order into out->values (out->root and
// out->subKey are set too), and its subkeys' names into *subKeys.
win::LONG ReadKey(platform::RegistryApi& registry, win::HKEY root, const std::string& subKey,
                  RegFileKey* out, std::vector<std::string>* subKeys);

// Reads root\subKey and everything below it into *out, one RegFileKey per key,
// each key before its subkeys, subkeys in enumeration order, values in their
// order. On failure *failedPath is the key that could not be read.
win::LONG ReadKeyTree(platform::RegistryApi& registry, win::HKEY root, const std::string& subKey,
                      RegFile* out, std::string* failedPath = nullptr);

// Deletes root\subKey and all its subkeys, deepest first. A bare hive (empty
// subKey) or a malformed path is refused with kErrorInvalidParameter and
// nothing is touched.
win::LONG DeleteKeyTree(platform::RegistryApi& registry, win::HKEY root, const std::string& subKey,
                        std::string* failedPath = nullptr);

// Applies a parsed file in one unit of changes: either all of it is written,
// or, when a write fails, the registry keeps what it had (where the registry
// can group changes; Windows cannot, and keeps what was written before the
// failure). A [-KEY] of a missing key and "name"=- of a missing value are no
// failure, as in regedit.
bool ApplyRegFile(platform::RegistryApi& registry, const RegFile& file, std::string* error);

// Parses the whole file, then applies it; a malformed file changes nothing.
bool ImportRegFile(platform::RegistryApi& registry, std::string_view bytes, std::string* error);

// The Version 5.00 file (UTF-16LE, BOM, CRLF) of root\subKey and all below
// it, with the key names in their stored case.
std::optional<std::string> ExportRegKey(platform::RegistryApi& registry, win::HKEY root,
                                        const std::string& subKey, std::string* error);

}  // namespace vb::registry
