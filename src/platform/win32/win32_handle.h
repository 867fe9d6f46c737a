// Small pieces the Win32 realisation's files share; included only by them,
// after <windows.h>.
#pragma once

#include "platform/win_types.h"

namespace vb::win32 {

// The calling thread's last error as the platform's error code.
inline win::LONG LastError() { return static_cast<win::LONG>(GetLastError()); }

// A kernel handle closed when it goes out of scope.
class Handle {
 public:
  explicit Handle(HANDLE h = INVALID_HANDLE_VALUE) : h_(h) {}
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  ~Handle() {
    if (valid()) CloseHandle(h_);
  }
  bool valid() const { return h_ != INVALID_HANDLE_VALUE && h_ != nullptr; }
  HANDLE get() const { return h_; }
  HANDLE release() {
    HANDLE h = h_;
    h_ = INVALID_HANDLE_VALUE;
    return h;
  }

 private:
  HANDLE h_;
};

}  // namespace vb::win32
