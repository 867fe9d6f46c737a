#include "platform/emulated/emulated_url_cache.h"

#include <cstring>

#include "platform/emulated/database.h"
#include "platform/ascii_case.h"

namespace vb::emu {

using namespace vb::win;
using platform::UrlCacheEntryInfoA;

EmulatedUrlCache::EmulatedUrlCache(Database& db, platform::FileSystemApi& files)
    : db_(db), files_(files) {}

LONG EmulatedUrlCache::ReadNext(Enumeration& e, UrlCacheEntryInfoA* entry, DWORD* size) {
  if (!size) return kErrorInvalidParameter;
  Statement s(db_.handle(),
              "SELECT id, url, local_file, type FROM url_cache WHERE id > ? AND "
              "(? = '' OR upper(substr(url, 1, length(?))) = ?) ORDER BY id LIMIT 1");
  std::string fold = platform::FoldAscii(e.prefix);
  if (!s.Bind(1, e.lastId).Bind(2, fold).Bind(3, fold).Bind(4, fold).Step())
    return kErrorNoMoreItems;
  std::string url = s.Text(1), file = s.Text(2);
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
    platform::FindData data;
    if (files_.GetFileAttributesExA(file, &data) == kErrorSuccess) {
      entry->dwSizeLow = static_cast<DWORD>(data.size);
      entry->dwSizeHigh = static_cast<DWORD>(data.size >> 32);
    }
  }
  entry->CacheEntryType = static_cast<DWORD>(s.Int(3));
  *size = needed;
  e.lastId = s.Int(0);
  return kErrorSuccess;
}

LONG EmulatedUrlCache::FindFirstUrlCacheEntryA(const char* pattern, UrlCacheEntryInfoA* entry,
                                               DWORD* size, platform::CacheHandle* handle) {
  if (!handle) return kErrorInvalidParameter;
  Enumeration e;
  if (pattern && std::strcmp(pattern, "*") != 0) e.prefix = pattern;
  LONG rc = ReadNext(e, entry, size);
  if (rc != kErrorSuccess) return rc;
  *handle = nextHandle_;
  nextHandle_ += 4;
  enumerations_.emplace(*handle, e);
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
  Statement find(db_.handle(), "SELECT id, local_file FROM url_cache WHERE url = ?");
  if (!find.Bind(1, std::string_view(url)).Step()) return kErrorFileNotFound;
  std::int64_t id = find.Int(0);
  std::string file = find.Text(1);
  if (!file.empty()) {
    LONG rc = files_.DeleteFileA(file);
    // A local file in use keeps its entry, as WinINet refuses to drop it.
    if (rc == kErrorSharingViolation) return rc;
  }
  Statement del(db_.handle(), "DELETE FROM url_cache WHERE id = ?");
  return del.Bind(1, id).Run() ? kErrorSuccess : kErrorAccessDenied;
}

LONG EmulatedUrlCache::CommitUrlCacheEntryA(const char* url, const char* localFile,
                                            DWORD entryType) {
  if (!url || !*url) return kErrorInvalidParameter;
  std::string file = localFile ? localFile : "";
  if (!file.empty() && files_.GetFileAttributesA(file) == kInvalidFileAttributes)
    return kErrorFileNotFound;
  Statement s(db_.handle(),
              "INSERT INTO url_cache(url, local_file, type) VALUES (?, ?, ?) "
              "ON CONFLICT(url) DO UPDATE SET local_file = excluded.local_file, "
              "type = excluded.type");
  return s.Bind(1, std::string_view(url)).Bind(2, file).Bind(3, entryType).Run()
             ? kErrorSuccess
             : kErrorAccessDenied;
}

}  // namespace vb::emu
