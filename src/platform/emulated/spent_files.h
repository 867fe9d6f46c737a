// The descriptors of files deleted through an open folder. Each keeps the
// shared lock that was taken to see that the file was not in use until the
// file is gone; closing it at once would cost one call per file, so they are
// closed together: a run of consecutive descriptors with one close_range.
#pragma once

#include <vector>

#include "platform/emulated/host_paths.h"

namespace vb::emu {

class SpentFiles {
 public:
  SpentFiles() = default;
  SpentFiles(const SpentFiles&) = delete;
  SpentFiles& operator=(const SpentFiles&) = delete;
  ~SpentFiles() { CloseAll(); }

  // Takes the descriptor of a file just deleted; closes the batch once it is full.
  void Add(HostFd fd);
  void CloseAll();

 private:
  // Enough to pay for the closing call many times over. Only the folder a
  // walk works in holds such descriptors (they are closed before it goes
  // deeper), so one batch and the 512 folders a walk holds open stay well
  // within the usual limit of 1024 descriptors.
  static constexpr std::size_t kBatch = 128;
  std::vector<int> fds_;
};

}  // namespace vb::emu
