// reg query: one key's values and subkeys, or a whole tree, as reg.exe
// prints them.
#include "cli/reg_command.h"
#include "platform/ascii_case.h"
#include "registry/error_text.h"
#include "registry/key_reading.h"
#include "registry/reg_file_text.h"
#include "registry/value_text.h"

namespace vb::cli {

namespace {

using registry::RegFileKey;
using registry::RegFileValue;

constexpr const char* kNotFound =
    "The system was unable to find the specified registry key or value.";

std::string ValueLine(const RegFileValue& value) {
  std::string name = value.name.empty() ? "(Default)" : value.name;
  return "    " + name + "    " + registry::TypeText(value.type) + "    " +
         registry::DataText(value.type, value.data) + "\n";
}

}  // namespace

int RegQuery(RegCommand& command, const std::vector<std::string>& argv) {
  auto args = command.Parse(argv, {"KEY"}, {{"v", true}, {"ve", false}, {"s", false}});
  if (!args) return command.Usage(args.message());
  Result<registry::KeyPath> key = command.Key(args->positional[0]);
  if (!key) return command.Usage(key.message());
  Result<std::optional<std::string>> named = command.ValueName(*args);
  if (!named) return command.Usage(named.message());
  const std::optional<std::string>& valueName = *named;
  platform::RegistryApi& registry = command.Registry();
  std::ostream& out = command.Io().out;

  if (!args->Has("s")) {
    RegFileKey read;
    std::vector<std::string> subKeys;
    win::LONG rc = registry::ReadKey(registry, key->root, key->subKey, &read, &subKeys);
    if (rc != win::kErrorSuccess)
      return command.Fail(rc == win::kErrorFileNotFound ? kNotFound
                                                        : registry::RegistryErrorText(rc));
    std::string text = "\n" + DisplayPath(*key) + "\n";
    bool anyValue = false;
    for (const RegFileValue& value : read.values) {
      if (valueName && !platform::EqualsIgnoringCase(value.name, *valueName)) continue;
      text += ValueLine(value);
      anyValue = true;
    }
    if (valueName && !anyValue) return command.Fail(kNotFound);
    if (!valueName && !subKeys.empty()) {
      if (anyValue) text += "\n";
      for (const std::string& sub : subKeys)
        text += DisplayPath(*key) + "\\" + sub + "\n";
    }
    out << text;
    return kExitOk;
  }

  registry::RegFile tree;
  std::string failed;
  win::LONG rc = registry::ReadKeyTree(registry, key->root, key->subKey, &tree, &failed);
  if (rc != win::kErrorSuccess)
    return command.Fail(rc == win::kErrorFileNotFound
                            ? kNotFound
                            : registry::RegistryErrorText(rc) + " The key " +
                                  failed + " could not be read");
  std::string text;
  int matches = 0;
  for (const RegFileKey& k : tree.keys) {
    std::string block = "\n" + DisplayPath({k.root, k.subKey}) + "\n";
    bool found = false;
    for (const RegFileValue& value : k.values) {
      if (valueName && !platform::EqualsIgnoringCase(value.name, *valueName)) continue;
      block += ValueLine(value);
      found = true;
      ++matches;
    }
    if (!valueName || found) text += block;
  }
  if (valueName) {
    if (matches == 0) return command.Fail(kNotFound);
    text += "\nEnd of search: " + std::to_string(matches) + " match(es) found.\n";
  }
  out << text;
  return kExitOk;
}

}  // namespace vb::cli
