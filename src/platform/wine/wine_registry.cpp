// The registry functions, over the prefix's keys in memory.
#include "platform/wine/wine_registry.h"

#include <algorithm>
#include <chrono>
#include <cstring>

#include "platform/registry_values.h"
#include "platform/wine/wine_names.h"
#include "platform/wine/wine_registry_file.h"

namespace vb::wine {

using namespace vb::win;

namespace {

constexpr DWORD kWriteRights =
    kKeySetValue | kKeyCreateSubKey | kKeyCreateLink | kDelete | kWriteDac | kWriteOwner;

// Wine's limits: a key name of 256 code units, a value name of 16383, and
// the 512 levels of keys Windows allows.
constexpr std::size_t kMaxKeyName = 256;
constexpr std::size_t kMaxValueName = 16383;
constexpr std::size_t kMaxDepth = 512;

std::string NameOf(const char* name) { return name ? std::string(name) : std::string(); }

bool IsPredefined(HKEY key) {
  return key == kHkeyClassesRoot || key == kHkeyCurrentUser || key == kHkeyLocalMachine ||
         key == kHkeyUsers;
}

// Splits a key path at "\"; a trailing "\" is allowed, any other empty
// component makes the path bad.
bool SplitKeyPath(const char* subKey, std::vector<std::string>* parts) {
  parts->clear();
  if (!subKey || !*subKey) return true;
  std::string path(subKey);
  if (path.back() == '\\') path.pop_back();
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find('\\', start);
    if (end == std::string::npos) end = path.size();
    if (end == start) return false;
    parts->push_back(path.substr(start, end - start));
    start = end + 1;
  }
  return true;
}

bool IsStringType(DWORD type) { return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz; }

// A value's data as the ANSI functions hand it over: strings in the
// program's text, other data (and string data of an odd size, which is no
// UTF-16) as stored.
std::string AnsiData(const WineValue& value) {
  if (IsStringType(value.type) && value.data.size() % 2 == 0)
    return AnsiFromUnits(UnitsFromBytes(value.data));
  return value.data;
}

std::uint64_t SystemTicks() {
  auto since1970 = std::chrono::system_clock::now().time_since_epoch();
  auto ticks = std::chrono::duration_cast<std::chrono::duration<std::int64_t, std::ratio<1, 10000000>>>(
      since1970);
  return kTicks1601To1970 + static_cast<std::uint64_t>(ticks.count());
}

}  // namespace

std::uint64_t WineRegistry::Now() const {
  return options_.clock ? options_.clock() : SystemTicks();
}

DWORD WineRegistry::Grant(int hive, DWORD access) const {
  if (access & kMaximumAllowed) return Writable(hive) ? kKeyAllAccess : kKeyRead;
  return access;
}

LONG WineRegistry::Lookup(HKEY key, OpenKey* out) const {
  if (IsPredefined(key)) {
    if (key == kHkeyLocalMachine) *out = {hives_[kMachine].model.root, kMachine, 0};
    if (key == kHkeyCurrentUser) *out = {hives_[kUser].model.root, kUser, 0};
    if (key == kHkeyUsers) *out = {users_, kUsersRoot, 0};
    if (key == kHkeyClassesRoot) *out = {classes_, kMachine, 0};
    out->access = Grant(out->hive, kMaximumAllowed);
  } else {
    auto it = handles_.find(key);
    if (it == handles_.end()) return kErrorInvalidHandle;
    *out = it->second;
  }
  return out->key->deleted ? kErrorKeyDeleted : kErrorSuccess;
}

LONG WineRegistry::Use(HKEY key, DWORD needed, OpenKey* out) const {
  LONG rc = Lookup(key, out);
  if (rc != kErrorSuccess) return rc;
  return (out->access & needed) == needed ? kErrorSuccess : kErrorAccessDenied;
}

void WineRegistry::OnUndo(std::function<void()> undo) {
  if (unitDepth_ > 0) undo_.push_back(std::move(undo));
}

void WineRegistry::Touch(int hive, WineKey& key) {
  OnUndo([&key, rewrite = key.rewrite, blocks = key.blocks, modified = key.modified] {
    key.rewrite = rewrite;
    key.blocks = blocks;
    key.modified = modified;
  });
  key.rewrite = true;
  key.blocks.clear();
  key.modified = Now();
  hives_[hive].dirty = true;
}

LONG WineRegistry::Walk(const OpenKey& from, const char* subKey, bool create, OpenKey* found,
                        bool* created) {
  std::vector<std::string> parts;
  if (!SplitKeyPath(subKey, &parts)) return create ? kErrorBadPathname : kErrorFileNotFound;
  if (created) *created = false;
  OpenKey at = from;
  std::size_t depth = 0;
  for (const WineKey* k = at.key.get(); k->parent; k = k->parent) ++depth;
  for (const std::string& part : parts) {
    std::optional<std::u16string> name = UnitsFromAnsi(part);
    if (!name) return create ? kErrorInvalidParameter : kErrorFileNotFound;
    ++depth;
    if (std::shared_ptr<WineKey> next = FindSubkey(*at.key, *name)) {
      if (at.hive == kUsersRoot) at.hive = next == hives_[kUser].model.root ? kUser : kDefaultUser;
      at.key = std::move(next);
      continue;
    }
    if (!create) return kErrorFileNotFound;
    if (!Writable(at.hive)) return kErrorAccessDenied;
    if (name->size() > kMaxKeyName || depth > kMaxDepth) return kErrorInvalidParameter;
    auto made = std::make_shared<WineKey>();
    made->name = std::move(*name);
    made->rewrite = true;
    made->modified = Now();
    Touch(at.hive, *at.key);
    AddSubkey(*at.key, made);
    OnUndo([parent = at.key, made] { RemoveSubkey(*parent, *made); });
    at.key = std::move(made);
    if (created) *created = true;
  }
  *found = std::move(at);
  return kErrorSuccess;
}

HKEY WineRegistry::NewHandle(OpenKey key) {
  HKEY handle = nextHandle_;
  nextHandle_ += 4;
  handles_.emplace(handle, std::move(key));
  return handle;
}

LONG WineRegistry::RegOpenKeyA(HKEY key, const char* subKey, HKEY* result) {
  return RegOpenKeyExA(key, subKey, 0, kMaximumAllowed, result);
}

LONG WineRegistry::RegOpenKeyExA(HKEY key, const char* subKey, DWORD, DWORD access,
                                 HKEY* result) {
  if (!result) return kErrorInvalidParameter;
  OpenKey from;
  LONG rc = Lookup(key, &from);
  if (rc != kErrorSuccess) return rc;
  OpenKey opened;
  rc = Walk(from, subKey, false, &opened, nullptr);
  if (rc != kErrorSuccess) return rc;
  if ((access & kWriteRights) && !(access & kMaximumAllowed) && !Writable(opened.hive))
    return kErrorAccessDenied;
  opened.access = Grant(opened.hive, access);
  *result = NewHandle(std::move(opened));
  return kErrorSuccess;
}

LONG WineRegistry::RegCreateKeyA(HKEY key, const char* subKey, HKEY* result) {
  return RegCreateKeyExA(key, subKey, 0, nullptr, 0, kMaximumAllowed, result, nullptr);
}

LONG WineRegistry::RegCreateKeyExA(HKEY key, const char* subKey, DWORD, const char*, DWORD,
                                   DWORD access, HKEY* result, DWORD* disposition) {
  if (!result) return kErrorInvalidParameter;
  OpenKey from;
  LONG rc = Lookup(key, &from);
  if (rc != kErrorSuccess) return rc;
  OpenKey opened;
  bool created = false;
  // Walk makes keys only where they may be made; the rights are those of
  // the key reached (a user's hive, from HKEY_USERS).
  rc = Walk(from, subKey, true, &opened, &created);
  if (rc != kErrorSuccess) return rc;
  if ((access & kWriteRights) && !(access & kMaximumAllowed) && !Writable(opened.hive))
    return kErrorAccessDenied;
  opened.access = Grant(opened.hive, access);
  *result = NewHandle(std::move(opened));
  if (disposition) *disposition = created ? kRegCreatedNewKey : kRegOpenedExistingKey;
  return kErrorSuccess;
}

LONG WineRegistry::RegQueryValueExA(HKEY key, const char* valueName, DWORD* type, BYTE* data,
                                    DWORD* size) {
  OpenKey k;
  LONG rc = Use(key, kKeyQueryValue, &k);
  if (rc != kErrorSuccess) return rc;
  if (data && !size) return kErrorInvalidParameter;
  std::optional<std::u16string> name = UnitsFromAnsi(NameOf(valueName));
  const WineValue* value = name ? FindValue(*k.key, *name) : nullptr;
  if (!value) return kErrorFileNotFound;
  std::string bytes = AnsiData(*value);
  return platform::ServeValueBytes(value->type, reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                   bytes.size(), type, data, size);
}

LONG WineRegistry::RegSetValueExA(HKEY key, const char* valueName, DWORD type, const BYTE* data,
                                  DWORD size) {
  OpenKey k;
  LONG rc = Use(key, kKeySetValue, &k);
  if (rc != kErrorSuccess) return rc;
  if (!data && size) return kErrorInvalidParameter;
  if (!Writable(k.hive)) return kErrorAccessDenied;
  std::optional<std::u16string> name = UnitsFromAnsi(NameOf(valueName));
  if (!name || name->size() > kMaxValueName) return kErrorInvalidParameter;
  WineValue value{std::move(*name), type, std::string(reinterpret_cast<const char*>(data), size)};
  if (IsStringType(type)) {
    // Strings are stored as Wine stores them, in UTF-16; bytes that are no
    // text of the program's are refused rather than changed.
    std::optional<std::u16string> units = UnitsFromAnsi(value.data);
    if (!units) return kErrorInvalidData;
    value.data = BytesFromUnits(*units);
  }
  // A symbolic link holds its target and nothing else, as in Wine (which
  // opens a link's target; this registry opens the link itself).
  constexpr DWORD kRegLink = 6;
  if (k.key->link && (type != kRegLink || CompareNames(value.name, u"SymbolicLinkValue") != 0))
    return kErrorAccessDenied;
  const WineValue* old = FindValue(*k.key, value.name);
  // Setting what is there already is no change, as in Wine.
  if (old && old->type == value.type && old->data == value.data) return kErrorSuccess;
  OnUndo([key = k.key, name = value.name, old = old ? std::optional<WineValue>(*old) : std::nullopt] {
    if (old)
      PutValue(*key, *old);
    else
      RemoveValue(*key, name);
  });
  PutValue(*k.key, std::move(value));
  Touch(k.hive, *k.key);
  return kErrorSuccess;
}

LONG WineRegistry::RegDeleteValueA(HKEY key, const char* valueName) {
  OpenKey k;
  LONG rc = Use(key, kKeySetValue, &k);
  if (rc != kErrorSuccess) return rc;
  std::optional<std::u16string> name = UnitsFromAnsi(NameOf(valueName));
  const WineValue* old = name ? FindValue(*k.key, *name) : nullptr;
  if (!old) return kErrorFileNotFound;
  OnUndo([key = k.key, old = *old] { PutValue(*key, old); });
  RemoveValue(*k.key, *name);
  Touch(k.hive, *k.key);
  return kErrorSuccess;
}

LONG WineRegistry::RegDeleteKeyA(HKEY key, const char* subKey) {
  OpenKey from;
  LONG rc = Lookup(key, &from);
  if (rc != kErrorSuccess) return rc;
  OpenKey found;
  rc = Walk(from, subKey, false, &found, nullptr);
  if (rc != kErrorSuccess) return rc;
  bool itself = !subKey || !*subKey;
  // A hive, HKEY_USERS and the keys the predefined handles stand for are
  // never deleted.
  if (!found.key->parent || !Writable(found.hive) || (itself && IsPredefined(key)))
    return kErrorAccessDenied;
  if (itself && !(from.access & kDelete)) return kErrorAccessDenied;
  if (!found.key->subkeys.empty()) return kErrorAccessDenied;
  WineKey& parent = *found.key->parent;
  RemoveSubkey(parent, *found.key);
  OnUndo([&parent, gone = found.key] { AddSubkey(parent, gone); });
  Touch(found.hive, parent);
  return kErrorSuccess;
}

LONG WineRegistry::RegEnumKeyA(HKEY key, DWORD index, char* name, DWORD nameSize) {
  OpenKey k;
  LONG rc = Use(key, kKeyEnumerateSubKeys, &k);
  if (rc != kErrorSuccess) return rc;
  if (index >= k.key->subkeys.size()) return kErrorNoMoreItems;
  std::string found = AnsiFromUnits(k.key->subkeys[index]->name);
  if (!name || found.size() + 1 > nameSize) return kErrorMoreData;
  std::memcpy(name, found.c_str(), found.size() + 1);
  return kErrorSuccess;
}

LONG WineRegistry::RegEnumValueA(HKEY key, DWORD index, char* name, DWORD* nameSize, DWORD* type,
                                 BYTE* data, DWORD* dataSize) {
  OpenKey k;
  LONG rc = Use(key, kKeyQueryValue, &k);
  if (rc != kErrorSuccess) return rc;
  if (!name || !nameSize) return kErrorInvalidParameter;
  if (data && !dataSize) return kErrorInvalidParameter;
  if (index >= k.key->values.size()) return kErrorNoMoreItems;
  const WineValue& value = k.key->values[index];
  std::string found = AnsiFromUnits(value.name);
  std::string bytes = AnsiData(value);
  auto needed = static_cast<DWORD>(bytes.size());
  if (found.size() + 1 > *nameSize) return kErrorMoreData;
  if (data && *dataSize < needed) {
    *dataSize = needed;
    return kErrorMoreData;
  }
  std::memcpy(name, found.c_str(), found.size() + 1);
  *nameSize = static_cast<DWORD>(found.size());
  if (type) *type = value.type;
  if (data && needed) std::memcpy(data, bytes.data(), needed);
  if (dataSize) *dataSize = needed;
  return kErrorSuccess;
}

LONG WineRegistry::RegQueryInfoKeyA(HKEY key, platform::RegKeyInfo* info) {
  OpenKey k;
  LONG rc = Use(key, kKeyQueryValue, &k);
  if (rc != kErrorSuccess) return rc;
  if (!info) return kErrorInvalidParameter;
  *info = {};
  info->subKeys = static_cast<DWORD>(k.key->subkeys.size());
  for (const auto& subkey : k.key->subkeys)
    info->maxSubKeyLen =
        std::max(info->maxSubKeyLen, static_cast<DWORD>(AnsiFromUnits(subkey->name).size()));
  info->values = static_cast<DWORD>(k.key->values.size());
  for (const WineValue& value : k.key->values) {
    info->maxValueNameLen =
        std::max(info->maxValueNameLen, static_cast<DWORD>(AnsiFromUnits(value.name).size()));
    info->maxValueLen = std::max(info->maxValueLen, static_cast<DWORD>(AnsiData(value).size()));
  }
  return kErrorSuccess;
}

LONG WineRegistry::RegCloseKey(HKEY key) {
  if (IsPredefined(key)) return kErrorSuccess;
  return handles_.erase(key) ? kErrorSuccess : kErrorInvalidHandle;
}

}  // namespace vb::wine
