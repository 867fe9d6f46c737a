// The streams a verb of vanbrisk-cli reads and writes.
#pragma once

#include <istream>
#include <ostream>

namespace vb::cli {

struct VerbIo {
  std::istream& in;
  std::ostream& out;
  std::ostream& err;
};

// Exit codes of every verb.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;  // the operation was refused or failed
inline constexpr int kExitUsage = 2;   // bad arguments
// A clean stopped by the first-clean warning or a No to the confirmation:
// nothing was deleted.
inline constexpr int kExitStopped = 3;

}  // namespace vb::cli
