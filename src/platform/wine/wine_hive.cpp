#include "platform/wine/wine_hive.h"

#include <algorithm>

#include "platform/wine/wine_names.h"

namespace vb::wine {

namespace {

// Where a name goes among a key's subkeys. Files list keys in order, so
// the place after the last is tried first.
auto SubkeyAt(const WineKey& key, std::u16string_view name) {
  if (key.subkeys.empty() || CompareNames(key.subkeys.back()->name, name) < 0)
    return key.subkeys.end();
  return std::lower_bound(key.subkeys.begin(), key.subkeys.end(), name,
                          [](const std::shared_ptr<WineKey>& k, std::u16string_view n) {
                            return CompareNames(k->name, n) < 0;
                          });
}

template <class Values>
auto ValueAt(Values& values, std::u16string_view name) {
  if (values.empty() || CompareNames(values.back().name, name) < 0) return values.end();
  return std::lower_bound(values.begin(), values.end(), name,
                          [](const WineValue& v, std::u16string_view n) {
                            return CompareNames(v.name, n) < 0;
                          });
}

}  // namespace

std::shared_ptr<WineKey> FindSubkey(const WineKey& key, std::u16string_view name) {
  auto it = SubkeyAt(key, name);
  return it != key.subkeys.end() && CompareNames((*it)->name, name) == 0 ? *it : nullptr;
}

WineKey& AddSubkey(WineKey& key, std::shared_ptr<WineKey> subkey) {
  subkey->parent = &key;
  subkey->deleted = false;
  auto it = SubkeyAt(key, subkey->name);
  return **key.subkeys.insert(it, std::move(subkey));
}

void RemoveSubkey(WineKey& key, const WineKey& subkey) {
  auto it = SubkeyAt(key, subkey.name);
  if (it == key.subkeys.end() || it->get() != &subkey) return;
  (*it)->deleted = true;
  key.subkeys.erase(it);
}

const WineValue* FindValue(const WineKey& key, std::u16string_view name) {
  auto it = ValueAt(key.values, name);
  return it != key.values.end() && CompareNames(it->name, name) == 0 ? &*it : nullptr;
}

void PutValue(WineKey& key, WineValue value) {
  auto it = ValueAt(key.values, value.name);
  if (it != key.values.end() && CompareNames(it->name, value.name) == 0) {
    it->type = value.type;
    it->data = std::move(value.data);
  } else {
    key.values.insert(it, std::move(value));
  }
}

bool RemoveValue(WineKey& key, std::u16string_view name) {
  auto it = ValueAt(key.values, name);
  if (it == key.values.end() || CompareNames(it->name, name) != 0) return false;
  key.values.erase(it);
  return true;
}

bool SameTree(const WineKey& a, const WineKey& b) {
  if (a.name != b.name || a.values != b.values || a.keyClass != b.keyClass || a.link != b.link ||
      a.keptLines != b.keptLines || a.subkeys.size() != b.subkeys.size())
    return false;
  for (std::size_t i = 0; i < a.subkeys.size(); ++i)
    if (!SameTree(*a.subkeys[i], *b.subkeys[i])) return false;
  return true;
}

}  // namespace vb::wine
