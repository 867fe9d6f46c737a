// A registry key handle that is closed when it goes out of scope.
#pragma once

#include <string>

#include "platform/registry_api.h"
#include "platform/registry_name.h"

namespace vb::platform {

// A key opened or created through a RegistryApi, closed when it goes out of
// scope. A path holding a NUL is refused with kErrorInvalidParameter.
class OpenedKey {
 public:
  explicit OpenedKey(RegistryApi& registry) : registry_(registry) {}
  OpenedKey(const OpenedKey&) = delete;
  OpenedKey& operator=(const OpenedKey&) = delete;
  ~OpenedKey() { Close(); }

  [[nodiscard]] win::LONG Open(win::HKEY root, const std::string& subKey, win::DWORD access) {
    Close();
    if (HoldsNul(subKey)) return win::kErrorInvalidParameter;
    win::LONG rc = registry_.RegOpenKeyExA(root, subKey.c_str(), 0, access, &key_);
    open_ = rc == win::kErrorSuccess;
    return rc;
  }
  [[nodiscard]] win::LONG Create(win::HKEY root, const std::string& subKey, win::DWORD access) {
    Close();
    if (HoldsNul(subKey)) return win::kErrorInvalidParameter;
    win::DWORD disposition = 0;
    win::LONG rc =
        registry_.RegCreateKeyExA(root, subKey.c_str(), 0, nullptr, 0, access, &key_, &disposition);
    open_ = rc == win::kErrorSuccess;
    return rc;
  }
  void Close() {
    if (open_) registry_.RegCloseKey(key_);
    open_ = false;
  }
  win::HKEY get() const { return key_; }

 private:
  RegistryApi& registry_;
  win::HKEY key_ = 0;
  bool open_ = false;
};

}  // namespace vb::platform
