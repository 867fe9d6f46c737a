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

// How many folders deep below the folder it was given a routine goes: each
// level holds its folder open (so that no folder of the chain can be swapped
// for a link), and those handles stay bounded. A subfolder deeper than that
// is left alone, with everything in it.
constexpr std::size_t kMaxDepth = 512;

// Lets go of a folder a routine call worked in: the lists that were read
// through it let go of it before it closes.
void CloseHeld(RemovalContext& c, FolderHandle handle) {
  if (handle == kInvalidFolderHandle) return;
  c.File.Release(handle);
  c.File1.Release(handle);
  c.File2.Release(handle);
  c.Dir1.Release(handle);
  c.Dir3.Release(handle);
  c.platform.Files().CloseFolder(handle);
}

// Where a call works: the folder its path names, or, for the calls a routine
// makes on its subfolders, a subfolder of the folder the caller holds open,
// so that a subfolder replaced by a link is not entered.
struct Target {
  FolderHandle parent = kInvalidFolderHandle;
  std::string name;
};

// A bare drive root as text: "C:\", "C:", "\" (and "/" spellings). The folder
// a path really resolves to is checked too, when it is opened.
bool DriveRootText(const std::string& folder) {
  std::size_t end = folder.size();
  while (end > 0 && (folder[end - 1] == '\\' || folder[end - 1] == '/')) --end;
  return end == 0 || (end == 2 && folder[1] == ':');
}

void Log(toolkit::ListBox& box, const std::string& line) {
  box.AddItem(line);
  box.SetListIndex(box.ListCount() - 1);
}

// The size as a 64-bit number: files of 2 GB and more are logged with their
// real size.
std::int64_t Length(const FindData& entry) { return static_cast<std::int64_t>(entry.size); }

// Whether ListEntries(root & "\*.*", 16) finds anything in a drive root,
// which has no "." and "..": an entry neither hidden nor system.
bool RootListsSomething(platform::FileSystemApi& files, FolderHandle root) {
  std::vector<FindData> entries;
  if (files.ListFolder(root, platform::ListDetail::kFull, &entries) != kErrorSuccess) return false;
  for (const FindData& entry : entries)
    if ((entry.attributes & (kFileAttributeHidden | kFileAttributeSystem)) == 0) return true;
  return false;
}

void DeleteListed(RemovalContext& c, Remover remover, FileList& list, FolderHandle here) {
  platform::FileSystemApi& files = c.platform.Files();
  int count = list.ListCount();
  for (int i = 0; i < count; ++i) {
    const FindData& entry = list.Entry(i);
    std::string full = list.Path() + "\\" + entry.name;
    std::int64_t size = Length(entry);
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
    std::int64_t size = Length(entry);
    // Attributes already as asked for are left alone (as setting them again
    // would leave them).
    if (entry.attributes & kChangeable) files.SetEntryAttributes(here, entry.name, kClearedAttributes);
    TallyFile(c.tally, full, entry.size, false);
    Log(c.L, FileLogLine(full, size));
  }
}

// Enters one folder: opens it, refuses what is refused, and works on its
// files. Returns the open folder (kInvalidFolderHandle when the call ends
// there) and whether its subfolders are to be visited next.
FolderHandle Enter(RemovalContext& c, Remover remover, std::string& folder, const Target& where,
                   bool* descend) {
  *descend = false;
  platform::FileSystemApi& files = c.platform.Files();
  FileList& list = FilesOf(c, remover);
  FolderList* dirs = FoldersOf(c, remover);
  FolderHandle here = kInvalidFolderHandle;
  bool root = false;
  if (where.parent == kInvalidFolderHandle) {
    // Refused: no folder at all, or a whole drive for the routines that empty
    // trees, whether the path names the root or a link leads there.
    if (folder.empty()) return kInvalidFolderHandle;
    if (remover != Remover::kClearFile && DriveRootText(folder)) return kInvalidFolderHandle;
    if (files.OpenFolder(folder, &here, &root) != kErrorSuccess) here = kInvalidFolderHandle;
    if (root && remover != Remover::kClearFile) {
      CloseHeld(c, here);
      return kInvalidFolderHandle;
    }
  } else if (files.OpenSubfolder(where.parent, where.name, &here) != kErrorSuccess) {
    here = kInvalidFolderHandle;
  }

  // The list refreshed; a folder that is not there (or a link in place of a
  // subfolder) ends the call.
  list.Refresh();
  if (here == kInvalidFolderHandle) return kInvalidFolderHandle;
  if (root && !RootListsSomething(files, here)) {
    CloseHeld(c, here);
    return kInvalidFolderHandle;
  }

  if (folder.back() != '\\') folder += '\\';
  files.SetFolderAttributes(here, kClearedAttributes);
  list.SetPathIn(folder, here);
  if (dirs) dirs->SetPathIn(folder, here);

  if (!c.analyzeOnly) {
    DeleteListed(c, remover, list, here);
    list.Refresh();
    *descend = dirs != nullptr;
    return here;
  }
  MeasureListed(c, list, here);
  list.Refresh();
  if (!dirs) return here;
  if (remover == Remover::kClearD) {
    int count = dirs->ListCount();
    for (int i = 0; i < count; ++i) files.SetEntryAttributes(here, dirs->Name(i), kClearedAttributes);
  } else {
    *descend = !c.shallowAnalyze;
  }
  return here;
}

// A folder whose subfolders are being visited.
struct Visit {
  FolderHandle here = kInvalidFolderHandle;
  std::string name;        // its name in the folder above; "" for the first
  std::string remembered;  // the folder list's path while it is listed here
  int count = 0;           // its subfolders when the visits began
  int next = 0;
  std::vector<std::string> visited;
};

// Leaves a folder once its files (and subfolders, if visited) are done:
// ClearD2 removes each subfolder it emptied (one still holding anything
// stays), and the folder is let go of.
void Leave(RemovalContext& c, Remover remover, FolderHandle here,
           const std::vector<std::string>& visited) {
  if (FolderList* dirs = FoldersOf(c, remover)) {
    dirs->Refresh();
    if (!c.analyzeOnly && remover == Remover::kClearD2)
      for (const std::string& name : visited) c.platform.Files().RemoveEntryFolder(here, name);
  }
  CloseHeld(c, here);
}

// One routine call over a folder and, for the routines that do, the tree
// below it. The tree is walked with a stack of its own, one entry per level
// and no call per level, so that a tree of any depth cannot exhaust the
// program's stack. Each subfolder is visited with the folder list set back
// to its parent around the visit, since the visit lists its own subfolders
// with it.
void Clear(RemovalContext& c, Remover remover, std::string& folder, const Target& where) {
  bool descend = false;
  FolderHandle top = Enter(c, remover, folder, where, &descend);
  if (top == kInvalidFolderHandle) return;
  if (!descend) {
    Leave(c, remover, top, {});
    return;
  }
  FolderList& dirs = *FoldersOf(c, remover);
  std::vector<Visit> stack;
  stack.push_back(Visit{top, std::string(), dirs.Path(), dirs.ListCount(), 0, {}});
  while (!stack.empty()) {
    Visit& at = stack.back();
    if (at.next >= at.count) {
      Visit done = std::move(stack.back());
      stack.pop_back();
      Leave(c, remover, done.here, done.visited);
      if (stack.empty()) break;
      dirs.SetPathIn(stack.back().remembered, stack.back().here);
      stack.back().visited.push_back(std::move(done.name));
      continue;
    }
    int i = at.next++;
    dirs.SetPathIn(at.remembered, at.here);
    if (i >= dirs.ListCount()) continue;  // the folder holds fewer subfolders now
    std::string name = dirs.Name(i);
    if (stack.size() > kMaxDepth) continue;  // too deep: left alone
    std::string sub = dirs.List(i);
    FolderHandle parent = at.here;
    FolderHandle entered = Enter(c, remover, sub, Target{parent, name}, &descend);
    if (entered != kInvalidFolderHandle && descend) {
      stack.push_back(Visit{entered, std::move(name), dirs.Path(), dirs.ListCount(), 0, {}});
      continue;
    }
    if (entered != kInvalidFolderHandle) Leave(c, remover, entered, {});
    Visit& back = stack.back();
    dirs.SetPathIn(back.remembered, back.here);
    back.visited.push_back(std::move(name));
  }
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
    FolderHandle held = kInvalidFolderHandle;
    bool root = false;
    if (files.OpenFolder(folder, &held, &root) != kErrorSuccess) held = kInvalidFolderHandle;
    if (held != kInvalidFolderHandle && !root) {
      FolderList subfolders(files);
      subfolders.SetPathIn(folder, held);
      for (int i = 0; i < subfolders.ListCount(); ++i) {
        std::string sub = subfolders.List(i);
        Clear(context, Remover::kClearD2, sub, Target{held, subfolders.Name(i)});
      }
    }
    CloseHeld(context, held);
  }
  context.shallowAnalyze = false;
}

}  // namespace vb::engine
