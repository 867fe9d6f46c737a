#include "platform/emulated/emulated_url_cache.h"

#include <algorithm>
#include <cstring>

#include "platform/ascii_case.h"

namespace vb::emu {

using namespace vb::win;
using platform::UrlCacheEntryInfoA;

namespace {

// Entries read per batch: a walk of 10,000 entries runs the query 40 times,
// and an enumeration holds at most this many entries besides its own.
constexpr std::int64_t kReadAhead = 256;

}  // namespace

EmulatedUrlCache::EmulatedUrlCache(Database& db, platform::FileSystemApi& files)
    : db_(db), files_(files) {}

Statement& EmulatedUrlCache::Prepared(std::optional<Statement>& slot, const char* sql) {
  if (!slot || !slot->ok()) slot.emplace(db_.handle(), sql);
  return *slot;
}

void EmulatedUrlCache::ReadAhead(Enumeration& e) {
  Statement& s = Prepared(
      readAhead_,
      "SELECT id, url, local_file, type FROM url_cache WHERE id > ?1 AND "
      "(?2 = '' OR upper(substr(url, 1, length(?2))) = ?2) ORDER BY id LIMIT ?3");
  s.Bind(1, e.lastId).Bind(2, e.fold).Bind(3, kReadAhead);
  while (s.Step())
    e.ahead.push_back(Row{s.Int(0), s.Text(1), s.Text(2), static_cast<DWORD>(s.Int(3))});
  // Reset ends the read, so that no open enumeration holds the database.
  s.Reset();
}

LONG EmulatedUrlCache::ReadNext(Enumeration& e, UrlCacheEntryInfoA* entry, DWORD* size) {
  if (!size) return kErrorInvalidParameter;
  if (e.ahead.empty()) ReadAhead(e);
  if (e.ahead.empty()) return kErrorNoMoreItems;
  const Row& row = e.ahead.front();
  const std::string& url = row.url;
  const std::string& file = row.file;
  DWORD needed = static_cast<DWORD>(sizeof(UrlCacheEntryInfoA) + url.size() + 1 +
                                    (file.empty() ? 0 : file.size() + 1));
  if (!entry || *size < needed) {
    *size = needed;
    return kErrorInsufficientBuffer;
  }
  *entry = UrlCacheEntryInfoA{};
  char* text = reinterpret_cast<char*>(entry + 1);
  entry->dwStructSize = sizeof(UrlCacheEntryInfoA);
  entry->lpszSourceUrlName = text;
  std::memcpy(text, url.c_str(), url.size() + 1);
  if (!file.empty()) {
    entry->lpszLocalFileName = text + url.size() + 1;
    std::memcpy(entry->lpszLocalFileName, file.c_str(), file.size() + 1);
    std::uint64_t bytes = 0;
    if (e.sizes.SizeOf(file, &bytes)) {
      entry->dwSizeLow = static_cast<DWORD>(bytes);
      entry->dwSizeHigh = static_cast<DWORD>(bytes >> 32);
    }
  }
  entry->CacheEntryType = row.type;
  *size = needed;
  e.lastId = row.id;
  e.ahead.pop_front();
  return kErrorSuccess;
}

LONG EmulatedUrlCache::FindFirstUrlCacheEntryA(const char* pattern, UrlCacheEntryInfoA* entry,
                                               DWORD* size, platform::CacheHandle* handle) {
  if (!handle) return kErrorInvalidParameter;
  Enumeration e(files_);
  if (pattern && std::strcmp(pattern, "*") != 0) e.fold = platform::FoldAscii(pattern);
  LONG rc = ReadNext(e, entry, size);
  if (rc != kErrorSuccess) return rc;
  *handle = nextHandle_;
  nextHandle_ += 4;
  enumerations_.emplace(*handle, std::move(e));
  return kErrorSuccess;
}

LONG EmulatedUrlCache::FindNextUrlCacheEntryA(platform::CacheHandle handle,
                                              UrlCacheEntryInfoA* entry, DWORD* size) {
  auto it = enumerations_.find(handle);
  if (it == enumerations_.end()) return kErrorInvalidHandle;
  return ReadNext(it->second, entry, size);
}

LONG EmulatedUrlCache::FindCloseUrlCache(platform::CacheHandle handle) {
  return enumerations_.erase(handle) ? kErrorSuccess : kErrorInvalidHandle;
}

LONG EmulatedUrlCache::DeleteUrlCacheEntryA(const char* url) {
  if (!url) return kErrorInvalidParameter;
  Statement& find = Prepared(findUrl_, "SELECT id, local_file FROM url_cache WHERE url = ?");
  bool found = find.Bind(1, std::string_view(url)).Step();
  std::int64_t id = found ? find.Int(0) : 0;
  std::string file = found ? find.Text(1) : std::string();
  find.Reset();
  if (!found) return kErrorFileNotFound;
  if (!file.empty()) {
    LONG rc = files_.DeleteFileA(file);
    // A local file in use keeps its entry, as WinINet refuses to drop it.
    if (rc == kErrorSharingViolation) return rc;
  }
  Statement& del = Prepared(deleteId_, "DELETE FROM url_cache WHERE id = ?");
  bool deleted = del.Bind(1, id).Run();
  del.Reset();
  if (!deleted) return kErrorAccessDenied;
  // An open enumeration that already read the entry passes over it, as it
  // would had it read after the deletion.
  for (auto& [handle, e] : enumerations_) {
    auto at = std::lower_bound(e.ahead.begin(), e.ahead.end(), id,
                               [](const Row& row, std::int64_t key) { return row.id < key; });
    if (at != e.ahead.end() && at->id == id) e.ahead.erase(at);
  }
  return kErrorSuccess;
}

LONG EmulatedUrlCache::CommitUrlCacheEntryA(const char* url, const char* localFile,
                                            DWORD entryType) {
  if (!url || !*url) return kErrorInvalidParameter;
  std::string file = localFile ? localFile : "";
  if (!file.empty() && files_.GetFileAttributesA(file) == kInvalidFileAttributes)
    return kErrorFileNotFound;
  Statement& s = Prepared(commit_,
                          "INSERT INTO url_cache(url, local_file, type) VALUES (?, ?, ?) "
                          "ON CONFLICT(url) DO UPDATE SET local_file = excluded.local_file, "
                          "type = excluded.type");
  bool ok = s.Bind(1, std::string_view(url)).Bind(2, file).Bind(3, entryType).Run();
  s.Reset();
  if (!ok) return kErrorAccessDenied;
  // A replaced entry may be among those an open enumeration read: each reads
  // on from its last entry again.
  for (auto& [handle, e] : enumerations_) e.ahead.clear();
  return kErrorSuccess;
}

}  // namespace vb::emu
