#include "personal/registry_tree.h"

#include <string_view>

#include "registry/key_tree.h"
#include "registry/root_names.h"

namespace vb::personal {

void del_reg_sub(platform::Platform& platform, const std::string& inkey) {
  std::string_view text = inkey;
  while (!text.empty() && text.back() == '\\') text.remove_suffix(1);
  std::optional<registry::KeyPath> key =
      registry::SplitKeyPath(text, nullptr, registry::RootNames::kLongOnly);
  if (!key || key->subKey.empty()) return;  // a root alone is never deleted
  registry::DeleteTree(platform.Registry(), key->root, key->subKey);  // errors are ignored
}

}  // namespace vb::personal
