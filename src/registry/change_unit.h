// A scope whose registry changes are one unit: kept when Keep() was called,
// undone otherwise (where the registry can group changes; Windows cannot,
// and keeps what was written).
#pragma once

#include "platform/registry_api.h"

namespace vb::registry {

class ChangeUnit {
 public:
  explicit ChangeUnit(platform::RegistryApi& registry)
      : registry_(registry), grouped_(registry.BeginChanges()) {}
  ChangeUnit(const ChangeUnit&) = delete;
  ChangeUnit& operator=(const ChangeUnit&) = delete;
  ~ChangeUnit() {
    if (grouped_) registry_.EndChanges(keep_);
  }
  void Keep() { keep_ = true; }

 private:
  platform::RegistryApi& registry_;
  bool grouped_;
  bool keep_ = false;
};

}  // namespace vb::registry
