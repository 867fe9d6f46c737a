#include "platform/emulated/spent_files.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace vb::emu {

void SpentFiles::Add(HostFd fd) {
  if (!fd.valid()) return;
  fds_.push_back(fd.release());
  if (fds_.size() >= kBatch) CloseAll();
}

void SpentFiles::CloseAll() {
  if (fds_.empty()) return;
  std::sort(fds_.begin(), fds_.end());
  // Every number from the first to the last is one of these descriptors (they
  // are distinct and as many as the span), so the range closes nothing else.
  // Otherwise, or where close_range is missing, one by one.
  bool run = static_cast<std::size_t>(fds_.back() - fds_.front()) + 1 == fds_.size();
  if (!run || close_range(static_cast<unsigned>(fds_.front()), static_cast<unsigned>(fds_.back()), 0) != 0)
    for (int fd : fds_) close(fd);
  fds_.clear();
}

}  // namespace vb::emu
