// Writing follows save_subkeys and dump_value in Wine's server/registry.c,
// so that a key written anew reads as Wine would have written it: the same
// forms of values, the same escapes, hex data broken into lines at the same
// places.
#include <cstdio>

#include "platform/wine/wine_escapes.h"
#include "platform/wine/wine_names.h"
#include "platform/wine/wine_registry_file.h"

namespace vb::wine {

namespace {

using win::DWORD;

constexpr std::uint64_t kTicksPerSecond = 10000000;

std::size_t AppendFormatted(std::string& out, const char* format, unsigned value) {
  char buffer[16];
  int n = std::snprintf(buffer, sizeof buffer, format, value);
  out.append(buffer, static_cast<std::size_t>(n));
  return static_cast<std::size_t>(n);
}

// The key's path from the hive's root, its names joined by "\\".
void AppendPath(std::string& out, const WineKey& key) {
  if (!key.parent) return;
  if (key.parent->parent) {
    AppendPath(out, *key.parent);
    out += "\\\\";
  }
  AppendEscaped(out, key.name, "[]");
}

// Wine writes a key that has values, or no subkeys, or a class, or is a
// link; the others are there as parents of the keys written. A key with
// lines kept from its text is written too, so that they stay.
bool NeedsText(const WineKey& key) {
  return !key.values.empty() || key.subkeys.empty() || key.keyClass || key.link ||
         !key.keptLines.empty();
}

bool IsStringType(DWORD type) {
  return type == win::kRegSz || type == win::kRegExpandSz || type == win::kRegMultiSz;
}

void AppendValue(std::string& out, const WineValue& value) {
  std::size_t count;
  if (!value.name.empty()) {
    out += '"';
    count = 1 + AppendEscaped(out, value.name, "\"\"");
    out += "\"=";
    count += 2;
  } else {
    out += "@=";
    count = 2;
  }
  const std::string& data = value.data;
  // Only whole UTF-16 text ending in a NUL is written as a string.
  if (IsStringType(value.type) && data.size() >= 2 && data.size() % 2 == 0 &&
      data[data.size() - 1] == 0 && data[data.size() - 2] == 0) {
    if (value.type != win::kRegSz) AppendFormatted(out, "str(%x):", value.type);
    out += '"';
    std::u16string units = UnitsFromBytes(data);
    units.pop_back();
    AppendEscaped(out, units, "\"\"");
    out += "\"\n";
    return;
  }
  if (value.type == win::kRegDword && data.size() == 4) {
    DWORD dword = 0;
    for (int i = 3; i >= 0; --i) dword = (dword << 8) | static_cast<unsigned char>(data[i]);
    AppendFormatted(out, "dword:%08x\n", dword);
    return;
  }
  if (value.type == win::kRegBinary) {
    out += "hex:";
    count += 4;
  } else {
    count += AppendFormatted(out, "hex(%x):", value.type);
  }
  static constexpr char kHex[] = "0123456789abcdef";
  for (std::size_t i = 0; i < data.size(); ++i) {
    auto byte = static_cast<unsigned char>(data[i]);
    out += kHex[byte >> 4];
    out += kHex[byte & 0xF];
    count += 2;
    if (i + 1 < data.size()) {
      out += ',';
      if (++count > 76) {
        out += "\\\n  ";
        count = 2;
      }
    }
  }
  out += '\n';
}

void AppendKey(std::string& out, const WineKey& key) {
  out += "\n[";
  AppendPath(out, key);
  std::uint64_t ticks = key.modified;
  auto seconds = static_cast<unsigned>(
      ticks > kTicks1601To1970 ? (ticks - kTicks1601To1970) / kTicksPerSecond : 0);
  AppendFormatted(out, "] %u\n", seconds);
  out += "#time=";
  AppendFormatted(out, "%x", static_cast<unsigned>(ticks >> 32));
  AppendFormatted(out, "%08x\n", static_cast<unsigned>(ticks & 0xFFFFFFFFu));
  if (key.keyClass) {
    out += "#class=\"";
    AppendEscaped(out, *key.keyClass, "\"\"");
    out += "\"\n";
  }
  if (key.link) out += "#link\n";
  for (const std::string& line : key.keptLines) {
    out += line;
    // Reading takes one "\r" off a line's end: a line that ends in one
    // gets another, to keep its own.
    if (!line.empty() && line.back() == '\r') out += '\r';
    out += '\n';
  }
  for (const WineValue& value : key.values) AppendValue(out, value);
}

// Text copied as it was read. Its last line gets the line end that the end
// of the file gave it, reading it as it was read: a "\r" there is no line
// end's, and stays one.
void AppendCopied(std::string& out, std::string_view text) {
  out += text;
  if (out.empty() || out.back() == '\n') return;
  if (out.back() == '\r') out += '\r';
  out += '\n';
}

void AppendTree(std::string& out, const WineHive& hive, const WineKey& key) {
  if (key.rewrite) {
    if (NeedsText(key)) AppendKey(out, key);
  } else {
    for (const TextSpan& block : key.blocks)
      AppendCopied(out, std::string_view(hive.text).substr(block.begin, block.end - block.begin));
  }
  for (const auto& subkey : key.subkeys) AppendTree(out, hive, *subkey);
}

}  // namespace

std::string WriteWineHive(const WineHive& hive) {
  std::string out;
  out.reserve(hive.text.size() + 4096);
  AppendCopied(out, hive.preamble);
  AppendTree(out, hive, *hive.root);
  for (const TextSpan& unread : hive.unreadKeys)
    AppendCopied(out, std::string_view(hive.text).substr(unread.begin, unread.end - unread.begin));
  return out;
}

}  // namespace vb::wine
