#include "app/group_policy.h"

#include <algorithm>

#include "app/form1_settings.h"
#include "platform/ascii_case.h"
#include "platform/registry_values.h"
#include "registry/root_names.h"

namespace vb::app {

namespace {

using platform::RegValue;

struct Scope {
  win::HKEY root;
  std::vector<RegValue> values;
};

const RegValue* Find(const Scope& scope, const std::string& name) {
  auto found = std::find_if(scope.values.begin(), scope.values.end(), [&](const RegValue& v) {
    return platform::EqualsIgnoringCase(v.name, name);
  });
  return found == scope.values.end() ? nullptr : &*found;
}

std::string Where(win::HKEY root, const std::string& key, const std::string& name) {
  return registry::RootLongName(root) + "\\" + key + ", value \"" + name + "\"";
}

// A REG_DWORD of 0 or 1 (or only 1 when onlyOne).
std::optional<int> Flag(const RegValue& value, bool onlyOne) {
  if (value.type != win::kRegDword || value.data.size() != 4) return std::nullopt;
  std::uint32_t n = value.data[0] | value.data[1] << 8 | value.data[2] << 16 |
                    static_cast<std::uint32_t>(value.data[3]) << 24;
  if (n == 1 || (n == 0 && !onlyOne)) return static_cast<int>(n);
  return std::nullopt;
}

std::optional<std::string> Text(const RegValue& value) {
  if (value.type != win::kRegSz && value.type != win::kRegExpandSz) return std::nullopt;
  std::string text = platform::StringFromBytes(value.data);
  if (text.empty()) return std::nullopt;
  return text;
}

class Reader {
 public:
  explicit Reader(platform::RegistryApi& registry) : registry_(registry) {
    for (win::HKEY root : {win::kHkeyLocalMachine, win::kHkeyCurrentUser})
      scopes_.push_back({root, platform::ReadAllValues(registry, root, kPolicyKey)});
  }

  // The first scope whose value is well formed; each malformed one is told.
  template <class T, class Parse>
  std::optional<T> Read(const std::string& name, const char* expected, Parse parse,
                        win::HKEY* from = nullptr) {
    for (const Scope& scope : scopes_) {
      const RegValue* value = Find(scope, name);
      if (!value) continue;
      if (std::optional<T> parsed = parse(*value)) {
        if (from) *from = scope.root;
        return parsed;
      }
      policy.problems.push_back("policy " + Where(scope.root, kPolicyKey, name) +
                                " is not " + expected + "; it is ignored");
    }
    return std::nullopt;
  }

  std::vector<std::string> EntryTexts(win::HKEY root) {
    std::vector<std::string> texts;
    for (const RegValue& value : platform::ReadAllValues(registry_, root, kPolicyEntriesKey)) {
      if (std::optional<std::string> text = Text(value))
        texts.push_back(*text);
      else
        policy.problems.push_back("policy " + Where(root, kPolicyEntriesKey, value.name) +
                                  " is not the text of an entry; it is ignored");
    }
    return texts;
  }

  GroupPolicy policy;

 private:
  platform::RegistryApi& registry_;
  std::vector<Scope> scopes_;
};

}  // namespace

std::optional<int> GroupPolicy::Box(const std::string& setting) const {
  auto found = boxes.find(setting);
  return found == boxes.end() ? std::nullopt : std::optional<int>(found->second);
}

bool GroupPolicy::Empty() const {
  return boxes.empty() && !warningAccepted && !entries && !language;
}

GroupPolicy ReadGroupPolicy(platform::RegistryApi& registry) {
  Reader reader(registry);
  auto flag = [](const RegValue& v) { return Flag(v, false); };
  for (const BoxSetting& row : BoxSettings())
    if (std::optional<int> value = reader.Read<int>(row.value, "a REG_DWORD of 0 or 1", flag))
      reader.policy.boxes[row.value] = *value;
  reader.policy.warningAccepted =
      reader.Read<int>(kWarningPolicy, "a REG_DWORD of 1",
                       [](const RegValue& v) { return Flag(v, true); })
          .has_value();
  win::HKEY entriesFrom = 0;
  if (std::optional<int> entries =
          reader.Read<int>(kEntriesPolicy, "a REG_DWORD of 0 or 1", flag, &entriesFrom))
    reader.policy.entries = *entries == 1 ? reader.EntryTexts(entriesFrom)
                                          : std::vector<std::string>();
  // A name, never a path: the file is the program folder's NAME.lng.
  reader.policy.language = reader.Read<std::string>(
      kLanguagePolicy, "the name of a language file", [](const RegValue& v) {
        std::optional<std::string> name = Text(v);
        if (name && (name->find_first_of("\\/:") != std::string::npos || *name == "." ||
                     *name == ".."))
          return std::optional<std::string>();
        return name;
      });
  return std::move(reader.policy);
}

}  // namespace vb::app
