#include "personal/registry_entry.h"

#include <array>
#include <optional>
#include <string_view>

#include "platform/control_characters.h"
#include "registry/protected_keys.h"
#include "registry/reg32.h"
#include "registry/root_names.h"

namespace vb::personal {

namespace {

constexpr std::array<std::string_view, 4> kRoots = {"HKEY_LOCAL_MACHINE", "HKEY_CURRENT_USER",
                                                    "HKEY_CLASSES_ROOT", "HKEY_USERS"};

bool StartsWithRoot(std::string_view text) {
  for (std::string_view root : kRoots)
    if (text.substr(0, root.size()) == root) return true;
  return false;
}

bool OnlyRoot(std::string_view text) {
  while (!text.empty() && text.back() == '\\') text.remove_suffix(1);
  for (std::string_view root : kRoots)
    if (text == root) return true;
  return false;
}

RegistryEntryCheck Refuse(std::string message, bool keepText) {
  return {RegistryEntryCheck::kRefused, std::move(message), keepText};
}

}  // namespace

std::optional<ValueEntry> SplitValueEntry(std::string_view entry) {
  std::size_t bar = entry.find(kValueSeparator);
  if (bar == std::string_view::npos) return std::nullopt;
  std::string_view name = entry.substr(bar + 1);
  if (name.empty() || name.find(kValueSeparator) != std::string_view::npos) return std::nullopt;
  Result<registry::KeyPath> key =
      registry::SplitKeyPath(entry.substr(0, bar), registry::RootNames::kLongOnly);
  if (!key || key->subKey.empty()) return std::nullopt;
  return ValueEntry{*key, std::string(name)};
}

RegistryEntryCheck CheckRegistryEntry(const std::string& text) {
  if (!StartsWithRoot(text)) {
    if (text.starts_with("HKEY_CURRENT_CONFIG"))
      return Refuse("HKEY_CURRENT_CONFIG is not supported.", true);
    return Refuse("Invalid hKey Root", false);
  }
  std::string_view key = text;
  key = key.substr(0, key.find(kValueSeparator));
  if (OnlyRoot(key))
    return Refuse("A whole registry root cannot be cleaned: type a key below it.", true);
  if (platform::HoldsControlCharacter(text))
    return Refuse("A registry key or value name cannot hold a control character.", true);
  if (text.find(kValueSeparator) == std::string::npos) {
    // The key goes with everything below it.
    std::size_t slash = key.find('\\');
    std::optional<win::HKEY> root =
        registry::ParseRootName(key.substr(0, slash), registry::RootNames::kLongOnly);
    std::string_view path = slash == std::string_view::npos ? "" : key.substr(slash + 1);
    Result<> mayGo = root ? registry::KeyTreeMayGo(*root, path) : Result<>();
    if (!mayGo)
      return Refuse("This registry key cannot be cleaned: it is " + mayGo.message() + ".", true);
    return {RegistryEntryCheck::kKey, "", false};
  }
  if (!SplitValueEntry(text))
    return Refuse("A registry value is typed as its key path, \"|\" and the value's name.", true);
  return {RegistryEntryCheck::kValue, "", false};
}

}  // namespace vb::personal
