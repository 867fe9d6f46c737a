// The platform conformance suite: one set of checks of the platform
// interfaces, run against the emulated machine on Linux and against the real
// Windows API (on Windows, or under Wine). A Target gives each test a fresh
// platform with a scratch folder and a scratch registry key, and the few
// things a test cannot do through the interfaces themselves.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace vb::conformance {

// kWineFiles: the registry files of a Wine prefix, read and written by the
// program itself (src/platform/wine), over an emulated machine otherwise.
enum class Realisation { kEmulated, kWindows, kWine, kWineFiles };

class Target {
 public:
  virtual ~Target() = default;

  virtual platform::Platform& platform() = 0;
  virtual Realisation realisation() const = 0;
  // An empty folder of this test, a Windows path without a trailing "\"
  // (below C:\ on the emulated machine, below the temporary folder on
  // Windows); removed with its content afterwards.
  virtual const std::string& ScratchFolder() const = 0;
  // A key of this test below HKEY_CURRENT_USER\Software, as a path from
  // HKEY_CURRENT_USER; it exists, and is deleted with its subkeys afterwards.
  virtual const std::string& ScratchKey() const = 0;
  // Keeps a file in use, as another program holding it open does, until
  // ReleaseFiles (or the end of the test): on Windows it is opened without
  // FILE_SHARE_DELETE, on the emulated machine it carries an exclusive flock.
  virtual bool HoldOpen(const std::string& path) = 0;
  virtual void ReleaseFiles() = 0;
  // A file fit to be the local file of a URL cache entry for url, holding
  // content: a file in WinINet's storage on Windows, a file in the scratch
  // folder on the emulated machine.
  virtual std::string CacheFile(const std::string& url, const std::string& content) = 0;
  // Makes link a symbolic link (or junction) to the folder target; false
  // where this machine cannot make one (Windows without the privilege).
  virtual bool MakeFolderLink(const std::string& link, const std::string& target) = 0;
  // Puts an existing file into the Recycle Bin of drive C.
  virtual bool Recycle(const std::string& path) = 0;
  // Whether a test may empty the Recycle Bins of the machine: always on the
  // emulated one, and under Wine or on Windows only where the run says so
  // (CTest does, with a private Wine prefix and trash folder), since it
  // empties the user's own bins.
  virtual bool MayEmptyRecycleBin() = 0;
};

// The target of the platform this test executable is built for.
std::unique_ptr<Target> MakeTarget();
using TargetMaker = std::unique_ptr<Target> (*)();

// Removes a folder and everything below it through the platform, never
// descending into a reparse point (a link is removed as a link).
void RemoveTree(platform::FileSystemApi& files, const std::string& folder);
// Deletes a registry key with all its subkeys.
void RemoveKeyTree(platform::RegistryApi& registry, win::HKEY root, const std::string& path);

// The base of every conformance test: a fresh target per test.
class PlatformTest : public ::testing::Test {
 protected:
  void SetUp() override { target_ = NewTarget(); }
  // The platform's target; a suite run on other targets too gives its own.
  virtual std::unique_ptr<Target> NewTarget() { return MakeTarget(); }
  void TearDown() override { target_.reset(); }

  Target& target() { return *target_; }
  platform::Platform& p() { return target_->platform(); }
  platform::RegistryApi& reg() { return p().Registry(); }
  platform::FileSystemApi& files() { return p().Files(); }
  bool OnEmulated() const { return target_->realisation() == Realisation::kEmulated; }
  bool OnWine() const { return target_->realisation() == Realisation::kWine; }
  bool OnWindows() const { return target_->realisation() == Realisation::kWindows; }

  // A path in the scratch folder.
  std::string At(const std::string& relative) const {
    return target_->ScratchFolder() + "\\" + relative;
  }
  // A key path below the scratch key.
  std::string Key(const std::string& relative = "") const {
    return relative.empty() ? target_->ScratchKey() : target_->ScratchKey() + "\\" + relative;
  }
  // Writes a file of the scratch folder; fails the test when it cannot.
  void Write(const std::string& relative, const std::string& content) {
    ASSERT_EQ(files().WriteFileBytes(At(relative), content), win::kErrorSuccess) << relative;
  }
  void Folder(const std::string& relative) {
    ASSERT_EQ(files().CreateDirectoryA(At(relative)), win::kErrorSuccess) << relative;
  }
  // A word unique to this test's scratch folder, for names outside it (URLs,
  // probe files), so that runs side by side see their own.
  std::string Marker() const {
    const std::string& folder = target_->ScratchFolder();
    std::string tail = folder.substr(folder.find_last_of('\\') + 1);
    for (char& c : tail)
      if (c == ' ') c = '-';
    return tail;
  }
  // Every name that FindFirstFileA / FindNextFileA give for a pattern, in
  // their order; the error of FindFirstFileA when it fails.
  std::vector<std::string> Names(const std::string& pattern, win::LONG* error = nullptr);

 private:
  std::unique_ptr<Target> target_;
};

}  // namespace vb::conformance
