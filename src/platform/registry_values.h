// Convenience reads and writes over RegistryApi for the platform's own use
// (building the environment, laying out machines, tools). The program's
// registry routines live in src/registry and keep their own exact semantics.
// A path or value name holding a NUL reads as missing and is never written
// (kErrorInvalidParameter), as registry_name.h says.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/registry_api.h"

namespace vb::platform {

struct RegValue {
  std::string name;
  DWORD type = 0;
  std::vector<std::uint8_t> data;
};

// Every value of a key in the registry's order; empty when the key is missing.
std::vector<RegValue> ReadAllValues(RegistryApi& registry, HKEY root, const std::string& path);
// The names of the immediate subkeys, in the registry's order.
std::vector<std::string> ReadSubKeyNames(RegistryApi& registry, HKEY root, const std::string& path);
// A REG_SZ or REG_EXPAND_SZ value as text up to its first NUL; empty otherwise.
std::string ReadStringValue(RegistryApi& registry, HKEY root, const std::string& path,
                            const std::string& name);
// Creates the key as needed and sets one value.
LONG WriteValue(RegistryApi& registry, HKEY root, const std::string& path, const std::string& name,
                DWORD type, const std::vector<std::uint8_t>& data);
LONG WriteString(RegistryApi& registry, HKEY root, const std::string& path,
                 const std::string& name, const std::string& text, DWORD type = kRegSz);
LONG WriteDword(RegistryApi& registry, HKEY root, const std::string& path, const std::string& name,
                DWORD value);

// Hands a value's bytes to a RegQueryValueExA caller, as that function does:
// the type when asked; without a buffer, the size alone; with one too short,
// kErrorMoreData and the size needed. For the registries that realise it.
LONG ServeValueBytes(DWORD type, const std::uint8_t* bytes, std::size_t count, DWORD* typeOut,
                     BYTE* data, DWORD* size);

// Registry bytes of a string: the text and its terminating NUL.
std::vector<std::uint8_t> BytesFromString(const std::string& text);
// The text of string bytes, up to the first NUL.
std::string StringFromBytes(const std::vector<std::uint8_t>& data);

}  // namespace vb::platform
