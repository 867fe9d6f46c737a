// What the Win32 realisation adds to the bare Windows functions: the command
// line split, the dialog filter text, local files copied into WinINet's
// storage, program launching and the Wine check.
#include <gtest/gtest.h>

#include <cctype>
#include <chrono>
#include <memory>
#include <thread>

#include "conformance/platform_target.h"
#include "platform/ascii_case.h"
#include "platform/win32/win32_platform.h"

namespace vb {
namespace {

using namespace vb::win;

TEST(Win32Helpers, ArgumentsFollowTheProgramsNameQuotedOrNot) {
  EXPECT_EQ(win32::ArgumentsOf("vanbrisk.exe /AUTO"), "/AUTO");
  EXPECT_EQ(win32::ArgumentsOf("\"C:\\Program Files\\Vanbrisk\\vanbrisk.exe\"  /AUTO x"),
            "/AUTO x");
  EXPECT_EQ(win32::ArgumentsOf("  C:\\v.exe\t\t-a  -b "), "-a  -b ");
  EXPECT_EQ(win32::ArgumentsOf("vanbrisk.exe"), "");
  EXPECT_EQ(win32::ArgumentsOf("\"C:\\a b\\v.exe\""), "");
  EXPECT_EQ(win32::ArgumentsOf("\"unclosed quote /AUTO"), "");
  EXPECT_EQ(win32::ArgumentsOf(""), "");
}

TEST(Win32Helpers, DialogFiltersGetTheirNulSeparators) {
  EXPECT_EQ(win32::DialogFilter("Text Files (*.txt)|*.txt"),
            std::string("Text Files (*.txt)\0*.txt\0\0", 26));
  EXPECT_EQ(win32::DialogFilter("A|*.a|B|*.b;*.c"), std::string("A\0*.a\0B\0*.b;*.c\0\0", 17));
  EXPECT_EQ(win32::DialogFilter(""), "");
}

class Win32Realisation : public conformance::PlatformTest {};

TEST_F(Win32Realisation, TheCommandLineIsTheArgumentsOfThisProcess) {
  std::string arguments = p().System().CommandLine();
  // CTest starts each case with its filter; by hand there may be none.
  if (!arguments.empty()) {
    EXPECT_EQ(arguments.find("vanbrisk_win_tests"), std::string::npos);
  }
  EXPECT_EQ(p().System().ProgramName(), "vanbrisk_win_tests");
  std::string exe = p().System().ProgramFolder() + "\\vanbrisk_win_tests.exe";
  EXPECT_NE(files().GetFileAttributesA(exe), kInvalidFileAttributes) << exe;
}

TEST_F(Win32Realisation, ALocalFileOutsideTheCacheIsCopiedIntoIt) {
  std::string url = "http://conformance.test/" + Marker() + "/copied.txt";
  Write("source.txt", "cached bytes");
  ASSERT_EQ(p().UrlCache().CommitUrlCacheEntryA(url.c_str(), At("source.txt").c_str(),
                                                kNormalCacheEntry),
            kErrorSuccess);
  // Find the entry and its file.
  DWORD size = 0;
  platform::CacheHandle handle = 0;
  platform::UrlCacheApi& cache = p().UrlCache();
  ASSERT_EQ(cache.FindFirstUrlCacheEntryA(nullptr, nullptr, &size, &handle),
            kErrorInsufficientBuffer);
  std::string local;
  std::unique_ptr<std::uint64_t[]> buffer;
  LONG rc = kErrorInsufficientBuffer;
  bool first = true;
  while (true) {
    buffer.reset(new std::uint64_t[size / 8 + 1]);
    auto* entry = reinterpret_cast<platform::UrlCacheEntryInfoA*>(buffer.get());
    entry->dwStructSize = size;
    rc = first ? cache.FindFirstUrlCacheEntryA(nullptr, entry, &size, &handle)
               : cache.FindNextUrlCacheEntryA(handle, entry, &size);
    first = false;
    if (rc != kErrorSuccess) break;
    if (url == entry->lpszSourceUrlName && entry->lpszLocalFileName)
      local = entry->lpszLocalFileName;
    size = 0;
    if (cache.FindNextUrlCacheEntryA(handle, nullptr, &size) != kErrorInsufficientBuffer) break;
  }
  cache.FindCloseUrlCache(handle);
  ASSERT_FALSE(local.empty());
  EXPECT_FALSE(platform::EqualsIgnoringCase(local, At("source.txt")));
  std::string content;
  ASSERT_EQ(files().ReadFileBytes(local, &content), kErrorSuccess);
  EXPECT_EQ(content, "cached bytes");
  // The caller's file stays where it was.
  ASSERT_EQ(files().ReadFileBytes(At("source.txt"), &content), kErrorSuccess);
  EXPECT_EQ(cache.DeleteUrlCacheEntryA(url.c_str()), kErrorSuccess);
  EXPECT_EQ(files().GetFileAttributesA(local), kInvalidFileAttributes);
  EXPECT_EQ(cache.CommitUrlCacheEntryA(url.c_str(), At("none.txt").c_str(), kNormalCacheEntry),
            kErrorFileNotFound);
}

TEST_F(Win32Realisation, LaunchingStartsAProgramAndReportsOneThatIsMissing) {
  std::string marker = At("launched.txt");
  ASSERT_EQ(p().System().Launch("cmd.exe /c echo launched> \"" + marker + "\"", 2), kErrorSuccess);
  // The program runs on its own: wait a little for its file.
  for (int i = 0; i < 200 && files().GetFileAttributesA(marker) == kInvalidFileAttributes; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_NE(files().GetFileAttributesA(marker), kInvalidFileAttributes);
  EXPECT_NE(p().System().Launch(At("no such program.exe"), 1), kErrorSuccess);
}

TEST_F(Win32Realisation, WineIsToldApartFromWindows) {
  std::string version = win32::WineVersion();
  // CTest runs the tests under Wine with WINEDEBUG set, which Wine passes on.
  bool wineEnvironment = !p().Environment().GetEnvironmentVariableA("WINEDEBUG").empty();
  if (wineEnvironment) {
    EXPECT_FALSE(version.empty());
  }
  if (!version.empty()) {
    EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(version[0]))) << version;
  }
}

}  // namespace
}  // namespace vb
