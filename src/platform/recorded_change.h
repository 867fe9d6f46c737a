// A change that the recording platform records instead of making, and the
// state its recording services share.
#pragma once

#include <functional>
#include <string>

#include "platform/win_types.h"

namespace vb::platform {

enum class ChangeKind {
  kDeleteFile,        // target: the folder's path, name: the file
  kRemoveFolder,      // target: the folder holding it, name: the folder removed
  kMakeFolder,        // target: the folder holding it, name: the folder made
  kSetAttributes,     // target, name: the entry's folder and name; number: the attributes
  kWriteFile,         // target, name: the file's folder and name; number: the bytes
  kCreateKey,         // target: the key's whole path ("HKEY_CURRENT_USER\Software\X")
  kDeleteKey,         // target: the key's whole path
  kSetValue,          // target: the key's whole path, name: the value; number: its type
  kDeleteValue,       // target: the key's whole path, name: the value
  kCleanDatabase,     // target, name: the database's folder and name; number: the rows
  kDeleteCacheEntry,  // target: the URL, name: its local file
  kCommitCacheEntry,  // target: the URL, name: its local file; number: the entry type
  kEmptyRecycleBin,   // target: the root path given ("" for every drive)
  kLaunch,            // target: the command line; number: the window style
};

struct RecordedChange {
  ChangeKind kind = ChangeKind::kDeleteFile;
  // A folder is named by the path it was opened by (and the names of the
  // subfolders opened on the way); "" for a folder opened before the
  // recording began.
  std::string target;
  std::string name;
  win::DWORD number = 0;
};

// What the recording services of one platform share: whether they record
// (read by every call, so a plain flag), and whom they tell of each change.
struct RecordingSession {
  bool recording = false;
  const std::function<void(const RecordedChange&)>* listener = nullptr;

  // Whether anybody listens: a change is described only then.
  bool Listening() const { return listener && *listener; }
  void Tell(const RecordedChange& change) const {
    if (Listening()) (*listener)(change);
  }
};

}  // namespace vb::platform
