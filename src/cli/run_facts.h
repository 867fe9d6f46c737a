// What a collector needs to tell one run's summary from another's: the
// machine, the user, the program's version, when the run began and ended,
// and the Group Policy in force.
#pragma once

#include <chrono>
#include <string>

#include "app/group_policy.h"
#include "platform/platform.h"

namespace vb::cli {

struct RunFacts {
  std::string computer;
  std::string user;
  std::string started;  // ISO 8601, UTC: "2026-12-08T06:30:00Z"
  std::string ended;
  app::GroupPolicy policy;
};

// The machine and the user as Windows names them (COMPUTERNAME, USERNAME),
// and the policy in force; the times are the caller's to set.
[[nodiscard]] RunFacts ReadRunFacts(platform::Platform& platform);

// The time in ISO 8601, UTC, to the second.
[[nodiscard]] std::string IsoUtc(std::chrono::system_clock::time_point time);

// The facts as the fields of the summary object, each after ", ":
//   "computer": ..., "user": ..., "version": ..., "started": ..., "ended": ...,
//   "policy": {SETTING: 0|1, ..., "Cleaner Warning": 1, "Clean Entries": [TEXT, ...],
//              "Language": NAME}
[[nodiscard]] std::string RunFactsJson(const RunFacts& facts, win::DWORD codePage);

}  // namespace vb::cli
