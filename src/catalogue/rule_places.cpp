#include "catalogue/rule_places.h"

#include "platform/ascii_case.h"
#include "platform/opened_key.h"
#include "platform/registry_values.h"

namespace vb::catalogue {

using namespace vb::win;

namespace {

constexpr const char* kNtVersion = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";

}  // namespace

bool RulePlaces::KeyExists(const RuleKey& key) {
  platform::OpenedKey opened(platform_.Registry());
  return opened.Open(key.root, key.path, kKeyRead) == kErrorSuccess;
}

OsVersion RulePlaces::Version() {
  if (version_) return *version_;
  auto& reg = platform_.Registry();
  // Windows 10 and later keep "CurrentVersion" at 6.3 and give their own
  // numbers in two DWORD values.
  OsVersion v{0, 0};
  std::vector<platform::RegValue> values = platform::ReadAllValues(reg, kHkeyLocalMachine, kNtVersion);
  auto dword = [&](const char* name) -> std::optional<int> {
    for (const auto& value : values)
      if (platform::EqualsIgnoringCase(value.name, name) && value.type == kRegDword &&
          value.data.size() == 4)
        return value.data[0] | value.data[1] << 8 | value.data[2] << 16 | value.data[3] << 24;
    return std::nullopt;
  };
  auto major = dword("CurrentMajorVersionNumber");
  auto minor = dword("CurrentMinorVersionNumber");
  if (major) {
    v = {*major, minor.value_or(0)};
  } else {
    std::string text = platform::ReadStringValue(reg, kHkeyLocalMachine, kNtVersion, "CurrentVersion");
    int* part = &v.first;
    for (char c : text) {
      if (c == '.' && part == &v.first) part = &v.second;
      else if (c >= '0' && c <= '9' && *part < 1000) *part = *part * 10 + (c - '0');
      else break;
    }
  }
  version_ = v;
  return v;
}

}  // namespace vb::catalogue
