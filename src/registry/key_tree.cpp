#include "registry/key_tree.h"

#include <vector>

#include "platform/registry_name.h"
#include "registry/key_reading.h"
#include "registry/root_names.h"

namespace vb::registry {

namespace {

using platform::RegistryApi;

// Whether path names a key below a root: not empty, no empty component, and
// no NUL, which would cut it short on its way to the registry.
bool IsSubKeyPath(const std::string& path) {
  if (path.empty() || path.front() == '\\' || path.back() == '\\') return false;
  if (platform::HoldsNul(path)) return false;
  return path.find("\\\\") == std::string::npos;
}

// A key on the walk's stack: its open handle, its name below the key above it
// (the whole path for the first one), and the subkey it tried last.
struct Level {
  win::HKEY handle = 0;
  std::string name;
  std::string lastTried;
};

// Opens a key of the tree with the right to delete its values where that is
// granted, else only to read it (its values then stay).
win::LONG OpenLevel(RegistryApi& registry, win::HKEY parent, const std::string& name,
                    win::HKEY* key, bool* valuesDeletable) {
  win::LONG rc =
      registry.RegOpenKeyExA(parent, name.c_str(), 0, win::kKeyRead | win::kKeySetValue, key);
  *valuesDeletable = rc == win::kErrorSuccess;
  if (rc == win::kErrorAccessDenied)
    rc = registry.RegOpenKeyExA(parent, name.c_str(), 0, win::kKeyRead, key);
  return rc;
}

void DeleteValues(RegistryApi& registry, win::HKEY key) {
  std::vector<std::string> names;
  // The names listed before a failure still go; the others stay.
  (void)ValueNames(registry, key, &names);
  for (const std::string& name : names)
    registry.RegDeleteValueA(key, name.c_str());  // a value that cannot go is left
}

}  // namespace

win::LONG DeleteTree(RegistryApi& registry, win::HKEY root, const std::string& path,
                     std::string* failedPath) {
  // A cleaner must never delete a whole hive, and a path with an empty
  // component could be taken for one.
  if (RootLongName(root).empty() || !IsSubKeyPath(path)) return win::kErrorInvalidParameter;

  // Each key is opened below the one above it, and each goes from there, so
  // that no step walks the whole path again.
  std::vector<Level> stack;
  auto stop = [&](win::LONG rc, const std::string& child) {
    if (failedPath) {
      std::string full;
      for (const Level& level : stack) full += (full.empty() ? "" : "\\") + level.name;
      if (!child.empty()) full += (full.empty() ? "" : "\\") + child;
      *failedPath = JoinKeyPath(root, full);
    }
    for (const Level& level : stack) registry.RegCloseKey(level.handle);
    return rc;
  };

  win::HKEY top = 0;
  bool valuesDeletable = false;
  win::LONG rc = OpenLevel(registry, root, path, &top, &valuesDeletable);
  if (rc == win::kErrorFileNotFound) return rc;
  if (rc != win::kErrorSuccess) {
    // A key that cannot be read can still go if it has no subkeys.
    if (registry.RegDeleteKeyA(root, path.c_str()) == win::kErrorSuccess) return win::kErrorSuccess;
    return stop(rc, path);
  }
  if (valuesDeletable) DeleteValues(registry, top);
  stack.push_back({top, path, {}});

  while (!stack.empty()) {
    Level& level = stack.back();
    std::string child;
    rc = SubKeyName(registry, level.handle, 0, &child);
    if (rc == win::kErrorNoMoreItems) {
      // Nothing is left below: the key goes, from the key above it.
      std::string name = std::move(level.name);
      registry.RegCloseKey(level.handle);
      stack.pop_back();
      rc = registry.RegDeleteKeyA(stack.empty() ? root : stack.back().handle, name.c_str());
      if (rc != win::kErrorSuccess && rc != win::kErrorFileNotFound) return stop(rc, name);
      continue;
    }
    if (rc != win::kErrorSuccess) return stop(rc, "");
    // The subkey tried last is still the first: it did not go, and trying it
    // again would never end.
    if (child == level.lastTried) return stop(win::kErrorAccessDenied, child);
    level.lastTried = child;
    win::HKEY opened = 0;
    rc = OpenLevel(registry, level.handle, child, &opened, &valuesDeletable);
    if (rc != win::kErrorSuccess) {
      win::LONG deleted = registry.RegDeleteKeyA(level.handle, child.c_str());
      if (deleted == win::kErrorSuccess || deleted == win::kErrorFileNotFound) continue;
      return stop(rc, child);
    }
    if (valuesDeletable) DeleteValues(registry, opened);
    stack.push_back({opened, std::move(child), {}});
  }
  return win::kErrorSuccess;
}

}  // namespace vb::registry
