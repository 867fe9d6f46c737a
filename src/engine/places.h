// The folders a step names, found on this machine and opened without ever
// following a link: the base folder the machine's configuration gives is
// opened by its path, and every folder name the step adds after it is
// entered through the folder before it, so that a link or junction on the
// way (or one put there while the run works) is never followed.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/folder.h"
#include "platform/platform.h"

namespace vb::engine {

// A folder's identity on its volume: the same folder whatever path reached it.
using FolderId = std::pair<std::uint64_t, std::uint64_t>;

// One real folder that a step's folder names, open while a visit runs.
struct OpenedFolder {
  platform::FolderHandle handle = platform::kInvalidFolderHandle;
  // The folder it was entered through, open while the visit runs; invalid
  // for a base folder, which was opened by its path.
  platform::FolderHandle parent = platform::kInvalidFolderHandle;
  std::string name;   // its name in parent
  std::string path;   // as the run logs it: no trailing "\" but for a drive root ("C:\")
  bool driveRoot = false;
};

// A path split the way Windows reads it: what is opened by its text, and the
// folder names entered one by one after it.
struct SplitPath {
  std::string base;                     // "C:\WINDOWS", "C:\", "\" (the current drive's root)
  std::vector<std::string> components;  // without "." and empty names; trailing dots and blanks gone
};

// Splits base + tail. The tail's names are taken as Windows takes them ("/"
// as "\", "." and doubled separators left out, trailing dots and blanks
// dropped); a ".." or a name of dots only in the tail refuses the whole
// path, as does an empty base with an empty tail. With a whole path (the
// base empty, or Base::kPath), the drive's root is the base and ".." climbs
// as Windows climbs it, never above the root.
[[nodiscard]] std::optional<SplitPath> Split(const std::string& base, const std::string& tail,
                                             bool wholePath);

class Places {
 public:
  explicit Places(platform::Platform& platform);
  ~Places();
  Places(const Places&) = delete;
  Places& operator=(const Places&) = delete;

  platform::Platform& platform() { return platform_; }

  // The base a folder starts from, as the machine's configuration gives it
  // now ("" when it gives none). For a rule path, its first value.
  [[nodiscard]] std::string BaseText(const Folder& folder);
  // The folder's path as text, as the run would spell it; "" when it names
  // none. A rule path's wildcards stay in it.
  [[nodiscard]] std::string PathText(const Folder& folder);

  // Calls visit for every real folder the step's folder names now: one, or
  // none when it is missing, or (a rule path with wildcards, a rule name with
  // two folders) several. Each is open during its visit only; afterClose,
  // when given, is called for each one reached through a folder above, once
  // it is closed again and while that folder is still open.
  // A folder name the step gives that is a link or junction is never
  // entered; onLink, when given, is told its path.
  void ForEach(const Folder& folder, const std::function<void(const OpenedFolder&)>& visit,
               const std::function<void(const OpenedFolder&)>& afterClose = nullptr,
               const std::function<void(const std::string&)>& onLink = nullptr);
  // Whether a rule path names a file or folder that exists.
  [[nodiscard]] bool RuleEntryExists(const std::string& rulePath);

  // The folders a rule file's %Name% stands for here (two for %ProgramFiles%
  // on a 64-bit system); none when the machine has no such folder.
  const std::vector<std::string>& RuleBases(const std::string& name);

  [[nodiscard]] std::optional<FolderId> IdOf(platform::FolderHandle folder);
  // The identity of the folder a whole path names now, links followed as
  // any path's are; nothing when there is none.
  [[nodiscard]] std::optional<FolderId> IdOfPath(const std::string& path);

  // While on (a clean run, a detection of the catalogue), each base folder
  // is opened once and held until it goes off; otherwise every ForEach opens
  // and closes its own. Turning it off closes them, and the next steps read
  // the machine's configuration afresh.
  void KeepBasesOpen(bool keep);

 private:
  struct HeldBase {
    platform::FolderHandle handle = platform::kInvalidFolderHandle;
    bool driveRoot = false;
  };
  // A base folder for one walk: the one held open, or one opened for it.
  struct BaseUse {
    platform::FileSystemApi* files = nullptr;
    platform::FolderHandle handle = platform::kInvalidFolderHandle;
    bool driveRoot = false;
    bool owned = false;
    BaseUse() = default;
    BaseUse(BaseUse&& other) noexcept
        : files(other.files), handle(other.handle), driveRoot(other.driveRoot), owned(other.owned) {
      other.owned = false;
    }
    BaseUse& operator=(BaseUse&&) = delete;
    ~BaseUse();
  };
  BaseUse UseBase(const std::string& path);
  std::string RawBaseText(const Folder& folder);
  using Visitor = std::function<bool(const OpenedFolder&)>;
  using Closer = std::function<void(const OpenedFolder&)>;
  bool Walk(const OpenedFolder& here, const std::vector<std::string>& parts, std::size_t index,
            bool rule, bool anyEntry, const Visitor& visit, const Closer& afterClose);
  bool ForEachRule(const std::string& rulePath, bool anyEntry, const Visitor& visit,
                   const Closer& afterClose);

  platform::Platform& platform_;
  std::map<std::string, std::vector<std::string>> ruleBases_;  // by folded name
  bool keep_ = false;
  const std::function<void(const std::string&)>* onLink_ = nullptr;
  std::map<std::string, HeldBase> open_;                          // by folded path
};

}  // namespace vb::engine
