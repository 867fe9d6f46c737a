#include "engine/removal.h"

#include <cstdint>
#include <vector>

#include "engine/number_format.h"

namespace vb::engine {

using namespace vb::win;
using platform::FindData;
using platform::FolderHandle;
using platform::kInvalidFolderHandle;

namespace {

constexpr DWORD kClearedAttributes = kFileAttributeArchive;  // SetAttributes(x, 32)
constexpr DWORD kChangeable = kFileAttributeReadonly | kFileAttributeHidden | kFileAttributeSystem;

enum class Remover { kClearD, kClearD2, kClearFile };

FileList& FilesOf(RemovalContext& c, Remover remover) {
  switch (remover) {
    case Remover::kClearD:
      return c.File1;
    case Remover::kClearD2:
      return c.File;
    case Remover::kClearFile:
      break;
  }
  return c.File2;
}

FolderList* FoldersOf(RemovalContext& c, Remover remover) {
  switch (remover) {
    case Remover::kClearD:
      return &c.Dir1;
    case Remover::kClearD2:
      return &c.Dir3;
    case Remover::kClearFile:
      break;
  }
  return nullptr;
}

// The folder a routine call works in, open while the call is in it and its
// descendants are visited. The lists that were read through it let go of it
// before it closes.
class HeldFolder {
 public:
  explicit HeldFolder(RemovalContext& c) : c_(c) {}
  ~HeldFolder() {
    if (handle == kInvalidFolderHandle) return;
    c_.File.Release(handle);
    c_.File1.Release(handle);
    c_.File2.Release(handle);
    c_.Dir1.Release(handle);
    c_.Dir3.Release(handle);
    c_.platform.Files().CloseFolder(handle);
  }
  HeldFolder(const HeldFolder&) = delete;
  HeldFolder& operator=(const HeldFolder&) = delete;

  FolderHandle handle = kInvalidFolderHandle;

 private:
  RemovalContext& c_;
};

// Where a call works: the folder its path names, or, for the calls a routine
// makes on its subfolders, a subfolder of the folder the caller holds open,
// so that a subfolder replaced by a link is not entered.
struct Target {
  FolderHandle parent = kInvalidFolderHandle;
  std::string name;
};

// A bare drive root as text: "C:\", "C:", "\" (and "/" spellings).
bool DriveRootText(const std::string& folder) {
  std::size_t end = folder.size();
  while (end > 0 && (folder[end - 1] == '\\' || folder[end - 1] == '/')) --end;
  return end == 0 || (end == 2 && folder[1] == ':');
}

void Log(toolkit::ListBox& box, const std::string& line) {
  box.AddItem(line);
  box.SetListIndex(box.ListCount() - 1);
}

// FileLength: the size as a signed 32-bit number.
std::int32_t Length(const FindData& entry) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(entry.size));
}

// Whether ListEntries(root & "\*.*", 16) finds anything in a drive root,
// which has no "." and "..": an entry neither hidden nor system.
bool RootListsSomething(platform::FileSystemApi& files, FolderHandle root) {
  std::vector<FindData> entries;
  if (files.ListFolder(root, platform::ListDetail::kFull, &entries) != kErrorSuccess) return false;
  for (const FindData& entry : entries)
    if ((entry.attributes & (kFileAttributeHidden | kFileAttributeSystem)) == 0) return true;
  return false;
}

void Clear(RemovalContext& c, Remover remover, std::string& folder, const Target& where);

// Visits the subfolders, each with the same routine: the folder
// list is set back to this folder around each call, since the call lists its
// own subfolders with it. Returns the names of the subfolders visited.
std::vector<std::string> VisitSubfolders(RemovalContext& c, Remover remover, FolderList& dirs,
                                         FolderHandle here) {
  std::vector<std::string> visited;
  std::string remembered = dirs.Path();
  int count = dirs.ListCount();
  for (int i = 0; i < count; ++i) {
    dirs.SetPathIn(remembered, here);
    if (i >= dirs.ListCount()) continue;  // the folder holds fewer subfolders now
    std::string sub = dirs.List(i);
    std::string name = dirs.Name(i);
    Clear(c, remover, sub, Target{here, name});
    dirs.SetPathIn(remembered, here);
    visited.push_back(std::move(name));
  }
  return visited;
}

void DeleteListed(RemovalContext& c, Remover remover, FileList& list, FolderHandle here) {
  platform::FileSystemApi& files = c.platform.Files();
  int count = list.ListCount();
  for (int i = 0; i < count; ++i) {
    const FindData& entry = list.Entry(i);
    std::string full = list.Path() + "\\" + entry.name;
    std::int32_t size = Length(entry);
    // DeleteFiles takes only files that are neither hidden nor system, which
    // the attributes just cleared no longer are.
    bool deletable = true;
    if (entry.attributes & kChangeable) {
      bool cleared = files.SetEntryAttributes(here, entry.name, kClearedAttributes) == kErrorSuccess;
      deletable = cleared || (entry.attributes & (kFileAttributeHidden | kFileAttributeSystem)) == 0;
    }
    bool deleted = deletable && files.DeleteEntryFile(here, entry.name) == kErrorSuccess;
    // Gone unless ListEntries(full, 32) still finds it: a file there that is
    // neither hidden, system nor a folder. A file the deletion removed is
    // not looked for again.
    FindData now;
    bool stillThere =
        !deleted && files.GetEntryInfo(here, entry.name, &now) == kErrorSuccess &&
        (now.attributes & (kFileAttributeHidden | kFileAttributeSystem | kFileAttributeDirectory)) == 0;
    if (stillThere) continue;
    std::string line = FileLogLine(full, size);
    TallyFile(c.tally, full, entry.size, true);
    Log(c.L, line);
    if (remover == Remover::kClearD) Log(c.L2, line);
  }
}

void MeasureListed(RemovalContext& c, FileList& list, FolderHandle here) {
  platform::FileSystemApi& files = c.platform.Files();
  int count = list.ListCount();
  for (int i = 0; i < count; ++i) {
    const FindData& entry = list.Entry(i);
    std::string full = list.Path() + "\\" + entry.name;
    std::int32_t size = Length(entry);
    // Attributes already as asked for are left alone (as setting them again
    // would leave them).
    if (entry.attributes & kChangeable) files.SetEntryAttributes(here, entry.name, kClearedAttributes);
    TallyFile(c.tally, full, entry.size, false);
    Log(c.L, FileLogLine(full, size));
  }
}

void Clear(RemovalContext& c, Remover remover, std::string& folder, const Target& where) {
  platform::FileSystemApi& files = c.platform.Files();
  FileList& list = FilesOf(c, remover);
  FolderList* dirs = FoldersOf(c, remover);
  HeldFolder held(c);
  bool root = false;
  if (where.parent == kInvalidFolderHandle) {
    // Refused: no folder at all, or a whole drive for the routines that empty trees.
    if (folder.empty()) return;
    if (remover != Remover::kClearFile && DriveRootText(folder)) return;
    if (files.OpenFolder(folder, &held.handle, &root) != kErrorSuccess)
      held.handle = kInvalidFolderHandle;
    if (root && remover != Remover::kClearFile) return;
  } else if (files.OpenSubfolder(where.parent, where.name, &held.handle) != kErrorSuccess) {
    held.handle = kInvalidFolderHandle;
  }

  // 1-3: the list refreshed; a folder that is not there (or a link in place
  // of a subfolder) ends the call.
  list.Refresh();
  if (held.handle == kInvalidFolderHandle) return;
  if (root && !RootListsSomething(files, held.handle)) return;
  FolderHandle here = held.handle;

  // 4-6
  if (folder.back() != '\\') folder += '\\';
  files.SetFolderAttributes(here, kClearedAttributes);
  list.SetPathIn(folder, here);
  if (dirs) dirs->SetPathIn(folder, here);

  if (!c.analyzeOnly) {
    DeleteListed(c, remover, list, here);
    list.Refresh();
    if (!dirs) return;
    std::vector<std::string> visited = VisitSubfolders(c, remover, *dirs, here);
    dirs->Refresh();
    // ClearD2 removes each subfolder it emptied; one still holding anything stays.
    if (remover == Remover::kClearD2)
      for (const std::string& name : visited) files.RemoveEntryFolder(here, name);
    return;
  }

  MeasureListed(c, list, here);
  list.Refresh();
  if (!dirs) return;
  if (remover == Remover::kClearD) {
    int count = dirs->ListCount();
    for (int i = 0; i < count; ++i) files.SetEntryAttributes(here, dirs->Name(i), kClearedAttributes);
  } else if (!c.shallowAnalyze) {
    VisitSubfolders(c, remover, *dirs, here);
  }
  dirs->Refresh();
}

}  // namespace

void ClearD(RemovalContext& context, std::string& folder) {
  Clear(context, Remover::kClearD, folder, Target{});
}

void ClearD2(RemovalContext& context, std::string& folder) {
  Clear(context, Remover::kClearD2, folder, Target{});
}

void ClearFile(RemovalContext& context, std::string& folder) {
  Clear(context, Remover::kClearFile, folder, Target{});
}

void ClearDirTree(RemovalContext& context, const std::string& folder) {
  context.shallowAnalyze = true;
  if (!folder.empty() && !DriveRootText(folder)) {
    std::string top = folder;
    Clear(context, Remover::kClearD2, top, Target{});
    // Then each immediate subfolder as the folder holds them now, opened
    // through the folder.
    platform::FileSystemApi& files = context.platform.Files();
    HeldFolder held(context);
    bool root = false;
    if (files.OpenFolder(folder, &held.handle, &root) != kErrorSuccess)
      held.handle = kInvalidFolderHandle;
    if (held.handle != kInvalidFolderHandle && !root) {
      FolderList subfolders(files);
      subfolders.SetPathIn(folder, held.handle);
      for (int i = 0; i < subfolders.ListCount(); ++i) {
        std::string sub = subfolders.List(i);
        Clear(context, Remover::kClearD2, sub, Target{held.handle, subfolders.Name(i)});
      }
    }
  }
  context.shallowAnalyze = false;
}

}  // namespace vb::engine
