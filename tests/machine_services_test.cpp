// The emulated machine's environment, locale, URL cache, launcher and user.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>

#include "platform/emulated/emulated_system.h"
#include "platform/scripted_ui.h"
#include "platform/registry_values.h"
#include "support/temp_machine.h"

namespace vb {
namespace {

using namespace vb::win;

TEST(EmulatedEnvironment, IsBuiltFromTheRegistryAtLogon) {
  test::TempMachine m;
  auto& env = m.platform().Environment();
  EXPECT_EQ(env.GetEnvironmentVariableA("systemroot"), "C:\\WINDOWS");
  EXPECT_EQ(env.GetEnvironmentVariableA("HOMEDRIVE"), "C:");
  EXPECT_EQ(env.GetEnvironmentVariableA("AppData"),
            "C:\\Documents and Settings\\User\\Application Data");
  // The user's TEMP replaces the system's and is expanded against the profile.
  EXPECT_EQ(env.GetEnvironmentVariableA("TEMP"),
            "C:\\Documents and Settings\\User\\Local Settings\\Temp");
  EXPECT_EQ(env.GetTempPathA(), "C:\\Documents and Settings\\User\\Local Settings\\Temp\\");
  EXPECT_EQ(env.GetEnvironmentVariableA("NoSuchVariable"), "");

  // A change in the registry reaches the environment at the next logon only.
  platform::WriteString(m.platform().Registry(), kHkeyCurrentUser, "Environment", "TMP",
                        "D:\\Scratch");
  EXPECT_NE(m.platform().Environment().GetTempPathA(), "D:\\Scratch\\");
  m.Reopen();
  EXPECT_EQ(m.platform().Environment().GetTempPathA(), "D:\\Scratch\\");
}

TEST(EmulatedEnvironment, ExpandsKnownNamesAndLeavesTheRest) {
  test::TempMachine m;
  auto& env = m.platform().Environment();
  const char* source = "%HOMEDRIVE%%HOMEPATH%\\%nope%\\50%";
  std::string expected = "C:\\Documents and Settings\\User\\%nope%\\50%";
  DWORD needed = env.ExpandEnvironmentStringsA(source, nullptr, 0);
  EXPECT_EQ(needed, expected.size() + 1);
  std::vector<char> small(needed - 1, 'x');
  env.ExpandEnvironmentStringsA(source, small.data(), needed - 1);
  EXPECT_EQ(std::string(small.data(), small.size()), std::string(needed - 1, 'x'));
  std::vector<char> buffer(needed);
  env.ExpandEnvironmentStringsA(source, buffer.data(), needed);
  EXPECT_EQ(std::string(buffer.data()), expected);
}

TEST(EmulatedEnvironment, DecimalSeparatorComesFromTheUsersLocale) {
  test::TempMachine m;
  auto& reg = m.platform().Registry();
  EXPECT_EQ(m.platform().Environment().GetDecimalSeparator(), ".");
  platform::WriteString(reg, kHkeyCurrentUser, "Control Panel\\International", "sDecimal", ",");
  EXPECT_EQ(m.platform().Environment().GetDecimalSeparator(), ",");
  reg.RegDeleteKeyA(kHkeyCurrentUser, "Control Panel\\International");
  EXPECT_EQ(m.platform().Environment().GetDecimalSeparator(), ".");
}

// Reads the cache the way the program does: ask for the size, then read.
struct CacheWalk {
  explicit CacheWalk(platform::UrlCacheApi& c) : cache(c) {}
  ~CacheWalk() {
    if (handle) cache.FindCloseUrlCache(handle);
  }
  LONG First() {
    DWORD size = 0;
    LONG rc = cache.FindFirstUrlCacheEntryA(nullptr, nullptr, &size, &handle);
    if (rc != kErrorInsufficientBuffer) return rc;
    buffer.reset(new std::uint64_t[size / 8 + 1]);
    return cache.FindFirstUrlCacheEntryA(nullptr, entry(), &size, &handle);
  }
  LONG Next() {
    DWORD size = 0;
    LONG rc = cache.FindNextUrlCacheEntryA(handle, nullptr, &size);
    if (rc != kErrorInsufficientBuffer) return rc;
    buffer.reset(new std::uint64_t[size / 8 + 1]);
    return cache.FindNextUrlCacheEntryA(handle, entry(), &size);
  }
  platform::UrlCacheEntryInfoA* entry() {
    return reinterpret_cast<platform::UrlCacheEntryInfoA*>(buffer.get());
  }
  platform::UrlCacheApi& cache;
  platform::CacheHandle handle = 0;
  std::unique_ptr<std::uint64_t[]> buffer;
};

TEST(EmulatedUrlCache, WalksEntriesAndDeletesThemWithTheirFiles) {
  test::TempMachine m;
  auto& cache = m.platform().UrlCache();
  {
    CacheWalk empty(cache);
    EXPECT_EQ(empty.First(), kErrorNoMoreItems);
  }
  test::WriteHostFile(m.Host("drive_c/page.htm"), "<html>");
  EXPECT_EQ(cache.CommitUrlCacheEntryA("http://a/", "C:\\missing.htm", 1), kErrorFileNotFound);
  ASSERT_EQ(cache.CommitUrlCacheEntryA("http://a/", "C:\\page.htm", kNormalCacheEntry), 0);
  ASSERT_EQ(cache.CommitUrlCacheEntryA("Cookie:user@b/", "", kCookieCacheEntry), 0);

  CacheWalk walk(cache);
  ASSERT_EQ(walk.First(), kErrorSuccess);
  EXPECT_STREQ(walk.entry()->lpszSourceUrlName, "http://a/");
  EXPECT_STREQ(walk.entry()->lpszLocalFileName, "C:\\page.htm");
  EXPECT_EQ(walk.entry()->dwSizeLow, 6u);
  ASSERT_EQ(walk.Next(), kErrorSuccess);
  EXPECT_STREQ(walk.entry()->lpszSourceUrlName, "Cookie:user@b/");
  EXPECT_EQ(walk.entry()->lpszLocalFileName, nullptr);
  EXPECT_EQ(walk.entry()->CacheEntryType, kCookieCacheEntry);
  EXPECT_EQ(walk.Next(), kErrorNoMoreItems);

  EXPECT_EQ(cache.DeleteUrlCacheEntryA("http://absent/"), kErrorFileNotFound);
  ASSERT_EQ(cache.DeleteUrlCacheEntryA("http://a/"), kErrorSuccess);
  EXPECT_EQ(m.platform().Files().GetFileAttributesA("C:\\page.htm"), kInvalidFileAttributes);
  CacheWalk again(cache);
  ASSERT_EQ(again.First(), kErrorSuccess);
  EXPECT_STREQ(again.entry()->lpszSourceUrlName, "Cookie:user@b/");
  EXPECT_EQ(cache.FindNextUrlCacheEntryA(12345, nullptr, nullptr), kErrorInvalidHandle);
}

TEST(EmulatedSystem, RecordsLaunchesAndAnswersBoxesFromTheScript) {
  test::TempMachine m;
  m.platform().System().Launch("regedit.exe", 1);
  m.Reopen();
  auto launched = m.machine().Sys().Launched();
  ASSERT_EQ(launched.size(), 1u);
  EXPECT_EQ(launched[0].commandLine, "regedit.exe");
  EXPECT_EQ(launched[0].windowStyle, 1);
  EXPECT_EQ(m.platform().System().ProgramFolder(), "C:\\Program Files\\Vanbrisk");

  std::ostringstream log;
  auto& ui = m.machine().Script();
  ui.SetLog(&log);
  EXPECT_EQ(ui.MessageBoxA("Warning!\r\nSure?", "Vanbrisk Suite", 68), kIdNo);
  ui.QueueAnswer("Yes");
  EXPECT_EQ(ui.MessageBoxA("Again?", "Vanbrisk Suite", 68), kIdYes);
  EXPECT_EQ(ui.MessageBoxA("Refused", "Vanbrisk", 48), kIdOk);
  ui.QueueAnswer("C:\\out.txt");
  EXPECT_EQ(ui.GetSaveFileNameA({"Save", "Text Files (*.txt)|*.txt", "", ""}), "C:\\out.txt");
  EXPECT_EQ(ui.BrowseForFolder("Pick"), "");
  EXPECT_EQ(log.str(),
            "MessageBox: title \"Vanbrisk Suite\", style 68, text \"Warning!\\nSure?\", answer No\n"
            "MessageBox: title \"Vanbrisk Suite\", style 68, text \"Again?\", answer Yes\n"
            "MessageBox: title \"Vanbrisk\", style 48, text \"Refused\", answer Ok\n"
            "SaveFileDialog: title \"Save\", answer \"C:\\out.txt\"\n"
            "FolderDialog: title \"Pick\", answer Cancel\n");
}

}  // namespace
}  // namespace vb
