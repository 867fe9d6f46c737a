// The URL cache as a cursor with one current entry over the find-first /
// find-next functions. One enumeration at a time: starting a new one ends the
// previous one.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/url_cache_api.h"

namespace vb::browser {

class CacheCursor {
 public:
  explicit CacheCursor(platform::UrlCacheApi& cache) : cache_(cache) {}
  CacheCursor(const CacheCursor&) = delete;
  CacheCursor& operator=(const CacheCursor&) = delete;
  ~CacheCursor() { CloseCacheEnum(); }

  // True when the cache has a first entry, which becomes the current entry.
  [[nodiscard]] bool FirstCacheEntry();
  // True when a further entry became the current entry; false at the end or
  // when no enumeration is open.
  [[nodiscard]] bool NextCacheEntry();
  void CloseCacheEnum();

  // The current entry's fields; valid after a true result until the cursor moves.
  std::string CacheEntryUrl() const;
  std::string CacheEntryFile() const;
  win::DWORD CacheEntryType() const { return current_.CacheEntryType; }

  // True when the entry was removed.
  bool DeleteCacheEntry(const std::string& url);

  // Whether an entry record is held, for tests of the allocation rule.
  bool HoldsBuffer() const { return buffer_ != nullptr; }

 private:
  // Frees the previous record and allocates one of exactly size bytes.
  bool Allocate(win::DWORD size);
  platform::UrlCacheEntryInfoA* Record() {
    return reinterpret_cast<platform::UrlCacheEntryInfoA*>(buffer_.get());
  }
  void CopyCurrent();

  // The fields the program reads of the current entry: the first ones of the
  // record, the string pointers pointing into the record's buffer.
  struct Current {
    win::DWORD dwStructSize = 0;
    const char* lpszSourceUrlName = nullptr;
    const char* lpszLocalFileName = nullptr;
    win::DWORD CacheEntryType = 0;
  };

  platform::UrlCacheApi& cache_;
  platform::CacheHandle handle_ = 0;
  std::unique_ptr<std::uint64_t[]> buffer_;  // 8-byte aligned for the record
  Current current_;
};

}  // namespace vb::browser
