// Names in any script: the manifest makes the program's code page UTF-8, so a
// file whose name holds Cyrillic, CJK and emoji is listed by Analyze and
// deleted by Run Cleaner; where a legacy code page cannot carry a name, the
// name is refused rather than mapped to a lookalike.
#include <windows.h>

#include <gtest/gtest.h>

#include <sstream>

#include "app/program.h"
#include "cli/run_verbs.h"
#include "conformance/platform_target.h"
#include "platform/scripted_ui.h"
#include "platform/win32/win32_names.h"
#include "platform/win32/win32_platform.h"

namespace vb {
namespace {

constexpr const char* kSettingsKey = "Software\\VB And VBA Program Settings\\Vanbrisk";

TEST(NamesOnWindows, ALegacyCodePageRefusesWhatItCannotCarryExactly) {
  std::string narrow;
  EXPECT_TRUE(win32::NarrowName(L"caf\u00E9.txt", &narrow, 1252));
  EXPECT_EQ(narrow, "caf\xE9.txt");
  // Best fit would make the ligature "fi" and the Cyrillic letter a "?".
  EXPECT_FALSE(win32::NarrowName(L"\uFB01le.txt", &narrow, 1252));
  EXPECT_FALSE(win32::NarrowName(L"\u0416.txt", &narrow, 1252));
  EXPECT_TRUE(win32::NarrowName(L"\u0416 \U0001F9F9", &narrow, CP_UTF8));
  EXPECT_EQ(narrow, "\xD0\x96 \xF0\x9F\xA7\xB9");
  EXPECT_FALSE(win32::NarrowName(L"\xD800.txt", &narrow, CP_UTF8));  // a lone surrogate
}

TEST(NamesOnWindows, AFileNamedInAnyScriptIsListedByAnalyzeAndDeletedByRunCleaner) {
  platform::ScriptedUi ui;
  win32::Win32Platform platform(&ui);
  if (win32::WineVersion().empty())
    GTEST_SKIP() << "it cleans the Windows temporary folder and resets the settings: Wine only";
  // Wine 8 honours the manifest's activeCodePage, as Windows 10 1903 does.
  ASSERT_EQ(GetACP(), static_cast<UINT>(CP_UTF8));
  conformance::RemoveKeyTree(platform.Registry(), win::kHkeyCurrentUser, kSettingsKey);
  std::wstring folder(MAX_PATH, L'\0');
  folder.resize(GetWindowsDirectoryW(folder.data(), MAX_PATH));
  folder += L"\\Temp\\vanbrisk-names";
  CreateDirectoryW(folder.c_str(), nullptr);
  const std::wstring name = L"\u041E\u0442\u0447\u0451\u0442 \u62A5\u544A \U0001F9F9.tmp";
  const std::wstring path = folder + L"\\" + name;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(file, "names", 5, &written, nullptr);
  CloseHandle(file);
  std::string line;
  ASSERT_TRUE(win32::NarrowName(path, &line));
  line += " 5 bytes";

  auto run = [&](const char* verb, std::vector<std::string> args) {
    std::istringstream in;
    std::ostringstream out, err;
    app::Program program(platform);
    EXPECT_EQ(cli::RunProgramVerb(verb, program, &ui, args, {in, out, err}), 0) << err.str();
    return out.str();
  };
  std::string analyzed = run("analyze", {"--select", "System Temporary"});
  EXPECT_NE(analyzed.find(line), std::string::npos) << analyzed;
  EXPECT_NE(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);
  std::string cleaned = run("clean", {"--yes", "--select", "System Temporary"});
  EXPECT_NE(cleaned.find(line), std::string::npos) << cleaned;
  EXPECT_EQ(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);
  RemoveDirectoryW(folder.c_str());
  conformance::RemoveKeyTree(platform.Registry(), win::kHkeyCurrentUser, kSettingsKey);
}

}  // namespace
}  // namespace vb
