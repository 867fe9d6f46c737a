// File-name wildcards, matched the way FindFirstFile matches long names.
#pragma once

#include <string_view>

namespace vb::platform {

// Whether a name matches a wildcard pattern, without regard to ASCII letter
// case: "*" matches any run of characters, "?" exactly one. A pattern ending
// in ".*" also matches the names that its part before ".*" matches, so "*.*"
// matches every name and "ZALog*.*" matches "ZALog1"; a pattern ending in "."
// matches the names without a dot that its part before the dots matches
// ("*." lists the names without an extension). A pattern without wildcards
// matches only the same name. An empty pattern matches nothing.
bool MatchesWildcard(std::string_view pattern, std::string_view name);

// Whether a pattern contains "*" or "?".
bool HasWildcard(std::string_view pattern);

}  // namespace vb::platform
