// The URL cache of the recording platform. Passing through, each call is the
// call of the cache below. Recording, a deleted entry is recorded, and its
// local file deleted through the recording file system (so the file reads
// see it gone, and a file in use keeps its entry, as below); a committed
// entry is recorded; enumerations read the cache below and see the record.
//
// Whether an entry to delete is there is read from one enumeration of the
// whole cache below, made at the first deletion of a recording. URLs are
// matched exactly, as the cache keeps them. Enumerations seen through the
// record have handles of this layer's own, below -1.
//
// For one thread at a time, as the platforms' callers are.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "platform/file_system_api.h"
#include "platform/recorded_change.h"
#include "platform/url_cache_api.h"

namespace vb::platform {

class RecordingUrlCache final : public UrlCacheApi {
 public:
  // `files`: the recording file system, through which local files go.
  RecordingUrlCache(UrlCacheApi& below, FileSystemApi& files, const RecordingSession& session);
  ~RecordingUrlCache() override;
  RecordingUrlCache(const RecordingUrlCache&) = delete;
  RecordingUrlCache& operator=(const RecordingUrlCache&) = delete;

  // Forgets the record and ends its enumerations.
  void Forget();

  [[nodiscard]] LONG FindFirstUrlCacheEntryA(const char* pattern, UrlCacheEntryInfoA* entry,
                                             DWORD* size, CacheHandle* handle) override;
  [[nodiscard]] LONG FindNextUrlCacheEntryA(CacheHandle handle, UrlCacheEntryInfoA* entry,
                                            DWORD* size) override;
  LONG FindCloseUrlCache(CacheHandle handle) override;
  [[nodiscard]] LONG DeleteUrlCacheEntryA(const char* url) override;
  LONG CommitUrlCacheEntryA(const char* url, const char* localFile, DWORD entryType) override;

 private:
  // An entry as the recording hands it out: the strings of the record below
  // (or of the commit), copied out of its buffer.
  struct Held {
    UrlCacheEntryInfoA info{};
    std::string url, file, header, extension;
    bool hasFile = false, hasHeader = false, hasExtension = false;
    std::size_t committed = kBelow;  // which committed entry it is; kBelow for one below
  };
  static constexpr std::size_t kBelow = ~std::size_t{0};
  struct Committed {
    std::string url, file;
    DWORD type = 0;
    bool inPlace = false;  // replaces an entry below, where that one stands
    bool gone = false;     // deleted since
  };
  struct Enumeration {
    bool hasPattern = false;
    std::string pattern;
    std::string fold;  // the committed entries listed: those whose URL begins with it
    CacheHandle below = 0;
    bool belowOpen = false, belowEnded = false;
    std::size_t nextCommitted = 0;
    std::optional<Held> held;  // the next entry, read but not handed out yet
  };

  bool Recording() const { return session_.recording; }
  // Reads the next entry to hand out into e.held; kErrorNoMoreItems at the end.
  [[nodiscard]] LONG ReadNext(Enumeration& e);
  // Reads the next entry of the enumeration below; false at its end.
  bool ReadBelow(Enumeration& e, Held* held);
  bool Gone(const Held& held) const;
  void SizeOf(const std::string& file, UrlCacheEntryInfoA* info);
  [[nodiscard]] LONG HandOut(Enumeration& e, UrlCacheEntryInfoA* entry, DWORD* size);
  void End(Enumeration& e);
  // The entries below, by URL, with their local files; read once.
  const std::unordered_map<std::string, std::string>& Below();
  Committed* FindCommitted(const std::string& url);

  UrlCacheApi& below_;
  FileSystemApi& files_;
  const RecordingSession& session_;
  std::unordered_set<std::string> deleted_;  // entries below that the record deleted
  std::vector<Committed> committed_;         // in the order committed
  std::optional<std::unordered_map<std::string, std::string>> belowEntries_;
  std::map<CacheHandle, Enumeration> enumerations_;
  CacheHandle nextHandle_ = -2;
};

}  // namespace vb::platform
