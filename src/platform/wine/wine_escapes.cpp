#include "platform/wine/wine_escapes.h"

namespace vb::wine {

namespace {

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

unsigned HexValue(char c) {
  if (c >= '0' && c <= '9') return static_cast<unsigned>(c - '0');
  if (c >= 'a' && c <= 'f') return static_cast<unsigned>(c - 'a' + 10);
  return static_cast<unsigned>(c - 'A' + 10);
}

bool IsOctalDigit(char c) { return c >= '0' && c <= '7'; }

// Bytes after a UTF-8 lead byte as Wine counts them: 0xC2-0xDF one,
// 0xE0-0xEF two, 0xF0-0xF4 three; any other byte starts nothing.
int FollowingBytes(unsigned char lead) {
  if (lead >= 0xC2 && lead <= 0xDF) return 1;
  if (lead >= 0xE0 && lead <= 0xEF) return 2;
  if (lead >= 0xF0 && lead <= 0xF4) return 3;
  return 0;
}

// One UTF-8 character at text[*pos] (its lead byte already known not to be
// ASCII), decoded as Wine does: a character it cannot decode is dropped,
// with the bytes read so far. Three-byte forms of surrogates are taken as
// the surrogate code unit, as Wine takes them.
void ReadUtf8(std::string_view text, std::size_t* pos, std::u16string* units) {
  static constexpr unsigned char kLeadMask[4] = {0x7F, 0x1F, 0x0F, 0x07};
  static constexpr char32_t kSmallest[4] = {0x0, 0x80, 0x800, 0x10000};
  auto lead = static_cast<unsigned char>(text[(*pos)++]);
  int following = FollowingBytes(lead);
  if (!following) return;
  char32_t c = lead & kLeadMask[following];
  for (int i = 0; i < following; ++i) {
    if (*pos >= text.size()) return;
    unsigned next = static_cast<unsigned char>(text[*pos]) ^ 0x80u;
    if (next >= 0x40) return;
    c = (c << 6) | next;
    ++*pos;
  }
  if (c < kSmallest[following] || c > 0x10FFFF) return;
  if (c <= 0xFFFF) {
    units->push_back(static_cast<char16_t>(c));
  } else {
    c -= 0x10000;
    units->push_back(static_cast<char16_t>(0xD800 | (c >> 10)));
    units->push_back(static_cast<char16_t>(0xDC00 | (c & 0x3FF)));
  }
}

}  // namespace

std::optional<std::size_t> ReadEscaped(std::string_view text, char endChar,
                                       std::u16string* units) {
  units->clear();
  std::size_t p = 0;
  while (p < text.size() && text[p] != endChar) {
    if (text[p] == '\\') {
      ++p;
      if (p == text.size()) break;
      char c = text[p];
      char16_t control = 0;
      switch (c) {
        case 'a': control = '\a'; break;
        case 'b': control = '\b'; break;
        case 'e': control = 0x1B; break;
        case 'f': control = '\f'; break;
        case 'n': control = '\n'; break;
        case 'r': control = '\r'; break;
        case 't': control = '\t'; break;
        case 'v': control = '\v'; break;
        default: break;
      }
      if (control) {
        units->push_back(control);
        ++p;
        continue;
      }
      if (c == 'x') {
        ++p;
        if (p == text.size() || !IsHexDigit(text[p])) {
          units->push_back(u'x');
          continue;
        }
        unsigned value = 0;
        for (int digits = 0; digits < 4 && p < text.size() && IsHexDigit(text[p]); ++digits)
          value = value * 16 + HexValue(text[p++]);
        units->push_back(static_cast<char16_t>(value));
        continue;
      }
      if (IsOctalDigit(c)) {
        unsigned value = 0;
        for (int digits = 0; digits < 3 && p < text.size() && IsOctalDigit(text[p]); ++digits)
          value = value * 8 + static_cast<unsigned>(text[p++] - '0');
        units->push_back(static_cast<char16_t>(value));
        continue;
      }
      // Any other escaped character stands for itself.
    }
    auto byte = static_cast<unsigned char>(text[p]);
    if (byte < 0x80) {
      units->push_back(byte);
      ++p;
    } else {
      ReadUtf8(text, &p, units);
    }
  }
  if (p >= text.size()) return std::nullopt;
  return p + 1;
}

std::size_t AppendEscaped(std::string& out, std::u16string_view units, std::string_view quotes) {
  static constexpr char kControls[33] = ".......abtnvfr.............e....";
  static constexpr char kHex[] = "0123456789abcdef";
  std::size_t start = out.size();
  for (std::size_t i = 0; i < units.size(); ++i) {
    char16_t c = units[i];
    bool hasNext = i + 1 < units.size();
    char16_t next = hasNext ? units[i + 1] : 0;
    if (c > 127) {
      out += "\\x";
      bool padded = hasNext && next < 128 && IsHexDigit(static_cast<char>(next));
      bool started = false;
      for (int shift = 12; shift >= 0; shift -= 4) {
        unsigned digit = (c >> shift) & 0xF;
        if (digit || started || padded || shift == 0) {
          out += kHex[digit];
          started = true;
        }
      }
      continue;
    }
    if (c < 32) {
      out += '\\';
      if (kControls[c] != '.') {
        out += kControls[c];
      } else if (hasNext && next >= '0' && next <= '7') {
        out += static_cast<char>('0' + ((c >> 6) & 7));
        out += static_cast<char>('0' + ((c >> 3) & 7));
        out += static_cast<char>('0' + (c & 7));
      } else {
        if (c >= 8) out += static_cast<char>('0' + ((c >> 3) & 7));
        out += static_cast<char>('0' + (c & 7));
      }
      continue;
    }
    auto ascii = static_cast<char>(c);
    if (ascii == '\\' || (quotes.size() > 0 && ascii == quotes[0]) ||
        (quotes.size() > 1 && ascii == quotes[1]))
      out += '\\';
    out += ascii;
  }
  return out.size() - start;
}

}  // namespace vb::wine
