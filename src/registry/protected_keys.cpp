#include "registry/protected_keys.h"

#include <vector>

#include "platform/ascii_case.h"
#include "platform/control_characters.h"
#include "registry/root_names.h"

namespace vb::registry {

namespace {

// A place where the registry is laid out again as at the top of a hive: the
// rules apply anew to what follows it, read as sameAs. In a prefix, "*"
// stands for any one name.
struct View {
  win::HKEY root;  // 0: below any root, and inside another view
  std::string_view prefix;
  std::string_view sameAs;
};

constexpr View kViews[] = {
    {win::kHkeyUsers, "*", ""},                // each user's hive
    {0, "Software\\WOW6432Node", "Software"},  // the 32-bit programs' Software
    {0, "Software\\Classes", ""},              // the classes hive HKCR shows
};

// Keys of Windows itself, each refused with every key on the way down to
// it. "#" stands for one digit.
constexpr std::string_view kWindowsKeys[] = {
    "Software\\Microsoft\\Windows\\CurrentVersion",
    "Software\\Microsoft\\Windows NT\\CurrentVersion",
    "Software\\Policies",
    "SYSTEM\\CurrentControlSet",
    "SYSTEM\\ControlSet###",
};

using Names = std::vector<std::string_view>;

Names Split(std::string_view path) {
  Names names;
  while (!path.empty()) {
    std::size_t slash = path.find('\\');
    names.push_back(path.substr(0, slash));
    path.remove_prefix(slash == std::string_view::npos ? path.size() : slash + 1);
    if (slash != std::string_view::npos && path.empty()) names.emplace_back();
  }
  return names;
}

bool NameMatches(std::string_view pattern, std::string_view name) {
  if (pattern == "*") return true;
  if (pattern.size() != name.size()) return false;
  for (std::size_t i = 0; i < name.size(); ++i) {
    bool same = pattern[i] == '#' ? name[i] >= '0' && name[i] <= '9'
                                  : platform::UpperAscii(pattern[i]) == platform::UpperAscii(name[i]);
    if (!same) return false;
  }
  return true;
}

// Whether the first count names match the first count patterns.
bool Matches(const Names& patterns, const Names& names, std::size_t count) {
  if (patterns.size() < count || names.size() < count) return false;
  for (std::size_t i = 0; i < count; ++i)
    if (!NameMatches(patterns[i], names[i])) return false;
  return true;
}

// The path read through the first view that it lies in, if any.
bool ThroughView(win::HKEY* where, Names* names) {
  for (const View& view : kViews) {
    if (view.root != 0 && view.root != *where) continue;
    Names prefix = Split(view.prefix);
    if (!Matches(prefix, *names, prefix.size())) continue;
    Names read = Split(view.sameAs);
    read.insert(read.end(), names->begin() + static_cast<std::ptrdiff_t>(prefix.size()),
                names->end());
    *names = std::move(read);
    *where = 0;
    return true;
  }
  return false;
}

}  // namespace

Result<> KeyTreeMayGo(win::HKEY root, std::string_view path) {
  if (RootLongName(root).empty()) return Fail("not a key below one of the four registry roots");
  if (platform::HoldsControlCharacter(path)) return Fail("a key path holding a control character");
  while (!path.empty() && path.back() == '\\') path.remove_suffix(1);
  Names names = Split(path);
  for (std::string_view name : names)
    if (name.empty()) return Fail("a malformed key path");
  // Every view read shortens the path, so this ends.
  win::HKEY where = root;
  while (ThroughView(&where, &names)) {
  }
  if (names.empty()) return Fail("a whole hive");
  if (names.size() == 1) return Fail("a key Windows needs");
  for (std::string_view key : kWindowsKeys) {
    if (Matches(Split(key), names, names.size())) return Fail("a key Windows needs");
  }
  return {};
}

}  // namespace vb::registry
