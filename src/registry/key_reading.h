// Reading registry keys whole: the bytes of a value whatever their size, the
// names of a key's subkeys and values, and a key or a whole tree read into
// the .reg file model (for reg query and for export). A key path or value
// name holding a NUL is refused with kErrorInvalidParameter.
#pragma once

#include <string>
#include <vector>

#include "platform/registry_api.h"
#include "registry/reg_file.h"

namespace vb::registry {

// The bytes of one value, whatever their size.
[[nodiscard]] win::LONG QueryValueBytes(platform::RegistryApi& registry, win::HKEY key,
                                        const std::string& valueName, win::DWORD* type,
                                        std::string* data);
// The name of the subkey at index; kErrorNoMoreItems past the last one.
[[nodiscard]] win::LONG SubKeyName(platform::RegistryApi& registry, win::HKEY key,
                                   win::DWORD index, std::string* name);
// The names of a key's subkeys (enumeration order) and values (creation order).
[[nodiscard]] win::LONG SubKeyNames(platform::RegistryApi& registry, win::HKEY key,
                                    std::vector<std::string>* names);
[[nodiscard]] win::LONG ValueNames(platform::RegistryApi& registry, win::HKEY key,
                                   std::vector<std::string>* names);

// The key path with every component in the case the registry stored it;
// components that cannot be found stay as given.
[[nodiscard]] std::string StoredKeyCase(platform::RegistryApi& registry, win::HKEY root,
                                        const std::string& subKey);

// Reads one key: its values in their order into out->values (out->root and
// out->subKey are set too), and its subkeys' names into *subKeys.
[[nodiscard]] win::LONG ReadKey(platform::RegistryApi& registry, win::HKEY root,
                                const std::string& subKey, RegFileKey* out,
                                std::vector<std::string>* subKeys);

// Reads root\subKey and everything below it into *out, one RegFileKey per key,
// each key before its subkeys, subkeys in enumeration order, values in their
// order. On failure *failedPath is the key that could not be read. A tree of
// any depth is read without a stack frame per level.
[[nodiscard]] win::LONG ReadKeyTree(platform::RegistryApi& registry, win::HKEY root,
                                    const std::string& subKey, RegFile* out,
                                    std::string* failedPath = nullptr);

}  // namespace vb::registry
