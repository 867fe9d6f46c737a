// What analyze and clean print after the results box: the totals of the run
// as text, or, with --json, one object per file and a summary object.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "engine/run_tally.h"
#include "platform/win_types.h"

namespace vb::cli {

// Two lines, and one each for database rows and failed registry deletions
// when there are any:
//   Files: 1,234  Size: 56.7 MB (59,453,234 bytes)
//   Registry keys: 3  Registry values: 12
[[nodiscard]] std::string TotalsText(const engine::RunTally& tally);

// One action as a JSON object, its texts in the program's code page (see
// JsonString), with the item or entry that asked for it:
//   {"path": ..., "bytes": N, "action": "deleted"|"listed", "source": ...}    a file
//   {"folder": ..., "action": "removed", ...}
//   {"path": ..., "action": "attributes cleared", ...}
//   {"key": ..., "action": "deleted"|"listed", ...}
//   {"key": ..., "value": NAME, "action": "deleted"|"listed", ...}
//   {"url": ..., "action": "deleted"|"listed", ...}                          a URL-cache entry
//   {"recycleBin": true, "items": N, "bytes": N, "action": "emptied"|"listed", ...}
//   {"target": ..., "action": "refused", "reason": ..., ...}
//   {"key": ..., ["value": NAME,] "action": "failed", "reason": ..., ...}
[[nodiscard]] std::string ActionJson(const engine::Action& action, win::DWORD codePage);

// One action of a plan as a line of tab-separated fields: what is done, to
// what, its size, value name or reason, and the item or entry:
//   delete file	C:\WINDOWS\Temp\setup.log	1024 bytes	System Temporary
[[nodiscard]] std::string PlanLine(const engine::Action& action);

// How a run ended, for its summary.
struct RunEnd {
  // Stopped before it deleted anything (the first-clean warning, a No to the
  // confirmation), and why.
  bool stopped = false;
  std::string reason;
  // Whether the summary holds the results box (--results), and its text with
  // "\n" line ends; none when the program closed itself after cleaning, and
  // the box with it, or for a plan, which has none.
  bool withResults = false;
  std::optional<std::string> results;
  // Who ran it where and when, as fields (see RunFactsJson).
  std::string facts;
};

// {"summary": true, "verb": ..., "status": "done"|"stopped", ["reason": ...,]
//  "files": ..., "bytes": ..., "size": ..., "folders": ..., "registryKeys": ...,
//  "registryValues": ..., "cacheEntries": ..., "databaseRows": ..., "refused": ...,
//  "failed": ..., FACTS, ["results": TEXT or null]}
[[nodiscard]] std::string SummaryJson(const std::string& verb, const engine::RunTally& tally,
                                      win::DWORD codePage, const RunEnd& end);

}  // namespace vb::cli
