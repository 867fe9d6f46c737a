// Opening a prefix's registry files, units of changes, and saving.
#include <cstdio>

#include "platform/wine/replace_file.h"
#include "platform/wine/wine_escapes.h"
#include "platform/wine/wine_names.h"
#include "platform/wine/wine_registry.h"
#include "platform/wine/wine_registry_file.h"

namespace vb::wine {

using namespace vb::win;

namespace {

// ERROR_BADDB: a registry file that is no registry file.
constexpr LONG kErrorBadDb = 1009;

// The user Wine runs every program as, when user.reg names none.
constexpr char kWineUserSid[] = "S-1-5-21-0-0-0-1000";

constexpr const char* kFileNames[] = {"system.reg", "user.reg", "userdef.reg"};

// The last name of a hive's root path: the user's SID in user.reg's.
std::string LastName(const std::string& path) {
  std::size_t slash = path.find_last_of('\\');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The lines Wine starts a file with, for a hive whose file is missing.
std::string NewPreamble(const std::string& rootPath, const std::string& arch) {
  std::string preamble = std::string(kWineRegistryHeader) + "\n;; All keys relative to ";
  AppendEscaped(preamble, UnitsFromAnsi(rootPath).value_or(u""), "[]");
  preamble += "\n";
  if (!arch.empty()) preamble += "\n#arch=" + arch + "\n";
  return preamble;
}

}  // namespace

Result<std::unique_ptr<WineRegistry>> WineRegistry::Open(const std::string& prefixFolder,
                                                         Options options) {
  std::array<Hive, kHiveCount> hives;
  std::string arch;
  for (int i = 0; i < kHiveCount; ++i) {
    Hive& hive = hives[i];
    hive.path = prefixFolder + "/" + kFileNames[i];
    RemoveLeftovers(hive.path);
    // Stamped before it is read: a file written in between looks changed,
    // and is not overwritten.
    hive.stamp = StampOf(hive.path);
    if (!hive.stamp.exists) {
      if (i == kMachine)
        return Fail(hive.path + " is missing: " + prefixFolder + " is no Wine prefix",
                    kErrorFileNotFound);
      continue;
    }
    Result<std::string> text = ReadWholeFile(hive.path);
    if (!text) return text.failure();
    Result<WineHive> model = ReadWineHive(std::move(*text));
    if (!model) return Fail(hive.path + ": " + model.message(), kErrorBadDb);
    hive.model = std::move(*model);
    if (!hive.model.arch.empty()) {
      if (!arch.empty() && arch != hive.model.arch)
        return Fail(hive.path + " is for " + hive.model.arch + ", the prefix's other files for " +
                        arch,
                    kErrorBadDb);
      arch = hive.model.arch;
    }
  }
  // Missing user files get the lines Wine would start them with, in the
  // style of system.reg's ("REGISTRY\Machine" since Wine 6, "\Machine" before).
  const std::string& machinePath = hives[kMachine].model.rootPath;
  std::string registry = machinePath.compare(0, 8, "REGISTRY") == 0 ? "REGISTRY" : "";
  if (!hives[kUser].stamp.exists)
    hives[kUser].model.rootPath = registry + "\\User\\" + kWineUserSid;
  if (!hives[kDefaultUser].stamp.exists)
    hives[kDefaultUser].model.rootPath = registry + "\\User\\.Default";
  for (int i : {kUser, kDefaultUser})
    if (!hives[i].stamp.exists) hives[i].model.preamble = NewPreamble(hives[i].model.rootPath, arch);
  return std::unique_ptr<WineRegistry>(new WineRegistry(std::move(hives), std::move(options)));
}

WineRegistry::WineRegistry(std::array<Hive, kHiveCount> hives, Options options)
    : hives_(std::move(hives)), options_(std::move(options)), users_(std::make_shared<WineKey>()) {
  // HKEY_USERS holds the two user hives' roots, under their names there;
  // the roots keep no parent, as each is the top of its file.
  WineKey& user = *hives_[kUser].model.root;
  WineKey& defaultUser = *hives_[kDefaultUser].model.root;
  std::string sid = LastName(hives_[kUser].model.rootPath);
  user.name = *UnitsFromAnsi(sid.empty() || sid.find('\0') != std::string::npos ? kWineUserSid : sid);
  defaultUser.name = u".Default";
  users_->subkeys = {hives_[kDefaultUser].model.root, hives_[kUser].model.root};
  if (CompareNames(user.name, defaultUser.name) < 0)
    std::swap(users_->subkeys[0], users_->subkeys[1]);
  // HKEY_CLASSES_ROOT: made in memory when the file has no such key, which
  // changes nothing written.
  classes_ = hives_[kMachine].model.root;
  for (const char16_t* name : {u"Software", u"Classes"}) {
    std::shared_ptr<WineKey> next = FindSubkey(*classes_, name);
    if (!next) {
      next = std::make_shared<WineKey>();
      next->name = name;
      AddSubkey(*classes_, next);
    }
    classes_ = next;
  }
}

bool WineRegistry::FilesUnchanged() const {
  for (const Hive& hive : hives_)
    if (StampOf(hive.path) != hive.stamp) return false;
  return true;
}

LONG WineRegistry::BeginChanges() {
  if (unitDepth_ > 0) {
    ++unitDepth_;
    return kErrorSuccess;
  }
  if (!FilesUnchanged()) return kErrorBusy;
  unitDepth_ = 1;
  undo_.clear();
  for (int i = 0; i < kHiveCount; ++i) dirtyBefore_[i] = hives_[i].dirty;
  return kErrorSuccess;
}

LONG WineRegistry::EndChanges(bool keep) {
  if (unitDepth_ == 0) return kErrorSuccess;
  if (--unitDepth_ > 0) return kErrorSuccess;
  std::array<bool, kHiveCount> replaced{};
  LONG rc = keep ? SaveFiles(&replaced) : kErrorSuccess;
  if (keep && rc == kErrorSuccess) {
    undo_.clear();
    return kErrorSuccess;
  }
  for (auto it = undo_.rbegin(); it != undo_.rend(); ++it) (*it)();
  undo_.clear();
  for (int i = 0; i < kHiveCount; ++i) {
    // A file replaced before another could not be: it now holds the undone
    // changes, and must be written again.
    hives_[i].dirty = dirtyBefore_[i] || replaced[i];
  }
  return rc;
}

LONG WineRegistry::Save() {
  if (unitDepth_ > 0) return kErrorSuccess;
  std::array<bool, kHiveCount> replaced{};
  return SaveFiles(&replaced);
}

LONG WineRegistry::SaveFiles(std::array<bool, kHiveCount>* replaced) {
  for (const Hive& hive : hives_)
    if (hive.dirty && StampOf(hive.path) != hive.stamp) return kErrorBusy;
  // Every new file is written and flushed before any takes an old one's
  // place, so that a failure leaves every file as it was.
  std::array<std::string, kHiveCount> written;
  auto discard = [&] {
    for (const std::string& temporary : written)
      if (!temporary.empty()) std::remove(temporary.c_str());
  };
  for (int i = 0; i < kHiveCount; ++i) {
    if (!hives_[i].dirty) continue;
    Result<std::string> temporary = WriteBeside(hives_[i].path, WriteWineHive(hives_[i].model));
    if (!temporary) {
      discard();
      return static_cast<LONG>(temporary.code());
    }
    written[i] = *temporary;
  }
  for (int i = 0; i < kHiveCount; ++i) {
    if (written[i].empty()) continue;
    LONG rc = PutInPlace(written[i], hives_[i].path);
    written[i].clear();
    if (rc != kErrorSuccess) {
      discard();
      return rc;
    }
    (*replaced)[i] = true;
    hives_[i].stamp = StampOf(hives_[i].path);
    hives_[i].dirty = false;
  }
  return kErrorSuccess;
}

bool WineRegistry::HasUnsavedChanges() const {
  for (const Hive& hive : hives_)
    if (hive.dirty) return true;
  return false;
}

}  // namespace vb::wine
