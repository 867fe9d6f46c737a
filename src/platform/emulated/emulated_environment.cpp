#include "platform/emulated/emulated_environment.h"

#include <cstring>

#include "platform/ascii_case.h"
#include "platform/registry_values.h"

namespace vb::emu {

using namespace vb::win;

namespace {

struct RawVariable {
  std::string name;
  std::string value;
  bool expand = false;
};

constexpr const char* kSystemEnvironment =
    "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment";

}  // namespace

EmulatedEnvironment::EmulatedEnvironment(
    platform::RegistryApi& registry,
    const std::vector<std::pair<std::string, std::string>>& process)
    : registry_(registry) {
  std::vector<RawVariable> raw;
  auto set = [&](const std::string& name, const std::string& text, bool expand) {
    for (RawVariable& r : raw)
      if (platform::FoldAscii(r.name) == platform::FoldAscii(name)) {
        r = {r.name, text, expand};
        return;
      }
    raw.push_back({name, text, expand});
  };
  auto read = [&](HKEY root, const char* path) {
    for (const platform::RegValue& v : platform::ReadAllValues(registry_, root, path))
      if (v.type == kRegSz || v.type == kRegExpandSz)
        set(v.name, platform::StringFromBytes(v.data), v.type == kRegExpandSz);
  };
  read(kHkeyLocalMachine, kSystemEnvironment);
  read(kHkeyCurrentUser, "Environment");
  read(kHkeyCurrentUser, "Volatile Environment");
  for (const auto& [name, text] : process) set(name, text, true);
  for (const RawVariable& r : raw) variables_.emplace_back(r.name, r.value);
  // Expanded values may name variables that are expanded themselves; a few
  // rounds settle every chain a real environment has.
  for (int round = 0; round < 4; ++round)
    for (std::size_t i = 0; i < raw.size(); ++i)
      if (raw[i].expand) variables_[i].second = Expand(raw[i].value);
}

const std::string* EmulatedEnvironment::Find(const std::string& name) const {
  std::string fold = platform::FoldAscii(name);
  for (const auto& [n, v] : variables_)
    if (platform::FoldAscii(n) == fold) return &v;
  return nullptr;
}

std::string EmulatedEnvironment::GetEnvironmentVariableA(const std::string& name) {
  const std::string* v = Find(name);
  return v ? *v : std::string();
}

std::string EmulatedEnvironment::Expand(const std::string& text) const {
  std::string out;
  std::size_t i = 0;
  while (i < text.size()) {
    std::size_t open = text.find('%', i);
    if (open == std::string::npos) {
      out.append(text, i, std::string::npos);
      break;
    }
    out.append(text, i, open - i);
    std::size_t close = text.find('%', open + 1);
    if (close == std::string::npos) {
      out.append(text, open, std::string::npos);
      break;
    }
    const std::string* value =
        close > open + 1 ? Find(text.substr(open + 1, close - open - 1)) : nullptr;
    if (value) {
      out += *value;
      i = close + 1;
    } else {
      // An undefined name stays as written; its closing "%" may open the next one.
      out.append(text, open, close - open);
      i = close;
    }
  }
  return out;
}

DWORD EmulatedEnvironment::ExpandEnvironmentStringsA(const char* source, char* destination,
                                                     DWORD size) {
  std::string result = Expand(source ? source : "");
  auto needed = static_cast<DWORD>(result.size() + 1);
  if (destination && size >= needed) std::memcpy(destination, result.c_str(), needed);
  return needed;
}

std::string EmulatedEnvironment::GetTempPathA() {
  std::string path;
  for (const char* name : {"TMP", "TEMP", "USERPROFILE", "SystemRoot"}) {
    path = GetEnvironmentVariableA(name);
    if (!path.empty()) break;
  }
  if (path.empty() || path.back() != '\\') path += '\\';
  return path;
}

std::string EmulatedEnvironment::GetDecimalSeparator() {
  std::string sep = platform::ReadStringValue(registry_, kHkeyCurrentUser,
                                              "Control Panel\\International", "sDecimal");
  return sep.empty() ? "." : sep;
}

}  // namespace vb::emu
