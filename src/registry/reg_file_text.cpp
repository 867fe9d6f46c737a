#include "registry/reg_file_text.h"

#include "base/utf8.h"
#include "platform/system_api.h"

#include <array>
#include <cstdio>

namespace vb::registry {

namespace {

// Bytes 0x80..0x9F of Windows-1252; the rest of the code page is Latin-1.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

std::string ByteName(unsigned char byte) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "0x%02X", byte);
  return buffer;
}

std::string NoCp1252Form(char32_t c) {
  return "the character " + CharacterName(c) + " has no Windows-1252 form";
}

}  // namespace

char32_t Cp1252ToUnicode(unsigned char byte) {
  if (byte >= 0x80 && byte < 0xA0) return kHighControls[byte - 0x80];
  return byte;
}

std::optional<unsigned char> UnicodeToCp1252(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<unsigned char>(c);
  for (std::size_t i = 0; i < kHighControls.size(); ++i)
    if (kHighControls[i] == c) return static_cast<unsigned char>(0x80 + i);
  return std::nullopt;
}

std::string CharacterName(char32_t c) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "U+%04X", static_cast<unsigned>(c));
  return buffer;
}

std::string Cp1252ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char ch : text) AppendUtf8(out, Cp1252ToUnicode(static_cast<unsigned char>(ch)));
  return out;
}

std::string Cp1252ToUtf16Le(std::string_view text) {
  std::string out;
  out.reserve(text.size() * 2);
  for (char ch : text) {
    char32_t c = Cp1252ToUnicode(static_cast<unsigned char>(ch));
    out += static_cast<char>(c & 0xFF);
    out += static_cast<char>((c >> 8) & 0xFF);
  }
  return out;
}

Result<std::string> UnicodeToCp1252(std::u32string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char32_t c : text) {
    std::optional<unsigned char> byte = UnicodeToCp1252(c);
    if (!byte) return Fail(NoCp1252Form(c));
    out += static_cast<char>(*byte);
  }
  return out;
}

DecodedText DecodeUtf8(std::string_view bytes) {
  DecodedText result;
  int line = 1;
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    std::size_t at = pos;
    std::optional<char32_t> c = NextUtf8(bytes, &pos);
    if (!c) {
      result.ok = false;
      result.errorLine = line;
      result.error =
          "the byte " + ByteName(static_cast<unsigned char>(bytes[at])) + " is not valid UTF-8";
      return result;
    }
    if (*c == U'\n') ++line;
    result.text += *c;
  }
  return result;
}

DecodedText DecodeUtf16Le(std::string_view bytes) {
  DecodedText result;
  int line = 1;
  auto unit = [&](std::size_t i) {
    return static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                 (static_cast<unsigned char>(bytes[i + 1]) << 8));
  };
  auto fail = [&](std::string message) {
    result.ok = false;
    result.errorLine = line;
    result.error = std::move(message);
    return result;
  };
  std::size_t pos = 0;
  for (; pos + 1 < bytes.size(); pos += 2) {
    char16_t u = unit(pos);
    char32_t c = u;
    if (u >= 0xD800 && u <= 0xDBFF) {
      char16_t low = pos + 3 < bytes.size() ? unit(pos + 2) : 0;
      if (low < 0xDC00 || low > 0xDFFF) return fail("an unpaired UTF-16 surrogate");
      c = 0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) + (low - 0xDC00);
      pos += 2;
    } else if (u >= 0xDC00 && u <= 0xDFFF) {
      return fail("an unpaired UTF-16 surrogate");
    }
    if (c == U'\n') ++line;
    result.text += c;
  }
  if (pos < bytes.size()) return fail("the UTF-16LE text ends in half a character");
  return result;
}

Result<std::string> AnsiFromUnicode(std::u32string_view text, win::DWORD codePage) {
  if (codePage != platform::kCodePageUtf8) return UnicodeToCp1252(text);
  std::string out;
  out.reserve(text.size());
  for (char32_t c : text) AppendUtf8(out, c);
  return out;
}

Result<std::string> AnsiFromUtf16Le(std::string_view bytes, win::DWORD codePage) {
  if (bytes.size() % 2) return Fail("UTF-16LE data must have an even number of bytes");
  DecodedText decoded = DecodeUtf16Le(bytes);
  if (!decoded.ok) return Fail(decoded.error);
  return AnsiFromUnicode(decoded.text, codePage);
}

Result<std::string> AnsiToUtf16Le(std::string_view text, win::DWORD codePage) {
  if (codePage != platform::kCodePageUtf8) return Cp1252ToUtf16Le(text);
  std::string out;
  out.reserve(text.size() * 2);
  auto unit = [&out](char32_t u) {
    out += static_cast<char>(u & 0xFF);
    out += static_cast<char>((u >> 8) & 0xFF);
  };
  for (std::size_t pos = 0; pos < text.size();) {
    std::size_t at = pos;
    std::optional<char32_t> c = NextUtf8(text, &pos);
    if (!c)
      return Fail("the byte " + ByteName(static_cast<unsigned char>(text[at])) +
                  " is not valid UTF-8");
    if (*c >= 0x10000) {
      unit(0xD800 + ((*c - 0x10000) >> 10));
      unit(0xDC00 + ((*c - 0x10000) & 0x3FF));
    } else {
      unit(*c);
    }
  }
  return out;
}

DecodedText DecodeAnsi(std::string_view bytes, win::DWORD codePage) {
  return codePage == platform::kCodePageUtf8 && IsUtf8(bytes) ? DecodeUtf8(bytes)
                                                              : DecodeCp1252(bytes);
}

DecodedText DecodeCp1252(std::string_view bytes) {
  DecodedText result;
  result.text.reserve(bytes.size());
  for (char ch : bytes) result.text += Cp1252ToUnicode(static_cast<unsigned char>(ch));
  return result;
}


}  // namespace vb::registry
