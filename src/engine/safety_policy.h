// The one safety policy of every cleaning step, whatever road leads to its
// target: the folders Windows and the user's own files live in are never
// emptied, walked into or removed, decided on the folder as opened, never on
// a path's text; registry keys Windows needs are never deleted whole; and a
// URL-cache entry goes only while its file lies in the cache folders.
#pragma once

#include <optional>
#include <set>
#include <string>

#include "base/result.h"
#include "engine/places.h"
#include "platform/win_types.h"

namespace vb::engine {

class SafetyPolicy {
 public:
  explicit SafetyPolicy(Places& places) : places_(places) {}

  // Whether a folder is one no step may empty, walk into or remove: a drive
  // root, the Windows folder, its system, system32 and SysWOW64 folders, a
  // Program Files folder, the folder that holds the profiles and each
  // profile in it, a Desktop, Documents, Music, Pictures or Video folder, or
  // the program's own folder. A folder whose identity cannot be told counts
  // as one.
  [[nodiscard]] bool Protected(platform::FolderHandle folder, bool driveRoot);
  [[nodiscard]] bool Protected(const FolderId& id);

  // Whether a registry key may be deleted with everything below it; the
  // failure says why not.
  [[nodiscard]] static Result<> KeyTreeMayGo(win::HKEY root, const std::string& path);

  // Whether a URL-cache entry's file lies in one of the user's cache
  // folders (Temporary Internet Files, Cookies, History, or a folder below
  // them), as its folder resolves now. An entry without a file does.
  [[nodiscard]] bool InsideCacheFolders(const std::string& localFile);

  // Learns the folders afresh at the next question: the machine's
  // configuration may have changed since.
  void Forget();

 private:
  void Learn();
  void Add(const std::string& path);
  void AddTree(const std::string& path, int depth);

  Places& places_;
  std::optional<std::set<FolderId>> protected_;
  std::optional<std::set<FolderId>> cache_;
};

}  // namespace vb::engine
