#include "platform/emulated/spent_files.h"

#include <unistd.h>

#include <algorithm>

namespace vb::emu {

void SpentFiles::Add(HostFd fd) {
  if (!fd.valid()) return;
  fds_.push_back(fd.release());
  if (fds_.size() >= kBatch) CloseAll();
}

void SpentFiles::CloseAll() {
  std::sort(fds_.begin(), fds_.end());
  // Each run of consecutive numbers closes with one call: every number in it
  // is one of these distinct descriptors, so the range closes nothing else.
  // A lone one, or a run where close_range is missing, one by one.
  for (std::size_t first = 0; first < fds_.size();) {
    std::size_t last = first;
    while (last + 1 < fds_.size() && fds_[last + 1] == fds_[last] + 1) ++last;
    if (last == first ||
        close_range(static_cast<unsigned>(fds_[first]), static_cast<unsigned>(fds_[last]), 0) != 0)
      for (std::size_t i = first; i <= last; ++i) close(fds_[i]);
    first = last + 1;
  }
  fds_.clear();
}

}  // namespace vb::emu
