// The streams a verb of vanbrisk-cli reads and writes.
#pragma once

#include <istream>
#include <ostream>

namespace vb::cli {

struct VerbIo {
  std::istream& in;
  std::ostream& out;
  std::ostream& err;
  // What a verb that runs the program says besides its output. verbose: the
  // message boxes and dialogs it answered and the programs it started, one
  // readable line each on err; quiet: only the totals on out.
  bool verbose = false;
  bool quiet = false;
  // err is a terminal: a run shows its progress there, on one line.
  bool errIsTerminal = false;
};

// Exit codes of every verb.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;  // the operation was refused or failed
inline constexpr int kExitUsage = 2;   // bad arguments
// A clean stopped by the first-clean warning or a No to the confirmation:
// nothing was deleted.
inline constexpr int kExitStopped = 3;

}  // namespace vb::cli
