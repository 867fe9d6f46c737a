#include "cli/machine_verbs.h"

#include <cctype>
#include <cstdlib>
#include <memory>

#include "platform/control_characters.h"

namespace vb::cli {

using namespace vb::win;

std::string DefaultMachineFolder() {
  if (const char* m = std::getenv("VANBRISK_MACHINE"); m && *m) return m;
  std::string data;
  if (const char* x = std::getenv("XDG_DATA_HOME"); x && *x)
    data = x;
  else if (const char* home = std::getenv("HOME"); home && *home)
    data = std::string(home) + "/.local/share";
  else
    data = ".";
  return data + "/vanbrisk/machine";
}

namespace {

// What the URL cache keys its entries by: a scheme of two characters or more
// (a letter, then letters, digits, "+", "-" or "."; one letter would be a
// drive), a colon and the rest ("http://host/", "Cookie:user@host/",
// "Visited: user@http://host/"), with no control character.
bool IsCacheUrl(const std::string& url) {
  std::size_t colon = url.find(':');
  if (colon == std::string::npos || colon < 2 || colon + 1 == url.size()) return false;
  if (!std::isalpha(static_cast<unsigned char>(url[0]))) return false;
  for (std::size_t i = 1; i < colon; ++i) {
    unsigned char c = static_cast<unsigned char>(url[i]);
    if (!std::isalnum(c) && c != '+' && c != '-' && c != '.') return false;
  }
  return !platform::HoldsControlCharacter(url);
}

int CacheAdd(platform::Platform& platform, const std::vector<std::string>& args, VerbIo io) {
  std::string url, file;
  DWORD type = kNormalCacheEntry;
  for (std::size_t i = 1; i < args.size(); ++i) {
    if (args[i] == "--file" && i + 1 < args.size()) {
      file = args[++i];
    } else if (args[i] == "--type" && i + 1 < args.size()) {
      char* end = nullptr;
      unsigned long n = std::strtoul(args[++i].c_str(), &end, 0);
      if (args[i].empty() || *end || n > 0xFFFFFFFFul) {
        io.err << "cache add: --type takes a number, not " << args[i] << "\n";
        return kExitUsage;
      }
      type = static_cast<DWORD>(n);
    } else if (url.empty() && args[i].rfind("--", 0) != 0) {
      url = args[i];
    } else {
      io.err << "cache add: unexpected argument " << args[i] << "\n";
      return kExitUsage;
    }
  }
  if (url.empty()) {
    io.err << "usage: cache add URL [--file PATH] [--type N]\n";
    return kExitUsage;
  }
  if (!IsCacheUrl(url)) {
    io.err << "cache add: " << url
           << " is not a URL (such as http://example.com/ or Cookie:user@example.com/)\n";
    return kExitUsage;
  }
  if (!file.empty()) {
    // The local file is checked where it really resolves: a path that a link
    // leads out of the machine's drives is refused, and said to be.
    platform::FindData local;
    if (platform.Files().GetFileAttributesExA(file, &local) == kErrorAccessDenied) {
      io.err << "cache add: access to the local file " << file << " was refused\n";
      return kExitFailed;
    }
  }
  LONG rc = platform.UrlCache().CommitUrlCacheEntryA(url.c_str(), file.c_str(), type);
  if (rc == kErrorFileNotFound) {
    io.err << "cache add: the local file " << file << " does not exist\n";
    return kExitFailed;
  }
  if (rc != kErrorSuccess) {
    io.err << "cache add: the entry could not be added (error " << rc << ")\n";
    return kExitFailed;
  }
  return kExitOk;
}

int CacheList(platform::Platform& platform, VerbIo io) {
  auto& cache = platform.UrlCache();
  DWORD size = 0;
  platform::CacheHandle handle = 0;
  std::unique_ptr<std::uint64_t[]> buffer;  // 8-byte aligned for the record
  auto entry = [&] { return reinterpret_cast<platform::UrlCacheEntryInfoA*>(buffer.get()); };
  auto grow = [&] { buffer.reset(new std::uint64_t[size / 8 + 1]); };
  LONG rc = cache.FindFirstUrlCacheEntryA(nullptr, nullptr, &size, &handle);
  if (rc == kErrorInsufficientBuffer) {
    grow();
    rc = cache.FindFirstUrlCacheEntryA(nullptr, entry(), &size, &handle);
  }
  while (rc == kErrorSuccess) {
    const auto* e = entry();
    io.out << e->lpszSourceUrlName << "\t" << e->CacheEntryType << "\t"
           << (e->lpszLocalFileName ? e->lpszLocalFileName : "") << "\n";
    rc = cache.FindNextUrlCacheEntryA(handle, entry(), &size);
    if (rc == kErrorInsufficientBuffer) {
      grow();
      rc = cache.FindNextUrlCacheEntryA(handle, entry(), &size);
    }
  }
  if (handle) cache.FindCloseUrlCache(handle);
  return kExitOk;
}

}  // namespace

int RunCacheVerb(platform::Platform& platform, const std::vector<std::string>& args, VerbIo io) {
  if (!args.empty() && args[0] == "add") return CacheAdd(platform, args, io);
  if (args.size() == 1 && args[0] == "list") return CacheList(platform, io);
  io.err << "usage: cache add URL [--file PATH] [--type N] | cache list\n";
  return kExitUsage;
}

}  // namespace vb::cli
