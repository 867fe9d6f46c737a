#include "catalogue/rule_cleaner.h"

#include <set>

#include "catalogue/rule_places.h"
#include "platform/ascii_case.h"
#include "platform/registry_values.h"
#include "platform/wildcard.h"
#include "registry/key_tree.h"
#include "registry/reg32.h"

namespace vb::catalogue {

using namespace vb::win;
using platform::EqualsIgnoringCase;
using platform::FindData;
using platform::FolderHandle;
using platform::kInvalidFolderHandle;
namespace Reg32 = registry::Reg32;

namespace {

using Patterns = std::vector<std::string>;

bool MatchesAny(const Patterns& patterns, const std::string& name) {
  for (const std::string& p : patterns)
    if (platform::MatchesWildcard(p, name)) return true;
  return false;
}

// A file exclusion with the folders it names as they resolve now.
struct FolderExclusion {
  std::set<FolderId> folders;
  const Patterns* patterns;
  bool andBelow;  // PATH: the folder and every folder below it
};

// One folder of a FileKey's walk, open while its subfolders are visited.
struct Frame {
  FolderHandle handle = kInvalidFolderHandle;
  std::string path;
  std::string name;
  std::vector<std::string> subfolders;
  std::size_t next = 0;
  std::vector<const Patterns*> keptBelow;  // the PATH exclusions that hold here and below
};

class FileTargetCleaner {
 public:
  FileTargetCleaner(engine::StepContext& c, RulePlaces& places, const RuleFiles& target,
                    const std::vector<FolderExclusion>& exclusions)
      : c_(c), places_(places), target_(target), exclusions_(exclusions) {}

  // One folder the target's path names: it (and with RECURSE every folder
  // below it) emptied of the matching files, walked with a stack of open
  // folders rather than a stack frame per level.
  void Clean(const FoundEntry& found) {
    platform::FileSystemApi& files = c_.platform.Files();
    FolderHandle top = kInvalidFolderHandle;
    bool root = false;
    if (!places_.Open(found, &top, &root)) return;
    if (places_.Protected(top, root)) {
      files.CloseFolder(top);
      return;
    }
    std::vector<Frame> stack;
    stack.push_back(Enter(top, found.path, found.name, {}));
    bool topKept = !stack.back().keptBelow.empty();
    while (stack.size() > 1 || stack.back().next < stack.back().subfolders.size()) {
      Frame& f = stack.back();
      if (f.next < f.subfolders.size()) {
        std::string name = f.subfolders[f.next++];
        FolderHandle sub = kInvalidFolderHandle;
        if (files.OpenSubfolder(f.handle, name, &sub) != kErrorSuccess) continue;
        if (places_.Protected(sub, false)) {
          files.CloseFolder(sub);
          continue;
        }
        Frame next = Enter(sub, f.path + "\\" + name, name, f.keptBelow);
        stack.push_back(std::move(next));
        continue;
      }
      Frame done = std::move(stack.back());
      stack.pop_back();
      files.CloseFolder(done.handle);
      // REMOVESELF: an emptied subfolder goes; one holding anything stays.
      if (RemovesFolders() && done.keptBelow.empty())
        files.RemoveEntryFolder(stack.back().handle, done.name);
    }
    files.CloseFolder(top);
    if (RemovesFolders() && !topKept && found.parent != kInvalidFolderHandle)
      files.RemoveEntryFolder(found.parent, found.name);
  }

 private:
  bool RemovesFolders() const { return target_.removeSelf && !c_.removal.analyzeOnly; }

  Frame Enter(FolderHandle handle, const std::string& path, const std::string& name,
              std::vector<const Patterns*> keptBelow) {
    Frame frame{handle, path, name, {}, 0, std::move(keptBelow)};
    std::vector<const Patterns*> kept;
    if (!exclusions_.empty()) {
      std::optional<FolderId> id = places_.IdOf(handle);
      for (const FolderExclusion& ex : exclusions_) {
        if (!id || ex.folders.count(*id) == 0) continue;
        if (ex.andBelow) frame.keptBelow.push_back(ex.patterns);
        else kept.push_back(ex.patterns);
      }
      kept.insert(kept.end(), frame.keptBelow.begin(), frame.keptBelow.end());
    }
    std::vector<FindData> entries;
    if (c_.platform.Files().ListFolder(handle, platform::ListDetail::kTypes, &entries) != kErrorSuccess)
      return frame;
    std::vector<std::string> deletable;
    bool keptOne = false;
    for (const FindData& e : entries) {
      if (e.attributes & kFileAttributeReparsePoint) continue;
      if (e.attributes & kFileAttributeDirectory) {
        if (target_.recurse) frame.subfolders.push_back(e.name);
        continue;
      }
      if (!MatchesAny(target_.patterns, e.name)) continue;
      bool keep = false;
      for (const Patterns* k : kept) keep = keep || MatchesAny(*k, e.name);
      if (keep) keptOne = true;
      else deletable.push_back(e.name);
    }
    std::string folder = path;
    if (!keptOne) {
      if (deletable.empty()) return frame;
      for (const std::string& pattern : target_.patterns) RemoveMatching(folder, pattern);
    } else {
      // An exclusion holds here: each file is named to the routine by its
      // own name, which matches that name only (a name holding ";" would be
      // read as two patterns, one ending in "." also matches the name
      // without it: such files are left).
      for (const std::string& name : deletable)
        if (name.find(';') == std::string::npos && name.back() != '.' && name.back() != ' ')
          RemoveMatching(folder, name);
    }
    return frame;
  }

  void RemoveMatching(const std::string& folder, const std::string& pattern) {
    std::string path = folder;
    c_.removal.File2.SetPattern(pattern);
    engine::ClearFile(c_.removal, path);
  }

  engine::StepContext& c_;
  RulePlaces& places_;
  const RuleFiles& target_;
  const std::vector<FolderExclusion>& exclusions_;
};

// Whether key is at or below outer.
bool AtOrBelow(const RuleKey& key, const RuleKey& outer) {
  if (key.root != outer.root || key.path.size() < outer.path.size()) return false;
  std::string_view head(key.path.data(), outer.path.size());
  return EqualsIgnoringCase(head, outer.path) &&
         (key.path.size() == outer.path.size() || key.path[outer.path.size()] == '\\');
}

class RegistryCleaner {
 public:
  RegistryCleaner(platform::RegistryApi& reg, const std::vector<RuleExclusion>& exclusions)
      : reg_(reg) {
    for (const RuleExclusion& ex : exclusions)
      if (ex.kind == RuleExclusion::Kind::kRegistry) kept_.push_back(&ex);
  }

  void Clean(const RuleRegistry& target) {
    if (target.value) {
      if (!ValueKept(target.key, *target.value))
        Reg32::DeleteValue(reg_, target.key.root, target.key.path, *target.value);
      return;
    }
    DeleteKeyKeeping(target.key);
  }

 private:
  bool ValueKept(const RuleKey& key, const std::string& name) const {
    for (const RuleExclusion* ex : kept_) {
      if (!ex->value && AtOrBelow(key, ex->key)) return true;
      if (ex->value && key.root == ex->key.root && EqualsIgnoringCase(key.path, ex->key.path) &&
          EqualsIgnoringCase(name, *ex->value))
        return true;
    }
    return false;
  }

  // The key with everything below it, except what an exclusion keeps: the
  // walk goes down only along the kept keys, so it is as deep as they are.
  void DeleteKeyKeeping(const RuleKey& key) {
    bool somethingBelow = false;
    for (const RuleExclusion* ex : kept_) {
      if (!ex->value && AtOrBelow(key, ex->key)) return;
      if (AtOrBelow(ex->key, key)) somethingBelow = true;
    }
    if (!somethingBelow) {
      registry::DeleteTree(reg_, key.root, key.path);
      return;
    }
    for (const platform::RegValue& v : platform::ReadAllValues(reg_, key.root, key.path))
      if (!ValueKept(key, v.name)) Reg32::DeleteValue(reg_, key.root, key.path, v.name);
    for (const std::string& sub : platform::ReadSubKeyNames(reg_, key.root, key.path))
      DeleteKeyKeeping(RuleKey{key.root, key.path + "\\" + sub});
  }

  platform::RegistryApi& reg_;
  std::vector<const RuleExclusion*> kept_;
};

}  // namespace

void CleanRuleEntry(engine::StepContext& c, const RuleEntry& rule) {
  RulePlaces places(c.platform);
  std::vector<FolderExclusion> exclusions;
  for (const RuleExclusion& ex : rule.exclusions)
    if (ex.kind != RuleExclusion::Kind::kRegistry)
      exclusions.push_back({places.Ids(ex.folder), &ex.patterns, ex.kind == RuleExclusion::Kind::kPath});
  for (const RuleFiles& target : rule.files) {
    FileTargetCleaner cleaner(c, places, target, exclusions);
    places.ForEach(target.folder, false, [&](const FoundEntry& found) {
      cleaner.Clean(found);
      return false;
    });
  }
  if (c.removal.analyzeOnly) return;
  RegistryCleaner registry(c.platform.Registry(), rule.exclusions);
  for (const RuleRegistry& target : rule.registry) registry.Clean(target);
}

}  // namespace vb::catalogue
