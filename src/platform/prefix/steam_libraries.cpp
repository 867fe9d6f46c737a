#include "platform/prefix/steam_libraries.h"

#include <set>

#include "platform/ascii_case.h"

namespace vb::prefix {

namespace {

enum class Kind { kString, kOpen, kClose, kEnd, kFault };

struct Token {
  Kind kind = Kind::kEnd;
  std::string text;
};

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// The tokens of KeyValues text, one at a time; every call moves forward, so
// a loop over them ends.
class Tokens {
 public:
  explicit Tokens(std::string_view text) : text_(text) {}

  Token Next() {
    SkipSpaceAndComments();
    if (pos_ == text_.size()) return {Kind::kEnd, {}};
    char c = text_[pos_];
    if (c == '{' || c == '}') {
      ++pos_;
      return {c == '{' ? Kind::kOpen : Kind::kClose, {}};
    }
    return c == '"' ? Quoted() : Bare();
  }

 private:
  void SkipSpaceAndComments() {
    while (pos_ < text_.size()) {
      if (IsSpace(text_[pos_])) {
        ++pos_;
      } else if (text_.substr(pos_, 2) == "//") {
        std::size_t end = text_.find('\n', pos_);
        pos_ = end == std::string_view::npos ? text_.size() : end + 1;
      } else {
        return;
      }
    }
  }

  // A string between quotes, its escapes undone; a fault when no quote ends it.
  Token Quoted() {
    std::string out;
    for (++pos_; pos_ < text_.size(); ++pos_) {
      char c = text_[pos_];
      if (c == '"') {
        ++pos_;
        return {Kind::kString, std::move(out)};
      }
      if (c == '\\' && pos_ + 1 < text_.size()) {
        char next = text_[++pos_];
        if (next == 'n') {
          out += '\n';
        } else if (next == 't') {
          out += '\t';
        } else {
          if (next != '\\' && next != '"') out += c;  // no escape: both stay
          out += next;
        }
        continue;
      }
      out += c;
    }
    return {Kind::kFault, {}};
  }

  // A string without quotes, up to a space, a brace or a quote.
  Token Bare() {
    std::size_t start = pos_;
    while (pos_ < text_.size() && !IsSpace(text_[pos_]) && text_[pos_] != '{' &&
           text_[pos_] != '}' && text_[pos_] != '"')
      ++pos_;
    return {Kind::kString, std::string(text_.substr(start, pos_ - start))};
  }

  std::string_view text_;
  std::size_t pos_ = 0;
};

bool IsNumber(std::string_view key) {
  return !key.empty() && key.find_first_not_of("0123456789") == std::string_view::npos;
}

}  // namespace

std::vector<std::string> SteamLibraryPaths(std::string_view vdf) {
  std::vector<std::string> paths;
  std::set<std::string> seen;
  Tokens tokens(vdf);
  // Only the outer two levels tell a library path, so a count of the open
  // blocks and what the outer two are is all the nesting kept.
  int depth = 0;
  bool inList = false;     // the block at depth 1 is "libraryfolders"
  bool inLibrary = false;  // the block at depth 2 is a numbered library of it
  for (;;) {
    Token key = tokens.Next();
    if (key.kind == Kind::kClose && depth > 0) {
      --depth;
      continue;
    }
    if (key.kind != Kind::kString) break;  // the end, a brace too many, a string left open
    Token value = tokens.Next();
    if (value.kind == Kind::kOpen) {
      ++depth;
      if (depth == 1) inList = platform::EqualsIgnoringCase(key.text, "libraryfolders");
      if (depth == 2) inLibrary = inList && IsNumber(key.text);
      continue;
    }
    if (value.kind != Kind::kString) break;
    bool names = (depth == 2 && inLibrary && platform::EqualsIgnoringCase(key.text, "path")) ||
                 (depth == 1 && inList && IsNumber(key.text));
    if (names && !value.text.empty() && seen.insert(value.text).second)
      paths.push_back(std::move(value.text));
  }
  return paths;
}

}  // namespace vb::prefix
