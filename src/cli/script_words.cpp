#include "cli/script_words.h"

namespace vb::cli::script {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::optional<std::string> LineReader::Next() {
  SkipBlanks();
  if (pos_ >= line_.size()) return std::nullopt;
  std::string word;
  while (pos_ < line_.size() && !IsBlank(line_[pos_])) {
    if (line_[pos_] != '"') {
      word += line_[pos_++];
      continue;
    }
    ++pos_;
    for (;;) {
      if (pos_ >= line_.size()) {
        bad_ = true;
        return std::nullopt;
      }
      if (line_[pos_] == '"') {
        if (pos_ + 1 < line_.size() && line_[pos_ + 1] == '"') {
          word += '"';
          pos_ += 2;
          continue;
        }
        ++pos_;
        break;
      }
      word += line_[pos_++];
    }
  }
  return word;
}

std::string LineReader::Rest() {
  std::string raw = RawRest();
  if (raw.empty() || raw[0] != '"') return raw;
  LineReader inner(raw);
  std::optional<std::string> word = inner.Next();
  return word && inner.AtEnd() ? *word : raw;
}

std::string LineReader::RawRest() {
  SkipBlanks();
  std::size_t end = line_.size();
  while (end > pos_ && IsBlank(line_[end - 1])) --end;
  std::string rest(line_.substr(pos_, end - pos_));
  pos_ = line_.size();
  return rest;
}

bool LineReader::AtEnd() {
  SkipBlanks();
  return pos_ >= line_.size();
}

void LineReader::SkipBlanks() {
  while (pos_ < line_.size() && IsBlank(line_[pos_])) ++pos_;
}

}  // namespace vb::cli::script
