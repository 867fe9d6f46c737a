// What a rule file's detections and refusals ask of this machine: its
// folders (found as every step finds them, never through a link), the
// folders no step may empty, its registry keys and its Windows version.
#pragma once

#include <optional>

#include "catalogue/rule_file.h"
#include "engine/places.h"
#include "engine/safety_policy.h"
#include "platform/platform.h"

namespace vb::catalogue {

class RulePlaces {
 public:
  explicit RulePlaces(platform::Platform& platform)
      : platform_(platform), places_(platform), policy_(places_) {
    places_.KeepBasesOpen(true);
  }
  RulePlaces(const RulePlaces&) = delete;
  RulePlaces& operator=(const RulePlaces&) = delete;

  platform::Platform& platform() { return platform_; }
  engine::Places& places() { return places_; }
  engine::SafetyPolicy& policy() { return policy_; }

  // Whether a registry key exists.
  [[nodiscard]] bool KeyExists(const RuleKey& key);

  // The Windows version of this machine, as major.minor.
  [[nodiscard]] OsVersion Version();

 private:
  platform::Platform& platform_;
  engine::Places places_;
  engine::SafetyPolicy policy_;
  std::optional<OsVersion> version_;
};

}  // namespace vb::catalogue
