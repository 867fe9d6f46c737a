#include "engine/steps.h"

#include "engine/database_rows.h"
#include "platform/ascii_case.h"
#include "platform/registry_values.h"
#include "registry/error_text.h"
#include "registry/key_tree.h"
#include "registry/reg32.h"
#include "registry/root_names.h"

namespace vb::engine {

using namespace vb::win;
namespace Reg32 = registry::Reg32;

Step DeleteKey(HKEY root, std::string key) {
  return {.kind = StepKind::kDeleteKey, .root = root, .key = std::move(key)};
}
Step DeleteValue(HKEY root, std::string key, std::string value) {
  return {.kind = StepKind::kDeleteValue, .root = root, .key = std::move(key), .value = std::move(value)};
}
Step DeleteTree(HKEY root, std::string key) {
  return {.kind = StepKind::kDeleteTree, .root = root, .key = std::move(key)};
}
Step LetterList(HKEY root, std::string key) {
  return {.kind = StepKind::kLetterList, .root = root, .key = std::move(key)};
}
Step NumberedValues(HKEY root, std::string key, int first, int last, std::string prefix) {
  return {.kind = StepKind::kNumberedValues, .root = root, .key = std::move(key),
          .value = std::move(prefix), .first = first, .last = last};
}
Step NumberedKeys(HKEY root, std::string keyPrefix, int first, int last) {
  return {.kind = StepKind::kNumberedKeys, .root = root, .key = std::move(keyPrefix), .first = first,
          .last = last};
}
Step ValuesUntilEmpty(HKEY root, std::string key, std::string prefix, int first, int last) {
  return {.kind = StepKind::kValuesUntilEmpty, .root = root, .key = std::move(key),
          .value = std::move(prefix), .first = first, .last = last};
}
Step LetteredValues(HKEY root, std::string key, char first, char last) {
  return {.kind = StepKind::kLetteredValues, .root = root, .key = std::move(key), .first = first,
          .last = last};
}
Step SubkeyKeys(HKEY root, std::string key, std::string tail) {
  return {.kind = StepKind::kSubkeyKeys, .root = root, .key = std::move(key), .value = std::move(tail)};
}
Step Files(Folder folder, std::vector<std::string> patterns) {
  return {.kind = StepKind::kFiles, .folder = std::move(folder), .patterns = std::move(patterns),
          .patternsInTurn = true, .systemFolderFiles = true};
}
Step EmptyFolder(Folder folder) { return {.kind = StepKind::kFolder, .folder = std::move(folder)}; }
Step EmptyTree(Folder folder) { return {.kind = StepKind::kTree, .folder = std::move(folder)}; }
Step EmptyDeepTree(Folder folder, bool systemFiles) {
  return {.kind = StepKind::kDeepTree, .folder = std::move(folder), .systemFiles = systemFiles};
}
Step CacheEntry(std::string url, std::string localFile) {
  return {.kind = StepKind::kCacheEntry, .value = std::move(localFile), .url = std::move(url)};
}
Step DatabaseRows(Folder folder, std::string file, std::vector<std::string> statements,
                  std::string owner, std::string contents) {
  return {.kind = StepKind::kDatabaseRows, .folder = std::move(folder), .patterns = {std::move(file)},
          .exactNames = true, .statements = std::move(statements), .owner = std::move(owner),
          .contents = std::move(contents)};
}
Step MachineWide(Step step) {
  step.machineWide = true;
  return step;
}
Step KeepingKeptCookies(Step step) {
  step.keepsKeptCookies = true;
  return step;
}
Step Refused(std::string what, std::string why) {
  return {.kind = StepKind::kRefused, .value = std::move(why), .url = std::move(what)};
}
Step Call(Routine routine) { return {.kind = StepKind::kRoutine, .routine = routine}; }
Step CleanerOnly() { return {.kind = StepKind::kCleanerOnly}; }

std::string KeyText(HKEY root, const std::string& path) {
  // A key named with a final "\" (as some steps name it) is the same key.
  std::string_view key = path;
  while (!key.empty() && key.back() == '\\') key.remove_suffix(1);
  return registry::JoinKeyPath(root, key);
}

namespace {

bool HoldsControl(const std::string& text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return true;
  return false;
}

// Whether key is at or below outer.
bool AtOrBelow(HKEY root, const std::string& key, const KeptKey& outer) {
  if (root != outer.root || key.size() < outer.path.size()) return false;
  std::string_view head(key.data(), outer.path.size());
  return platform::EqualsIgnoringCase(head, outer.path) &&
         (key.size() == outer.path.size() || key[outer.path.size()] == '\\');
}

// The registry steps' work: every deletion counted, every refusal logged.
class RegistryWork {
 public:
  RegistryWork(StepContext& c, const Step& step)
      : c_(c), step_(step), reg_(c.platform.Registry()), made_(!c.removal.analyzeOnly) {}

  // Refuses, with its line, a step whose key or value name holds a control
  // character: no Windows key holds one, and a NUL would cut the name short.
  bool NamesHold() {
    if (!HoldsControl(step_.key) && !HoldsControl(step_.value)) return true;
    Refuse(c_.removal, KeyText(step_.root, step_.key), "a name holds a control character");
    return false;
  }
  void KeyTree() {
    if (Result<> mayGo = SafetyPolicy::KeyTreeMayGo(step_.root, step_.key); !mayGo) {
      Refuse(c_.removal, KeyText(step_.root, step_.key), mayGo.message());
      return;
    }
    Tree(step_.key);
  }
  void LetterList() {
    std::string letters = Reg32::GetString(reg_, step_.root, step_.key, "MRUList");
    for (char letter : letters) Value(step_.key, std::string(1, letter));
    Value(step_.key, "MRUList");
  }
  void ValuesUntilEmpty() {
    for (int i = step_.first; i <= step_.last; ++i) {
      std::string name = step_.value + std::to_string(i);
      bool empty = Reg32::GetString(reg_, step_.root, step_.key, name).empty();
      Value(step_.key, name);
      if (empty) break;
    }
  }
  void SubkeyKeys() {
    for (const std::string& name : platform::ReadSubKeyNames(reg_, step_.root, step_.key))
      Key(step_.key + "\\" + name + "\\" + step_.value);
  }
  void ValueUnlessKept() {
    if (!ValueKept(step_.key, step_.value)) Value(step_.key, step_.value);
  }
  void Value(const std::string& key, const std::string& name) {
    // A name with a NUL would be cut short and name another value.
    if (HoldsNul(key) || HoldsNul(name)) return;
    HKEY opened = 0;
    LONG rc = reg_.RegOpenKeyA(step_.root, key.c_str(), &opened);
    if (rc == kErrorSuccess) {
      rc = reg_.RegDeleteValueA(opened, name.c_str());
      reg_.RegCloseKey(opened);
    }
    if (rc == kErrorSuccess)
      Tally(c_.removal.tally, ActionKind::kValue, made_, KeyText(step_.root, key), name);
    else
      Failed(rc, KeyText(step_.root, key), name);
  }
  void Key(const std::string& key) {
    // An empty path would name the root itself: a hive is never deleted.
    if (key.empty() || HoldsNul(key)) return;
    // A key that is not there is nothing to delete, whatever the deletion
    // would answer (a registry locked by another program refuses any write).
    HKEY opened = 0;
    LONG rc = reg_.RegOpenKeyA(step_.root, key.c_str(), &opened);
    if (rc == kErrorSuccess) {
      reg_.RegCloseKey(opened);
      rc = reg_.RegDeleteKeyA(step_.root, key.c_str());
    }
    if (rc == kErrorSuccess)
      Tally(c_.removal.tally, ActionKind::kKey, made_, KeyText(step_.root, key));
    else
      Failed(rc, KeyText(step_.root, key), {});
  }

 private:
  bool ValueKept(const std::string& key, const std::string& name) const {
    for (const KeptKey& kept : step_.keptKeys) {
      if (!kept.value && AtOrBelow(step_.root, key, kept)) return true;
      if (kept.value && kept.root == step_.root && platform::EqualsIgnoringCase(key, kept.path) &&
          platform::EqualsIgnoringCase(name, *kept.value))
        return true;
    }
    return false;
  }

  // The key with everything below it, except what the kept keys name: the
  // walk goes down only along them, so it is as deep as they are. A key
  // deleted with its subkeys counts once.
  void Tree(const std::string& key) {
    bool somethingBelow = false;
    for (const KeptKey& kept : step_.keptKeys) {
      if (!kept.value && AtOrBelow(step_.root, key, kept)) return;
      if (kept.root == step_.root && AtOrBelow(kept.root, kept.path, {step_.root, key, {}}))
        somethingBelow = true;
    }
    if (!somethingBelow) {
      std::string failedKey;
      LONG rc = registry::DeleteTree(reg_, step_.root, key, &failedKey);
      if (rc == kErrorSuccess)
        Tally(c_.removal.tally, ActionKind::kKey, made_, KeyText(step_.root, key));
      else
        Failed(rc, failedKey.empty() ? KeyText(step_.root, key) : failedKey, {});
      return;
    }
    for (const platform::RegValue& v : platform::ReadAllValues(reg_, step_.root, key))
      if (!ValueKept(key, v.name)) Value(key, v.name);
    for (const std::string& sub : platform::ReadSubKeyNames(reg_, step_.root, key))
      Tree(key + "\\" + sub);
  }

  static bool HoldsNul(const std::string& text) { return text.find('\0') != std::string::npos; }

  // A deletion the registry refused. What is not there (or a path that names
  // nothing) is nothing to delete, and a denied access is the machine's own
  // rule (a key that still has subkeys, a hive a limited user may only
  // read), as on Windows, where the program passes over both. Any other
  // error (a full disk, a registry locked past the wait) left something the
  // user asked to delete: a line in the results and a failed action.
  void Failed(LONG rc, const std::string& keyText, const std::string& value) {
    if (rc == kErrorFileNotFound || rc == kErrorPathNotFound || rc == kErrorAccessDenied ||
        rc == kErrorInvalidParameter)
      return;
    RegistryFailure(c_.removal, keyText, value, registry::RegistryErrorText(rc));
  }

  StepContext& c_;
  const Step& step_;
  platform::RegistryApi& reg_;
  bool made_;
};

// The files of a step: each pattern in turn (the built-in tables), or one
// pass over every pattern with a rule's recursion, folder removal and kept
// files.
void RunFiles(StepContext& c, const Step& step) {
  Sweep sweep = ClearFileSweep(step.patterns);
  sweep.exactNames = step.exactNames;
  sweep.systemFolderFiles = step.systemFolderFiles;
  if (step.plainFilesOnly) sweep.hidden = false;
  if (step.patternsInTurn) {
    for (const std::string& pattern : step.patterns) {
      sweep.patterns = {pattern};
      SweepFolders(c.removal, step.folder, sweep);
    }
    return;
  }
  if (step.recurse || step.removeSelf) sweep.descent = Descent::kAlways;
  if (step.removeSelf) sweep.removal = FolderRemoval::kSubfoldersAndSelf;
  for (const KeptFolderFiles& kept : step.keptFiles) {
    KeptFiles resolved{{}, kept.patterns, kept.andBelow};
    c.removal.places.ForEach(kept.folder, [&](const OpenedFolder& found) {
      if (auto id = c.removal.places.IdOf(found.handle)) resolved.folders.insert(*id);
    });
    sweep.kept.push_back(std::move(resolved));
  }
  SweepFolders(c.removal, step.folder, sweep);
}

}  // namespace

CacheEntryResult DeleteCacheEntry(RemovalContext& c, const std::string& url,
                                  const std::string& localFile) {
  if (!c.policy.InsideCacheFolders(localFile)) {
    Refuse(c, url, "its file " + localFile + " lies outside the cache folders");
    return CacheEntryResult::kRefused;
  }
  if (c.analyzeOnly) {
    Tally(c.tally, ActionKind::kCacheEntry, false, url);
    return CacheEntryResult::kStayed;
  }
  if (c.platform.UrlCache().DeleteUrlCacheEntryA(url.c_str()) != kErrorSuccess)
    return CacheEntryResult::kStayed;
  Tally(c.tally, ActionKind::kCacheEntry, true, url);
  return CacheEntryResult::kGone;
}

void RunSteps(StepContext& c, const std::vector<Step>& steps) {
  for (const Step& step : steps) {
    if (step.machineWide && !c.platform.System().UserIsAdministrator()) {
      std::string path = c.removal.places.PathText(step.folder);
      if (!path.empty()) Refuse(c.removal, path, "administrator rights needed");
      continue;
    }
    RegistryWork reg(c, step);
    switch (step.kind) {
      case StepKind::kDeleteKey:
        if (reg.NamesHold()) reg.Key(step.key);
        break;
      case StepKind::kDeleteValue:
        if (reg.NamesHold()) reg.ValueUnlessKept();
        break;
      case StepKind::kDeleteTree:
        if (reg.NamesHold()) reg.KeyTree();
        break;
      case StepKind::kLetterList:
        if (reg.NamesHold()) reg.LetterList();
        break;
      case StepKind::kNumberedValues:
        if (reg.NamesHold())
          for (int i = step.first; i <= step.last; ++i) reg.Value(step.key, step.value + std::to_string(i));
        break;
      case StepKind::kNumberedKeys:
        if (reg.NamesHold())
          for (int i = step.first; i <= step.last; ++i) reg.Key(step.key + std::to_string(i));
        break;
      case StepKind::kValuesUntilEmpty:
        if (reg.NamesHold()) reg.ValuesUntilEmpty();
        break;
      case StepKind::kLetteredValues:
        if (reg.NamesHold())
          for (int ch = step.first; ch <= step.last; ++ch)
            reg.Value(step.key, std::string(1, static_cast<char>(ch)));
        break;
      case StepKind::kSubkeyKeys:
        if (reg.NamesHold()) reg.SubkeyKeys();
        break;
      case StepKind::kFiles: RunFiles(c, step); break;
      case StepKind::kFolder: ClearD(c.removal, step.folder); break;
      case StepKind::kTree: ClearD2(c.removal, step.folder); break;
      case StepKind::kDeepTree: ClearDirTree(c.removal, step.folder, step.systemFiles); break;
      case StepKind::kDatabaseRows: CleanDatabaseRows(c.removal, step); break;
      case StepKind::kCacheEntry: (void)DeleteCacheEntry(c.removal, step.url, step.value); break;
      case StepKind::kRefused: Refuse(c.removal, step.url, step.value); break;
      case StepKind::kRoutine: c.routines.Run(step.routine); break;
      case StepKind::kCleanerOnly:
        if (c.removal.analyzeOnly) return;
        break;
    }
  }
}

}  // namespace vb::engine
