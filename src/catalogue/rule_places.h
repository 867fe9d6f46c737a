// The folders a rule file names, found on this machine: what each environment
// name means here, folder paths walked one component at a time without
// following a link or junction (wildcards allowed in any component), and the
// folders that no rule may empty.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "catalogue/rule_file.h"
#include "platform/platform.h"

namespace vb::catalogue {

// A folder's identity on its volume: the same folder whatever path reached it.
using FolderId = std::pair<std::uint64_t, std::uint64_t>;

// One real folder (or, for a file detection, entry) a rule's path names.
struct FoundEntry {
  std::string path;                    // without a trailing "\"
  platform::FolderHandle parent;       // open while the visit runs; invalid for a base folder
  std::string name;                    // the name in parent ("" for a base folder)
};

class RulePlaces {
 public:
  explicit RulePlaces(platform::Platform& platform);
  ~RulePlaces();
  RulePlaces(const RulePlaces&) = delete;
  RulePlaces& operator=(const RulePlaces&) = delete;

  platform::Platform& platform() { return platform_; }

  // The folders a %Name% stands for here (two for %ProgramFiles% on a 64-bit
  // system); none when the machine has no such folder.
  const std::vector<std::string>& Bases(const std::string& name);

  // Calls visit for every real folder that the rule's folder path names,
  // until visit returns true. The first component ("%Name%" or "X:") is the
  // machine's own folder; every later one is entered as a subfolder of the
  // folder before it, so that a link or junction on the way is never
  // followed. With anyEntry, the last component also matches files (for
  // DetectFile). Returns whether visit stopped the walk.
  bool ForEach(const std::string& path, bool anyEntry,
               const std::function<bool(const FoundEntry&)>& visit);

  // Opens a found folder: through its parent, or by its path for a base.
  [[nodiscard]] bool Open(const FoundEntry& found, platform::FolderHandle* handle, bool* driveRoot);

  [[nodiscard]] std::optional<FolderId> IdOf(platform::FolderHandle folder);

  // A drive root, the Windows folder, a Program Files folder, a profile
  // folder (or the folder that holds the profiles), or a Desktop, Documents,
  // Music, Pictures or Video folder itself.
  [[nodiscard]] bool Protected(platform::FolderHandle folder, bool driveRoot);

  // The identities of every folder a path names (for exclusions).
  [[nodiscard]] std::set<FolderId> Ids(const std::string& path);

  // Whether a registry key exists.
  [[nodiscard]] bool KeyExists(const RuleKey& key);

  // The Windows version of this machine, as major.minor.
  [[nodiscard]] OsVersion Version();

 private:
  struct Base {
    platform::FolderHandle handle = platform::kInvalidFolderHandle;
    std::string path;  // as the walk spells it, without a trailing "\"
  };
  // A base folder, opened once and held until the places go: every rule
  // starts from one of a few bases.
  const Base& OpenBase(const std::string& path);
  void LearnProtected();
  void AddProtected(const std::string& path);

  platform::Platform& platform_;
  std::map<std::string, std::vector<std::string>> bases_;  // by folded name
  std::map<std::string, Base> open_;                       // by folded path
  std::optional<std::set<FolderId>> protected_;
  std::optional<OsVersion> version_;
};

}  // namespace vb::catalogue
