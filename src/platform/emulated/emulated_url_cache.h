// The URL cache of the emulated machine: entries in registry.db, each with a
// source URL, an optional local file and an entry type.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <string>

#include "platform/emulated/database.h"
#include "platform/emulated/emulated_url_cache_sizes.h"
#include "platform/file_system_api.h"
#include "platform/url_cache_api.h"

namespace vb::emu {

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
  struct Row {
    std::int64_t id = 0;
    std::string url, file;
    win::DWORD type = 0;
  };
  // An open enumeration reads its entries a batch at a time and keeps the
  // batch, so that the usual two calls per entry (its size, then its record)
  // read the database once, and a walk of the whole cache prepares nothing.
  struct Enumeration {
    explicit Enumeration(platform::FileSystemApi& files) : sizes(files) {}
    std::string fold;         // entries whose URL begins with it, case ignored; empty: all
    std::int64_t lastId = 0;  // the last entry returned
    std::deque<Row> ahead;    // the entries after lastId already read, in id order
    UrlCacheFileSizes sizes;  // of the local files of the entries returned
  };
  // Reads the entry after lastId into the caller's buffer; the cursor moves
  // only when the entry fitted.
  [[nodiscard]] win::LONG ReadNext(Enumeration& e, platform::UrlCacheEntryInfoA* entry,
                                   win::DWORD* size);
  // Reads the next batch of entries after lastId into e.ahead.
  void ReadAhead(Enumeration& e);
  // The statement of sql, prepared on first use and kept for the cache's
  // life; prepared again after it failed.
  Statement& Prepared(std::optional<Statement>& slot, const char* sql);

  Database& db_;
  platform::FileSystemApi& files_;
  std::map<platform::CacheHandle, Enumeration> enumerations_;
  platform::CacheHandle nextHandle_ = 0x200;
  std::optional<Statement> readAhead_, findUrl_, deleteId_, commit_;
};

}  // namespace vb::emu
