// The URL cache of the emulated machine: entries in registry.db, each with a
// source URL, an optional local file and an entry type.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "platform/file_system_api.h"
#include "platform/url_cache_api.h"

namespace vb::emu {

class Database;

class EmulatedUrlCache final : public platform::UrlCacheApi {
 public:
  EmulatedUrlCache(Database& db, platform::FileSystemApi& files);

  [[nodiscard]] win::LONG FindFirstUrlCacheEntryA(const char* pattern,
                                                  platform::UrlCacheEntryInfoA* entry,
                                                  win::DWORD* size,
                                                  platform::CacheHandle* handle) override;
  [[nodiscard]] win::LONG FindNextUrlCacheEntryA(platform::CacheHandle handle,
                                                 platform::UrlCacheEntryInfoA* entry,
                                                 win::DWORD* size) override;
  win::LONG FindCloseUrlCache(platform::CacheHandle handle) override;
  [[nodiscard]] win::LONG DeleteUrlCacheEntryA(const char* url) override;
  win::LONG CommitUrlCacheEntryA(const char* url, const char* localFile,
                                 win::DWORD entryType) override;

 private:
  struct Enumeration {
    std::string prefix;  // entries whose URL begins with it, case ignored; empty: all
    std::int64_t lastId = 0;
  };
  // Reads the entry after lastId into the caller's buffer; the cursor moves
  // only when the entry fitted.
  [[nodiscard]] win::LONG ReadNext(Enumeration& e, platform::UrlCacheEntryInfoA* entry,
                                   win::DWORD* size);

  Database& db_;
  platform::FileSystemApi& files_;
  std::map<platform::CacheHandle, Enumeration> enumerations_;
  platform::CacheHandle nextHandle_ = 0x200;
};

}  // namespace vb::emu
