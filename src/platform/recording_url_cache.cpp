#include "platform/recording_url_cache.h"

#include <cstring>

#include "platform/ascii_case.h"

namespace vb::platform {

RecordingUrlCache::RecordingUrlCache(UrlCacheApi& below, FileSystemApi& files,
                                     const RecordingSession& session)
    : below_(below), files_(files), session_(session) {}

RecordingUrlCache::~RecordingUrlCache() { Forget(); }

void RecordingUrlCache::Forget() {
  for (auto& [handle, e] : enumerations_) End(e);
  enumerations_.clear();
  deleted_.clear();
  committed_.clear();
  belowEntries_.reset();
}

void RecordingUrlCache::End(Enumeration& e) {
  if (e.belowOpen) below_.FindCloseUrlCache(e.below);
  e.belowOpen = false;
  e.belowEnded = true;
}

bool RecordingUrlCache::ReadBelow(Enumeration& e, Held* held) {
  // 8-byte aligned, as the record's pointers want it.
  std::vector<std::uint64_t> buffer(128);
  for (;;) {
    auto size = static_cast<DWORD>(buffer.size() * sizeof(std::uint64_t));
    auto* entry = reinterpret_cast<UrlCacheEntryInfoA*>(buffer.data());
    const char* pattern = e.hasPattern ? e.pattern.c_str() : nullptr;
    LONG error = e.belowOpen ? below_.FindNextUrlCacheEntryA(e.below, entry, &size)
                             : below_.FindFirstUrlCacheEntryA(pattern, entry, &size, &e.below);
    if (error == kErrorInsufficientBuffer) {
      buffer.resize(size / sizeof(std::uint64_t) + 1);
      continue;
    }
    if (error != kErrorSuccess) {
      End(e);
      return false;
    }
    e.belowOpen = true;
    *held = Held{};
    held->info = *entry;
    held->url = entry->lpszSourceUrlName ? entry->lpszSourceUrlName : "";
    held->hasFile = entry->lpszLocalFileName != nullptr;
    if (held->hasFile) held->file = entry->lpszLocalFileName;
    held->hasHeader = entry->lpHeaderInfo != nullptr;
    if (held->hasHeader) held->header.assign(entry->lpHeaderInfo, entry->dwHeaderInfoSize);
    held->hasExtension = entry->lpszFileExtension != nullptr;
    if (held->hasExtension) held->extension = entry->lpszFileExtension;
    return true;
  }
}

void RecordingUrlCache::SizeOf(const std::string& file, UrlCacheEntryInfoA* info) {
  FindData data;
  std::uint64_t bytes = 0;
  if (!file.empty() && files_.GetFileAttributesExA(file, &data) == kErrorSuccess) bytes = data.size;
  info->dwSizeLow = static_cast<DWORD>(bytes);
  info->dwSizeHigh = static_cast<DWORD>(bytes >> 32);
}

bool RecordingUrlCache::Gone(const Held& held) const {
  return held.committed == kBelow ? deleted_.count(held.url) != 0 : committed_[held.committed].gone;
}

LONG RecordingUrlCache::ReadNext(Enumeration& e) {
  Held held;
  while (!e.belowEnded && ReadBelow(e, &held)) {
    if (Gone(held)) continue;
    if (Committed* replaced = FindCommitted(held.url); replaced && replaced->inPlace) {
      held.file = replaced->file;
      held.hasFile = !replaced->file.empty();
      held.info.CacheEntryType = replaced->type;
      SizeOf(replaced->file, &held.info);
    }
    e.held = std::move(held);
    return kErrorSuccess;
  }
  // Then the entries the record added, in the order committed.
  while (e.nextCommitted < committed_.size()) {
    std::size_t index = e.nextCommitted++;
    const Committed& added = committed_[index];
    if (added.inPlace || added.gone) continue;
    if (!e.fold.empty() && FoldAscii(added.url).rfind(e.fold, 0) != 0) continue;
    Held made;
    made.info.dwStructSize = sizeof(UrlCacheEntryInfoA);
    made.info.CacheEntryType = added.type;
    made.url = added.url;
    made.file = added.file;
    made.hasFile = !added.file.empty();
    made.committed = index;
    SizeOf(added.file, &made.info);
    e.held = std::move(made);
    return kErrorSuccess;
  }
  return kErrorNoMoreItems;
}

LONG RecordingUrlCache::HandOut(Enumeration& e, UrlCacheEntryInfoA* entry, DWORD* size) {
  if (!size) return kErrorInvalidParameter;
  // An entry read before and deleted since is passed over, as it would be
  // had it been read after.
  if (e.held && Gone(*e.held)) e.held.reset();
  if (!e.held)
    if (LONG error = ReadNext(e); error != kErrorSuccess) return error;
  const Held& held = *e.held;
  std::size_t needed = sizeof(UrlCacheEntryInfoA) + held.url.size() + 1 +
                       (held.hasFile ? held.file.size() + 1 : 0) + held.header.size() +
                       (held.hasExtension ? held.extension.size() + 1 : 0);
  if (!entry || *size < needed) {
    *size = static_cast<DWORD>(needed);
    return kErrorInsufficientBuffer;
  }
  *entry = held.info;
  char* text = reinterpret_cast<char*>(entry + 1);
  auto place = [&text](const std::string& s, bool terminated) {
    char* at = text;
    std::memcpy(at, s.data(), s.size());
    text += s.size();
    if (terminated) *text++ = '\0';
    return at;
  };
  entry->lpszSourceUrlName = place(held.url, true);
  entry->lpszLocalFileName = held.hasFile ? place(held.file, true) : nullptr;
  entry->lpHeaderInfo = held.hasHeader ? place(held.header, false) : nullptr;
  entry->dwHeaderInfoSize = static_cast<DWORD>(held.header.size());
  entry->lpszFileExtension = held.hasExtension ? place(held.extension, true) : nullptr;
  *size = static_cast<DWORD>(needed);
  e.held.reset();
  return kErrorSuccess;
}

LONG RecordingUrlCache::FindFirstUrlCacheEntryA(const char* pattern, UrlCacheEntryInfoA* entry,
                                                DWORD* size, CacheHandle* handle) {
  if (!Recording()) return below_.FindFirstUrlCacheEntryA(pattern, entry, size, handle);
  if (!handle) return kErrorInvalidParameter;
  Enumeration e;
  e.hasPattern = pattern != nullptr;
  if (pattern) e.pattern = pattern;
  if (pattern && std::strcmp(pattern, "*") != 0) e.fold = FoldAscii(pattern);
  LONG error = HandOut(e, entry, size);
  if (error != kErrorSuccess) {
    End(e);
    return error;
  }
  *handle = nextHandle_--;
  enumerations_.emplace(*handle, std::move(e));
  return kErrorSuccess;
}

LONG RecordingUrlCache::FindNextUrlCacheEntryA(CacheHandle handle, UrlCacheEntryInfoA* entry,
                                               DWORD* size) {
  if (!Recording() || handle >= -1) return below_.FindNextUrlCacheEntryA(handle, entry, size);
  auto it = enumerations_.find(handle);
  if (it == enumerations_.end()) return kErrorInvalidHandle;
  return HandOut(it->second, entry, size);
}

LONG RecordingUrlCache::FindCloseUrlCache(CacheHandle handle) {
  if (!Recording() || handle >= -1) return below_.FindCloseUrlCache(handle);
  auto it = enumerations_.find(handle);
  if (it == enumerations_.end()) return kErrorInvalidHandle;
  End(it->second);
  enumerations_.erase(it);
  return kErrorSuccess;
}

const std::unordered_map<std::string, std::string>& RecordingUrlCache::Below() {
  if (!belowEntries_) {
    belowEntries_.emplace();
    Enumeration e;
    Held held;
    while (ReadBelow(e, &held)) belowEntries_->emplace(held.url, held.file);
  }
  return *belowEntries_;
}

RecordingUrlCache::Committed* RecordingUrlCache::FindCommitted(const std::string& url) {
  for (Committed& c : committed_)
    if (!c.gone && c.url == url) return &c;
  return nullptr;
}

LONG RecordingUrlCache::DeleteUrlCacheEntryA(const char* url) {
  if (!Recording()) return below_.DeleteUrlCacheEntryA(url);
  if (!url) return kErrorInvalidParameter;
  std::string key(url);
  Committed* committed = FindCommitted(key);
  bool below = deleted_.count(key) == 0 && Below().count(key) != 0;
  std::string file;
  if (committed) {
    file = committed->file;
  } else if (below) {
    file = Below().at(key);
  } else {
    return kErrorFileNotFound;
  }
  // A local file in use keeps its entry, as the cache refuses to drop it.
  if (!file.empty() && files_.DeleteFileA(file) == kErrorSharingViolation)
    return kErrorSharingViolation;
  if (committed) committed->gone = true;
  if (below) deleted_.insert(key);
  session_.Tell(RecordedChange{ChangeKind::kDeleteCacheEntry, key, file, 0});
  return kErrorSuccess;
}

LONG RecordingUrlCache::CommitUrlCacheEntryA(const char* url, const char* localFile,
                                             DWORD entryType) {
  if (!Recording()) return below_.CommitUrlCacheEntryA(url, localFile, entryType);
  if (!url || !*url) return kErrorInvalidParameter;
  std::string file = localFile ? localFile : "";
  if (!file.empty() && files_.GetFileAttributesA(file) == kInvalidFileAttributes)
    return kErrorFileNotFound;
  std::string key(url);
  if (Committed* again = FindCommitted(key)) {
    again->file = file;
    again->type = entryType;
  } else {
    bool inPlace = deleted_.count(key) == 0 && Below().count(key) != 0;
    committed_.push_back(Committed{key, file, entryType, inPlace, false});
  }
  session_.Tell(RecordedChange{ChangeKind::kCommitCacheEntry, key, file, entryType});
  return kErrorSuccess;
}

}  // namespace vb::platform
