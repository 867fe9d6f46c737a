// The catalogue marks as they are stored (the section "Apps"), kept before a
// run of vanbrisk-cli that chooses its own entries and put back after it: the
// run stores the marks it cleans with, and closing the program stores the
// marks of the entries detected, while the user's own choices must outlive
// the run unchanged.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/platform.h"

namespace vb::cli {

class StoredMarks {
 public:
  // Reads the section as it is now.
  explicit StoredMarks(platform::Platform& platform);
  // Writes the section back exactly as it was read.
  void Restore();

 private:
  platform::Platform& platform_;
  std::vector<std::pair<std::string, std::string>> values_;  // name, text
};

}  // namespace vb::cli
