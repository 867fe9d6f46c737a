// Reading follows load_keys in Wine's server/registry.c line by line, so
// that every file means here what it means to Wine, down to the values Wine
// cannot read and the lines a continued hex value swallows.
#include <cstdint>
#include <limits>

#include "platform/wine/wine_escapes.h"
#include "platform/wine/wine_names.h"
#include "platform/wine/wine_registry_file.h"

namespace vb::wine {

namespace {

using win::DWORD;

// The longest key and value names Wine's server takes, in code units.
constexpr std::size_t kMaxKeyName = 256;
constexpr std::size_t kMaxValueName = 16383;
// How deep Windows lets keys go; a deeper key line is one Wine cannot use.
constexpr std::size_t kMaxDepth = 512;

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

unsigned HexValue(char c) {
  if (c <= '9') return static_cast<unsigned>(c - '0');
  return static_cast<unsigned>((c | 0x20) - 'a' + 10);
}

std::size_t SkipSpaces(std::string_view s, std::size_t p) {
  while (p < s.size() && IsSpace(s[p])) ++p;
  return p;
}

// strtoul(s + start, &end, 16) of a 64-bit C library: spaces, a sign, a
// "0x", the digits; the largest number on overflow. end is start when no
// digit was read.
std::uint64_t ReadHexNumber(std::string_view s, std::size_t start, std::size_t* end) {
  std::size_t p = SkipSpaces(s, start);
  bool negative = false;
  if (p < s.size() && (s[p] == '+' || s[p] == '-')) negative = s[p++] == '-';
  if (p + 2 < s.size() && s[p] == '0' && (s[p + 1] | 0x20) == 'x' && IsHexDigit(s[p + 2])) p += 2;
  std::size_t digits = p;
  std::uint64_t value = 0;
  bool overflow = false;
  for (; p < s.size() && IsHexDigit(s[p]); ++p) {
    if (value > (std::numeric_limits<std::uint64_t>::max() >> 4)) overflow = true;
    value = (value << 4) | HexValue(s[p]);
  }
  if (p == digits) {
    *end = start;
    return 0;
  }
  *end = p;
  if (overflow) return std::numeric_limits<std::uint64_t>::max();
  return negative ? 0 - value : value;
}

// The lines of a file as Wine's read_next_line gives them: without the "\n"
// and a "\r" before it; a line holding a NUL ends there.
class Lines {
 public:
  explicit Lines(std::string_view text) : text_(text) {}
  bool Next(std::string_view* line) {
    if (pos_ >= text_.size()) return false;
    begin_ = pos_;
    std::size_t newline = text_.find('\n', pos_);
    std::size_t end = newline == std::string_view::npos ? text_.size() : newline;
    pos_ = newline == std::string_view::npos ? text_.size() : newline + 1;
    if (newline != std::string_view::npos && end > begin_ && text_[end - 1] == '\r') --end;
    *line = text_.substr(begin_, end - begin_);
    if (std::size_t nul = line->find('\0'); nul != std::string_view::npos)
      *line = line->substr(0, nul);
    return true;
  }
  std::size_t begin() const { return begin_; }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
  std::size_t begin_ = 0;
};

// The value type of the text after "=", and where the data starts; 0 when
// Wine knows no such type (get_data_type).
std::size_t ReadDataType(std::string_view s, DWORD* type, char* form) {
  struct Tag {
    std::string_view tag;
    DWORD type;
    char form;  // 's' string, 'd' dword, 'h' hex bytes
  };
  static constexpr Tag kTags[] = {{"\"", win::kRegSz, 's'},
                                  {"str:\"", win::kRegSz, 's'},
                                  {"str(2):\"", win::kRegExpandSz, 's'},
                                  {"str(7):\"", win::kRegMultiSz, 's'},
                                  {"hex:", win::kRegBinary, 'h'},
                                  {"dword:", win::kRegDword, 'd'}};
  for (const Tag& t : kTags) {
    if (s.substr(0, t.tag.size()) != t.tag) continue;
    *type = t.type;
    *form = t.form;
    return t.tag.size();
  }
  if (s.substr(0, 4) != "hex(") return 0;
  std::size_t end = 0;
  *type = static_cast<DWORD>(ReadHexNumber(s, 4, &end));
  // With no digits the type is 0: Wine reads "hex():" so.
  if (s.substr(end, 2) != "):") return 0;
  *form = 'h';
  return end + 2;
}

// Comma-separated hex bytes (parse_hex); how much was read, or nothing for
// a number above 0xff.
std::optional<std::size_t> ReadHexBytes(std::string_view s, std::string* out) {
  std::size_t p = 0;
  while (p < s.size() && IsHexDigit(s[p])) {
    std::size_t end = 0;
    std::uint64_t byte = ReadHexNumber(s, p, &end);
    if (end == p || byte > 0xFF) return std::nullopt;
    *out += static_cast<char>(byte);
    p = SkipSpaces(s, end);
    if (p < s.size() && s[p] == ',') ++p;
    p = SkipSpaces(s, p);
  }
  return p;
}

class Reader {
 public:
  explicit Reader(WineHive& hive) : hive_(hive), lines_(hive.text) {}

  Result<> Run() {
    std::string_view line;
    if (!lines_.Next(&line) || line != kWineRegistryHeader)
      return Fail("not a Wine registry file: the first line is not \"" +
                  std::string(kWineRegistryHeader) + "\"");
    std::optional<std::size_t> blankFrom;
    std::size_t firstBlock = hive_.text.size();
    bool anyBlock = false;
    while (lines_.Next(&line)) {
      std::size_t lineBegin = lines_.begin();
      std::size_t p = SkipSpaces(line, 0);
      if (p == line.size()) {
        if (!blankFrom) blankFrom = lineBegin;
        continue;
      }
      std::size_t blockBegin = blankFrom.value_or(lineBegin);
      blankFrom.reset();
      std::string_view rest = line.substr(p);
      switch (rest[0]) {
        case '[':
          CloseBlock(blockBegin);
          if (!anyBlock) firstBlock = blockBegin;
          anyBlock = true;
          StartKey(rest.substr(1), blockBegin);
          break;
        case '@':
        case '"':
          if (key_) ReadValue(rest);
          break;
        case '#':
          if (key_) {
            ReadKeyOption(rest);
          } else if (Result<> taken = ReadGlobalOption(rest); !taken) {
            return taken;
          }
          break;
        default:  // a comment, or a line Wine does not know
          if (key_) key_->keptLines.emplace_back(rest);
          break;
      }
    }
    CloseBlock(hive_.text.size());
    hive_.preamble = hive_.text.substr(0, firstBlock);
    ReadRootPath();
    return {};
  }

 private:
  // Ends the block open at `end`: the previous key's, or an unreadable one's.
  void CloseBlock(std::size_t end) {
    if (open_) open_->end = end;
    open_ = nullptr;
  }

  void StartKey(std::string_view text, std::size_t blockBegin) {
    key_ = nullptr;
    std::u16string path;
    std::optional<std::size_t> read = ReadEscaped(text, ']', &path);
    std::vector<std::u16string> parts;
    bool readable = read.has_value();
    if (readable) {
      std::size_t start = 0;
      while (start <= path.size()) {
        std::size_t end = path.find(u'\\', start);
        if (end == std::u16string::npos) end = path.size();
        if (end > start) parts.push_back(path.substr(start, end - start));
        if (end - start > kMaxKeyName) readable = false;
        start = end + 1;
      }
    }
    if (parts.size() > kMaxDepth) readable = false;
    if (!readable) {
      hive_.unreadKeys.push_back({blockBegin, blockBegin});
      open_ = &hive_.unreadKeys.back();
      return;
    }
    // Key lines come in order, each sharing most of its path with the one
    // before: the walk starts where the two part.
    std::size_t common = 0;
    while (common < parts.size() && common < lastPath_.size() && parts[common] == lastPath_[common])
      ++common;
    lastPath_.resize(common);
    lastKeys_.resize(common);
    WineKey* key = common ? lastKeys_.back().key : hive_.root.get();
    // A block that spells a key's path otherwise than the key is named
    // could rename it when written back at another place: such a key is
    // written anew, with the names it has.
    bool spelledAsNamed = common ? lastKeys_.back().spelledAsNamed : true;
    for (std::size_t i = common; i < parts.size(); ++i) {
      WineKey* next = FindSubkey(*key, parts[i]).get();
      if (!next) {
        auto made = std::make_shared<WineKey>();
        made->name = parts[i];
        next = &AddSubkey(*key, std::move(made));
      } else if (next->name != parts[i]) {
        spelledAsNamed = false;
      }
      key = next;
      lastPath_.push_back(std::move(parts[i]));
      lastKeys_.push_back({key, spelledAsNamed});
    }
    if (!spelledAsNamed) key->rewrite = true;
    if (std::optional<std::uint64_t> seconds = ReadSeconds(text.substr(*read)))
      key->modified = *seconds * 10000000ull + kTicks1601To1970;
    key->blocks.push_back({blockBegin, blockBegin});
    key_ = key;
    open_ = &key->blocks.back();
  }

  // The seconds from 1970 after the key's name, when there are any.
  static std::optional<std::uint64_t> ReadSeconds(std::string_view s) {
    std::size_t p = SkipSpaces(s, 0);
    if (p == s.size() || s[p] < '0' || s[p] > '9') return std::nullopt;
    std::uint64_t value = 0;
    for (; p < s.size() && s[p] >= '0' && s[p] <= '9'; ++p)
      value = (value * 10 + static_cast<unsigned>(s[p] - '0')) & 0xFFFFFFFFu;
    return value;
  }

  void ReadKeyOption(std::string_view line) {
    if (line.substr(0, 6) == "#time=") {
      std::uint64_t ticks = 0;
      for (std::size_t p = 6; p < line.size() && IsHexDigit(line[p]); ++p)
        ticks = (ticks << 4) | HexValue(line[p]);
      key_->modified = ticks;
      return;
    }
    if (line.substr(0, 7) == "#class=" && line.size() > 7 && line[7] == '"') {
      std::u16string keyClass;
      if (ReadEscaped(line.substr(8), '"', &keyClass)) {
        key_->keyClass = std::move(keyClass);
        return;
      }
    }
    if (line.substr(0, 5) == "#link") {
      key_->link = true;
      return;
    }
    key_->keptLines.emplace_back(line);
  }

  Result<> ReadGlobalOption(std::string_view line) {
    if (line.substr(0, 6) != "#arch=") return {};
    std::string arch(line.substr(6));
    if (arch != "win32" && arch != "win64")
      return Fail("not a Wine registry file: unknown architecture \"" + arch + "\"");
    if (!hive_.arch.empty() && hive_.arch != arch)
      return Fail("not a Wine registry file: it names two architectures");
    hive_.arch = arch;
    return {};
  }

  void ReadValue(std::string_view line) {
    WineValue value;
    std::size_t p = 1;
    if (line[0] == '"') {
      std::optional<std::size_t> read = ReadEscaped(line.substr(1), '"', &value.name);
      if (!read || value.name.size() > kMaxValueName) {
        key_->keptLines.emplace_back(line);  // no value is made of it
        return;
      }
      p = 1 + *read;
    }
    p = SkipSpaces(line, p);
    if (p >= line.size() || line[p] != '=') {
      key_->keptLines.emplace_back(line);
      return;
    }
    p = SkipSpaces(line, p + 1);
    // A value whose data Wine cannot read is there all the same, empty.
    if (!ReadData(line.substr(p), &value)) {
      value.type = win::kRegNone;
      value.data.clear();
    }
    PutValue(*key_, std::move(value));
  }

  bool ReadData(std::string_view s, WineValue* value) {
    char form = 0;
    std::size_t tag = ReadDataType(s, &value->type, &form);
    if (!tag) return false;
    s.remove_prefix(tag);
    if (form == 's') {
      std::u16string units;
      if (!ReadEscaped(s, '"', &units)) return false;
      units.push_back(0);
      value->data = BytesFromUnits(units);
      return true;
    }
    if (form == 'd') {
      std::size_t end = 0;
      auto dword = static_cast<DWORD>(ReadHexNumber(s, 0, &end));
      value->data.assign(reinterpret_cast<const char*>(&dword), sizeof dword);
      return true;
    }
    for (;;) {
      std::optional<std::size_t> read = ReadHexBytes(s, &value->data);
      if (!read) return false;
      std::size_t p = SkipSpaces(s, *read);
      if (p == s.size()) return true;
      if (s[p] != '\\') return false;
      std::string_view next;
      if (!lines_.Next(&next)) {
        // The file ends inside the value: copied as it is, the key's text
        // would take the first line of whatever came after it.
        key_->rewrite = true;
        return false;
      }
      s = next.substr(SkipSpaces(next, 0));
    }
  }

  void ReadRootPath() {
    constexpr std::string_view kIntro = ";; All keys relative to ";
    Lines lines(hive_.preamble);
    std::string_view line;
    while (lines.Next(&line)) {
      if (line.substr(0, kIntro.size()) != kIntro) continue;
      std::string escaped(line.substr(kIntro.size()));
      escaped += '\n';
      std::u16string path;
      if (ReadEscaped(escaped, '\n', &path)) hive_.rootPath = AnsiFromUnits(path);
      return;
    }
  }

  WineHive& hive_;
  Lines lines_;
  WineKey* key_ = nullptr;
  TextSpan* open_ = nullptr;
  // The path of the last key line read, and the keys along it.
  struct PathKey {
    WineKey* key;
    bool spelledAsNamed;  // this far, the path spells the keys' names
  };
  std::vector<std::u16string> lastPath_;
  std::vector<PathKey> lastKeys_;
};

}  // namespace

Result<WineHive> ReadWineHive(std::string text) {
  WineHive hive;
  hive.text = std::move(text);
  Reader reader(hive);
  if (Result<> read = reader.Run(); !read) return read.failure();
  return hive;
}

}  // namespace vb::wine
