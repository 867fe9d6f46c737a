#include "platform/ascii_case.h"

#include <algorithm>

namespace vb::platform {

std::string FoldAscii(std::string_view name) {
  std::string fold(name);
  for (char& c : fold) c = UpperAscii(c);
  return fold;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return UpperAscii(x) == UpperAscii(y);
         });
}

bool LessIgnoringCase(std::string_view a, std::string_view b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return static_cast<unsigned char>(UpperAscii(x)) < static_cast<unsigned char>(UpperAscii(y));
  });
}

}  // namespace vb::platform
