// Key paths and value names reach the registry functions as C strings, which
// end at their first NUL: "Software\Microsoft<NUL>\Old Tool" would arrive as
// Software\Microsoft, and a deletion would take that key. Every routine that
// hands a std::string to them asks HoldsNul first and refuses such a name
// with kErrorInvalidParameter, touching nothing.
#pragma once

#include <string_view>

namespace vb::platform {

[[nodiscard]] constexpr bool HoldsNul(std::string_view name) {
  return name.find('\0') != std::string_view::npos;
}

}  // namespace vb::platform
