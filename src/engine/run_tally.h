// What a clean run did, or under Analyze measured: one action per file
// deleted or listed, folder removed, attributes cleared, registry key or value
// deleted, URL-cache entry deleted, Recycle Bin emptied, per target the
// run refused, and per deletion that the system failed. The routines report each action at the very place they make
// it, so the totals are counted from the actions, never from the log's text.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>

namespace vb::engine {

enum class ActionKind {
  kFile,        // a file: path, bytes
  kFolder,      // a folder removed: path
  kAttributes,  // read-only, hidden and system cleared on a file or folder that stays: path
  kKey,         // a registry key, with everything below it: path with the root's long name
  kValue,       // a registry value: the key's path, and the value's name
  kCacheEntry,  // a URL-cache entry and its file: the URL
  kDatabaseRows,  // rows deleted from a database: its path, the rows in `name`, the bytes freed
  kRecycleBin,  // the Recycle Bin emptied: bytes, and the item count in `name`
  kRefused,     // a target the run would not touch: its path, key or URL, and why in `name`
  kFailed,      // a registry key or value the system failed to delete (a full disk, a lock
                // held too long): the key's path, the value's name in `value`, why in `name`
};

struct Action {
  ActionKind kind = ActionKind::kFile;
  // Made (Run Cleaner, or a plan of it), or under Analyze measured only.
  bool made = false;
  std::string path;
  std::string name;
  std::uint64_t bytes = 0;
  // The item or entry that asked for it.
  std::string source;
  // kFailed: the value's name, when a value failed.
  std::string value;
};

struct RunTally {
  std::uint64_t files = 0;
  std::uint64_t bytes = 0;
  std::uint64_t folders = 0;
  std::uint64_t registryKeys = 0;
  std::uint64_t registryValues = 0;
  std::uint64_t cacheEntries = 0;
  std::uint64_t databaseRows = 0;
  std::uint64_t refused = 0;
  std::uint64_t failed = 0;
  // The item or entry whose steps run now; the run sets it.
  std::string source;
  // Told of each action, when set.
  std::function<void(const Action&)> onAction;

  void Add(ActionKind kind, bool made, std::string path, std::string name = {},
           std::uint64_t size = 0) {
    switch (kind) {
      case ActionKind::kFile:
        ++files;
        bytes += size;
        break;
      case ActionKind::kFolder: ++folders; break;
      case ActionKind::kAttributes: break;
      case ActionKind::kKey: ++registryKeys; break;
      case ActionKind::kValue: ++registryValues; break;
      case ActionKind::kCacheEntry: ++cacheEntries; break;
      case ActionKind::kDatabaseRows:
        databaseRows += std::strtoull(name.c_str(), nullptr, 10);
        bytes += size;
        break;
      case ActionKind::kRecycleBin: break;
      case ActionKind::kRefused: ++refused; break;
      case ActionKind::kFailed: ++failed; break;
    }
    if (onAction) onAction(Action{kind, made, std::move(path), std::move(name), size, source, {}});
  }
  // A registry key (value empty) or value that could not be deleted, and why.
  void AddFailure(bool made, std::string key, std::string value, std::string why) {
    ++failed;
    if (onAction)
      onAction(Action{ActionKind::kFailed, made, std::move(key), std::move(why), 0, source,
                      std::move(value)});
  }
};

// The updates the routines make; a context without a tally counts nothing.
inline void Tally(RunTally* tally, ActionKind kind, bool made, const std::string& path,
                  const std::string& name = {}, std::uint64_t size = 0) {
  if (tally) tally->Add(kind, made, path, name, size);
}

}  // namespace vb::engine
