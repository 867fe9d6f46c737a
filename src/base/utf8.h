// UTF-8, strictly: the shortest form only, no surrogate halves, nothing
// beyond U+10FFFF. What is not well formed is never guessed at, so that two
// different byte strings never decode to the same text.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vb {

inline void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// The character whose UTF-8 form starts at bytes[*pos], *pos then past it;
// nothing, *pos unmoved, where no well-formed character starts.
inline std::optional<char32_t> NextUtf8(std::string_view bytes, std::size_t* pos) {
  auto b = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  unsigned char lead = b(*pos);
  if (lead < 0x80) {
    ++*pos;
    return lead;
  }
  std::size_t length;
  char32_t c;
  char32_t minimum;
  if ((lead & 0xE0) == 0xC0) {
    length = 2, c = lead & 0x1F, minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, c = lead & 0x0F, minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, c = lead & 0x07, minimum = 0x10000;
  } else {
    return std::nullopt;
  }
  if (*pos + length > bytes.size()) return std::nullopt;
  for (std::size_t i = 1; i < length; ++i) {
    unsigned char next = b(*pos + i);
    if ((next & 0xC0) != 0x80) return std::nullopt;
    c = (c << 6) | (next & 0x3F);
  }
  if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return std::nullopt;
  *pos += length;
  return c;
}

inline bool IsUtf8(std::string_view bytes) {
  for (std::size_t pos = 0; pos < bytes.size();)
    if (!NextUtf8(bytes, &pos)) return false;
  return true;
}

}  // namespace vb
