#include "registry/key_reading.h"

#include "platform/ascii_case.h"
#include "platform/opened_key.h"
#include "platform/registry_name.h"
#include "registry/root_names.h"

namespace vb::registry {

namespace {

using platform::OpenedKey;
using platform::RegistryApi;

// Names longer than this are no registry names; it bounds the buffer growth.
constexpr std::size_t kLongestName = 1 << 16;

std::string Child(const std::string& subKey, const std::string& name) {
  return subKey.empty() ? name : subKey + "\\" + name;
}

// The name of the subkey at index into *buffer, which grows as the name needs.
win::LONG EnumKeyInto(RegistryApi& registry, win::HKEY key, win::DWORD index,
                      std::vector<char>* buffer) {
  while (true) {
    win::LONG rc =
        registry.RegEnumKeyA(key, index, buffer->data(), static_cast<win::DWORD>(buffer->size()));
    if (rc != win::kErrorMoreData || buffer->size() >= kLongestName) return rc;
    buffer->resize(buffer->size() * 2);
  }
}

}  // namespace

win::LONG QueryValueBytes(RegistryApi& registry, win::HKEY key, const std::string& valueName,
                          win::DWORD* type, std::string* data) {
  if (platform::HoldsNul(valueName)) return win::kErrorInvalidParameter;
  win::DWORD size = 0;
  win::LONG rc = registry.RegQueryValueExA(key, valueName.c_str(), type, nullptr, &size);
  // The value can change size between the two calls; ask again until it fits.
  for (int attempt = 0; rc == win::kErrorSuccess && attempt < 8; ++attempt) {
    data->assign(size, '\0');
    if (size == 0) return win::kErrorSuccess;
    win::DWORD got = size;
    rc = registry.RegQueryValueExA(key, valueName.c_str(), type,
                                   reinterpret_cast<win::BYTE*>(data->data()), &got);
    if (rc == win::kErrorSuccess) {
      data->resize(got);
      return rc;
    }
    if (rc == win::kErrorMoreData) {
      size = got > size ? got : size * 2;
      rc = win::kErrorSuccess;
    }
  }
  return rc == win::kErrorSuccess ? win::kErrorMoreData : rc;
}

win::LONG SubKeyName(RegistryApi& registry, win::HKEY key, win::DWORD index, std::string* name) {
  std::vector<char> buffer(256);
  win::LONG rc = EnumKeyInto(registry, key, index, &buffer);
  if (rc == win::kErrorSuccess) *name = buffer.data();
  return rc;
}

win::LONG SubKeyNames(RegistryApi& registry, win::HKEY key, std::vector<std::string>* names) {
  platform::RegKeyInfo info;
  std::size_t size = 256;
  if (registry.RegQueryInfoKeyA(key, &info) == win::kErrorSuccess && info.maxSubKeyLen + 1 > size)
    size = info.maxSubKeyLen + 1;
  std::vector<char> buffer(size);
  for (win::DWORD index = 0;; ++index) {
    win::LONG rc = EnumKeyInto(registry, key, index, &buffer);
    if (rc == win::kErrorNoMoreItems) return win::kErrorSuccess;
    if (rc != win::kErrorSuccess) return rc;
    names->emplace_back(buffer.data());
  }
}

win::LONG ValueNames(RegistryApi& registry, win::HKEY key, std::vector<std::string>* names) {
  platform::RegKeyInfo info;
  std::size_t size = 256;
  if (registry.RegQueryInfoKeyA(key, &info) == win::kErrorSuccess &&
      info.maxValueNameLen + 1 > size)
    size = info.maxValueNameLen + 1;
  std::vector<char> buffer(size);
  win::DWORD index = 0;
  while (true) {
    auto length = static_cast<win::DWORD>(buffer.size());
    win::LONG rc =
        registry.RegEnumValueA(key, index, buffer.data(), &length, nullptr, nullptr, nullptr);
    if (rc == win::kErrorNoMoreItems) return win::kErrorSuccess;
    if (rc == win::kErrorMoreData && buffer.size() < kLongestName) {
      buffer.resize(buffer.size() * 2);
      continue;
    }
    if (rc != win::kErrorSuccess) return rc;
    names->emplace_back(buffer.data(), length);
    ++index;
  }
}

std::string StoredKeyCase(RegistryApi& registry, win::HKEY root, const std::string& subKey) {
  // Each key is opened below the one above it, so that no step walks the
  // whole path again.
  std::string stored;
  win::HKEY above = root;
  auto done = [&](std::string result) {
    if (above != root) registry.RegCloseKey(above);
    return result;
  };
  std::size_t start = 0;
  while (start < subKey.size()) {
    std::size_t end = subKey.find('\\', start);
    if (end == std::string::npos) end = subKey.size();
    std::string part = subKey.substr(start, end - start);
    std::vector<std::string> names;
    if (SubKeyNames(registry, above, &names) != win::kErrorSuccess)
      return done(Child(stored, subKey.substr(start)));
    const std::string* match = nullptr;
    for (const std::string& name : names) {
      if (name == part) {
        match = &name;
        break;
      }
      if (!match && platform::EqualsIgnoringCase(name, part)) match = &name;
    }
    if (!match) return done(Child(stored, subKey.substr(start)));
    stored = Child(stored, *match);
    start = end + 1;
    if (start >= subKey.size()) break;
    win::HKEY below = 0;
    if (registry.RegOpenKeyExA(above, match->c_str(), 0, win::kKeyRead, &below) !=
        win::kErrorSuccess)
      return done(Child(stored, subKey.substr(start)));
    if (above != root) registry.RegCloseKey(above);
    above = below;
  }
  return done(stored);
}

namespace {

// Reads the values (in their order) and the subkeys' names of an open key.
win::LONG ReadOpenKey(RegistryApi& registry, win::HKEY key, RegFileKey* out,
                      std::vector<std::string>* subKeys) {
  std::vector<std::string> valueNames;
  win::LONG rc = ValueNames(registry, key, &valueNames);
  for (std::size_t i = 0; rc == win::kErrorSuccess && i < valueNames.size(); ++i) {
    RegFileValue value;
    value.name = valueNames[i];
    rc = QueryValueBytes(registry, key, value.name, &value.type, &value.data);
    out->values.push_back(std::move(value));
  }
  if (rc == win::kErrorSuccess) rc = SubKeyNames(registry, key, subKeys);
  return rc;
}

// A key on the tree walk's stack: its open handle, its path, its subkeys'
// names and the next of them to read.
struct Reading {
  win::HKEY handle = 0;
  std::string path;
  std::vector<std::string> children;
  std::size_t next = 0;
};

}  // namespace

win::LONG ReadKey(RegistryApi& registry, win::HKEY root, const std::string& subKey, RegFileKey* out,
                  std::vector<std::string>* subKeys) {
  out->root = root;
  out->subKey = subKey;
  out->values.clear();
  subKeys->clear();
  OpenedKey key(registry);
  win::LONG rc = key.Open(root, subKey, win::kKeyRead);
  if (rc == win::kErrorSuccess) rc = ReadOpenKey(registry, key.get(), out, subKeys);
  return rc;
}

win::LONG ReadKeyTree(RegistryApi& registry, win::HKEY root, const std::string& subKey,
                      RegFile* out, std::string* failedPath) {
  if (platform::HoldsNul(subKey)) return win::kErrorInvalidParameter;
  // Depth first, each key before its subkeys and the subkeys in enumeration
  // order. Each key is opened below the one above it, whose handle the stack
  // keeps, so that reading a deep tree never walks a whole path again.
  std::vector<Reading> stack;
  // Opens name below the key parent and reads it onto the stack.
  auto enter = [&](win::HKEY parent, const std::string& name, std::string path) {
    Reading level;
    level.path = std::move(path);
    win::LONG rc = registry.RegOpenKeyExA(parent, name.c_str(), 0, win::kKeyRead, &level.handle);
    if (rc != win::kErrorSuccess) return rc;
    RegFileKey entry;
    entry.root = root;
    entry.subKey = level.path;
    rc = ReadOpenKey(registry, level.handle, &entry, &level.children);
    if (rc != win::kErrorSuccess) {
      registry.RegCloseKey(level.handle);
      return rc;
    }
    out->keys.push_back(std::move(entry));
    stack.push_back(std::move(level));
    return win::kErrorSuccess;
  };
  win::LONG rc = enter(root, subKey, subKey);
  std::string path = subKey;
  while (rc == win::kErrorSuccess && !stack.empty()) {
    Reading& level = stack.back();
    if (level.next == level.children.size()) {
      registry.RegCloseKey(level.handle);
      stack.pop_back();
      continue;
    }
    std::string name = level.children[level.next++];
    path = Child(level.path, name);
    rc = enter(level.handle, name, path);
  }
  if (rc != win::kErrorSuccess && failedPath) *failedPath = JoinKeyPath(root, path);
  for (const Reading& level : stack) registry.RegCloseKey(level.handle);
  return rc;
}

}  // namespace vb::registry
