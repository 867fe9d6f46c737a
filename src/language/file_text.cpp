#include "language/file_text.h"

#include <cstdint>

#include "platform/system_api.h"

namespace vb::language {

namespace {

// Bytes 0x80 to 0x9F of Windows-1252; 0 for the five it leaves undefined.
constexpr std::uint16_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

void AppendUtf8(std::string& out, std::uint32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace

bool IsUtf8(std::string_view bytes) {
  for (std::size_t i = 0; i < bytes.size();) {
    auto b = static_cast<unsigned char>(bytes[i]);
    int more = b < 0x80 ? 0 : b >= 0xC2 && b <= 0xDF ? 1 : b >= 0xE0 && b <= 0xEF ? 2
             : b >= 0xF0 && b <= 0xF4 ? 3 : -1;
    if (more < 0 || i + static_cast<std::size_t>(more) >= bytes.size()) return false;
    std::uint32_t c = more == 0 ? b : b & (0x3F >> more);
    for (int k = 1; k <= more; ++k) {
      auto next = static_cast<unsigned char>(bytes[i + static_cast<std::size_t>(k)]);
      if ((next & 0xC0) != 0x80) return false;
      c = (c << 6) | (next & 0x3F);
    }
    // The shortest form only; no surrogate halves; nothing above U+10FFFF.
    if ((more == 2 && c < 0x800) || (more == 3 && (c < 0x10000 || c > 0x10FFFF)) ||
        (c >= 0xD800 && c <= 0xDFFF))
      return false;
    i += static_cast<std::size_t>(more) + 1;
  }
  return true;
}

std::string Utf8FromWindows1252(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (char ch : bytes) {
    auto b = static_cast<unsigned char>(ch);
    std::uint32_t c = b;
    if (b >= 0x80 && b < 0xA0 && kHighControls[b - 0x80] != 0) c = kHighControls[b - 0x80];
    AppendUtf8(out, c);
  }
  return out;
}

std::string FileText(std::string bytes, win::DWORD codePage) {
  if (codePage != platform::kCodePageUtf8) return bytes;
  if (!IsUtf8(bytes)) return Utf8FromWindows1252(bytes);
  if (std::string_view(bytes).substr(0, kByteOrderMark.size()) == kByteOrderMark)
    bytes.erase(0, kByteOrderMark.size());
  return bytes;
}

}  // namespace vb::language
