// One-shot registry routines: create a key, read a string, delete a value or a
// leaf key. None of them reports why it failed; a missing key or value reads
// as "", and a deletion tells only whether something was deleted. A key path
// or value name holding a NUL names nothing: it reads as missing, and nothing
// is created or deleted (see platform/registry_name.h).
#pragma once

#include <string>

#include "platform/registry_api.h"

namespace vb::registry {

using win::HKEY;

namespace Reg32 {

// Creates the key and every missing key above it.
void CreateKey(platform::RegistryApi& registry, HKEY root, const std::string& subKey);
// The text of a REG_SZ value up to its first NUL; "" for a missing key or
// value and for every other type (REG_EXPAND_SZ and numbers included).
[[nodiscard]] std::string GetString(platform::RegistryApi& registry, HKEY root,
                                    const std::string& subKey, const std::string& valueName);
// True when the value was there and is deleted.
bool DeleteValue(platform::RegistryApi& registry, HKEY root, const std::string& subKey,
                 const std::string& valueName);
// Deletes one key without subkeys; a key that has subkeys stays, and so do
// they. True when the key was there and is deleted.
bool DeleteKey(platform::RegistryApi& registry, HKEY root, const std::string& subKey);

}  // namespace Reg32

// Opens the key with full access and reads the value into a 128-character
// buffer: the text up to its first NUL, or defaultValue when the key cannot be
// opened with full access or the value is missing or does not fit.
[[nodiscard]] std::string ReadRegString(platform::RegistryApi& registry, HKEY root,
                                        const std::string& subKey, const std::string& valueName,
                                        const std::string& defaultValue);

}  // namespace vb::registry
