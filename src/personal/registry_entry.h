// The registry entries the user adds by hand: a key path
// ("HKEY_CURRENT_USER\Software\Example") deleted with everything below it, or a value entry
// ("HKEY_CURRENT_USER\Software\Example|Name") deleting that one value.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/platform.h"
#include "registry/root_names.h"

namespace vb::personal {

// The separator between a value entry's key path and its value name.
inline constexpr char kValueSeparator = '|';

// What the Add Registry dialog makes of a typed text.
struct RegistryEntryCheck {
  enum Kind { kKey, kValue, kRefused } kind = kRefused;
  std::string message;    // for a refusal: what the message box says
  bool keepText = false;  // for a refusal: the text box keeps the text
};

// Accepts a text that begins with one of the four long root names, written in
// capitals, and names a key below the root; with one "|" it is a value entry
// whose part after the "|" is the value's name. HKEY_CURRENT_CONFIG, a root
// alone, a text holding a control character, a key that is never deleted
// whole (registry/protected_keys.h) and malformed value entries are refused
// and keep the text; any other text is refused as an invalid root and is
// cleared.
[[nodiscard]] RegistryEntryCheck CheckRegistryEntry(const std::string& text);

// The key and value name of a value entry, when it has exactly that form.
struct ValueEntry {
  registry::KeyPath key;
  std::string name;
};
[[nodiscard]] std::optional<ValueEntry> SplitValueEntry(std::string_view entry);

}  // namespace vb::personal
