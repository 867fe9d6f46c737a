#include "cli/json_text.h"

#include <cstdio>

#include "registry/reg_file_text.h"

namespace vb::cli {

namespace {

std::string Escape(char32_t code) {
  char text[8];
  std::snprintf(text, sizeof text, "\\u%04x", static_cast<unsigned>(code));
  return text;
}

}  // namespace

std::string JsonString(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    switch (c) {
      case '"': out += "\\\""; continue;
      case '\\': out += "\\\\"; continue;
      case '\n': out += "\\n"; continue;
      case '\r': out += "\\r"; continue;
      case '\t': out += "\\t"; continue;
      default: break;
    }
    auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte >= 0x80)
      out += Escape(registry::Cp1252ToUnicode(byte));
    else
      out += c;
  }
  return out + "\"";
}

}  // namespace vb::cli
