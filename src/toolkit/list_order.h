// The order in which a Windows sorted list box keeps its rows: the user's
// collation with word sort, letter case ignored. Hyphens and apostrophes
// count only to break a tie ("Ad-Aware" sorts with "AdAware"); other
// punctuation and symbols come before digits, and digits before letters.
#pragma once

#include <string_view>

namespace vb::toolkit {

[[nodiscard]] bool ListOrderLess(std::string_view a, std::string_view b);

}  // namespace vb::toolkit
