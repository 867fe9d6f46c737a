// The URL cache over wininet: the record layouts agree, so the caller's
// buffer goes to WinINet as it is.
#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "platform/win32/win32_handle.h"
#include "platform/win32/win32_platform.h"

namespace vb::win32 {

namespace {

using Ours = platform::UrlCacheEntryInfoA;
using Theirs = INTERNET_CACHE_ENTRY_INFOA;

static_assert(sizeof(Ours) == sizeof(Theirs));
static_assert(alignof(Ours) == alignof(Theirs));
static_assert(offsetof(Ours, dwStructSize) == offsetof(Theirs, dwStructSize));
static_assert(offsetof(Ours, lpszSourceUrlName) == offsetof(Theirs, lpszSourceUrlName));
static_assert(offsetof(Ours, lpszLocalFileName) == offsetof(Theirs, lpszLocalFileName));
static_assert(offsetof(Ours, CacheEntryType) == offsetof(Theirs, CacheEntryType));
static_assert(offsetof(Ours, dwUseCount) == offsetof(Theirs, dwUseCount));
static_assert(offsetof(Ours, dwHitRate) == offsetof(Theirs, dwHitRate));
static_assert(offsetof(Ours, dwSizeLow) == offsetof(Theirs, dwSizeLow));
static_assert(offsetof(Ours, dwSizeHigh) == offsetof(Theirs, dwSizeHigh));
static_assert(offsetof(Ours, LastModifiedTime) == offsetof(Theirs, LastModifiedTime));
static_assert(offsetof(Ours, ExpireTime) == offsetof(Theirs, ExpireTime));
static_assert(offsetof(Ours, LastAccessTime) == offsetof(Theirs, LastAccessTime));
static_assert(offsetof(Ours, LastSyncTime) == offsetof(Theirs, LastSyncTime));
static_assert(offsetof(Ours, lpHeaderInfo) == offsetof(Theirs, lpHeaderInfo));
static_assert(offsetof(Ours, dwHeaderInfoSize) == offsetof(Theirs, dwHeaderInfoSize));
static_assert(offsetof(Ours, lpszFileExtension) == offsetof(Theirs, lpszFileExtension));
static_assert(offsetof(Ours, dwExemptDelta) == offsetof(Theirs, dwExemptDelta));

Theirs* Native(Ours* entry) { return reinterpret_cast<Theirs*>(entry); }

// The extension of a file name, without its dot; empty when it has none.
std::string ExtensionOf(const std::string& path) {
  std::size_t dot = path.find_last_of('.');
  std::size_t separator = path.find_last_of("\\/");
  if (dot == std::string::npos || (separator != std::string::npos && dot < separator)) return "";
  return path.substr(dot + 1);
}

// Whether WinINet's own storage holds the file: the folder where it would
// put a new file for the same URL contains it.
bool InCacheStorage(const char* url, const std::string& file) {
  char probe[MAX_PATH + 1] = {};
  if (!::CreateUrlCacheEntryA(url, 0, nullptr, probe, 0)) return false;
  std::string created(probe);
  ::DeleteFileA(probe);
  std::size_t separator = created.find_last_of('\\');
  if (separator == std::string::npos) return false;
  // The cache's root: the folder above the one that WinINet chose.
  std::size_t above = created.find_last_of('\\', separator - 1);
  std::string root = created.substr(0, (above == std::string::npos ? separator : above) + 1);
  return CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, file.c_str(),
                        static_cast<int>(std::min(file.size(), root.size())), root.c_str(),
                        static_cast<int>(root.size())) == CSTR_EQUAL;
}

}  // namespace

win::LONG Win32UrlCache::FindFirstUrlCacheEntryA(const char* pattern, Ours* entry,
                                                 win::DWORD* size, platform::CacheHandle* handle) {
  if (!size || !handle) return ERROR_INVALID_PARAMETER;
  DWORD s = *size;
  HANDLE h = ::FindFirstUrlCacheEntryA(pattern, entry ? Native(entry) : nullptr, &s);
  *size = s;
  if (!h) {
    *handle = 0;
    return LastError();
  }
  *handle = reinterpret_cast<platform::CacheHandle>(h);
  return ERROR_SUCCESS;
}

win::LONG Win32UrlCache::FindNextUrlCacheEntryA(platform::CacheHandle handle, Ours* entry,
                                                win::DWORD* size) {
  if (!size) return ERROR_INVALID_PARAMETER;
  DWORD s = *size;
  BOOL ok = ::FindNextUrlCacheEntryA(reinterpret_cast<HANDLE>(handle),
                                     entry ? Native(entry) : nullptr, &s);
  *size = s;
  return ok ? ERROR_SUCCESS : LastError();
}

win::LONG Win32UrlCache::FindCloseUrlCache(platform::CacheHandle handle) {
  return ::FindCloseUrlCache(reinterpret_cast<HANDLE>(handle)) ? ERROR_SUCCESS : LastError();
}

win::LONG Win32UrlCache::DeleteUrlCacheEntryA(const char* url) {
  if (!url) return ERROR_INVALID_PARAMETER;
  return ::DeleteUrlCacheEntryA(url) ? ERROR_SUCCESS : LastError();
}

win::LONG Win32UrlCache::CreateUrlCacheEntryA(const char* url, const char* extension,
                                              std::string* fileName) {
  if (!url || !fileName) return ERROR_INVALID_PARAMETER;
  char name[MAX_PATH + 1] = {};
  if (!::CreateUrlCacheEntryA(url, 0, extension && *extension ? extension : nullptr, name, 0))
    return LastError();
  *fileName = name;
  return ERROR_SUCCESS;
}

win::LONG Win32UrlCache::CommitUrlCacheEntryA(const char* url, const char* localFile,
                                              win::DWORD entryType) {
  if (!url || !*url) return ERROR_INVALID_PARAMETER;
  std::string file = localFile ? localFile : "";
  if (!file.empty() && ::GetFileAttributesA(file.c_str()) == INVALID_FILE_ATTRIBUTES)
    return ERROR_FILE_NOT_FOUND;
  if (!file.empty() && !InCacheStorage(url, file)) {
    std::string copy;
    std::string extension = ExtensionOf(file);
    if (win::LONG rc = CreateUrlCacheEntryA(url, extension.c_str(), &copy); rc != ERROR_SUCCESS)
      return rc;
    if (!::CopyFileA(file.c_str(), copy.c_str(), FALSE)) {
      win::LONG rc = LastError();
      ::DeleteFileA(copy.c_str());
      return rc;
    }
    file = copy;
  }
  FILETIME never = {0, 0};
  if (!::CommitUrlCacheEntryA(url, file.empty() ? nullptr : file.c_str(), never, never, entryType,
                              nullptr, 0, nullptr, nullptr))
    return LastError();
  return ERROR_SUCCESS;
}

}  // namespace vb::win32
