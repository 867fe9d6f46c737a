#include "cli/script_words.h"

namespace vb::cli::script {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

LineRead ReadScriptLine(std::istream& in, std::string* line) {
  line->clear();
  std::streambuf* buffer = in.rdbuf();
  if (!in.good() || !buffer) return in.bad() ? LineRead::kFailed : LineRead::kEnd;
  try {
    for (;;) {
      int c = buffer->sbumpc();
      if (c == std::char_traits<char>::eof()) {
        // A read error shows as the end of the stream; the stream says which.
        in.setstate(std::ios::eofbit);
        if (in.bad()) return LineRead::kFailed;
        return line->empty() ? LineRead::kEnd : LineRead::kLine;
      }
      if (c == '\n') return LineRead::kLine;
      // A "\r\n" line end is two characters past the limit, not one.
      if (line->size() >= kMaxLineLength + (c == '\r' ? 1 : 0)) return LineRead::kTooLong;
      line->push_back(static_cast<char>(c));
    }
  } catch (const std::exception&) {
    return LineRead::kFailed;
  }
}

std::string Shortened(std::string_view text) {
  if (text.size() <= kMaxRepeated) return std::string(text);
  std::size_t end = kMaxRepeated;
  // Back to the start of a UTF-8 character: never cut one in two.
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  return std::string(text.substr(0, end)) + "...";
}

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
