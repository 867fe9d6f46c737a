#include "platform/ini_text.h"

#include "platform/ascii_case.h"

namespace vb::platform {

namespace {

std::string_view Trim(std::string_view s) {
  const char* blanks = " \t\r\n";
  std::size_t begin = s.find_first_not_of(blanks);
  if (begin == std::string_view::npos) return std::string_view();
  std::size_t end = s.find_last_not_of(blanks);
  return s.substr(begin, end - begin + 1);
}

}  // namespace

void ReadIniLines(std::string_view text, const std::function<bool(const IniLine&)>& visit) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  while (!text.empty()) {
    std::size_t end = text.find('\n');
    std::string_view line = Trim(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (line.empty() || line.front() == ';') continue;
    IniLine read;
    if (line.front() == '[') {
      // "[name" without its bracket names a section all the same.
      read.kind = IniLine::Kind::kSection;
      read.name = Trim(line.substr(1, line.find(']') - 1));
    } else {
      std::size_t equals = line.find('=');
      if (equals == std::string_view::npos) continue;
      read.kind = IniLine::Kind::kEntry;
      read.name = Trim(line.substr(0, equals));
      read.value = Trim(line.substr(equals + 1));
    }
    if (!visit(read)) return;
  }
}

std::optional<std::string> FindIniValue(std::string_view text, std::string_view section,
                                        std::string_view key) {
  std::string_view wantedSection = Trim(section);
  std::string_view wantedKey = Trim(key);
  std::optional<std::string> found;
  bool inSection = false;
  bool sectionSeen = false;
  ReadIniLines(text, [&](const IniLine& line) {
    if (line.kind == IniLine::Kind::kSection) {
      // Only the first section of that name is looked at, as Windows does.
      if (sectionSeen) return false;
      inSection = sectionSeen = EqualsIgnoringCase(line.name, wantedSection);
      return true;
    }
    if (!inSection || !EqualsIgnoringCase(line.name, wantedKey)) return true;
    std::string_view value = line.value;
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
      value = value.substr(1, value.size() - 2);
    found = std::string(value);
    return false;
  });
  return found;
}

}  // namespace vb::platform
