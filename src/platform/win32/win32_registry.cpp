// The registry over advapi32, ANSI functions, handle values passed through.
#include <windows.h>

#include "platform/win32/win32_platform.h"

namespace vb::win32 {

namespace {

// Our HKEY is the integer value of the Windows handle, predefined roots
// included (both sign-extend 0x80000000 and up), so the conversion is exact.
::HKEY Native(win::HKEY key) { return reinterpret_cast<::HKEY>(key); }
win::HKEY Ours(::HKEY key) { return reinterpret_cast<win::HKEY>(key); }

static_assert(sizeof(win::HKEY) == sizeof(::HKEY));

}  // namespace

win::LONG Win32Registry::RegOpenKeyA(win::HKEY key, const char* subKey, win::HKEY* result) {
  if (!result) return ERROR_INVALID_PARAMETER;
  ::HKEY opened = nullptr;
  LONG rc = ::RegOpenKeyA(Native(key), subKey, &opened);
  if (rc == ERROR_SUCCESS) *result = Ours(opened);
  return rc;
}

win::LONG Win32Registry::RegOpenKeyExA(win::HKEY key, const char* subKey, win::DWORD options,
                                       win::DWORD access, win::HKEY* result) {
  if (!result) return ERROR_INVALID_PARAMETER;
  ::HKEY opened = nullptr;
  LONG rc = ::RegOpenKeyExA(Native(key), subKey, options, access, &opened);
  if (rc == ERROR_SUCCESS) *result = Ours(opened);
  return rc;
}

win::LONG Win32Registry::RegCreateKeyA(win::HKEY key, const char* subKey, win::HKEY* result) {
  if (!result) return ERROR_INVALID_PARAMETER;
  ::HKEY created = nullptr;
  LONG rc = ::RegCreateKeyA(Native(key), subKey, &created);
  if (rc == ERROR_SUCCESS) *result = Ours(created);
  return rc;
}

win::LONG Win32Registry::RegCreateKeyExA(win::HKEY key, const char* subKey, win::DWORD reserved,
                                         const char* keyClass, win::DWORD options,
                                         win::DWORD access, win::HKEY* result,
                                         win::DWORD* disposition) {
  if (!result) return ERROR_INVALID_PARAMETER;
  ::HKEY created = nullptr;
  DWORD how = 0;
  LONG rc = ::RegCreateKeyExA(Native(key), subKey ? subKey : "", reserved,
                              const_cast<char*>(keyClass), options, access, nullptr, &created,
                              &how);
  if (rc == ERROR_SUCCESS) {
    *result = Ours(created);
    if (disposition) *disposition = how;
  }
  return rc;
}

win::LONG Win32Registry::RegQueryValueExA(win::HKEY key, const char* valueName, win::DWORD* type,
                                          win::BYTE* data, win::DWORD* size) {
  DWORD t = 0;
  DWORD s = size ? *size : 0;
  LONG rc = ::RegQueryValueExA(Native(key), valueName, nullptr, &t, data, size ? &s : nullptr);
  if (rc == ERROR_SUCCESS || rc == ERROR_MORE_DATA) {
    if (type) *type = t;
    if (size) *size = s;
  }
  return rc;
}

win::LONG Win32Registry::RegSetValueExA(win::HKEY key, const char* valueName, win::DWORD type,
                                        const win::BYTE* data, win::DWORD size) {
  return ::RegSetValueExA(Native(key), valueName, 0, type, data, size);
}

win::LONG Win32Registry::RegDeleteValueA(win::HKEY key, const char* valueName) {
  return ::RegDeleteValueA(Native(key), valueName);
}

win::LONG Win32Registry::RegDeleteKeyA(win::HKEY key, const char* subKey) {
  return ::RegDeleteKeyA(Native(key), subKey ? subKey : "");
}

win::LONG Win32Registry::RegEnumKeyA(win::HKEY key, win::DWORD index, char* name,
                                     win::DWORD nameSize) {
  return ::RegEnumKeyA(Native(key), index, name, nameSize);
}

win::LONG Win32Registry::RegEnumValueA(win::HKEY key, win::DWORD index, char* name,
                                       win::DWORD* nameSize, win::DWORD* type, win::BYTE* data,
                                       win::DWORD* dataSize) {
  if (!nameSize) return ERROR_INVALID_PARAMETER;
  DWORD n = *nameSize;
  DWORD t = 0;
  DWORD d = dataSize ? *dataSize : 0;
  LONG rc = ::RegEnumValueA(Native(key), index, name, &n, nullptr, type ? &t : nullptr, data,
                            dataSize ? &d : nullptr);
  if (rc == ERROR_SUCCESS || rc == ERROR_MORE_DATA) {
    if (rc == ERROR_SUCCESS) *nameSize = n;
    if (type) *type = t;
    if (dataSize) *dataSize = d;
  }
  return rc;
}

win::LONG Win32Registry::RegQueryInfoKeyA(win::HKEY key, platform::RegKeyInfo* info) {
  if (!info) return ERROR_INVALID_PARAMETER;
  DWORD subKeys = 0, maxSubKeyLen = 0, values = 0, maxValueNameLen = 0, maxValueLen = 0;
  LONG rc = ::RegQueryInfoKeyA(Native(key), nullptr, nullptr, nullptr, &subKeys, &maxSubKeyLen,
                               nullptr, &values, &maxValueNameLen, &maxValueLen, nullptr,
                               nullptr);
  if (rc != ERROR_SUCCESS) return rc;
  info->subKeys = subKeys;
  info->maxSubKeyLen = maxSubKeyLen;
  info->values = values;
  info->maxValueNameLen = maxValueNameLen;
  info->maxValueLen = maxValueLen;
  return ERROR_SUCCESS;
}

win::LONG Win32Registry::RegCloseKey(win::HKEY key) { return ::RegCloseKey(Native(key)); }

}  // namespace vb::win32
