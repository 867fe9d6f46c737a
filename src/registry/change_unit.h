// A scope whose registry changes are one unit: kept when Keep() was called,
// undone otherwise (where the registry can group changes; Windows cannot,
// and keeps what was written).
#pragma once

#include "platform/registry_api.h"

namespace vb::registry {

class ChangeUnit {
 public:
  explicit ChangeUnit(platform::RegistryApi& registry)
      : registry_(registry), begun_(registry.BeginChanges()) {}
  ChangeUnit(const ChangeUnit&) = delete;
  ChangeUnit& operator=(const ChangeUnit&) = delete;
  ~ChangeUnit() {
    if (begun_ == win::kErrorSuccess && !ended_) registry_.EndChanges(false);
  }
  // kErrorSuccess when changes may be made (as one unit, or one by one where
  // the registry cannot group them); else why the unit could not begin, and
  // then nothing should be changed.
  [[nodiscard]] win::LONG Status() const {
    return begun_ == win::kErrorNotSupported ? win::kErrorSuccess : begun_;
  }
  // Keeps the changes; the error that stopped them from being kept, when one did.
  [[nodiscard]] win::LONG Keep() {
    if (begun_ != win::kErrorSuccess || ended_) return win::kErrorSuccess;
    ended_ = true;
    return registry_.EndChanges(true);
  }

 private:
  platform::RegistryApi& registry_;
  win::LONG begun_;
  bool ended_ = false;
};

}  // namespace vb::registry
