#include "platform/wildcard.h"

#include "platform/ascii_case.h"

namespace vb::platform {

namespace {


// Plain "*" and "?" matching; a "*" that fails is retried one character
// further on, which is linear in practice and never recursive.
bool Glob(std::string_view pattern, std::string_view name) {
  std::size_t p = 0;
  std::size_t n = 0;
  std::size_t star = std::string_view::npos;
  std::size_t starName = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      starName = n;
    } else if (p < pattern.size() && (pattern[p] == '?' || platform::UpperAscii(pattern[p]) == platform::UpperAscii(name[n]))) {
      ++p;
      ++n;
    } else if (star != std::string_view::npos) {
      p = star + 1;
      n = ++starName;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace

bool HasWildcard(std::string_view pattern) {
  return pattern.find_first_of("*?") != std::string_view::npos;
}

bool MatchesWildcard(std::string_view pattern, std::string_view name) {
  if (pattern.empty()) return false;
  if (pattern == "*" || pattern == "*.*") return true;  // every name, with a dot or without
  if (Glob(pattern, name)) return true;
  if (pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == ".*")
    return Glob(pattern.substr(0, pattern.size() - 2), name);
  if (pattern.back() == '.') {
    std::string_view stem = pattern;
    while (!stem.empty() && stem.back() == '.') stem.remove_suffix(1);
    return !stem.empty() && name.find('.') == std::string_view::npos && Glob(stem, name);
  }
  return false;
}

}  // namespace vb::platform
