#include "platform/recording_registry.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <set>

#include "platform/ascii_case.h"
#include "platform/registry_values.h"

namespace vb::platform {

namespace {

// The predefined roots, HKEY_CLASSES_ROOT to HKEY_DYN_DATA.
bool IsRoot(HKEY key) { return key >= kHkeyClassesRoot && key < kHkeyClassesRoot + 0x10; }

std::string RootName(HKEY root) {
  if (root == kHkeyClassesRoot) return "HKEY_CLASSES_ROOT";
  if (root == kHkeyCurrentUser) return "HKEY_CURRENT_USER";
  if (root == kHkeyLocalMachine) return "HKEY_LOCAL_MACHINE";
  if (root == kHkeyUsers) return "HKEY_USERS";
  char text[32];
  std::snprintf(text, sizeof text, "HKEY_%08X", static_cast<unsigned>(root & 0xFFFFFFFF));
  return text;
}

std::string Display(HKEY root, const std::string& path) {
  return path.empty() ? RootName(root) : RootName(root) + "\\" + path;
}

std::string FullKey(HKEY root, const std::string& path) { return FoldAscii(Display(root, path)); }

std::string NameOf(const char* name) { return name ? std::string(name) : std::string(); }

// A key path below `from`, read as the registry reads it: a trailing "\" is
// allowed, any other empty component makes the path bad.
bool Append(const std::string& from, const char* subKey, std::string* path) {
  *path = from;
  if (!subKey || !*subKey) return true;
  std::string rest(subKey);
  if (rest.back() == '\\') rest.pop_back();
  std::size_t start = 0;
  while (start <= rest.size()) {
    std::size_t end = rest.find('\\', start);
    if (end == std::string::npos) end = rest.size();
    if (end == start) return false;
    if (!path->empty()) *path += '\\';
    *path += rest.substr(start, end - start);
    start = end + 1;
  }
  return true;
}

std::string Child(const std::string& path, const std::string& name) {
  return path.empty() ? name : path + "\\" + name;
}

}  // namespace

RecordingRegistry::RecordingRegistry(RegistryApi& below, const RecordingSession& session)
    : below_(below), session_(session) {}

RecordingRegistry::~RecordingRegistry() { Forget(); }

void RecordingRegistry::Forget() {
  for (auto& [handle, view] : views_)
    if (view.reader && view.reader != view.below) below_.RegCloseKey(view.reader);
  views_.clear();
  keys_.clear();
  unit_.reset();
}

RecordingRegistry::View* RecordingRegistry::ViewOf(HKEY key) {
  auto it = views_.find(key);
  if (it != views_.end()) return &it->second;
  View view;
  view.below = key;
  if (IsRoot(key)) {
    view.root = key;
    view.access = kMaximumAllowed;
    view.reader = key;
  } else if (key < 0) {
    return nullptr;  // one of this layer's own handles, closed, or one of nobody
  }
  // Otherwise a key opened before the recording: known by its handle only.
  return &views_.emplace(key, std::move(view)).first->second;
}

RecordingRegistry::View* RecordingRegistry::Keep(HKEY handle, View view) {
  return &views_.insert_or_assign(handle, std::move(view)).first->second;
}

RecordingRegistry::Key::State RecordingRegistry::StateOf(HKEY root, const std::string& path,
                                                         std::uint64_t* serial) {
  if (keys_.empty()) return Key::State::kBelow;
  std::string full = FullKey(root, path);
  auto it = keys_.find(full);
  if (it != keys_.end() && it->second.state != Key::State::kBelow) {
    if (serial) *serial = it->second.serial;
    return it->second.state;
  }
  // Below a key the record deleted or made, nothing is but what it made.
  for (std::size_t cut = full.rfind('\\'); cut != std::string::npos; cut = full.rfind('\\')) {
    full.resize(cut);
    auto above = keys_.find(full);
    if (above != keys_.end() && above->second.state != Key::State::kBelow) return Key::State::kGone;
  }
  return Key::State::kBelow;
}

bool RecordingRegistry::Exists(HKEY root, const std::string& path) {
  Key::State state = StateOf(root, path);
  if (state != Key::State::kBelow) return state == Key::State::kMade;
  HKEY opened = 0;
  LONG error = below_.RegOpenKeyExA(root, path.c_str(), 0, kKeyRead, &opened);
  if (error == kErrorSuccess) below_.RegCloseKey(opened);
  return error == kErrorSuccess || error == kErrorAccessDenied;
}

LONG RecordingRegistry::Alive(const View& view) {
  if (!view.root) return kErrorSuccess;
  std::uint64_t serial = 0;
  Key::State state = StateOf(view.root, view.path, &serial);
  if (view.serial == 0) return state == Key::State::kBelow ? kErrorSuccess : kErrorKeyDeleted;
  return state == Key::State::kMade && serial == view.serial ? kErrorSuccess : kErrorKeyDeleted;
}

LONG RecordingRegistry::Allowed(const View& view, DWORD right) {
  if (!view.root || view.serial) return kErrorSuccess;
  if (!(view.access & kMaximumAllowed))
    return (view.access & right) == right ? kErrorSuccess : kErrorAccessDenied;
  // The most the user may have: asked of the registry below, by opening the
  // key with that right alone.
  HKEY opened = 0;
  LONG error = below_.RegOpenKeyExA(view.root, view.path.c_str(), 0, right, &opened);
  if (error == kErrorSuccess) below_.RegCloseKey(opened);
  return error;
}

bool RecordingRegistry::HasSubkeys(HKEY root, const std::string& path) {
  std::string prefix = FullKey(root, path) + "\\";
  for (auto it = keys_.lower_bound(prefix);
       it != keys_.end() && it->first.compare(0, prefix.size(), prefix) == 0; ++it)
    if (it->second.state == Key::State::kMade) return true;
  if (StateOf(root, path) != Key::State::kBelow) return false;
  HKEY opened = 0;
  if (below_.RegOpenKeyExA(root, path.c_str(), 0, kKeyRead, &opened) != kErrorSuccess) return false;
  bool any = false;
  char name[256];
  for (DWORD index = 0; !any; ++index) {
    LONG error = below_.RegEnumKeyA(opened, index, name, sizeof name);
    if (error == kErrorNoMoreItems) break;
    any = error != kErrorSuccess || StateOf(root, Child(path, name)) == Key::State::kBelow;
  }
  below_.RegCloseKey(opened);
  return any;
}

LONG RecordingRegistry::Reader(View& view, HKEY* reader) {
  if (!view.reader) {
    LONG error = below_.RegOpenKeyExA(view.root, view.path.c_str(), 0, kKeyRead, &view.reader);
    if (error != kErrorSuccess) {
      view.reader = 0;
      return error;
    }
  }
  *reader = view.reader;
  return kErrorSuccess;
}

bool RecordingRegistry::SubkeysTouched(const View& view) {
  if (view.serial) return true;
  std::string prefix = FullKey(view.root, view.path) + "\\";
  for (auto it = keys_.lower_bound(prefix);
       it != keys_.end() && it->first.compare(0, prefix.size(), prefix) == 0; ++it)
    if (it->second.state != Key::State::kBelow) return true;
  return false;
}

bool RecordingRegistry::ValuesTouched(const View& view) {
  if (view.serial) return true;
  auto it = keys_.find(FullKey(view.root, view.path));
  return it != keys_.end() && !it->second.values.empty();
}

const std::vector<std::string>& RecordingRegistry::Subkeys(View& view) {
  if (view.subkeysGeneration == generation_) return view.subkeys;
  std::vector<std::string> names;
  HKEY reader = 0;
  if (!view.serial && Reader(view, &reader) == kErrorSuccess) {
    char name[256];
    for (DWORD index = 0; below_.RegEnumKeyA(reader, index, name, sizeof name) == kErrorSuccess;
         ++index)
      if (StateOf(view.root, Child(view.path, name)) == Key::State::kBelow) names.push_back(name);
  }
  std::string prefix = FullKey(view.root, view.path) + "\\";
  for (auto it = keys_.lower_bound(prefix);
       it != keys_.end() && it->first.compare(0, prefix.size(), prefix) == 0; ++it)
    if (it->second.state == Key::State::kMade &&
        it->first.find('\\', prefix.size()) == std::string::npos)
      names.push_back(it->second.name);
  // In the registry's order: by name without regard to case.
  std::stable_sort(names.begin(), names.end(), LessIgnoringCase);
  view.subkeys = std::move(names);
  view.subkeysGeneration = generation_;
  return view.subkeys;
}

const std::vector<RecordingRegistry::Row>& RecordingRegistry::Values(View& view) {
  if (view.valuesGeneration == generation_) return view.values;
  std::vector<Row> rows;
  auto key = keys_.find(FullKey(view.root, view.path));
  const std::map<std::string, Value>* changed = key == keys_.end() ? nullptr : &key->second.values;
  std::set<std::string> below;
  HKEY reader = 0;
  RegKeyInfo info;
  if (!view.serial && Reader(view, &reader) == kErrorSuccess &&
      below_.RegQueryInfoKeyA(reader, &info) == kErrorSuccess) {
    std::vector<char> name(info.maxValueNameLen + 1);
    std::vector<BYTE> data(info.maxValueLen + 1);
    for (DWORD index = 0;; ++index) {
      auto nameSize = static_cast<DWORD>(name.size());
      auto dataSize = static_cast<DWORD>(data.size());
      DWORD type = 0;
      if (below_.RegEnumValueA(reader, index, name.data(), &nameSize, &type, data.data(),
                               &dataSize) != kErrorSuccess)
        break;
      Row row{std::string(name.data(), nameSize), type,
              std::string(reinterpret_cast<const char*>(data.data()), dataSize)};
      std::string fold = FoldAscii(row.name);
      below.insert(fold);
      if (changed) {
        auto it = changed->find(fold);
        if (it != changed->end()) {
          // A value set again after its deletion comes last, below.
          if (it->second.deleted || it->second.anew) continue;
          row.type = it->second.type;
          row.data = it->second.data;
        }
      }
      rows.push_back(std::move(row));
    }
  }
  if (changed) {
    std::vector<const Value*> added;
    for (const auto& [fold, value] : *changed)
      if (!value.deleted && (value.anew || below.count(fold) == 0)) added.push_back(&value);
    std::sort(added.begin(), added.end(),
              [](const Value* a, const Value* b) { return a->order < b->order; });
    for (const Value* value : added) rows.push_back(Row{value->name, value->type, value->data});
  }
  view.values = std::move(rows);
  view.valuesGeneration = generation_;
  return view.values;
}

RecordingRegistry::Value* RecordingRegistry::FindValue(const View& view, const char* valueName) {
  auto key = keys_.find(FullKey(view.root, view.path));
  if (key == keys_.end()) return nullptr;
  auto it = key->second.values.find(FoldAscii(NameOf(valueName)));
  return it == key->second.values.end() ? nullptr : &it->second;
}

void RecordingRegistry::Tell(ChangeKind kind, const View& view, const std::string& path,
                             const std::string& name, DWORD number) {
  if (!session_.Listening()) return;
  RecordedChange change{kind, view.root ? Display(view.root, path) : std::string(), name, number};
  if (unit_) {
    unit_->told.push_back(std::move(change));
  } else {
    session_.Tell(std::move(change));
  }
}

LONG RecordingRegistry::RegOpenKeyA(HKEY key, const char* subKey, HKEY* result) {
  if (!Recording()) return below_.RegOpenKeyA(key, subKey, result);
  return RegOpenKeyExA(key, subKey, 0, kMaximumAllowed, result);
}

LONG RecordingRegistry::RegOpenKeyExA(HKEY key, const char* subKey, DWORD options, DWORD access,
                                      HKEY* result) {
  if (!Recording()) return below_.RegOpenKeyExA(key, subKey, options, access, result);
  if (!result) return kErrorInvalidParameter;
  View* from = ViewOf(key);
  if (!from) return kErrorInvalidHandle;
  if (!from->root) return below_.RegOpenKeyExA(key, subKey, options, access, result);
  if (LONG error = Alive(*from); error != kErrorSuccess) return error;
  View view;
  view.root = from->root;
  view.access = access;
  if (!Append(from->path, subKey, &view.path)) return kErrorFileNotFound;
  Key::State state = StateOf(view.root, view.path, &view.serial);
  if (state == Key::State::kGone) return kErrorFileNotFound;
  if (state == Key::State::kMade) {
    *result = nextMade_;
    nextMade_ -= 4;
    Keep(*result, std::move(view));
    return kErrorSuccess;
  }
  LONG error = below_.RegOpenKeyExA(from->below, subKey, options, access, &view.below);
  if (error != kErrorSuccess) return error;
  *result = view.below;
  Keep(*result, std::move(view));
  return kErrorSuccess;
}

LONG RecordingRegistry::RegCreateKeyA(HKEY key, const char* subKey, HKEY* result) {
  if (!Recording()) return below_.RegCreateKeyA(key, subKey, result);
  return RegCreateKeyExA(key, subKey, 0, nullptr, 0, kMaximumAllowed, result, nullptr);
}

LONG RecordingRegistry::RegCreateKeyExA(HKEY key, const char* subKey, DWORD reserved,
                                        const char* keyClass, DWORD options, DWORD access,
                                        HKEY* result, DWORD* disposition) {
  if (!Recording())
    return below_.RegCreateKeyExA(key, subKey, reserved, keyClass, options, access, result,
                                  disposition);
  if (!result) return kErrorInvalidParameter;
  View* from = ViewOf(key);
  if (!from) return kErrorInvalidHandle;
  if (!from->root) {
    // Below a key known by no path, a key that is there opens as below; one
    // to be made is refused rather than recorded where no read would see it.
    LONG error = below_.RegOpenKeyExA(key, subKey, 0, access, result);
    if (error == kErrorSuccess && disposition) *disposition = kRegOpenedExistingKey;
    return error == kErrorFileNotFound ? kErrorAccessDenied : error;
  }
  if (LONG error = Alive(*from); error != kErrorSuccess) return error;
  std::string path;
  if (!Append(from->path, subKey, &path)) return kErrorBadPathname;
  if (Exists(from->root, path)) {
    LONG error = RegOpenKeyExA(key, subKey, 0, access, result);
    if (error == kErrorSuccess && disposition) *disposition = kRegOpenedExistingKey;
    return error;
  }
  // The keys to make, below the deepest one that is there, in which the
  // user must be allowed to make subkeys.
  std::vector<std::string> missing;
  std::string deepest = path;
  while (deepest.size() > from->path.size() && !Exists(from->root, deepest)) {
    std::size_t cut = deepest.rfind('\\');
    missing.push_back(cut == std::string::npos ? deepest : deepest.substr(cut + 1));
    deepest = cut == std::string::npos ? std::string() : deepest.substr(0, cut);
  }
  if (StateOf(from->root, deepest) == Key::State::kBelow) {
    HKEY opened = 0;
    LONG error = below_.RegOpenKeyExA(from->root, deepest.c_str(), 0, kKeyCreateSubKey, &opened);
    if (error != kErrorSuccess) return error;
    below_.RegCloseKey(opened);
  }
  View view;
  view.root = from->root;
  view.access = access;
  view.path = deepest;
  for (auto name = missing.rbegin(); name != missing.rend(); ++name) {
    view.path = Child(view.path, *name);
    Key& made = keys_[FullKey(view.root, view.path)];
    made = Key{};
    made.state = Key::State::kMade;
    made.name = *name;
    made.serial = view.serial = nextSerial_++;
    Tell(ChangeKind::kCreateKey, view, view.path, std::string());
  }
  ++generation_;
  *result = nextMade_;
  nextMade_ -= 4;
  Keep(*result, std::move(view));
  if (disposition) *disposition = kRegCreatedNewKey;
  return kErrorSuccess;
}

LONG RecordingRegistry::RegQueryValueExA(HKEY key, const char* valueName, DWORD* type, BYTE* data,
                                         DWORD* size) {
  if (!Recording()) return below_.RegQueryValueExA(key, valueName, type, data, size);
  View* view = ViewOf(key);
  if (!view) return kErrorInvalidHandle;
  if (!view->root) return below_.RegQueryValueExA(key, valueName, type, data, size);
  if (LONG error = Alive(*view); error != kErrorSuccess) return error;
  if (LONG error = Allowed(*view, kKeyQueryValue); error != kErrorSuccess) return error;
  if (data && !size) return kErrorInvalidParameter;
  if (const Value* value = FindValue(*view, valueName)) {
    if (value->deleted) return kErrorFileNotFound;
    return ServeValueBytes(value->type, reinterpret_cast<const std::uint8_t*>(value->data.data()),
                           value->data.size(), type, data, size);
  }
  if (view->serial) return kErrorFileNotFound;
  return below_.RegQueryValueExA(view->below, valueName, type, data, size);
}

LONG RecordingRegistry::RegSetValueExA(HKEY key, const char* valueName, DWORD type,
                                       const BYTE* data, DWORD size) {
  if (!Recording()) return below_.RegSetValueExA(key, valueName, type, data, size);
  View* view = ViewOf(key);
  if (!view) return kErrorInvalidHandle;
  if (LONG error = Alive(*view); error != kErrorSuccess) return error;
  if (LONG error = Allowed(*view, kKeySetValue); error != kErrorSuccess) return error;
  if (!data && size) return kErrorInvalidParameter;
  std::string name = NameOf(valueName);
  if (view->root) {
    Key& changed = keys_[FullKey(view->root, view->path)];
    auto [it, added] = changed.values.try_emplace(FoldAscii(name));
    Value& value = it->second;
    if (added || value.deleted) {
      value.anew = !added;
      value.name = name;
      value.order = nextOrder_++;
    }
    value.deleted = false;
    value.type = type;
    value.data.assign(reinterpret_cast<const char*>(data), data ? size : 0);
    ++generation_;
  }
  Tell(ChangeKind::kSetValue, *view, view->path, name, type);
  return kErrorSuccess;
}

LONG RecordingRegistry::RegDeleteValueA(HKEY key, const char* valueName) {
  if (!Recording()) return below_.RegDeleteValueA(key, valueName);
  View* view = ViewOf(key);
  if (!view) return kErrorInvalidHandle;
  if (LONG error = Alive(*view); error != kErrorSuccess) return error;
  if (LONG error = Allowed(*view, kKeySetValue); error != kErrorSuccess) return error;
  std::string name = NameOf(valueName);
  if (!view->root) {
    // Known by its handle only: what it holds is read below, and the
    // deletion told without being seen by later reads.
    DWORD size = 0;
    LONG error = below_.RegQueryValueExA(key, valueName, nullptr, nullptr, &size);
    if (error == kErrorSuccess) Tell(ChangeKind::kDeleteValue, *view, view->path, name);
    return error;
  }
  const Value* value = FindValue(*view, valueName);
  if (value && value->deleted) return kErrorFileNotFound;
  if (!value) {
    if (view->serial) return kErrorFileNotFound;
    HKEY reader = 0;
    LONG error = Reader(*view, &reader);
    DWORD size = 0;
    if (error == kErrorSuccess)
      error = below_.RegQueryValueExA(reader, valueName, nullptr, nullptr, &size);
    if (error != kErrorSuccess) return error;
  }
  Value& deleted = keys_[FullKey(view->root, view->path)].values[FoldAscii(name)];
  deleted.deleted = true;
  deleted.anew = false;
  ++generation_;
  Tell(ChangeKind::kDeleteValue, *view, view->path, name);
  return kErrorSuccess;
}

LONG RecordingRegistry::RegDeleteKeyA(HKEY key, const char* subKey) {
  if (!Recording()) return below_.RegDeleteKeyA(key, subKey);
  View* from = ViewOf(key);
  if (!from) return kErrorInvalidHandle;
  if (LONG error = Alive(*from); error != kErrorSuccess) return error;
  std::string path;
  if (!from->root) {
    // Known by its handle only: a key of it that exists is taken for
    // deletable, and told.
    HKEY opened = 0;
    LONG error = below_.RegOpenKeyExA(key, subKey, 0, kDelete, &opened);
    if (error != kErrorSuccess) return error;
    below_.RegCloseKey(opened);
    Tell(ChangeKind::kDeleteKey, *from, std::string(), NameOf(subKey));
    return kErrorSuccess;
  }
  if (!Append(from->path, subKey, &path) || !Exists(from->root, path)) return kErrorFileNotFound;
  // A hive itself is never deleted.
  if (path.empty()) return kErrorAccessDenied;
  if (StateOf(from->root, path) == Key::State::kBelow) {
    HKEY opened = 0;
    LONG error = below_.RegOpenKeyExA(from->root, path.c_str(), 0, kDelete, &opened);
    if (error != kErrorSuccess) return error;
    below_.RegCloseKey(opened);
  }
  if ((!subKey || !*subKey) && Allowed(*from, kDelete) != kErrorSuccess) return kErrorAccessDenied;
  // Only a key without subkeys goes.
  if (HasSubkeys(from->root, path)) return kErrorAccessDenied;
  Key& deleted = keys_[FullKey(from->root, path)];
  deleted = Key{};
  deleted.state = Key::State::kGone;
  ++generation_;
  Tell(ChangeKind::kDeleteKey, *from, path, std::string());
  return kErrorSuccess;
}

LONG RecordingRegistry::RegEnumKeyA(HKEY key, DWORD index, char* name, DWORD nameSize) {
  if (!Recording()) return below_.RegEnumKeyA(key, index, name, nameSize);
  View* view = ViewOf(key);
  if (!view) return kErrorInvalidHandle;
  if (!view->root) return below_.RegEnumKeyA(key, index, name, nameSize);
  if (LONG error = Alive(*view); error != kErrorSuccess) return error;
  if (!SubkeysTouched(*view)) return below_.RegEnumKeyA(view->below, index, name, nameSize);
  if (LONG error = Allowed(*view, kKeyEnumerateSubKeys); error != kErrorSuccess) return error;
  const std::vector<std::string>& names = Subkeys(*view);
  if (index >= names.size()) return kErrorNoMoreItems;
  const std::string& found = names[index];
  if (!name || found.size() + 1 > nameSize) return kErrorMoreData;
  std::memcpy(name, found.c_str(), found.size() + 1);
  return kErrorSuccess;
}

LONG RecordingRegistry::RegEnumValueA(HKEY key, DWORD index, char* name, DWORD* nameSize,
                                      DWORD* type, BYTE* data, DWORD* dataSize) {
  if (!Recording()) return below_.RegEnumValueA(key, index, name, nameSize, type, data, dataSize);
  View* view = ViewOf(key);
  if (!view) return kErrorInvalidHandle;
  if (!view->root) return below_.RegEnumValueA(key, index, name, nameSize, type, data, dataSize);
  if (LONG error = Alive(*view); error != kErrorSuccess) return error;
  if (!ValuesTouched(*view))
    return below_.RegEnumValueA(view->below, index, name, nameSize, type, data, dataSize);
  if (LONG error = Allowed(*view, kKeyQueryValue); error != kErrorSuccess) return error;
  if (!name || !nameSize) return kErrorInvalidParameter;
  if (data && !dataSize) return kErrorInvalidParameter;
  const std::vector<Row>& rows = Values(*view);
  if (index >= rows.size()) return kErrorNoMoreItems;
  const Row& row = rows[index];
  auto needed = static_cast<DWORD>(row.data.size());
  if (row.name.size() + 1 > *nameSize) return kErrorMoreData;
  if (data && *dataSize < needed) {
    *dataSize = needed;
    return kErrorMoreData;
  }
  std::memcpy(name, row.name.c_str(), row.name.size() + 1);
  *nameSize = static_cast<DWORD>(row.name.size());
  if (type) *type = row.type;
  if (data && needed) std::memcpy(data, row.data.data(), needed);
  if (dataSize) *dataSize = needed;
  return kErrorSuccess;
}

LONG RecordingRegistry::RegQueryInfoKeyA(HKEY key, RegKeyInfo* info) {
  if (!Recording()) return below_.RegQueryInfoKeyA(key, info);
  View* view = ViewOf(key);
  if (!view) return kErrorInvalidHandle;
  if (!view->root) return below_.RegQueryInfoKeyA(key, info);
  if (LONG error = Alive(*view); error != kErrorSuccess) return error;
  if (!SubkeysTouched(*view) && !ValuesTouched(*view))
    return below_.RegQueryInfoKeyA(view->below, info);
  if (LONG error = Allowed(*view, kKeyQueryValue); error != kErrorSuccess) return error;
  if (!info) return kErrorInvalidParameter;
  *info = RegKeyInfo{};
  for (const std::string& name : Subkeys(*view)) {
    ++info->subKeys;
    info->maxSubKeyLen = std::max(info->maxSubKeyLen, static_cast<DWORD>(name.size()));
  }
  for (const Row& row : Values(*view)) {
    ++info->values;
    info->maxValueNameLen = std::max(info->maxValueNameLen, static_cast<DWORD>(row.name.size()));
    info->maxValueLen = std::max(info->maxValueLen, static_cast<DWORD>(row.data.size()));
  }
  return kErrorSuccess;
}

LONG RecordingRegistry::RegCloseKey(HKEY key) {
  if (!Recording() || IsRoot(key)) return below_.RegCloseKey(key);
  auto it = views_.find(key);
  if (it == views_.end()) return key < 0 ? kErrorInvalidHandle : below_.RegCloseKey(key);
  View view = std::move(it->second);
  views_.erase(it);
  if (view.reader && view.reader != view.below) below_.RegCloseKey(view.reader);
  return view.serial ? kErrorSuccess : below_.RegCloseKey(key);
}

LONG RecordingRegistry::BeginChanges() {
  if (!Recording()) return below_.BeginChanges();
  if (!unit_) unit_ = Unit{keys_, {}};
  return kErrorSuccess;
}

LONG RecordingRegistry::EndChanges(bool keep) {
  if (!Recording()) return below_.EndChanges(keep);
  if (!unit_) return kErrorSuccess;
  Unit unit = std::move(*unit_);
  unit_.reset();
  if (keep) {
    for (RecordedChange& change : unit.told) session_.Tell(std::move(change));
  } else {
    keys_ = std::move(unit.keys);
    ++generation_;
  }
  return kErrorSuccess;
}

}  // namespace vb::platform
