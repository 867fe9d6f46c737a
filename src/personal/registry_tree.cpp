#include "personal/registry_tree.h"

#include <vector>

#include "platform/ascii_case.h"
#include "registry/c_registry.h"

namespace vb::personal {

using namespace vb::win;

namespace {

HKEY RootNamed(const std::string& name) {
  std::string upper = platform::FoldAscii(name);
  if (upper == "HKEY_CLASSES_ROOT") return kHkeyClassesRoot;
  if (upper == "HKEY_CURRENT_USER") return kHkeyCurrentUser;
  if (upper == "HKEY_LOCAL_MACHINE") return kHkeyLocalMachine;
  if (upper == "HKEY_USERS") return kHkeyUsers;
  return 0;
}

void DeleteTree(platform::Platform& platform, HKEY root, const std::string& path) {
  registry::cRegistry key(platform);
  key.SetClassKey(root);
  key.SetSectionKey(path);
  std::string lastTried;
  for (;;) {
    std::vector<std::string> subkeys, values;
    long subkeyCount = 0, valueCount = 0;
    key.EnumerateSections(&subkeys, &subkeyCount);
    key.EnumerateValues(&values, &valueCount);
    for (const std::string& value : values) {
      key.SetValueKey(value);
      key.DeleteValue();  // a value that cannot go is left
    }
    if (subkeyCount == 0) {
      key.DeleteKey();
      return;
    }
    // The subkey tried last is still the first: it could not be deleted, and
    // trying again would never end.
    if (subkeys[0] == lastTried) return;
    lastTried = subkeys[0];
    DeleteTree(platform, root, path + "\\" + subkeys[0]);
  }
}

}  // namespace

void del_reg_sub(platform::Platform& platform, const std::string& inkey) {
  std::string text = inkey;
  while (!text.empty() && text.back() == '\\') text.pop_back();
  std::size_t slash = text.find('\\');
  if (slash == std::string::npos) return;  // a root alone is never deleted
  HKEY root = RootNamed(text.substr(0, slash));
  std::string path = text.substr(slash + 1);
  if (!root || path.empty()) return;
  DeleteTree(platform, root, path);
}

}  // namespace vb::personal
