// The Windows registry functions the program calls, in their ANSI forms.
#pragma once

#include "platform/win_types.h"

namespace vb::platform {

using namespace vb::win;

// What RegQueryInfoKeyA reports; lengths are in characters without the NUL.
struct RegKeyInfo {
  DWORD subKeys = 0;
  DWORD maxSubKeyLen = 0;
  DWORD values = 0;
  DWORD maxValueNameLen = 0;
  DWORD maxValueLen = 0;
};

// Each routine behaves as its Windows namesake and returns its error code.
// A null or empty subKey names the key itself; a null or empty valueName names
// the key's default value.
class RegistryApi {
 public:
  virtual ~RegistryApi() = default;

  [[nodiscard]] virtual LONG RegOpenKeyA(HKEY key, const char* subKey, HKEY* result) = 0;
  [[nodiscard]] virtual LONG RegOpenKeyExA(HKEY key, const char* subKey, DWORD options,
                                           DWORD access, HKEY* result) = 0;
  [[nodiscard]] virtual LONG RegCreateKeyA(HKEY key, const char* subKey, HKEY* result) = 0;
  [[nodiscard]] virtual LONG RegCreateKeyExA(HKEY key, const char* subKey, DWORD reserved,
                                             const char* keyClass, DWORD options, DWORD access,
                                             HKEY* result, DWORD* disposition) = 0;
  // With data null and size given, stores the needed byte size in *size. With a
  // buffer smaller than the value, fails with kErrorMoreData and the needed size.
  [[nodiscard]] virtual LONG RegQueryValueExA(HKEY key, const char* valueName, DWORD* type,
                                              BYTE* data, DWORD* size) = 0;
  [[nodiscard]] virtual LONG RegSetValueExA(HKEY key, const char* valueName, DWORD type,
                                            const BYTE* data, DWORD size) = 0;
  virtual LONG RegDeleteValueA(HKEY key, const char* valueName) = 0;
  // Deletes one key that has no subkeys.
  virtual LONG RegDeleteKeyA(HKEY key, const char* subKey) = 0;
  // nameSize is the buffer size in characters, the NUL included.
  [[nodiscard]] virtual LONG RegEnumKeyA(HKEY key, DWORD index, char* name, DWORD nameSize) = 0;
  // *nameSize is the buffer size in characters on entry, and the length of the
  // name without its NUL on success. type, data and dataSize may be null.
  [[nodiscard]] virtual LONG RegEnumValueA(HKEY key, DWORD index, char* name, DWORD* nameSize,
                                           DWORD* type, BYTE* data, DWORD* dataSize) = 0;
  [[nodiscard]] virtual LONG RegQueryInfoKeyA(HKEY key, RegKeyInfo* info) = 0;
  virtual LONG RegCloseKey(HKEY key) = 0;

  // Groups the changes until EndChanges into one all-or-nothing unit where
  // the registry can do that (the emulated one can; Windows cannot, and then
  // these do nothing). kErrorSuccess: the unit has begun. kErrorNotSupported:
  // changes cannot be grouped here, and are made one by one. Any other code
  // (kErrorBusy: another program is changing the registry) means the unit
  // could not begin, and no change of it should be made.
  [[nodiscard]] virtual LONG BeginChanges() { return kErrorNotSupported; }
  // Ends the unit that BeginChanges began: keeps its changes, or undoes them.
  // Returns why the changes could not be kept (then none of them was).
  virtual LONG EndChanges(bool /*keep*/) { return kErrorSuccess; }
};

}  // namespace vb::platform
