// What analyze and clean print after the results box: the totals of the run
// as text, or, with --json, one object per file and a summary object.
#pragma once

#include <cstdint>
#include <string>

#include "engine/run_tally.h"

namespace vb::cli {

// Two lines:
//   Files: 1,234  Size: 56.7 MB (59,453,234 bytes)
//   Registry keys: 3  Registry values: 12
[[nodiscard]] std::string TotalsText(const engine::RunTally& tally);

// One action as a JSON object, with the item or entry that asked for it:
//   {"path": ..., "bytes": N, "action": "deleted"|"listed", "source": ...}    a file
//   {"folder": ..., "action": "removed", ...}
//   {"path": ..., "action": "attributes cleared", ...}
//   {"key": ..., "action": "deleted"|"listed", ...}
//   {"key": ..., "value": NAME, "action": "deleted"|"listed", ...}
//   {"url": ..., "action": "deleted"|"listed", ...}                          a URL-cache entry
//   {"recycleBin": true, "items": N, "bytes": N, "action": "emptied"|"listed", ...}
//   {"target": ..., "action": "refused", "reason": ..., ...}
[[nodiscard]] std::string ActionJson(const engine::Action& action);

// One action of a plan as a line of tab-separated fields: what is done, to
// what, its size, value name or reason, and the item or entry:
//   delete file	C:\WINDOWS\Temp\setup.log	1024 bytes	System Temporary
[[nodiscard]] std::string PlanLine(const engine::Action& action);

// {"summary": true, "verb": ..., "files": ..., "bytes": ..., "size": ...,
//  "folders": ..., "registryKeys": ..., "registryValues": ..., "cacheEntries": ...,
//  "refused": ..., "results": TEXT or null}
// results: the results box with "\n" line ends; null when the program closed
// itself after cleaning, and with it the box.
[[nodiscard]] std::string SummaryJson(const std::string& verb, const engine::RunTally& tally,
                                      const std::string* results);

}  // namespace vb::cli
