#include "browser/cache_cursor.h"

#include <new>

namespace vb::browser {

using namespace vb::win;

bool CacheCursor::Allocate(DWORD size) {
  buffer_.reset();
  current_ = Current{};
  if (size < sizeof(platform::UrlCacheEntryInfoA)) size = sizeof(platform::UrlCacheEntryInfoA);
  buffer_.reset(new (std::nothrow) std::uint64_t[(size + 7) / 8]);
  if (!buffer_) return false;
  Record()->dwStructSize = size;
  return true;
}

void CacheCursor::CopyCurrent() {
  const auto* record = Record();
  current_ = Current{record->dwStructSize, record->lpszSourceUrlName, record->lpszLocalFileName,
                     record->CacheEntryType};
}

bool CacheCursor::FirstCacheEntry() {
  CloseCacheEnum();
  DWORD size = 0;
  platform::CacheHandle probe = 0;
  if (cache_.FindFirstUrlCacheEntryA(nullptr, nullptr, &size, &probe) != kErrorInsufficientBuffer)
    return false;
  if (!Allocate(size)) return false;
  if (cache_.FindFirstUrlCacheEntryA(nullptr, Record(), &size, &handle_) != kErrorSuccess)
    handle_ = 0;
  CopyCurrent();
  return handle_ != 0;
}

bool CacheCursor::NextCacheEntry() {
  if (!handle_) return false;
  DWORD size = 0;
  if (cache_.FindNextUrlCacheEntryA(handle_, nullptr, &size) != kErrorInsufficientBuffer)
    return false;
  if (!Allocate(size)) return false;
  bool ok = cache_.FindNextUrlCacheEntryA(handle_, Record(), &size) == kErrorSuccess;
  CopyCurrent();
  return ok;
}

void CacheCursor::CloseCacheEnum() {
  if (handle_) cache_.FindCloseUrlCache(handle_);
  handle_ = 0;
}

std::string CacheCursor::CacheEntryUrl() const {
  return current_.lpszSourceUrlName ? current_.lpszSourceUrlName : "";
}

std::string CacheCursor::CacheEntryFile() const {
  return current_.lpszLocalFileName ? current_.lpszLocalFileName : "";
}

bool CacheCursor::DeleteCacheEntry(const std::string& url) {
  return cache_.DeleteUrlCacheEntryA(url.c_str()) == kErrorSuccess;
}

}  // namespace vb::browser
