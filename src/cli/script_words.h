// The words of one script line. A word is a run of non-blanks in which
// "quoted parts" may hold blanks; "" inside quotes is one quote.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vb::cli::script {

bool IsBlank(char c);

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
