#include "platform/wine/wine_names.h"

#include "base/utf8.h"

namespace vb::wine {

namespace {

bool IsHigh(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLow(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

}  // namespace

std::string AnsiFromUnits(std::u16string_view units) {
  std::string out;
  out.reserve(units.size());
  for (std::size_t i = 0; i < units.size(); ++i) {
    char16_t c = units[i];
    if (IsHigh(c) && i + 1 < units.size() && IsLow(units[i + 1])) {
      char32_t pair = 0x10000 + ((static_cast<char32_t>(c) - 0xD800) << 10) +
                      (static_cast<char32_t>(units[i + 1]) - 0xDC00);
      AppendUtf8(out, pair);
      ++i;
    } else {
      AppendUtf8(out, c);  // a lone surrogate too, in its three-byte form
    }
  }
  return out;
}

std::optional<std::u16string> UnitsFromAnsi(std::string_view bytes) {
  std::u16string out;
  out.reserve(bytes.size());
  for (std::size_t pos = 0; pos < bytes.size();) {
    if (std::optional<char32_t> c = NextUtf8(bytes, &pos)) {
      if (*c < 0x10000) {
        out.push_back(static_cast<char16_t>(*c));
      } else {
        char32_t v = *c - 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 | (v >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 | (v & 0x3FF)));
      }
      continue;
    }
    // The three-byte form of a surrogate: ED A0-BF 80-BF.
    auto b = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    if (pos + 3 > bytes.size() || b(pos) != 0xED || b(pos + 1) < 0xA0 || b(pos + 1) > 0xBF ||
        (b(pos + 2) & 0xC0) != 0x80)
      return std::nullopt;
    auto unit = static_cast<char16_t>(0xD000 | ((b(pos + 1) & 0x3F) << 6) | (b(pos + 2) & 0x3F));
    // A high and a low half written apart would read back as one
    // character: such bytes are no name this registry gives out.
    if (IsLow(unit) && !out.empty() && IsHigh(out.back())) return std::nullopt;
    out.push_back(unit);
    pos += 3;
  }
  return out;
}

std::string BytesFromUnits(std::u16string_view units) {
  std::string out;
  out.reserve(units.size() * 2);
  for (char16_t c : units) {
    out += static_cast<char>(c & 0xFF);
    out += static_cast<char>(c >> 8);
  }
  return out;
}

std::u16string UnitsFromBytes(std::string_view bytes) {
  std::u16string out;
  out.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
    out.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                        (static_cast<unsigned char>(bytes[i + 1]) << 8)));
  return out;
}

char16_t LowerUnit(char16_t c) {
  auto plus = [&](int n) { return static_cast<char16_t>(c + n); };
  bool even = (c % 2) == 0;
  if (c < 0x80) return c >= 'A' && c <= 'Z' ? plus(32) : c;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return plus(32);
  if (c < 0x100) return c;
  // Latin Extended-A: upper case first in each pair, save where the pairs
  // shift by one.
  if ((c <= 0x12F || (c >= 0x132 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) && even)
    return plus(1);
  if (((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) && !even) return plus(1);
  if (c == 0x130) return u'i';
  if (c == 0x178) return 0xFF;
  // Greek.
  if (c == 0x386) return 0x3AC;
  if (c >= 0x388 && c <= 0x38A) return plus(0x25);
  if (c == 0x38C) return 0x3CC;
  if (c == 0x38E || c == 0x38F) return plus(0x3F);
  if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return plus(32);
  // Cyrillic.
  if (c >= 0x400 && c <= 0x40F) return plus(0x50);
  if (c >= 0x410 && c <= 0x42F) return plus(32);
  if (((c >= 0x460 && c <= 0x481) || (c >= 0x48A && c <= 0x4BF) || (c >= 0x4D0 && c <= 0x52F)) &&
      even)
    return plus(1);
  if (c >= 0x4C1 && c <= 0x4CE && !even) return plus(1);
  // Armenian.
  if (c >= 0x531 && c <= 0x556) return plus(0x30);
  // Latin Extended Additional.
  if (((c >= 0x1E00 && c <= 0x1E95) || (c >= 0x1EA0 && c <= 0x1EFF)) && even) return plus(1);
  // Full-width Latin.
  if (c >= 0xFF21 && c <= 0xFF3A) return plus(32);
  return c;
}

int CompareNames(std::u16string_view a, std::u16string_view b) {
  std::size_t common = a.size() < b.size() ? a.size() : b.size();
  for (std::size_t i = 0; i < common; ++i) {
    if (a[i] == b[i]) continue;
    int diff = static_cast<int>(LowerUnit(a[i])) - static_cast<int>(LowerUnit(b[i]));
    if (diff) return diff;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

}  // namespace vb::wine
