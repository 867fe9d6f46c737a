// The conformance target on Windows (and under Wine): the real machine, with a
// unique scratch folder below the temporary folder and a unique scratch key
// below HKEY_CURRENT_USER\Software, both removed afterwards.
#include <cstdio>
#include <random>

#include "conformance/platform_target.h"
#include "platform/win32/win32_platform.h"

namespace vb::conformance {

namespace {

using namespace vb::win;

std::string UniqueSuffix() {
  std::random_device random;
  std::uniform_int_distribution<unsigned> digits(0, 0xFFFFFF);
  char text[16];
  std::snprintf(text, sizeof text, "%06x%06x", digits(random), digits(random));
  return text;
}

class Win32Target final : public Target {
 public:
  Win32Target() : wine_(!win32::WineVersion().empty()) {
    std::string suffix = UniqueSuffix();
    folder_ = platform_.Environment().GetTempPathA() + "vanbrisk-conformance-" + suffix;
    key_ = "Software\\Vanbrisk Conformance " + suffix;
    EXPECT_EQ(platform_.Files().CreateDirectoryA(folder_), kErrorSuccess) << folder_;
    HKEY key = 0;
    EXPECT_EQ(platform_.Registry().RegCreateKeyA(kHkeyCurrentUser, key_.c_str(), &key),
              kErrorSuccess);
    platform_.Registry().RegCloseKey(key);
  }
  ~Win32Target() override {
    ReleaseFiles();
    for (const std::string& url : urls_) platform_.UrlCache().DeleteUrlCacheEntryA(url.c_str());
    RemoveTree(platform_.Files(), folder_);
    RemoveKeyTree(platform_.Registry(), kHkeyCurrentUser, key_);
  }

  platform::Platform& platform() override { return platform_; }
  Realisation realisation() const override {
    return wine_ ? Realisation::kWine : Realisation::kWindows;
  }
  const std::string& ScratchFolder() const override { return folder_; }
  const std::string& ScratchKey() const override { return key_; }

  bool HoldOpen(const std::string& path) override {
    LONG error = 0;
    std::intptr_t handle = win32::Win32FileSystem::HoldFileOpen(path, &error);
    if (handle == -1) return false;
    held_.push_back(handle);
    return true;
  }
  void ReleaseFiles() override {
    for (std::intptr_t handle : held_) win32::Win32FileSystem::CloseHeldFile(handle);
    held_.clear();
  }

  std::string CacheFile(const std::string& url, const std::string& content) override {
    std::string name;
    EXPECT_EQ(win32::Win32UrlCache::CreateUrlCacheEntryA(url.c_str(), "dat", &name),
              kErrorSuccess)
        << url;
    EXPECT_EQ(platform_.Files().WriteFileBytes(name, content), kErrorSuccess) << name;
    urls_.push_back(url);
    return name;
  }

  bool MakeFolderLink(const std::string& link, const std::string& target) override {
    return win32::Win32FileSystem::CreateFolderLink(link, target) == kErrorSuccess;
  }

  bool Recycle(const std::string& path) override {
    return win32::Win32Shell::MoveToRecycleBin(path) == 0;
  }
  bool MayEmptyRecycleBin() override {
    return platform_.Environment().GetEnvironmentVariableA(
               "VANBRISK_TEST_MAY_EMPTY_RECYCLE_BIN") == "1";
  }

 private:
  win32::Win32Platform platform_;
  bool wine_;
  std::string folder_;
  std::string key_;
  std::vector<std::intptr_t> held_;
  std::vector<std::string> urls_;
};

}  // namespace

std::unique_ptr<Target> MakeTarget() { return std::make_unique<Win32Target>(); }

}  // namespace vb::conformance
