#include "registry/value_text.h"

#include <cstdio>
#include <vector>

#include "platform/ascii_case.h"

namespace vb::registry {

namespace {

struct TypeName {
  const char* name;
  win::DWORD type;
};
constexpr TypeName kTypeNames[] = {
    {"REG_NONE", win::kRegNone},
    {"REG_SZ", win::kRegSz},
    {"REG_EXPAND_SZ", win::kRegExpandSz},
    {"REG_BINARY", win::kRegBinary},
    {"REG_DWORD", win::kRegDword},
    {"REG_DWORD_BIG_ENDIAN", win::kRegDwordBigEndian},
    {"REG_LINK", 6},
    {"REG_MULTI_SZ", win::kRegMultiSz},
    {"REG_RESOURCE_LIST", 8},
    {"REG_FULL_RESOURCE_DESCRIPTOR", 9},
    {"REG_RESOURCE_REQUIREMENTS_LIST", 10},
    {"REG_QWORD", kRegQword},
};

std::string HexDigits(std::string_view bytes) {
  std::string out;
  for (char c : bytes) {
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02X", static_cast<unsigned char>(c));
    out += digits;
  }
  return out;
}

std::uint64_t LittleEndian(std::string_view bytes) {
  std::uint64_t n = 0;
  for (std::size_t i = bytes.size(); i-- > 0;) n = (n << 8) | static_cast<unsigned char>(bytes[i]);
  return n;
}

Result<std::string> MultiStringData(const std::string& text, const std::string& separator) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find(separator, start);
    if (end == std::string::npos) end = text.size();
    parts.push_back(text.substr(start, end - start));
    start = end + separator.size();
    // A separator at the very end closes the last string and starts none.
    if (end == text.size()) break;
  }
  std::string bytes;
  for (const std::string& part : parts) {
    if (part.empty()) return Fail("REG_MULTI_SZ data cannot hold an empty string");
    bytes += part + '\0';
  }
  // An empty list is still closed by two NULs.
  return parts.empty() ? std::string(2, '\0') : bytes + '\0';
}

Result<std::string> NumberData(win::DWORD type, const std::optional<std::string>& text) {
  bool qword = type == kRegQword;
  std::optional<std::uint64_t> n =
      text ? ParseNumber(*text, qword ? UINT64_MAX : UINT32_MAX) : std::uint64_t{0};
  if (!n)
    return Fail("\"" + *text + "\" is no " + TypeText(type) +
                " number (decimal, or hexadecimal after 0x, up to " +
                (qword ? "0xffffffffffffffff" : "0xffffffff") + ")");
  std::string bytes;
  for (int i = 0; i < (qword ? 8 : 4); ++i) bytes += static_cast<char>((*n >> (8 * i)) & 0xFF);
  if (type == win::kRegDwordBigEndian) bytes = std::string(bytes.rbegin(), bytes.rend());
  return bytes;
}

Result<std::string> HexData(win::DWORD type, const std::string& text) {
  auto digit = [](char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  };
  bool valid = text.size() % 2 == 0;
  std::string bytes;
  for (std::size_t i = 0; valid && i < text.size(); i += 2) {
    int high = digit(text[i]), low = digit(text[i + 1]);
    valid = high >= 0 && low >= 0;
    bytes += static_cast<char>(high * 16 + low);
  }
  if (!valid)
    return Fail(TypeText(type) + " data must be pairs of hexadecimal digits, such as 01ab");
  return bytes;
}

}  // namespace

std::string TypeText(win::DWORD type) {
  for (const TypeName& t : kTypeNames)
    if (t.type == type) return t.name;
  char buffer[24];
  std::snprintf(buffer, sizeof buffer, "0x%x", static_cast<unsigned>(type));
  return buffer;
}

std::optional<win::DWORD> ParseTypeName(std::string_view name) {
  for (const TypeName& t : kTypeNames)
    if (platform::EqualsIgnoringCase(name, t.name)) return t.type;
  return std::nullopt;
}

std::string DataText(win::DWORD type, std::string_view data) {
  char buffer[24];
  switch (type) {
    case win::kRegSz:
    case win::kRegExpandSz:
      return std::string(data.substr(0, data.find('\0')));
    case win::kRegMultiSz: {
      std::string out;
      std::size_t start = 0;
      while (start < data.size()) {
        std::size_t end = data.find('\0', start);
        if (end == std::string_view::npos) end = data.size();
        if (end == start) break;  // the empty string that ends the list
        if (!out.empty()) out += "\\0";
        out += data.substr(start, end - start);
        start = end + 1;
      }
      return out;
    }
    case win::kRegDword:
      if (data.size() != 4) break;
      std::snprintf(buffer, sizeof buffer, "0x%x", static_cast<unsigned>(LittleEndian(data)));
      return buffer;
    case win::kRegDwordBigEndian:
      if (data.size() != 4) break;
      std::snprintf(buffer, sizeof buffer, "0x%x",
                    static_cast<unsigned>(LittleEndian(std::string(data.rbegin(), data.rend()))));
      return buffer;
    case kRegQword:
      if (data.size() != 8) break;
      std::snprintf(buffer, sizeof buffer, "0x%llx",
                    static_cast<unsigned long long>(LittleEndian(data)));
      return buffer;
    default:
      break;
  }
  return HexDigits(data);
}

std::optional<std::uint64_t> ParseNumber(std::string_view text, std::uint64_t max) {
  std::string_view digits = text;
  unsigned base = 10;
  if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
    digits.remove_prefix(2);
    base = 16;
  }
  if (digits.empty()) return std::nullopt;
  std::uint64_t n = 0;
  for (char c : digits) {
    unsigned d;
    if (c >= '0' && c <= '9')
      d = static_cast<unsigned>(c - '0');
    else if (base == 16 && c >= 'a' && c <= 'f')
      d = static_cast<unsigned>(c - 'a' + 10);
    else if (base == 16 && c >= 'A' && c <= 'F')
      d = static_cast<unsigned>(c - 'A' + 10);
    else
      return std::nullopt;
    if (n > (max - d) / base) return std::nullopt;
    n = n * base + d;
  }
  return n;
}

bool IsWritableFromText(win::DWORD type) {
  switch (type) {
    case win::kRegSz:
    case win::kRegExpandSz:
    case win::kRegMultiSz:
    case win::kRegDword:
    case win::kRegDwordBigEndian:
    case kRegQword:
    case win::kRegBinary:
    case win::kRegNone:
      return true;
    default:
      return false;
  }
}

Result<std::string> DataFromText(win::DWORD type, const std::optional<std::string>& text,
                                 const std::string& separator) {
  switch (type) {
    case win::kRegSz:
    case win::kRegExpandSz:
      return text.value_or("") + '\0';
    case win::kRegMultiSz:
      return MultiStringData(text.value_or(""), separator);
    case win::kRegDword:
    case win::kRegDwordBigEndian:
    case kRegQword:
      return NumberData(type, text);
    case win::kRegBinary:
    case win::kRegNone:
      return HexData(type, text.value_or(""));
    default:
      return Fail(TypeText(type) + " values cannot be made from text");
  }
}

}  // namespace vb::registry
