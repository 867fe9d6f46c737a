// The WinINet URL cache functions the program calls.
#pragma once

#include <cstdint>

#include "platform/win_types.h"

namespace vb::platform {

using namespace vb::win;

struct FileTime {
  DWORD low = 0;
  DWORD high = 0;
};

// The layout of INTERNET_CACHE_ENTRY_INFOA. The string pointers point into the
// buffer that holds the record, right after it.
struct UrlCacheEntryInfoA {
  DWORD dwStructSize;
  char* lpszSourceUrlName;
  char* lpszLocalFileName;
  DWORD CacheEntryType;
  DWORD dwUseCount;
  DWORD dwHitRate;
  DWORD dwSizeLow;
  DWORD dwSizeHigh;
  FileTime LastModifiedTime;
  FileTime ExpireTime;
  FileTime LastAccessTime;
  FileTime LastSyncTime;
  char* lpHeaderInfo;
  DWORD dwHeaderInfoSize;
  char* lpszFileExtension;
  DWORD dwExemptDelta;
};

using CacheHandle = std::intptr_t;

class UrlCacheApi {
 public:
  virtual ~UrlCacheApi() = default;

  // With a buffer too small (or none), fails with kErrorInsufficientBuffer and
  // stores the needed size; an empty cache fails with kErrorNoMoreItems. A null
  // pattern lists every entry.
  [[nodiscard]] virtual LONG FindFirstUrlCacheEntryA(const char* pattern, UrlCacheEntryInfoA* entry,
                                                     DWORD* size, CacheHandle* handle) = 0;
  // As above; the enumeration moves on only when an entry was returned.
  [[nodiscard]] virtual LONG FindNextUrlCacheEntryA(CacheHandle handle, UrlCacheEntryInfoA* entry,
                                                    DWORD* size) = 0;
  virtual LONG FindCloseUrlCache(CacheHandle handle) = 0;
  // Removes the entry and its local file.
  [[nodiscard]] virtual LONG DeleteUrlCacheEntryA(const char* url) = 0;
  // Adds or replaces an entry whose local file (may be empty) already exists.
  virtual LONG CommitUrlCacheEntryA(const char* url, const char* localFile, DWORD entryType) = 0;
};

}  // namespace vb::platform
