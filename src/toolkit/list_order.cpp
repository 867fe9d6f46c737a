#include "toolkit/list_order.h"

#include <algorithm>

namespace vb::toolkit {

namespace {

bool Ignorable(char c) { return c == '-' || c == '\''; }

// Symbols, then digits, then letters of either case.
int Weight(char c) {
  auto u = static_cast<unsigned char>(c);
  if (c >= 'a' && c <= 'z') return 0x200 + (c - 'a');
  if (c >= 'A' && c <= 'Z') return 0x200 + (c - 'A');
  if (c >= '0' && c <= '9') return 0x100 + (c - '0');
  return u < 0x80 ? u : 0x300 + u;  // characters beyond ASCII after the letters
}

// Compares by weight, skipping the ignorable characters when asked to.
int Compare(std::string_view a, std::string_view b, bool skipIgnorable) {
  std::size_t i = 0, j = 0;
  for (;;) {
    if (skipIgnorable) {
      while (i < a.size() && Ignorable(a[i])) ++i;
      while (j < b.size() && Ignorable(b[j])) ++j;
    }
    if (i == a.size() || j == b.size()) return (i == a.size() ? 0 : 1) - (j == b.size() ? 0 : 1);
    int wa = Weight(a[i]), wb = Weight(b[j]);
    if (wa != wb) return wa < wb ? -1 : 1;
    ++i;
    ++j;
  }
}

}  // namespace

bool ListOrderLess(std::string_view a, std::string_view b) {
  if (int primary = Compare(a, b, true)) return primary < 0;
  return Compare(a, b, false) < 0;
}

}  // namespace vb::toolkit
