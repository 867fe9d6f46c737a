#include "platform/emulated/emulated_registry.h"

#include <sqlite3.h>

#include <cstring>
#include <vector>

#include "platform/ascii_case.h"
#include "platform/registry_values.h"
#include "platform/emulated/database.h"

namespace vb::emu {

using namespace vb::win;

namespace {

// A change that failed in the database itself, for no reason named below.
constexpr LONG kErrorRegistryIoFailed = 1016;

constexpr DWORD kWriteRights =
    kKeySetValue | kKeyCreateSubKey | kKeyCreateLink | kDelete | kWriteDac | kWriteOwner;

int HiveOf(HKEY root) {
  if (root == kHkeyClassesRoot) return 1;
  if (root == kHkeyCurrentUser) return 2;
  if (root == kHkeyLocalMachine) return 3;
  if (root == kHkeyUsers) return 4;
  return 0;
}

std::string NameOf(const char* name) { return name ? std::string(name) : std::string(); }

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

}  // namespace

EmulatedRegistry::EmulatedRegistry(Database& db, bool limitedUser)
    : db_(db), limitedUser_(limitedUser) {}

LONG EmulatedRegistry::Failure() {
  switch (db_.LastError()) {
    case SQLITE_FULL: return kErrorDiskFull;
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return kErrorBusy;
    default: return kErrorRegistryIoFailed;
  }
}

bool EmulatedRegistry::HiveWritable(int hive) const {
  return !(limitedUser_ && (hive == 1 || hive == 3));
}

DWORD EmulatedRegistry::Grant(int hive, DWORD access) const {
  if (access & kMaximumAllowed) return HiveWritable(hive) ? kKeyAllAccess : kKeyRead;
  return access;
}

LONG EmulatedRegistry::Lookup(HKEY key, OpenKey* out) {
  if (int hive = HiveOf(key)) {
    out->id = hive;
    out->hive = hive;
    out->access = Grant(hive, kMaximumAllowed);
    return kErrorSuccess;
  }
  auto it = handles_.find(key);
  if (it == handles_.end()) return kErrorInvalidHandle;
  Statement s(db_.handle(), "SELECT 1 FROM keys WHERE id = ?");
  if (!s.Bind(1, it->second.id).Step()) return kErrorKeyDeleted;
  *out = it->second;
  return kErrorSuccess;
}

LONG EmulatedRegistry::Use(HKEY key, DWORD needed, OpenKey** out) {
  OpenKey found;
  LONG rc = Lookup(key, &found);
  if (rc != kErrorSuccess) return rc;
  if ((found.access & needed) != needed) return kErrorAccessDenied;
  auto it = handles_.find(key);
  if (it != handles_.end()) {
    *out = &it->second;
  } else {
    rootScratch_ = found;
    *out = &rootScratch_;
  }
  return kErrorSuccess;
}

LONG EmulatedRegistry::Walk(const OpenKey& from, const char* subKey, bool create, std::int64_t* id,
                            bool* created) {
  std::vector<std::string> parts;
  if (!SplitKeyPath(subKey, &parts)) return create ? kErrorBadPathname : kErrorFileNotFound;
  std::int64_t current = from.id;
  if (created) *created = false;
  for (const std::string& part : parts) {
    std::string fold = platform::FoldAscii(part);
    Statement find(db_.handle(), "SELECT id FROM keys WHERE parent = ? AND fold = ?");
    if (find.Bind(1, current).Bind(2, fold).Step()) {
      current = find.Int(0);
      continue;
    }
    if (!create) return kErrorFileNotFound;
    if (!HiveWritable(from.hive)) return kErrorAccessDenied;
    Statement add(db_.handle(), "INSERT INTO keys(parent, name, fold) VALUES (?, ?, ?)");
    if (!add.Bind(1, current).Bind(2, part).Bind(3, fold).Run()) return Failure();
    current = db_.LastInsertId();
    if (created) *created = true;
  }
  *id = current;
  return kErrorSuccess;
}

HKEY EmulatedRegistry::NewHandle(OpenKey key) {
  HKEY handle = nextHandle_;
  nextHandle_ += 4;
  handles_.emplace(handle, std::move(key));
  return handle;
}

LONG EmulatedRegistry::RegOpenKeyA(HKEY key, const char* subKey, HKEY* result) {
  return RegOpenKeyExA(key, subKey, 0, kMaximumAllowed, result);
}

LONG EmulatedRegistry::RegOpenKeyExA(HKEY key, const char* subKey, DWORD, DWORD access,
                                     HKEY* result) {
  if (!result) return kErrorInvalidParameter;
  OpenKey from;
  LONG rc = Lookup(key, &from);
  if (rc != kErrorSuccess) return rc;
  std::int64_t id = 0;
  rc = Walk(from, subKey, false, &id, nullptr);
  if (rc != kErrorSuccess) return rc;
  if ((access & kWriteRights) && !(access & kMaximumAllowed) && !HiveWritable(from.hive))
    return kErrorAccessDenied;
  OpenKey opened;
  opened.id = id;
  opened.hive = from.hive;
  opened.access = Grant(from.hive, access);
  *result = NewHandle(std::move(opened));
  return kErrorSuccess;
}

LONG EmulatedRegistry::RegCreateKeyA(HKEY key, const char* subKey, HKEY* result) {
  return RegCreateKeyExA(key, subKey, 0, nullptr, 0, kMaximumAllowed, result, nullptr);
}

LONG EmulatedRegistry::RegCreateKeyExA(HKEY key, const char* subKey, DWORD, const char*, DWORD,
                                       DWORD access, HKEY* result, DWORD* disposition) {
  if (!result) return kErrorInvalidParameter;
  OpenKey from;
  LONG rc = Lookup(key, &from);
  if (rc != kErrorSuccess) return rc;
  if ((access & kWriteRights) && !(access & kMaximumAllowed) && !HiveWritable(from.hive))
    return kErrorAccessDenied;
  Transaction tx(db_);
  if (!tx.active()) return Failure();
  std::int64_t id = 0;
  bool created = false;
  rc = Walk(from, subKey, true, &id, &created);
  if (rc != kErrorSuccess) return rc;
  if (!tx.Commit()) return Failure();
  if (created) ++generation_;
  OpenKey opened;
  opened.id = id;
  opened.hive = from.hive;
  opened.access = Grant(from.hive, access);
  *result = NewHandle(std::move(opened));
  if (disposition) *disposition = created ? kRegCreatedNewKey : kRegOpenedExistingKey;
  return kErrorSuccess;
}

std::optional<std::int64_t> EmulatedRegistry::ValueRow(std::int64_t keyId, const char* valueName) {
  Statement s(db_.handle(), "SELECT id FROM vals WHERE key = ? AND fold = ?");
  if (s.Bind(1, keyId).Bind(2, platform::FoldAscii(NameOf(valueName))).Step()) return s.Int(0);
  return std::nullopt;
}

LONG EmulatedRegistry::RegQueryValueExA(HKEY key, const char* valueName, DWORD* type, BYTE* data,
                                        DWORD* size) {
  OpenKey* k = nullptr;
  LONG rc = Use(key, kKeyQueryValue, &k);
  if (rc != kErrorSuccess) return rc;
  if (data && !size) return kErrorInvalidParameter;
  Statement s(db_.handle(), "SELECT type, data FROM vals WHERE key = ? AND fold = ?");
  if (!s.Bind(1, k->id).Bind(2, platform::FoldAscii(NameOf(valueName))).Step()) return kErrorFileNotFound;
  std::vector<std::uint8_t> bytes = s.Blob(1);
  return platform::ServeValueBytes(static_cast<DWORD>(s.Int(0)), bytes.data(), bytes.size(), type,
                                   data, size);
}

LONG EmulatedRegistry::RegSetValueExA(HKEY key, const char* valueName, DWORD type,
                                      const BYTE* data, DWORD size) {
  OpenKey* k = nullptr;
  LONG rc = Use(key, kKeySetValue, &k);
  if (rc != kErrorSuccess) return rc;
  if (!data && size) return kErrorInvalidParameter;
  std::string name = NameOf(valueName);
  bool ok;
  if (auto row = ValueRow(k->id, valueName)) {
    Statement s(db_.handle(), "UPDATE vals SET type = ?, data = ? WHERE id = ?");
    ok = s.Bind(1, type).BindBlob(2, data, size).Bind(3, *row).Run();
  } else {
    Statement s(db_.handle(),
                "INSERT INTO vals(key, name, fold, type, data) VALUES (?, ?, ?, ?, ?)");
    ok = s.Bind(1, k->id).Bind(2, name).Bind(3, platform::FoldAscii(name)).Bind(4, type)
             .BindBlob(5, data, size).Run();
  }
  ++generation_;
  return ok ? kErrorSuccess : Failure();
}

LONG EmulatedRegistry::RegDeleteValueA(HKEY key, const char* valueName) {
  OpenKey* k = nullptr;
  LONG rc = Use(key, kKeySetValue, &k);
  if (rc != kErrorSuccess) return rc;
  auto row = ValueRow(k->id, valueName);
  if (!row) return kErrorFileNotFound;
  Statement s(db_.handle(), "DELETE FROM vals WHERE id = ?");
  ++generation_;
  return s.Bind(1, *row).Run() ? kErrorSuccess : Failure();
}

LONG EmulatedRegistry::RegDeleteKeyA(HKEY key, const char* subKey) {
  // The key is found, checked for subkeys and deleted in one transaction, so
  // that a subkey another program adds meanwhile either stops the deletion
  // or comes after it, and never is left below a key that is gone.
  Transaction tx(db_);
  if (!tx.active()) return Failure();
  OpenKey from;
  LONG rc = Lookup(key, &from);
  std::int64_t id = 0;
  if (rc == kErrorSuccess) rc = Walk(from, subKey, false, &id, nullptr);
  // A hive itself can never be deleted.
  if (rc == kErrorSuccess && (id <= 4 || !HiveWritable(from.hive))) rc = kErrorAccessDenied;
  if (rc == kErrorSuccess && (!subKey || !*subKey) && !(from.access & kDelete))
    rc = kErrorAccessDenied;
  if (rc == kErrorSuccess) {
    Statement children(db_.handle(), "SELECT 1 FROM keys WHERE parent = ? LIMIT 1");
    if (children.Bind(1, id).Step()) rc = kErrorAccessDenied;
  }
  if (rc != kErrorSuccess) {
    // Nothing was written: the transaction ends without undoing the unit
    // that it may be part of.
    (void)tx.Commit();
    return rc;
  }
  Statement values(db_.handle(), "DELETE FROM vals WHERE key = ?");
  Statement self(db_.handle(), "DELETE FROM keys WHERE id = ?");
  if (!values.Bind(1, id).Run() || !self.Bind(1, id).Run()) return Failure();
  if (!tx.Commit()) return Failure();
  ++generation_;
  return kErrorSuccess;
}

LONG EmulatedRegistry::RegEnumKeyA(HKEY key, DWORD index, char* name, DWORD nameSize) {
  OpenKey* k = nullptr;
  LONG rc = Use(key, kKeyEnumerateSubKeys, &k);
  if (rc != kErrorSuccess) return rc;
  bool follows = k->generation == generation_ && k->keyIndex && *k->keyIndex + 1 == index;
  Statement s(db_.handle(),
              follows ? "SELECT name, fold FROM keys WHERE parent = ? AND fold > ? "
                        "ORDER BY fold LIMIT 1"
                      : "SELECT name, fold FROM keys WHERE parent = ? ORDER BY fold "
                        "LIMIT 1 OFFSET ?");
  s.Bind(1, k->id);
  if (follows)
    s.Bind(2, k->keyFold);
  else
    s.Bind(2, static_cast<std::int64_t>(index));
  if (!s.Step()) return kErrorNoMoreItems;
  std::string found = s.Text(0);
  k->generation = generation_;
  k->keyIndex = index;
  k->keyFold = s.Text(1);
  if (!name || found.size() + 1 > nameSize) return kErrorMoreData;
  std::memcpy(name, found.c_str(), found.size() + 1);
  return kErrorSuccess;
}

LONG EmulatedRegistry::RegEnumValueA(HKEY key, DWORD index, char* name, DWORD* nameSize,
                                     DWORD* type, BYTE* data, DWORD* dataSize) {
  OpenKey* k = nullptr;
  LONG rc = Use(key, kKeyQueryValue, &k);
  if (rc != kErrorSuccess) return rc;
  if (!name || !nameSize) return kErrorInvalidParameter;
  if (data && !dataSize) return kErrorInvalidParameter;
  bool follows = k->generation == generation_ && k->valueIndex && *k->valueIndex + 1 == index;
  Statement s(db_.handle(),
              follows ? "SELECT id, name, type, data FROM vals WHERE key = ? AND id > ? "
                        "ORDER BY id LIMIT 1"
                      : "SELECT id, name, type, data FROM vals WHERE key = ? ORDER BY id "
                        "LIMIT 1 OFFSET ?");
  s.Bind(1, k->id);
  s.Bind(2, follows ? k->valueId : static_cast<std::int64_t>(index));
  if (!s.Step()) return kErrorNoMoreItems;
  k->generation = generation_;
  k->valueIndex = index;
  k->valueId = s.Int(0);
  std::string found = s.Text(1);
  std::vector<std::uint8_t> bytes = s.Blob(3);
  auto needed = static_cast<DWORD>(bytes.size());
  if (found.size() + 1 > *nameSize) return kErrorMoreData;
  if (data && *dataSize < needed) {
    *dataSize = needed;
    return kErrorMoreData;
  }
  std::memcpy(name, found.c_str(), found.size() + 1);
  *nameSize = static_cast<DWORD>(found.size());
  if (type) *type = static_cast<DWORD>(s.Int(2));
  if (data && needed) std::memcpy(data, bytes.data(), needed);
  if (dataSize) *dataSize = needed;
  return kErrorSuccess;
}

LONG EmulatedRegistry::RegQueryInfoKeyA(HKEY key, platform::RegKeyInfo* info) {
  OpenKey* k = nullptr;
  LONG rc = Use(key, kKeyQueryValue, &k);
  if (rc != kErrorSuccess) return rc;
  if (!info) return kErrorInvalidParameter;
  Statement keys(db_.handle(),
                 "SELECT count(*), coalesce(max(length(CAST(name AS BLOB))), 0) FROM keys "
                 "WHERE parent = ?");
  Statement vals(db_.handle(),
                 "SELECT count(*), coalesce(max(length(CAST(name AS BLOB))), 0), "
                 "coalesce(max(length(data)), 0) FROM vals WHERE key = ?");
  if (!keys.Bind(1, k->id).Step() || !vals.Bind(1, k->id).Step()) return Failure();
  info->subKeys = static_cast<DWORD>(keys.Int(0));
  info->maxSubKeyLen = static_cast<DWORD>(keys.Int(1));
  info->values = static_cast<DWORD>(vals.Int(0));
  info->maxValueNameLen = static_cast<DWORD>(vals.Int(1));
  info->maxValueLen = static_cast<DWORD>(vals.Int(2));
  return kErrorSuccess;
}

LONG EmulatedRegistry::RegCloseKey(HKEY key) {
  if (HiveOf(key)) return kErrorSuccess;
  return handles_.erase(key) ? kErrorSuccess : kErrorInvalidHandle;
}

LONG EmulatedRegistry::BeginChanges() { return db_.Begin() ? kErrorSuccess : Failure(); }

LONG EmulatedRegistry::EndChanges(bool keep) {
  bool kept = db_.End(keep);
  ++generation_;
  return kept || !keep ? kErrorSuccess : Failure();
}

}  // namespace vb::emu
