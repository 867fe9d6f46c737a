#include "cli/json_text.h"

#include <cstdio>

#include "base/utf8.h"
#include "platform/system_api.h"
#include "registry/reg_file_text.h"

namespace vb::cli {

namespace {

std::string Escape(char32_t code) {
  char text[16];
  if (code >= 0x10000) {
    // Beyond the first plane: a surrogate pair, as JSON writes it.
    code -= 0x10000;
    std::snprintf(text, sizeof text, "\\u%04x\\u%04x", 0xD800 + static_cast<unsigned>(code >> 10),
                  0xDC00 + static_cast<unsigned>(code & 0x3FF));
  } else {
    std::snprintf(text, sizeof text, "\\u%04x", static_cast<unsigned>(code));
  }
  return text;
}

}  // namespace

std::string JsonString(const std::string& text, win::DWORD codePage) {
  const bool utf8 = codePage == platform::kCodePageUtf8;
  std::string out = "\"";
  for (std::size_t i = 0; i < text.size();) {
    char c = text[i];
    switch (c) {
      case '"': out += "\\\""; ++i; continue;
      case '\\': out += "\\\\"; ++i; continue;
      case '\n': out += "\\n"; ++i; continue;
      case '\r': out += "\\r"; ++i; continue;
      case '\t': out += "\\t"; ++i; continue;
      default: break;
    }
    auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x80) {
      out += c;
      ++i;
    } else if (byte < 0x20) {
      out += Escape(byte);
      ++i;
    } else if (!utf8) {
      out += Escape(registry::Cp1252ToUnicode(byte));
      ++i;
    } else if (std::optional<char32_t> character = NextUtf8(text, &i)) {
      out += Escape(*character);
    } else {
      out += Escape(0xDC00 + byte);
      ++i;
    }
  }
  return out + "\"";
}

}  // namespace vb::cli
