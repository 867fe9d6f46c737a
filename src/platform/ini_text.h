// INI text as Windows' profile functions read it: "profiles.ini", language
// and rule files. A line is "[Section]" or "Key=Value"; blanks around names
// and values do not count, blank lines and lines starting with ';' are
// skipped, and so is a UTF-8 byte-order mark at the start. Pure functions
// over text: reading the file is the platform's job.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace vb::platform {

// One section header or one "key=value" line, blanks around its parts removed.
struct IniLine {
  enum class Kind { kSection, kEntry };
  Kind kind = Kind::kSection;
  std::string_view name;   // the section's name, or the entry's key
  std::string_view value;  // the entry's value as written; empty for a section
};

// Calls visit for each section header and each line holding a '=' of text,
// in order, until visit returns false; other lines are skipped. The views
// point into text.
void ReadIniLines(std::string_view text, const std::function<bool(const IniLine&)>& visit);

// The value of key in [section] as GetPrivateProfileStringA finds it: names
// compared without regard to letter case, only the first section of that
// name looked at, the first line of the key taken, and a value between a
// pair of matching quotes ("..." or '...') given without them. nullopt when
// the section or the key is not there.
[[nodiscard]] std::optional<std::string> FindIniValue(std::string_view text,
                                                      std::string_view section,
                                                      std::string_view key);

}  // namespace vb::platform
