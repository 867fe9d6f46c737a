// A copy of the registry files captured from a prefix that wineboot made
// (tests/data/wine-prefix) in a temporary folder, removed afterwards.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/registry_api.h"
#include "platform/wine/wine_registry.h"

namespace vb::test {

// A time for changes: 2024-01-01 00:00:00 UTC in Wine's 100 ns ticks.
inline constexpr std::uint64_t kChangeTicks = 133485408000000000ull;

class TempWinePrefix {
 public:
  TempWinePrefix();
  ~TempWinePrefix();
  TempWinePrefix(const TempWinePrefix&) = delete;
  TempWinePrefix& operator=(const TempWinePrefix&) = delete;

  const std::string& folder() const { return folder_; }
  std::string File(const std::string& name) const { return folder_ + "/" + name; }
  // The registry over the folder, whose changes are made at kChangeTicks.
  std::unique_ptr<wine::WineRegistry> Open() const;

 private:
  std::string folder_;
};

// A key and everything below it, one line a key or value, for comparing
// what two registries hold.
std::string DumpKey(platform::RegistryApi& registry, win::HKEY root, const std::string& path);

}  // namespace vb::test
