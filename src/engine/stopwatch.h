// The run timer: milliseconds from timeGetTime, as a signed 32-bit number.
#pragma once

#include <cstdint>

#include "platform/system_api.h"

namespace vb::engine {

class Stopwatch {
 public:
  explicit Stopwatch(platform::SystemApi& system) : system_(system) {}
  void StartTimer() { start_ = static_cast<std::int32_t>(system_.timeGetTime()); }
  // The milliseconds since StartTimer; the start is reset to 0.
  std::int32_t StopTimer() {
    auto elapsed = static_cast<std::int32_t>(
        static_cast<std::uint32_t>(system_.timeGetTime()) - static_cast<std::uint32_t>(start_));
    start_ = 0;
    return elapsed;
  }

 private:
  platform::SystemApi& system_;
  std::int32_t start_ = 0;
};

}  // namespace vb::engine
