// The line under the results box that sums a run up: files, size, registry
// keys and values, and database rows when the run touched any. Its words are
// the captions of two hidden labels of the window, so that a language file
// translates them as it does every caption.
#pragma once

#include <string>

#include "engine/run_tally.h"

namespace vb::app {

// format: "%1" the files, "%2" their size, "%3" the registry keys, "%4" the
// registry values; rowsFormat ("%1" the rows) is added when there are rows.
[[nodiscard]] std::string RunTotalsCaption(const engine::RunTally& run, const std::string& format,
                                           const std::string& rowsFormat);

// What a tally counted since it stood at before.
[[nodiscard]] engine::RunTally TallySince(const engine::RunTally& now,
                                          const engine::RunTally& before);

}  // namespace vb::app
