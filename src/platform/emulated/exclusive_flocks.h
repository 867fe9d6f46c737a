// The files some open file description holds an exclusive flock on, as the
// kernel lists them in /proc/locks: one read tells of every file of a folder
// at once, where asking each file (open, flock, close) would cost three calls.
#pragma once

#include <sys/types.h>

#include <mutex>
#include <optional>
#include <string_view>
#include <vector>

namespace vb::emu {

// One lock held with flock(LOCK_EX); the device as /proc/locks prints it.
struct ExclusiveFlock {
  unsigned major = 0;
  unsigned minor = 0;
  ino_t inode = 0;
};

// The exclusive flocks held in the text of /proc/locks: the lines
// "N: FLOCK  ADVISORY  WRITE PID MAJOR:MINOR:INODE START END", device numbers
// in hexadecimal. Lines of locks only waited for ("N: -> FLOCK ..."), shared
// flocks (READ) and POSIX or OFD locks are left out; so is a line not
// understood.
std::vector<ExclusiveFlock> ParseExclusiveFlocks(std::string_view text);

// Reads /proc/locks, kept open: each read regenerates it from its start,
// so only the reading itself is paid each time.
class ExclusiveFlocksReader {
 public:
  ExclusiveFlocksReader() = default;
  ExclusiveFlocksReader(const ExclusiveFlocksReader&) = delete;
  ExclusiveFlocksReader& operator=(const ExclusiveFlocksReader&) = delete;
  ~ExclusiveFlocksReader();

  // The exclusive flocks held now; nothing when /proc/locks cannot be read.
  std::optional<std::vector<ExclusiveFlock>> Read();

 private:
  std::mutex mutex_;  // guards the descriptor
  int fd_ = -1;
};

}  // namespace vb::emu
