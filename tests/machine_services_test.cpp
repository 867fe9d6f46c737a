// The emulated machine's own services where they go beyond what the
// conformance suite checks on both platforms: the environment built from the
// registry at logon, the locale, the URL cache's records and refusals, the
// launcher and the scripted dialogs.
#include <gtest/gtest.h>

#include <sstream>

#include "platform/emulated/emulated_system.h"
#include "platform/registry_values.h"
#include "platform/scripted_ui.h"
#include "support/temp_machine.h"

namespace vb {
namespace {

using namespace vb::win;

TEST(EmulatedEnvironment, IsBuiltFromTheRegistryAtLogon) {
  test::TempMachine m;
  auto& env = m.platform().Environment();
  auto& reg = m.platform().Registry();
  EXPECT_EQ(env.GetEnvironmentVariableA("AppData"),
            "C:\\Documents and Settings\\User\\Application Data");
  // The user's TEMP replaces the system's and is expanded against the profile.
  EXPECT_EQ(env.GetEnvironmentVariableA("TEMP"),
            "C:\\Documents and Settings\\User\\Local Settings\\Temp");
  char expanded[64];
  env.ExpandEnvironmentStringsA("%HOMEDRIVE%%HOMEPATH%\\%nope%\\50%", expanded, sizeof expanded);
  EXPECT_STREQ(expanded, "C:\\Documents and Settings\\User\\%nope%\\50%");

  // A change in the registry reaches the environment at the next logon only;
  // the decimal separator follows the user's locale at once.
  ASSERT_EQ(platform::WriteString(reg, kHkeyCurrentUser, "Environment", "TMP", "D:\\Scratch"),
            kErrorSuccess);
  EXPECT_NE(env.GetTempPathA(), "D:\\Scratch\\");
  EXPECT_EQ(env.GetDecimalSeparator(), ".");
  ASSERT_EQ(platform::WriteString(reg, kHkeyCurrentUser, "Control Panel\\International",
                                  "sDecimal", ","),
            kErrorSuccess);
  EXPECT_EQ(env.GetDecimalSeparator(), ",");
  m.Reopen();
  EXPECT_EQ(m.platform().Environment().GetTempPathA(), "D:\\Scratch\\");
}

// Records come in the order made, with the size of their files (their file
// and type as the conformance suite checks). An enumeration reads ahead of
// the entry it returns; what changes meanwhile must show as if it read each
// entry only when asked.
TEST(EmulatedUrlCache, KeepsRecordsInOrderAndAnOpenEnumerationSeesChanges) {
  test::TempMachine m;
  auto& cache = m.platform().UrlCache();
  alignas(8) char buffer[1024];
  auto* entry = reinterpret_cast<platform::UrlCacheEntryInfoA*>(buffer);
  DWORD size = sizeof buffer;
  platform::CacheHandle handle = 0;
  auto next = [&] {
    size = sizeof buffer;
    return cache.FindNextUrlCacheEntryA(handle, entry, &size);
  };
  EXPECT_EQ(cache.FindFirstUrlCacheEntryA(nullptr, entry, &size, &handle), kErrorNoMoreItems);
  test::WriteHostFile(m.Host("drive_c/Cache/Page.htm"), "<html>page</html>");
  EXPECT_EQ(cache.CommitUrlCacheEntryA("http://e/0", "C:\\missing.htm", 1), kErrorFileNotFound);
  constexpr int kEntries = 600;  // more than one read-ahead
  for (int i = 0; i < kEntries; ++i)
    ASSERT_EQ(cache.CommitUrlCacheEntryA(("http://e/" + std::to_string(i)).c_str(), "", 1), 0);
  size = sizeof buffer;
  ASSERT_EQ(cache.FindFirstUrlCacheEntryA(nullptr, entry, &size, &handle), kErrorSuccess);
  EXPECT_STREQ(entry->lpszSourceUrlName, "http://e/0");
  // Replaced, with its file named in another case than the host's.
  ASSERT_EQ(cache.CommitUrlCacheEntryA("http://e/1", "C:\\CACHE\\page.HTM", 3), kErrorSuccess);
  ASSERT_EQ(next(), kErrorSuccess);
  EXPECT_STREQ(entry->lpszSourceUrlName, "http://e/1");
  EXPECT_EQ(entry->CacheEntryType, 3u);
  EXPECT_STREQ(entry->lpszLocalFileName, "C:\\CACHE\\page.HTM");
  EXPECT_EQ(entry->dwSizeLow, 17u);
  ASSERT_EQ(cache.DeleteUrlCacheEntryA("http://e/2"), kErrorSuccess);
  ASSERT_EQ(cache.DeleteUrlCacheEntryA("http://e/599"), kErrorSuccess);
  std::vector<std::string> seen;
  while (next() == kErrorSuccess) seen.push_back(entry->lpszSourceUrlName);
  EXPECT_EQ(next(), kErrorNoMoreItems);
  EXPECT_EQ(cache.FindCloseUrlCache(handle), kErrorSuccess);
  EXPECT_EQ(cache.FindNextUrlCacheEntryA(handle, nullptr, &size), kErrorInvalidHandle);
  ASSERT_EQ(seen.size(), kEntries - 4u);
  EXPECT_EQ(seen.front(), "http://e/3");
  EXPECT_EQ(seen.back(), "http://e/598");
}

TEST(EmulatedSystem, RecordsLaunchesAndAnswersDialogsFromTheScript) {
  test::TempMachine m;
  EXPECT_EQ(m.platform().System().Launch("regedit.exe", 1), kErrorSuccess);
  m.Reopen();
  auto launched = m.machine().Sys().Launched();
  ASSERT_EQ(launched.size(), 1u);
  EXPECT_EQ(launched[0].commandLine, "regedit.exe");
  EXPECT_EQ(launched[0].windowStyle, 1);

  // Message boxes are answered and logged in the end-to-end transcripts.
  std::ostringstream log;
  auto& ui = m.machine().Script();
  ui.SetLog(&log);
  EXPECT_EQ(ui.MessageBoxA("Refused", "Vanbrisk", kMbIconExclamation), kIdOk);
  ui.QueueAnswer("C:\\out.txt");
  EXPECT_EQ(ui.GetSaveFileNameA({"Save", "Text Files (*.txt)|*.txt", "", ""}), "C:\\out.txt");
  EXPECT_EQ(ui.BrowseForFolder("Pick"), "");
  EXPECT_EQ(log.str(),
            "MessageBox: title \"Vanbrisk\", style 48, text \"Refused\", answer Ok\n"
            "SaveFileDialog: title \"Save\", answer \"C:\\out.txt\"\n"
            "FolderDialog: title \"Pick\", answer Cancel\n");
}

}  // namespace
}  // namespace vb
