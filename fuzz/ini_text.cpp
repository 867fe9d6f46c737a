// The INI reader: any text is read line by line without a fault, every part
// of a line it hands out lies inside the text and is trimmed, and each key of
// the text is looked up as Windows' profile functions look it up.
#include <cstddef>
#include <cstdint>
#include <cctype>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ini_text.h"

namespace {

bool Inside(std::string_view part, std::string_view text) {
  return part.empty() ||
         (part.data() >= text.data() && part.data() + part.size() <= text.data() + text.size());
}

bool Trimmed(std::string_view part) {
  auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  return part.empty() || (!blank(part.front()) && !blank(part.back()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using vb::platform::IniLine;
  std::string_view text(reinterpret_cast<const char*>(data), size);
  std::vector<IniLine> lines;
  vb::platform::ReadIniLines(text, [&](const IniLine& line) {
    if (!Inside(line.name, text) || !Inside(line.value, text)) std::abort();
    if (!Trimmed(line.name) || !Trimmed(line.value)) std::abort();
    if (line.kind == IniLine::Kind::kSection && !line.value.empty()) std::abort();
    lines.push_back(line);
    return true;
  });
  // Each key is found as Windows finds it: in the first section of its name
  // only, the first line of the key there, a quoted value without its quotes.
  auto same = [](std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
      if (std::tolower(static_cast<unsigned char>(a[i])) !=
          std::tolower(static_cast<unsigned char>(b[i])))
        return false;
    return true;
  };
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].kind != IniLine::Kind::kEntry) continue;
    std::size_t header = i;
    while (header > 0 && lines[header - 1].kind == IniLine::Kind::kEntry) --header;
    if (header == 0) continue;  // before every section: no section to ask for
    std::string_view section = lines[--header].name;
    std::optional<std::string> expected;
    std::size_t first = 0;
    while (lines[first].kind != IniLine::Kind::kSection || !same(lines[first].name, section))
      ++first;
    for (std::size_t j = first + 1; j < lines.size() && lines[j].kind == IniLine::Kind::kEntry;
         ++j) {
      if (!same(lines[j].name, lines[i].name)) continue;
      std::string_view v = lines[j].value;
      if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.substr(1, v.size() - 2);
      expected = std::string(v);
      break;
    }
    if (vb::platform::FindIniValue(text, section, lines[i].name) != expected) std::abort();
  }
  return 0;
}
