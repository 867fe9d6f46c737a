#include "platform/emulated/exclusive_flocks.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <string>

namespace vb::emu {

namespace {

// The next word of a line (blanks between words), moving past it.
std::string_view Word(std::string_view& line) {
  std::size_t start = line.find_first_not_of(' ');
  if (start == std::string_view::npos) {
    line = {};
    return {};
  }
  std::size_t end = line.find(' ', start);
  if (end == std::string_view::npos) end = line.size();
  std::string_view word = line.substr(start, end - start);
  line.remove_prefix(end);
  return word;
}

template <typename Number>
bool Parse(std::string_view text, int base, Number* out) {
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), *out, base);
  return error == std::errc() && end == text.data() + text.size() && !text.empty();
}

// "MAJOR:MINOR:INODE", the first two in hexadecimal.
bool ParseFile(std::string_view text, ExclusiveFlock* lock) {
  std::size_t first = text.find(':');
  std::size_t second = first == std::string_view::npos ? first : text.find(':', first + 1);
  if (second == std::string_view::npos) return false;
  unsigned long long inode = 0;
  if (!Parse(text.substr(0, first), 16, &lock->major) ||
      !Parse(text.substr(first + 1, second - first - 1), 16, &lock->minor) ||
      !Parse(text.substr(second + 1), 10, &inode))
    return false;
  lock->inode = static_cast<ino_t>(inode);
  return true;
}

}  // namespace

std::vector<ExclusiveFlock> ParseExclusiveFlocks(std::string_view text) {
  std::vector<ExclusiveFlock> locks;
  while (!text.empty()) {
    std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    Word(line);  // "N:"
    if (Word(line) != "FLOCK" || Word(line) != "ADVISORY" || Word(line) != "WRITE") continue;
    Word(line);  // the holder's process
    ExclusiveFlock lock;
    if (ParseFile(Word(line), &lock)) locks.push_back(lock);
  }
  return locks;
}

ExclusiveFlocksReader::~ExclusiveFlocksReader() {
  if (fd_ >= 0) close(fd_);
}

std::optional<std::vector<ExclusiveFlock>> ExclusiveFlocksReader::Read() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (fd_ < 0) fd_ = open("/proc/locks", O_RDONLY | O_CLOEXEC);
  if (fd_ < 0) return std::nullopt;
  std::string text;
  char buffer[16384];
  for (;;) {
    ssize_t n = pread(fd_, buffer, sizeof buffer, static_cast<off_t>(text.size()));
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      return std::nullopt;
    }
    text.append(buffer, static_cast<std::size_t>(n));
  }
  return ParseExclusiveFlocks(text);
}

}  // namespace vb::emu
