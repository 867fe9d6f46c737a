// Environment variables, the temporary folder and the user's locale.
#pragma once

#include <string>

#include "platform/win_types.h"

namespace vb::platform {

using namespace vb::win;

class EnvironmentApi {
 public:
  virtual ~EnvironmentApi() = default;

  // The value of a variable, matched without regard to case; empty when unset.
  virtual std::string GetEnvironmentVariableA(const std::string& name) = 0;
  // Replaces each %NAME% of a defined variable; undefined references stay as
  // they are. Returns the size the result needs, its NUL included; the result
  // is written only when it fits into size characters.
  virtual DWORD ExpandEnvironmentStringsA(const char* source, char* destination, DWORD size) = 0;
  // The user's temporary folder, ending in "\".
  virtual std::string GetTempPathA() = 0;
  // GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL).
  virtual std::string GetDecimalSeparator() = 0;
};

}  // namespace vb::platform
