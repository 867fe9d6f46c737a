// The conformance target on Linux: a fresh emulated machine per test.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <filesystem>

#include "conformance/platform_target.h"
#include "platform/emulated/host_paths.h"
#include "platform/registry_values.h"
#include "support/temp_machine.h"

namespace vb::conformance {

namespace {

using namespace vb::win;

class EmulatedTarget final : public Target {
 public:
  EmulatedTarget() {
    EXPECT_EQ(machine_.platform().Files().CreateDirectoryA(folder_), kErrorSuccess);
    HKEY key = 0;
    EXPECT_EQ(machine_.platform().Registry().RegCreateKeyA(kHkeyCurrentUser, key_.c_str(), &key),
              kErrorSuccess);
    machine_.platform().Registry().RegCloseKey(key);
  }
  ~EmulatedTarget() override { ReleaseFiles(); }

  platform::Platform& platform() override { return machine_.platform(); }
  Realisation realisation() const override { return Realisation::kEmulated; }
  const std::string& ScratchFolder() const override { return folder_; }
  const std::string& ScratchKey() const override { return key_; }

  bool HoldOpen(const std::string& path) override {
    std::string host = Host(path);
    int fd = open(host.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
      close(fd);
      return false;
    }
    held_.push_back(fd);
    return true;
  }
  void ReleaseFiles() override {
    for (int fd : held_) close(fd);
    held_.clear();
  }

  std::string CacheFile(const std::string& url, const std::string& content) override {
    std::string name = "cache" + std::to_string(++cacheFiles_) + ".dat";
    std::string path = folder_ + "\\" + name;
    EXPECT_EQ(machine_.platform().Files().WriteFileBytes(path, content), kErrorSuccess) << url;
    return path;
  }

  bool MakeFolderLink(const std::string& link, const std::string& target) override {
    std::error_code ec;
    std::filesystem::create_directory_symlink(Host(target), Host(link), ec);
    return !ec;
  }

  bool Recycle(const std::string& path) override {
    // Into C:\RECYCLER as the shell would move it, under a name of its own.
    std::string bin = "C:\\RECYCLER";
    platform::FileSystemApi& files = machine_.platform().Files();
    if (files.GetFileAttributesA(bin) == kInvalidFileAttributes &&
        files.CreateDirectoryA(bin) != kErrorSuccess)
      return false;
    std::error_code ec;
    std::filesystem::rename(Host(path), Host(bin) + "/Dc" + std::to_string(++recycled_), ec);
    return !ec;
  }
  bool MayEmptyRecycleBin() override { return true; }

 private:
  std::string Host(const std::string& windowsPath) {
    emu::HostPaths::Resolved where;
    if (machine_.machine().Paths().Resolve(windowsPath, &where) != kErrorSuccess) return "";
    return where.host;
  }

  test::TempMachine machine_;
  std::string folder_ = "C:\\Conformance Scratch";
  std::string key_ = "Software\\Vanbrisk Conformance";
  std::vector<int> held_;
  int cacheFiles_ = 0;
  int recycled_ = 0;
};

}  // namespace

std::unique_ptr<Target> MakeTarget() { return std::make_unique<EmulatedTarget>(); }

}  // namespace vb::conformance
