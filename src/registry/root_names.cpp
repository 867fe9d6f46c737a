#include "registry/root_names.h"

#include "platform/ascii_case.h"

#include <array>

namespace vb::registry {

namespace {

struct Root {
  win::HKEY handle;
  const char* longName;
  const char* shortName;
};

constexpr std::array<Root, 4> kRoots = {{
    {win::kHkeyClassesRoot, "HKEY_CLASSES_ROOT", "HKCR"},
    {win::kHkeyCurrentUser, "HKEY_CURRENT_USER", "HKCU"},
    {win::kHkeyLocalMachine, "HKEY_LOCAL_MACHINE", "HKLM"},
    {win::kHkeyUsers, "HKEY_USERS", "HKU"},
}};

const Root* FindRoot(win::HKEY handle) {
  for (const Root& r : kRoots)
    if (r.handle == handle) return &r;
  return nullptr;
}

}  // namespace

std::optional<win::HKEY> ParseRootName(std::string_view name, RootNames accepted) {
  bool shortToo = accepted == RootNames::kLongOrShort;
  for (const Root& r : kRoots)
    if (platform::EqualsIgnoringCase(name, r.longName) ||
        (shortToo && platform::EqualsIgnoringCase(name, r.shortName)))
      return r.handle;
  return std::nullopt;
}

std::string RootLongName(win::HKEY root) {
  const Root* r = FindRoot(root);
  return r ? r->longName : "";
}

std::string RootShortName(win::HKEY root) {
  const Root* r = FindRoot(root);
  return r ? r->shortName : "";
}

Result<KeyPath> SplitKeyPath(std::string_view path, RootNames accepted) {
  if (path.empty()) return Fail("no registry key given");
  if (path.substr(0, 2) == "\\\\") return Fail("keys of other computers are not supported");
  std::size_t slash = path.find('\\');
  std::string_view rootName = path.substr(0, slash);
  std::optional<win::HKEY> root = ParseRootName(rootName, accepted);
  if (!root)
    return Fail("unknown registry root \"" + std::string(rootName) +
                "\" (expected HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, " +
                (accepted == RootNames::kLongOnly ? "or HKEY_USERS)"
                                                  : "HKEY_USERS or HKCR, HKCU, HKLM, HKU)"));
  KeyPath result;
  result.root = *root;
  if (slash == std::string_view::npos) return result;
  std::string_view rest = path.substr(slash + 1);
  if (rest.empty()) return result;
  if (rest.back() == '\\') rest.remove_suffix(1);
  // Every component must name something: a doubled backslash would otherwise
  // be read differently by different parts of the system.
  std::size_t start = 0;
  while (start <= rest.size()) {
    std::size_t end = rest.find('\\', start);
    if (end == std::string_view::npos) end = rest.size();
    if (end == start)
      return Fail("the key path \"" + std::string(path) + "\" has an empty component");
    start = end + 1;
  }
  result.subKey = std::string(rest);
  return result;
}

std::string JoinKeyPath(win::HKEY root, std::string_view subKey) {
  std::string path = RootLongName(root);
  if (!subKey.empty()) {
    path += '\\';
    path += subKey;
  }
  return path;
}

}  // namespace vb::registry
