// Deleting a registry key with everything below it: the one deleter of key
// trees, for the cleaner, the .reg import and reg delete alike.
#pragma once

#include <string>

#include "platform/registry_api.h"

namespace vb::registry {

// Deletes the key root\path with every value and subkey below it, deepest
// first. Returns kErrorSuccess when the key is gone, kErrorFileNotFound when
// it was never there, else the first error that stopped the walk, with the
// full name of the key it stopped at in *failedPath (when given).
//
// Every key the walk reaches loses the values it can before its subkeys are
// taken, first subkey first; a value that cannot be deleted is left. A subkey
// that cannot be deleted ends the walk: it and what comes after it stay, the
// subkeys before it are gone. An empty or malformed path ("\X", "X\",
// "X\\Y", a path holding a NUL) and a handle that is not one of the four
// roots are refused with kErrorInvalidParameter, touching nothing: a hive is
// never deleted. A tree of any depth is walked with a stack of open keys, not
// a stack frame per level.
//
// Not [[nodiscard]]: the cleaning routines delete what they can and go on.
win::LONG DeleteTree(platform::RegistryApi& registry, win::HKEY root, const std::string& path,
                     std::string* failedPath = nullptr);

}  // namespace vb::registry
