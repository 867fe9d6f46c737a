// The progress of a run on a terminal: one line on standard error, rewritten
// in place, with the files so far and the folder the run is in. Rewritten at
// most ten times a second, so that a run of a million files pays for a few
// hundred lines, and erased when the run ends, so that nothing of it stays
// among the output.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <ostream>
#include <string>

#include "engine/run_tally.h"

namespace vb::cli {

class RunProgress {
 public:
  using Clock = std::function<std::chrono::steady_clock::time_point()>;
  explicit RunProgress(std::ostream& terminal, Clock clock = std::chrono::steady_clock::now)
      : terminal_(terminal), clock_(std::move(clock)) {}
  RunProgress(const RunProgress&) = delete;
  RunProgress& operator=(const RunProgress&) = delete;
  ~RunProgress() { Erase(); }

  // Told of each action of the run, after the tally has counted it.
  void Update(const engine::RunTally& tally, const engine::Action& action);
  // Erases the line, if one is shown.
  void Erase();

 private:
  std::ostream& terminal_;
  Clock clock_;
  std::chrono::steady_clock::time_point next_{};
  std::size_t shown_ = 0;  // the width of the line on the terminal
};

}  // namespace vb::cli
