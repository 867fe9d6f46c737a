#include "platform/control_characters.h"

#include <algorithm>
#include <cstdio>

namespace vb::platform {

bool HoldsControlCharacter(std::string_view text) {
  return std::any_of(text.begin(), text.end(), IsControlCharacter);
}

std::string ShowControlCharacters(std::string_view text) {
  std::string shown;
  for (char c : text) {
    if (!IsControlCharacter(c)) {
      shown += c;
    } else if (c == '\0') {
      shown += "<NUL>";
    } else {
      char code[8];
      std::snprintf(code, sizeof code, "<0x%02X>", static_cast<unsigned char>(c));
      shown += code;
    }
  }
  return shown;
}

}  // namespace vb::platform
