// The totals of a clean run: the files the removal routines measured (under
// Analyze) or deleted (under Run Cleaner), with their exact sizes, and the
// registry keys and values the run's steps deleted. The routines update it
// at the very place they log a file or delete a key, so the totals never
// depend on the text of the log.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace vb::engine {

struct RunTally {
  std::uint64_t files = 0;
  std::uint64_t bytes = 0;
  std::uint64_t registryKeys = 0;
  std::uint64_t registryValues = 0;
  // Told of each file counted, when set: its path, its size, and whether it
  // was deleted (false: measured only).
  std::function<void(const std::string& path, std::uint64_t bytes, bool deleted)> onFile;

  void File(const std::string& path, std::uint64_t size, bool deleted) {
    ++files;
    bytes += size;
    if (onFile) onFile(path, size, deleted);
  }
};

// The updates the routines make; a context without a tally counts nothing.
inline void TallyFile(RunTally* tally, const std::string& path, std::uint64_t size, bool deleted) {
  if (tally) tally->File(path, size, deleted);
}
inline void TallyKey(RunTally* tally, bool deleted) {
  if (tally && deleted) ++tally->registryKeys;
}
inline void TallyValue(RunTally* tally, bool deleted) {
  if (tally && deleted) ++tally->registryValues;
}

}  // namespace vb::engine
