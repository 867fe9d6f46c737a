// The resources the build puts in each executable, read back from the built
// files as Explorer and the loader read them: the version resource with the
// product header's names and version, and the application manifest; and what
// the manifest does to this process, which carries it too.
#include <windows.h>

#include <gtest/gtest.h>

#include <commctrl.h>

#include <sstream>
#include <string>
#include <vector>

#include "platform/win32/win32_names.h"
#include "product/version.h"

namespace vb {
namespace {

std::wstring Wide(const std::string& text) {
  std::wstring wide;
  EXPECT_TRUE(win32::WideName(text, &wide));
  return wide;
}

std::string Narrow(std::wstring_view wide) {
  std::string narrow;
  EXPECT_TRUE(win32::NarrowName(wide, &narrow));
  return narrow;
}

// The built file of that name: in the build's folder, VANBRISK_EXECUTABLES
// from this test's own.
std::wstring Built(const std::string& name) {
  std::wstring self(MAX_PATH, L'\0');
  self.resize(GetModuleFileNameW(nullptr, self.data(), MAX_PATH));
  return self.substr(0, self.find_last_of(L'\\') + 1) + Wide(VANBRISK_EXECUTABLES "\\" + name);
}

// The version resource's four numbers as the product header's version gives
// them: "1.05.168" is 1, 5, 168, 0.
std::vector<DWORD> VersionNumbers() {
  std::vector<DWORD> numbers;
  std::istringstream parts(product::kVersion);
  for (std::string part; std::getline(parts, part, '.');) numbers.push_back(std::stoul(part));
  numbers.resize(4, 0);
  return numbers;
}

struct VersionResource {
  VS_FIXEDFILEINFO fixed = {};
  std::vector<std::pair<std::string, std::string>> texts;
};

VersionResource ReadVersion(const std::wstring& file) {
  VersionResource out;
  DWORD ignored = 0;
  std::string block(GetFileVersionInfoSizeW(file.c_str(), &ignored), '\0');
  if (block.empty() || !GetFileVersionInfoW(file.c_str(), 0, static_cast<DWORD>(block.size()),
                                            block.data()))
    return out;
  void* value = nullptr;
  UINT size = 0;
  if (VerQueryValueW(block.data(), L"\\", &value, &size) && size == sizeof out.fixed)
    out.fixed = *static_cast<VS_FIXEDFILEINFO*>(value);
  if (!VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", &value, &size) || size < 4)
    return out;
  auto* translation = static_cast<WORD*>(value);
  wchar_t prefix[40];
  swprintf(prefix, 40, L"\\StringFileInfo\\%04x%04x\\", translation[0], translation[1]);
  for (const wchar_t* name : {L"ProductName", L"CompanyName", L"LegalCopyright", L"FileVersion",
                              L"ProductVersion", L"OriginalFilename", L"FileDescription"}) {
    std::wstring path = std::wstring(prefix) + name;
    if (VerQueryValueW(block.data(), path.c_str(), &value, &size) && size > 0)
      out.texts.emplace_back(Narrow(name), Narrow(static_cast<wchar_t*>(value)));
  }
  return out;
}

std::string Text(const VersionResource& resource, const std::string& name) {
  for (const auto& [key, text] : resource.texts)
    if (key == name) return text;
  return "(none)";
}

std::string Manifest(const std::wstring& file) {
  HMODULE image = LoadLibraryExW(file.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!image) return "";
  std::string text;
  if (HRSRC found = FindResourceW(image, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24)))
    if (HGLOBAL loaded = LoadResource(image, found))
      text.assign(static_cast<const char*>(LockResource(loaded)), SizeofResource(image, found));
  FreeLibrary(image);
  return text;
}

struct Executable {
  std::string file;
  bool ours;  // built from src/product: the whole manifest; else the setup program's own
};

std::vector<Executable> Executables() {
  std::vector<Executable> files = {{"vanbrisk.exe", true}, {"vanbrisk-cli.exe", true}};
#ifdef VANBRISK_SETUP_FILE
  files.push_back({VANBRISK_SETUP_FILE, false});
#endif
  return files;
}

TEST(ProductResources, EveryExecutableCarriesTheProductsVersion) {
  std::vector<DWORD> n = VersionNumbers();
  for (const Executable& built : Executables()) {
    SCOPED_TRACE(built.file);
    VersionResource v = ReadVersion(Built(built.file));
    EXPECT_EQ(v.fixed.dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(v.fixed.dwFileVersionMS, (n[0] << 16) | n[1]);
    EXPECT_EQ(v.fixed.dwFileVersionLS, (n[2] << 16) | n[3]);
    EXPECT_EQ(v.fixed.dwProductVersionMS, v.fixed.dwFileVersionMS);
    EXPECT_EQ(Text(v, "ProductName"), product::kProductName);
    EXPECT_EQ(Text(v, "CompanyName"), product::kCompanyName);
    EXPECT_EQ(Text(v, "LegalCopyright"), product::kLegalCopyright);
    EXPECT_EQ(Text(v, "FileVersion"), product::kVersion);
    EXPECT_EQ(Text(v, "ProductVersion"), product::kVersion);
    EXPECT_EQ(Text(v, "OriginalFilename"), built.file);
    EXPECT_NE(Text(v, "FileDescription").find(product::kProductName), std::string::npos);
  }
}

TEST(ProductResources, EveryExecutableCarriesItsManifest) {
  for (const Executable& built : Executables()) {
    SCOPED_TRACE(built.file);
    std::string manifest = Manifest(Built(built.file));
    std::vector<const char*> wanted = {
        "Microsoft.Windows.Common-Controls",
        "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  // Windows 7
        "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",  // 8
        "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  // 8.1
        "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  // 10 and 11
        "<longPathAware", "<dpiAware"};
    if (built.ours)
      wanted.insert(wanted.end(), {"PerMonitorV2, PerMonitor</dpiAwareness>",
                                   "<activeCodePage", ">UTF-8</activeCodePage>"});
    for (const char* text : wanted) EXPECT_NE(manifest.find(text), std::string::npos) << text;
  }
}

// This test program carries the same manifest: Windows (and Wine) act on it.
TEST(ProductResources, TheManifestTakesEffect) {
  EXPECT_EQ(GetACP(), static_cast<UINT>(CP_UTF8));
  // Common Controls 6 comes from its side-by-side assembly, not the system
  // folder's version 5 (Wine's reports 5.81 from both, so the place tells).
  HMODULE controls = LoadLibraryW(L"comctl32.dll");
  ASSERT_NE(controls, nullptr);
  std::wstring file(MAX_PATH, L'\0');
  file.resize(GetModuleFileNameW(controls, file.data(), MAX_PATH));
  EXPECT_NE(Narrow(file).find("common-controls_6595b64144ccf1df_6."), std::string::npos)
      << Narrow(file);
  using AwarenessOf = int(WINAPI*)(HANDLE);
  using ThreadContext = HANDLE(WINAPI*)();
  HMODULE user = GetModuleHandleW(L"user32.dll");
  auto awareness = reinterpret_cast<AwarenessOf>(
      reinterpret_cast<void*>(GetProcAddress(user, "GetAwarenessFromDpiAwarenessContext")));
  auto context = reinterpret_cast<ThreadContext>(
      reinterpret_cast<void*>(GetProcAddress(user, "GetThreadDpiAwarenessContext")));
  if (awareness && context) {
    EXPECT_EQ(awareness(context()), 2);  // DPI_AWARENESS_PER_MONITOR_AWARE
  }
}

}  // namespace
}  // namespace vb
