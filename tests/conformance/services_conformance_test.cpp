// The other services the program depends on, the same on every platform:
// the URL cache's find / next / delete, the Recycle Bin's query and empty,
// environment variables and the temporary folder, memory, ticks and the
// program's identity.
#include <algorithm>
#include <cstring>
#include <map>
#include <memory>

#include "conformance/platform_target.h"
#include "platform/ascii_case.h"

namespace vb::conformance {
namespace {

using namespace vb::win;

struct CacheEntry {
  std::string url;
  std::string file;
  DWORD type = 0;
};

class ConformanceUrlCache : public PlatformTest {
 protected:
  // The whole cache, entry by entry, through the two-call pattern the
  // program uses (the size first, then a buffer of exactly that size).
  std::vector<CacheEntry> All(const char* pattern = nullptr) {
    platform::UrlCacheApi& cache = p().UrlCache();
    std::vector<CacheEntry> entries;
    DWORD size = 0;
    platform::CacheHandle handle = 0;
    LONG rc = cache.FindFirstUrlCacheEntryA(pattern, nullptr, &size, &handle);
    if (rc == kErrorNoMoreItems) return entries;
    EXPECT_EQ(rc, kErrorInsufficientBuffer);
    EXPECT_GE(size, sizeof(platform::UrlCacheEntryInfoA));
    std::unique_ptr<std::uint64_t[]> buffer(new std::uint64_t[size / 8 + 1]);
    auto* entry = reinterpret_cast<platform::UrlCacheEntryInfoA*>(buffer.get());
    entry->dwStructSize = size;
    rc = cache.FindFirstUrlCacheEntryA(pattern, entry, &size, &handle);
    while (rc == kErrorSuccess) {
      entries.push_back({entry->lpszSourceUrlName,
                         entry->lpszLocalFileName ? entry->lpszLocalFileName : "",
                         entry->CacheEntryType});
      size = 0;
      rc = cache.FindNextUrlCacheEntryA(handle, nullptr, &size);
      if (rc != kErrorInsufficientBuffer) break;
      buffer.reset(new std::uint64_t[size / 8 + 1]);
      entry = reinterpret_cast<platform::UrlCacheEntryInfoA*>(buffer.get());
      entry->dwStructSize = size;
      rc = cache.FindNextUrlCacheEntryA(handle, entry, &size);
    }
    EXPECT_EQ(rc, kErrorNoMoreItems);
    EXPECT_EQ(cache.FindCloseUrlCache(handle), kErrorSuccess);
    return entries;
  }
  // The entries of this test's URLs (a real cache holds others too).
  std::map<std::string, CacheEntry> Ours(const std::string& marker) {
    std::map<std::string, CacheEntry> ours;
    for (const CacheEntry& e : All())
      if (e.url.find(marker) != std::string::npos) ours[e.url] = e;
    return ours;
  }
  LONG Commit(const std::string& url, const std::string& file, DWORD type) {
    return p().UrlCache().CommitUrlCacheEntryA(url.c_str(), file.c_str(), type);
  }
};

TEST_F(ConformanceUrlCache, CommittedEntriesAreFoundOnceEachWithTheirFileAndType) {
  std::string m = Marker();
  std::string page = "http://conformance.test/" + m + "/page.html";
  std::string image = "http://conformance.test/" + m + "/image.png";
  std::string pageFile = target().CacheFile(page, "<html>page</html>");
  std::string imageFile = target().CacheFile(image, "PNG");
  ASSERT_EQ(Commit(page, pageFile, kNormalCacheEntry), kErrorSuccess);
  ASSERT_EQ(Commit(image, imageFile, kNormalCacheEntry), kErrorSuccess);

  std::map<std::string, CacheEntry> ours = Ours(m);
  ASSERT_EQ(ours.size(), 2u);
  EXPECT_EQ(ours[page].type & kNormalCacheEntry, kNormalCacheEntry);
  EXPECT_TRUE(platform::EqualsIgnoringCase(ours[page].file, pageFile))
      << ours[page].file << " " << pageFile;
  EXPECT_TRUE(platform::EqualsIgnoringCase(ours[image].file, imageFile));
  std::string content;
  ASSERT_EQ(files().ReadFileBytes(ours[page].file, &content), kErrorSuccess);
  EXPECT_EQ(content, "<html>page</html>");

  // A second commit of a URL replaces its entry.
  ASSERT_EQ(Commit(page, target().CacheFile(page, "again"), kNormalCacheEntry), kErrorSuccess);
  EXPECT_EQ(Ours(m).size(), 2u);
}

TEST_F(ConformanceUrlCache, DeletionRemovesTheEntryAndItsFileAndRefusesAnAbsentUrl) {
  std::string m = Marker();
  std::string url = "http://conformance.test/" + m + "/gone.css";
  std::string file = target().CacheFile(url, "body{}");
  ASSERT_EQ(Commit(url, file, kNormalCacheEntry), kErrorSuccess);
  std::string local = Ours(m)[url].file;
  ASSERT_FALSE(local.empty());
  EXPECT_EQ(p().UrlCache().DeleteUrlCacheEntryA(url.c_str()), kErrorSuccess);
  EXPECT_TRUE(Ours(m).empty());
  EXPECT_EQ(files().GetFileAttributesA(local), kInvalidFileAttributes);
  EXPECT_EQ(p().UrlCache().DeleteUrlCacheEntryA(url.c_str()), kErrorFileNotFound);
  std::string never = "http://conformance.test/" + m + "/never-there";
  EXPECT_EQ(p().UrlCache().DeleteUrlCacheEntryA(never.c_str()), kErrorFileNotFound);
}

TEST_F(ConformanceUrlCache, CookieAndHistoryEntriesAreListedWithTheirTypes) {
  std::string m = Marker();
  std::string cookie = "Cookie:user@" + m + ".test/";
  std::string visited = "Visited: user@http://" + m + ".test/visited.html";
  ASSERT_EQ(Commit(cookie, target().CacheFile(cookie, "name\nvalue\n" + m + ".test/\n"),
                   kCookieCacheEntry | kNormalCacheEntry),
            kErrorSuccess);
  ASSERT_EQ(Commit(visited, "", kUrlHistoryCacheEntry | kNormalCacheEntry), kErrorSuccess);
  std::map<std::string, CacheEntry> ours = Ours(m);
  if (OnWindows()) {
    // Windows keeps cookies and history in containers of their own, which
    // a listing without a pattern may leave out; they are found by prefix.
    for (const CacheEntry& e : All("cookie:"))
      if (e.url.find(m) != std::string::npos) ours[e.url] = e;
    for (const CacheEntry& e : All("visited:"))
      if (e.url.find(m) != std::string::npos) ours[e.url] = e;
  }
  ASSERT_EQ(ours.size(), 2u);
  EXPECT_TRUE(ours.count(cookie));
  EXPECT_TRUE(ours[cookie].type & kCookieCacheEntry);
  EXPECT_EQ(ours[cookie].url.rfind("Cookie", 0), 0u);
  EXPECT_TRUE(ours.count(visited));
  EXPECT_TRUE(ours[visited].type & kUrlHistoryCacheEntry);
  // An entry without a local file has none in its record.
  EXPECT_EQ(ours[visited].file, "");
  EXPECT_EQ(p().UrlCache().DeleteUrlCacheEntryA(cookie.c_str()), kErrorSuccess);
  EXPECT_EQ(p().UrlCache().DeleteUrlCacheEntryA(visited.c_str()), kErrorSuccess);
}

TEST_F(ConformanceUrlCache, AShortBufferGetsTheSizeAndTheEnumerationStaysPut) {
  std::string m = Marker();
  std::string url = "http://conformance.test/" + m + "/first";
  ASSERT_EQ(Commit(url, target().CacheFile(url, "1"), kNormalCacheEntry), kErrorSuccess);
  platform::UrlCacheApi& cache = p().UrlCache();
  DWORD size = 0;
  platform::CacheHandle handle = 0;
  ASSERT_EQ(cache.FindFirstUrlCacheEntryA(nullptr, nullptr, &size, &handle),
            kErrorInsufficientBuffer);
  DWORD needed = size;
  std::unique_ptr<std::uint64_t[]> buffer(new std::uint64_t[needed / 8 + 1]);
  auto* entry = reinterpret_cast<platform::UrlCacheEntryInfoA*>(buffer.get());
  // One byte short is still too short.
  size = needed - 1;
  entry->dwStructSize = size;
  EXPECT_EQ(cache.FindFirstUrlCacheEntryA(nullptr, entry, &size, &handle),
            kErrorInsufficientBuffer);
  EXPECT_EQ(size, needed);
  size = needed;
  entry->dwStructSize = size;
  ASSERT_EQ(cache.FindFirstUrlCacheEntryA(nullptr, entry, &size, &handle), kErrorSuccess);
  EXPECT_NE(handle, 0);
  std::string first = entry->lpszSourceUrlName;
  // The strings live in the same buffer, after the record.
  EXPECT_GE(reinterpret_cast<char*>(entry->lpszSourceUrlName),
            reinterpret_cast<char*>(entry) + sizeof(platform::UrlCacheEntryInfoA) - 1);
  EXPECT_LT(reinterpret_cast<char*>(entry->lpszSourceUrlName),
            reinterpret_cast<char*>(entry) + needed);
  // Asking the size of the next entry does not move on.
  DWORD nextSize = 0;
  LONG rc = cache.FindNextUrlCacheEntryA(handle, nullptr, &nextSize);
  if (rc == kErrorInsufficientBuffer) {
    DWORD again = 0;
    EXPECT_EQ(cache.FindNextUrlCacheEntryA(handle, nullptr, &again), kErrorInsufficientBuffer);
    EXPECT_EQ(again, nextSize);
  } else {
    EXPECT_EQ(rc, kErrorNoMoreItems);
  }
  EXPECT_EQ(cache.FindCloseUrlCache(handle), kErrorSuccess);
  EXPECT_FALSE(first.empty());
}

class ConformanceRecycleBin : public PlatformTest {};

TEST_F(ConformanceRecycleBin, QueryCountsWhatIsRecycledAndEmptyTakesItAll) {
  platform::ShellApi& shell = p().Shell();
  platform::RecycleBinInfo before;
  ASSERT_EQ(shell.SHQueryRecycleBinA("C:\\", &before), kSOk);
  EXPECT_GE(before.i64NumItems, 0);
  EXPECT_GE(before.i64Size, 0);
  platform::RecycleBinInfo again;
  ASSERT_EQ(shell.SHQueryRecycleBinA("C:", &again), kSOk);
  EXPECT_EQ(again.i64NumItems, before.i64NumItems);

  if (!target().MayEmptyRecycleBin())
    GTEST_SKIP() << "emptying would empty this user's own Recycle Bin; "
                    "set VANBRISK_TEST_MAY_EMPTY_RECYCLE_BIN=1 to allow it";
  Write("recycled.txt", std::string(3000, 'r'));
  ASSERT_TRUE(target().Recycle(At("recycled.txt")));
  EXPECT_EQ(files().GetFileAttributesA(At("recycled.txt")), kInvalidFileAttributes);
  platform::RecycleBinInfo full;
  ASSERT_EQ(shell.SHQueryRecycleBinA("C:\\", &full), kSOk);
  EXPECT_EQ(full.i64NumItems, before.i64NumItems + 1);
  EXPECT_GE(full.i64Size, before.i64Size + 3000);

  // As the clean run empties it: every drive, no confirmation, no progress.
  EXPECT_EQ(shell.SHEmptyRecycleBinA(0, nullptr, kSherbNoConfirmation | kSherbNoProgressUi),
            kSOk);
  platform::RecycleBinInfo empty;
  ASSERT_EQ(shell.SHQueryRecycleBinA("C:\\", &empty), kSOk);
  EXPECT_EQ(empty.i64NumItems, 0);
  EXPECT_EQ(empty.i64Size, 0);
}

class ConformanceEnvironment : public PlatformTest {};

TEST_F(ConformanceEnvironment, VariablesAreFoundWithoutRegardToCase) {
  platform::EnvironmentApi& env = p().Environment();
  std::string root = env.GetEnvironmentVariableA("SystemRoot");
  ASSERT_FALSE(root.empty());
  EXPECT_EQ(env.GetEnvironmentVariableA("SYSTEMROOT"), root);
  EXPECT_EQ(env.GetEnvironmentVariableA("systemroot"), root);
  EXPECT_EQ(root.substr(1, 2), ":\\");
  EXPECT_EQ(files().GetFileAttributesA(root) & kFileAttributeDirectory, kFileAttributeDirectory);
  EXPECT_EQ(env.GetEnvironmentVariableA("VANBRISK_NEVER_SET_VARIABLE"), "");
  EXPECT_FALSE(env.GetEnvironmentVariableA("HOMEDRIVE").empty());
  EXPECT_FALSE(env.GetEnvironmentVariableA("ProgramFiles").empty());
  EXPECT_FALSE(env.GetEnvironmentVariableA("AppData").empty());
}

TEST_F(ConformanceEnvironment, ExpansionReplacesKnownNamesAndLeavesTheRest) {
  platform::EnvironmentApi& env = p().Environment();
  std::string root = env.GetEnvironmentVariableA("SystemRoot");
  auto expand = [&](const char* text) {
    DWORD needed = env.ExpandEnvironmentStringsA(text, nullptr, 0);
    EXPECT_GT(needed, 0u) << text;
    std::string out(needed, '\0');
    EXPECT_EQ(env.ExpandEnvironmentStringsA(text, out.data(), needed), needed) << text;
    EXPECT_EQ(out.back(), '\0') << text;
    out.pop_back();
    return out;
  };
  EXPECT_EQ(expand("%SystemRoot%\\system32"), root + "\\system32");
  EXPECT_EQ(expand("%systemroot%"), root);
  EXPECT_EQ(expand("no references"), "no references");
  EXPECT_EQ(expand("%VANBRISK_NEVER_SET_VARIABLE%\\x"), "%VANBRISK_NEVER_SET_VARIABLE%\\x");
  EXPECT_EQ(expand("100% sure"), "100% sure");
  EXPECT_EQ(expand(""), "");

  // A buffer too small gets nothing, and the size needed comes back.
  char small[4] = {'k', 'e', 'e', 'p'};
  DWORD needed = env.ExpandEnvironmentStringsA("%SystemRoot%", small, sizeof small);
  EXPECT_EQ(needed, root.size() + 1);
  EXPECT_EQ(std::string(small, 4), "keep");
}

TEST_F(ConformanceEnvironment, TheTemporaryFolderExistsAndEndsInABackslash) {
  platform::EnvironmentApi& env = p().Environment();
  std::string temp = env.GetTempPathA();
  ASSERT_GE(temp.size(), 4u);
  EXPECT_EQ(temp.back(), '\\');
  EXPECT_EQ(temp.substr(1, 2), ":\\");
  DWORD attributes = files().GetFileAttributesA(temp.substr(0, temp.size() - 1));
  ASSERT_NE(attributes, kInvalidFileAttributes) << temp;
  EXPECT_TRUE(attributes & kFileAttributeDirectory);
  // It is the folder that TMP (or TEMP) names.
  std::string tmp = env.GetEnvironmentVariableA("TMP");
  if (tmp.empty()) tmp = env.GetEnvironmentVariableA("TEMP");
  ASSERT_FALSE(tmp.empty());
  if (tmp.back() != '\\') tmp += '\\';
  EXPECT_TRUE(platform::EqualsIgnoringCase(tmp, temp)) << tmp << " " << temp;
  // A file can be made and removed there.
  std::string probe = temp + "vanbrisk-probe-" + Marker() + ".tmp";
  ASSERT_EQ(files().WriteFileBytes(probe, "x"), kErrorSuccess);
  EXPECT_EQ(files().DeleteFileA(probe), kErrorSuccess);

  std::string separator = env.GetDecimalSeparator();
  EXPECT_EQ(separator.size(), 1u);
}

class ConformanceSystem : public PlatformTest {};

TEST_F(ConformanceSystem, MemoryTicksAndTheProgramsIdentity) {
  platform::SystemApi& system = p().System();
  platform::MemoryStatus memory;
  system.GlobalMemoryStatus(&memory);
  EXPECT_GT(memory.dwTotalPhys, 0u);
  EXPECT_LE(memory.dwAvailPhys, memory.dwTotalPhys);
  EXPECT_LE(memory.dwMemoryLoad, 100u);

  DWORD start = system.timeGetTime();
  DWORD later = start;
  // Ticks advance (the loop gives up long before a test's time limit).
  for (int i = 0; i < 50000000 && later == start; ++i) later = system.timeGetTime();
  EXPECT_NE(later, start);
  EXPECT_LT(later - start, 1000u);

  std::string folder = system.ProgramFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_NE(folder.back(), '\\');
  EXPECT_TRUE(files().GetFileAttributesA(folder) & kFileAttributeDirectory) << folder;
  std::string name = system.ProgramName();
  EXPECT_FALSE(name.empty());
  EXPECT_EQ(name.find('.'), std::string::npos) << name;
  EXPECT_EQ(name.find('\\'), std::string::npos) << name;
}

}  // namespace
}  // namespace vb::conformance
