#include "registry/reg_file.h"

#include <cstdio>

#include "registry/reg_file_text.h"
#include "registry/root_names.h"

namespace vb::registry {

namespace {

using View = std::u32string_view;

constexpr View kHeader5 = U"Windows Registry Editor Version 5.00";
constexpr View kHeader4 = U"REGEDIT4";

bool IsBlank(char32_t c) { return c == U' ' || c == U'\t'; }

View TrimLeft(View v) {
  while (!v.empty() && IsBlank(v.front())) v.remove_prefix(1);
  return v;
}

View TrimRight(View v) {
  while (!v.empty() && IsBlank(v.back())) v.remove_suffix(1);
  return v;
}

View Trim(View v) { return TrimRight(TrimLeft(v)); }

bool StartsWithNoCase(View v, std::string_view ascii) {
  if (v.size() < ascii.size()) return false;
  for (std::size_t i = 0; i < ascii.size(); ++i) {
    char32_t c = v[i];
    if (c >= U'A' && c <= U'Z') c = c - U'A' + U'a';
    if (c != static_cast<char32_t>(ascii[i])) return false;
  }
  return true;
}

int HexDigit(char32_t c) {
  if (c >= U'0' && c <= U'9') return static_cast<int>(c - U'0');
  if (c >= U'a' && c <= U'f') return static_cast<int>(c - U'a' + 10);
  if (c >= U'A' && c <= U'F') return static_cast<int>(c - U'A' + 10);
  return -1;
}

// 1 to 8 hexadecimal digits as a number; nothing for anything else.
std::optional<win::DWORD> ParseHexNumber(View digits) {
  if (digits.empty() || digits.size() > 8) return std::nullopt;
  win::DWORD n = 0;
  for (char32_t c : digits) {
    int d = HexDigit(c);
    if (d < 0) return std::nullopt;
    n = (n << 4) | static_cast<win::DWORD>(d);
  }
  return n;
}

// Text of a file for a message: ASCII as it is, anything else as U+XXXX.
std::string Printable(View v) {
  std::string out;
  for (char32_t c : v) {
    if (c >= 0x20 && c < 0x7F)
      out += static_cast<char>(c);
    else
      out += "<" + CharacterName(c) + ">";
  }
  return out;
}

std::string LineError(int line, const std::string& what) {
  return "line " + std::to_string(line) + ": " + what;
}

bool IsStringType(win::DWORD type) {
  return type == win::kRegSz || type == win::kRegExpandSz || type == win::kRegMultiSz;
}

class Parser {
 public:
  Parser(std::vector<View> lines, RegFileFormat format, win::DWORD codePage)
      : lines_(std::move(lines)), codePage_(codePage) {
    file_.format = format;
  }

  Result<RegFile> Run() {
    for (std::size_t i = 1; i < lines_.size(); ++i) {
      int line = static_cast<int>(i) + 1;
      View text = TrimLeft(lines_[i]);
      bool ok = true;
      if (text.empty() || text.front() == U';')
        continue;
      else if (text.front() == U'[')
        ok = ParseKeyLine(line, text);
      else if (text.front() == U'"' || text.front() == U'@')
        ok = ParseValueLine(&i);
      else
        ok = Fail(line, "expected a [KEY] line, a \"name\"=value line or a ; comment");
      if (!ok) return vb::Fail(error_);
    }
    return std::move(file_);
  }

 private:
  bool Fail(int line, const std::string& what) {
    error_ = LineError(line, what);
    return false;
  }

  bool ToAnsi(int line, View text, std::string* out) {
    Result<std::string> converted = AnsiFromUnicode(text, codePage_);
    if (!converted) return Fail(line, converted.message());
    *out = std::move(*converted);
    return true;
  }

  bool ParseKeyLine(int line, View text) {
    View body = TrimRight(text);
    if (body.size() < 2 || body.back() != U']') return Fail(line, "a key line must end with ']'");
    View inner = body.substr(1, body.size() - 2);
    RegFileKey key;
    key.line = line;
    if (!inner.empty() && inner.front() == U'-') {
      key.remove = true;
      inner.remove_prefix(1);
    }
    std::string path;
    if (!ToAnsi(line, inner, &path)) return false;
    Result<KeyPath> split = SplitKeyPath(path);
    if (!split) return Fail(line, split.message());
    if (key.remove && split->subKey.empty())
      return Fail(line, "refusing to delete the whole hive " + RootLongName(split->root));
    key.root = split->root;
    key.subKey = std::move(split->subKey);
    file_.keys.push_back(std::move(key));
    return true;
  }

  // Reads a string in double quotes at text[0], with its \\ and \" escapes;
  // *rest is what follows the closing quote.
  bool ParseQuoted(int line, View text, std::u32string* out, View* rest) {
    out->clear();
    for (std::size_t i = 1; i < text.size(); ++i) {
      char32_t c = text[i];
      if (c == U'"') {
        *rest = text.substr(i + 1);
        return true;
      }
      if (c == U'\\') {
        if (i + 1 == text.size()) break;
        char32_t next = text[++i];
        if (next != U'\\' && next != U'"')
          return Fail(line, "unknown escape \\" + Printable(View(&text[i], 1)) +
                                " in a string (write \\\\ for a backslash, \\\" for a quote)");
        c = next;
      }
      *out += c;
    }
    return Fail(line, "a string without its closing quote");
  }

  bool ParseValueLine(std::size_t* index) {
    int line = static_cast<int>(*index) + 1;
    View text = TrimLeft(lines_[*index]);
    if (file_.keys.empty()) return Fail(line, "a value before the first [KEY] line");
    if (file_.keys.back().remove)
      return Fail(line, "a value under a [-KEY] line, whose key is being deleted");
    RegFileValue value;
    value.line = line;
    View rest;
    if (text.front() == U'@') {
      rest = text.substr(1);
    } else {
      std::u32string name;
      if (!ParseQuoted(line, text, &name, &rest) || !ToAnsi(line, name, &value.name))
        return false;
    }
    rest = TrimLeft(rest);
    if (rest.empty() || rest.front() != U'=')
      return Fail(line, "expected '=' after the value name");
    View data = TrimLeft(rest.substr(1));
    if (!data.empty() && data.front() == U'"') {
      std::u32string s;
      View after;
      if (!ParseQuoted(line, data, &s, &after)) return false;
      if (!Trim(after).empty()) return Fail(line, "unexpected text after the closing quote");
      if (!ToAnsi(line, s, &value.data)) return false;
      value.type = win::kRegSz;
      value.data += '\0';
    } else if (TrimRight(data) == U"-") {
      value.remove = true;
    } else if (StartsWithNoCase(data, "dword:")) {
      std::optional<win::DWORD> n = ParseHexNumber(TrimRight(data.substr(6)));
      if (!n) return Fail(line, "dword: takes 1 to 8 hexadecimal digits");
      value.type = win::kRegDword;
      for (int shift = 0; shift < 32; shift += 8)
        value.data += static_cast<char>((*n >> shift) & 0xFF);
    } else if (StartsWithNoCase(data, "hex")) {
      if (!ParseHexValue(index, data.substr(3), &value)) return false;
    } else {
      return Fail(line, "unrecognised data; expected \"text\", dword:, hex:, hex(N): or -");
    }
    file_.keys.back().values.push_back(std::move(value));
    return true;
  }

  // After "hex": an optional "(N)", a colon, then comma-separated bytes that
  // may continue over the following lines, each continued line ending in a
  // backslash.
  bool ParseHexValue(std::size_t* index, View rest, RegFileValue* value) {
    int line = static_cast<int>(*index) + 1;
    win::DWORD type = win::kRegBinary;
    if (!rest.empty() && rest.front() == U'(') {
      std::size_t close = rest.find(U')');
      std::optional<win::DWORD> n =
          close == View::npos ? std::nullopt : ParseHexNumber(rest.substr(1, close - 1));
      if (!n) return Fail(line, "hex(N) takes a type of 1 to 8 hexadecimal digits");
      type = *n;
      rest = rest.substr(close + 1);
    }
    if (rest.empty() || rest.front() != U':') return Fail(line, "expected ':' after hex or hex(N)");
    rest = TrimRight(rest.substr(1));

    // The byte list joined over its continuation lines, with where each
    // piece starts, so that a fault is reported on its own line.
    std::u32string joined;
    std::vector<std::pair<std::size_t, int>> starts;
    int pieceLine = line;
    while (true) {
      starts.emplace_back(joined.size(), pieceLine);
      if (rest.empty() || rest.back() != U'\\') {
        joined += rest;
        break;
      }
      joined += rest.substr(0, rest.size() - 1);
      View next;
      do {
        if (++*index >= lines_.size())
          return Fail(pieceLine, "the hex data continues past the end of the file");
        next = Trim(lines_[*index]);
      } while (!next.empty() && next.front() == U';');
      if (next.empty() && *index + 1 == lines_.size())  // the end of the last line
        return Fail(pieceLine, "the hex data continues past the end of the file");
      pieceLine = static_cast<int>(*index) + 1;
      if (next.empty()) return Fail(pieceLine, "the hex data continues onto a blank line");
      rest = next;
    }
    auto lineAt = [&](std::size_t offset) {
      int at = line;
      for (const auto& [start, l] : starts)
        if (start <= offset) at = l;
      return at;
    };

    std::string bytes;
    if (!Trim(joined).empty()) {
      std::size_t start = 0;
      while (true) {
        std::size_t comma = joined.find(U',', start);
        std::size_t end = comma == std::u32string::npos ? joined.size() : comma;
        View token = Trim(View(joined).substr(start, end - start));
        if (token.empty()) return Fail(lineAt(start), "a byte is missing in the hex data");
        int high = HexDigit(token[0]);
        int low = token.size() == 2 ? HexDigit(token[1]) : 0;
        if (token.size() > 2 || high < 0 || low < 0)
          return Fail(lineAt(start), "\"" + Printable(token) + "\" is not a hexadecimal byte");
        bytes += static_cast<char>(token.size() == 2 ? high * 16 + low : high);
        if (comma == std::u32string::npos) break;
        start = comma + 1;
      }
    }

    value->type = type;
    if (file_.format == RegFileFormat::kVersion5 && IsStringType(type)) {
      // The string types are Unicode in a Version 5.00 file; the registry
      // here holds them as the ANSI functions give them.
      Result<std::string> ansi = AnsiFromUtf16Le(bytes, codePage_);
      if (!ansi) {
        char kind[24];
        std::snprintf(kind, sizeof kind, "hex(%x)", static_cast<unsigned>(type));
        return Fail(line, std::string(kind) + " data must be UTF-16LE text: " + ansi.message());
      }
      value->data = std::move(*ansi);
    } else {
      value->data = std::move(bytes);
    }
    return true;
  }

  std::vector<View> lines_;
  win::DWORD codePage_;
  RegFile file_;
  std::string error_;
};

bool HasLineBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

std::string Escape(std::string_view s) {
  std::string out;
  for (char c : s) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  return out;
}

// One NUL-terminated string with no other NUL and no line break: what a
// "..." string of a .reg file gives back exactly.
bool IsCleanString(std::string_view data) {
  return !data.empty() && data.back() == '\0' && data.find('\0') == data.size() - 1 &&
         !HasLineBreak(data);
}

// "xx,xx,..." continued with ",\" and two spaces once a line reaches about
// 80 columns, as regedit wraps it; column is what the line holds already.
void AppendHex(std::string& out, std::size_t column, std::string_view bytes) {
  constexpr std::size_t kWrapColumn = 77;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02x", static_cast<unsigned char>(bytes[i]));
    out += digits;
    if (i + 1 == bytes.size()) break;
    out += ',';
    column += 3;
    if (column >= kWrapColumn) {
      out += "\\\r\n  ";
      column = 2;
    }
  }
}

Result<> AppendValue(std::string& out, const RegFileValue& value, bool version5,
                     win::DWORD codePage) {
  if (HasLineBreak(value.name))
    return Fail("the value name \"" + value.name +
                "\" has a line break, which a .reg file cannot hold");
  std::string line = value.name.empty() ? "@=" : "\"" + Escape(value.name) + "\"=";
  if (value.remove) {
    line += "-";
  } else if (value.type == win::kRegSz && IsCleanString(value.data)) {
    line += "\"" + Escape(std::string_view(value.data).substr(0, value.data.size() - 1)) + "\"";
  } else if (value.type == win::kRegDword && value.data.size() == 4) {
    win::DWORD n = 0;
    for (int i = 3; i >= 0; --i) n = (n << 8) | static_cast<unsigned char>(value.data[i]);
    char digits[16];
    std::snprintf(digits, sizeof digits, "dword:%08x", static_cast<unsigned>(n));
    line += digits;
  } else {
    if (value.type == win::kRegBinary) {
      line += "hex:";
    } else {
      char prefix[24];
      std::snprintf(prefix, sizeof prefix, "hex(%x):", static_cast<unsigned>(value.type));
      line += prefix;
    }
    std::size_t column = line.size();
    if (version5 && IsStringType(value.type)) {
      Result<std::string> unicode = AnsiToUtf16Le(value.data, codePage);
      if (!unicode) return Fail("the data of \"" + value.name + "\": " + unicode.message());
      AppendHex(line, column, *unicode);
    } else {
      AppendHex(line, column, value.data);
    }
  }
  out += line;
  out += "\r\n";
  return {};
}

}  // namespace

Result<RegFile> ParseRegFile(std::string_view bytes, win::DWORD codePage) {
  auto fail = [&](int line, const std::string& what) { return Fail(LineError(line, what)); };
  DecodedText decoded;
  if (bytes.substr(0, 2) == "\xFF\xFE") {
    decoded = DecodeUtf16Le(bytes.substr(2));
  } else if (bytes.substr(0, 2) == "\xFE\xFF") {
    return fail(1, "UTF-16 big-endian files are not supported; save the file as UTF-16LE");
  } else if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
    decoded = DecodeUtf8(bytes.substr(3));
  } else if (bytes.size() >= 2 && bytes[0] != '\0' && bytes[1] == '\0') {
    decoded = DecodeUtf16Le(bytes);  // UTF-16LE that lost its BOM
  } else if (bytes.substr(0, kHeader4.size()) == "REGEDIT4") {
    decoded = DecodeAnsi(bytes, codePage);
  } else {
    decoded = DecodeUtf8(bytes);
  }
  if (!decoded.ok) return fail(decoded.errorLine, decoded.error);

  std::u32string& text = decoded.text;
  while (!text.empty() && text.back() == U'\0') text.pop_back();
  std::vector<View> lines;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find(U'\n', start);
    if (end == std::u32string::npos) end = text.size();
    View line = View(text).substr(start, end - start);
    if (!line.empty() && line.back() == U'\r') line.remove_suffix(1);
    if (line.find(U'\0') != View::npos)
      return fail(static_cast<int>(lines.size()) + 1, "a NUL character in the text");
    lines.push_back(line);
    start = end + 1;
  }

  View header = TrimRight(lines.front());
  RegFileFormat format;
  if (header == kHeader5)
    format = RegFileFormat::kVersion5;
  else if (header == kHeader4)
    format = RegFileFormat::kRegedit4;
  else
    return fail(1,
                "not a registry file: the first line must be \"Windows Registry Editor "
                "Version 5.00\" or \"REGEDIT4\"");
  return Parser(std::move(lines), format, codePage).Run();
}

Result<std::string> FormatRegFile(const RegFile& file, win::DWORD codePage) {
  bool version5 = file.format == RegFileFormat::kVersion5;
  std::string text = version5 ? "Windows Registry Editor Version 5.00" : "REGEDIT4";
  text += "\r\n\r\n";
  for (const RegFileKey& key : file.keys) {
    if (RootLongName(key.root).empty())
      return Fail("a key below a handle that is no registry root");
    std::string path = JoinKeyPath(key.root, key.subKey);
    if (HasLineBreak(path))
      return Fail("the key name \"" + path + "\" has a line break, which a .reg file cannot hold");
    if (key.remove && (key.subKey.empty() || !key.values.empty()))
      return Fail("a [-KEY] line for " + path + " must name a subkey and carry no values");
    text += key.remove ? "[-" : "[";
    text += path;
    text += "]\r\n";
    for (const RegFileValue& value : key.values)
      if (Result<> appended = AppendValue(text, value, version5, codePage); !appended)
        return appended.failure();
    text += "\r\n";
  }
  if (!version5) return text;
  Result<std::string> unicode = AnsiToUtf16Le(text, codePage);
  if (!unicode) return Fail("a key or value name: " + unicode.message());
  return "\xFF\xFE" + *unicode;
}

}  // namespace vb::registry
