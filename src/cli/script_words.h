// The words of one script line. A word is a run of non-blanks in which
// "quoted parts" may hold blanks; "" inside quotes is one quote.
#pragma once

#include <cstddef>
#include <istream>
#include <optional>
#include <string>
#include <string_view>

namespace vb::cli::script {

bool IsBlank(char c);

// The longest line a script may hold, its line end not counted. A script is
// written by hand or by a test; a longer line is a wrong file (a device, a
// binary) and is refused before more of it is read.
inline constexpr std::size_t kMaxLineLength = 64 * 1024;

enum class LineRead { kLine, kEnd, kTooLong, kFailed };

// Reads the next line, without its '\n', into *line: at most kMaxLineLength
// characters of it are kept (kTooLong past that). kEnd at the end of the
// stream; kFailed when reading failed.
LineRead ReadScriptLine(std::istream& in, std::string* line);

// The longest text of a script that a message repeats.
inline constexpr std::size_t kMaxRepeated = 200;

// text when it is at most kMaxRepeated bytes long, else its start (a whole
// UTF-8 character at its end) and "...".
std::string Shortened(std::string_view text);

class LineReader {
 public:
  explicit LineReader(std::string_view line) : line_(line) {}

  // The next word; nullopt at the end of the line, or at an unclosed quote
  // (then Bad()).
  std::optional<std::string> Next();
  // The rest of the line as one argument, blanks around it removed; when it
  // is one quoted word, that word without its quotes.
  std::string Rest();
  // The rest of the line exactly as written, blanks around it removed.
  std::string RawRest();

  bool AtEnd();
  bool Bad() const { return bad_; }

 private:
  void SkipBlanks();

  std::string_view line_;
  std::size_t pos_ = 0;
  bool bad_ = false;
};

}  // namespace vb::cli::script
