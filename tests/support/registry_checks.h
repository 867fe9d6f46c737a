// Looks at a registry that tests share.
#pragma once

#include <string>

#include "platform/opened_key.h"

namespace vb::test {

// Whether root\subKey can be opened for reading.
inline bool KeyExists(platform::RegistryApi& registry, win::HKEY root, const std::string& subKey) {
  platform::OpenedKey key(registry);
  return key.Open(root, subKey, win::kKeyRead) == win::kErrorSuccess;
}

}  // namespace vb::test
