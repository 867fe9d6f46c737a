// The registry conformance cases against a Wine prefix's registry files:
// the registry is the program's own reading of a prefix that wineboot made,
// over an emulated machine for everything else. After each case its
// changes are saved, and the files read anew must give back the same keys.
#include "conformance/registry_conformance.h"
#include "support/forwarding_platform.h"
#include "support/temp_machine.h"
#include "support/wine_prefix.h"

namespace vb::conformance {

namespace {

class WineFilesPlatform final : public test::ForwardingPlatform {
 public:
  WineFilesPlatform(platform::Platform& inner, platform::RegistryApi& registry)
      : ForwardingPlatform(inner), registry_(registry) {}
  platform::RegistryApi& Registry() override { return registry_; }

 private:
  platform::RegistryApi& registry_;
};

class WineFilesTarget final : public Target {
 public:
  WineFilesTarget() {
    HKEY key = 0;
    EXPECT_EQ(registry_->RegCreateKeyA(kHkeyCurrentUser, key_.c_str(), &key), kErrorSuccess);
    registry_->RegCloseKey(key);
  }
  ~WineFilesTarget() override {
    std::string held = test::DumpKey(*registry_, kHkeyCurrentUser, key_);
    EXPECT_EQ(registry_->Save(), kErrorSuccess);
    EXPECT_EQ(test::DumpKey(*prefix_.Open(), kHkeyCurrentUser, key_), held);
  }

  platform::Platform& platform() override { return platform_; }
  Realisation realisation() const override { return Realisation::kWineFiles; }
  const std::string& ScratchFolder() const override { return folder_; }
  const std::string& ScratchKey() const override { return key_; }
  bool HoldOpen(const std::string&) override { return false; }
  void ReleaseFiles() override {}
  std::string CacheFile(const std::string&, const std::string&) override { return ""; }
  bool MakeFolderLink(const std::string&, const std::string&) override { return false; }
  bool Recycle(const std::string&) override { return false; }
  bool MayEmptyRecycleBin() override { return false; }

 private:
  test::TempMachine machine_;
  test::TempWinePrefix prefix_;
  std::unique_ptr<wine::WineRegistry> registry_ = prefix_.Open();
  WineFilesPlatform platform_{machine_.platform(), *registry_};
  std::string folder_ = "C:\\Conformance Scratch";
  std::string key_ = "Software\\Vanbrisk Conformance";
};

std::unique_ptr<Target> MakeWineFilesTarget() { return std::make_unique<WineFilesTarget>(); }

}  // namespace

INSTANTIATE_TEST_SUITE_P(WineFiles, ConformanceRegistry,
                         ::testing::Values(RegistryTarget{"Prefix", &MakeWineFilesTarget}));

}  // namespace vb::conformance
