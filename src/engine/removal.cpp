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
// so that a subfolder replaced by a link is not entered. `listed` is what the
// listing of the folder above found of it, when there was one.
struct Target {
  FolderHandle parent = kInvalidFolderHandle;
  std::string name;
  const FindData* listed = nullptr;
};

// A bare drive root as text: "C:\", "C:", "\" (and "/" spellings). The folder
// a path really resolves to is checked too, when it is opened.
bool DriveRootText(const std::string& folder) {
  std::size_t end = folder.size();
  while (end > 0 && (folder[end - 1] == '\\' || folder[end - 1] == '/')) --end;
  return end == 0 || (end == 2 && folder[1] == ':');
}

void Log(toolkit::ListBox& box, std::string line) {
  box.AddItem(std::move(line));
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

// Logs a file measured or deleted in the folder whose path is `prefix`
// (ending in "\"), into L and, for ClearD, L2 too; the totals learn of it by
// its path, the beginning of the line.
void LogFile(RemovalContext& c, const std::string& prefix, const FindData& entry,
             std::int64_t size, bool deleted, bool bothLogs) {
  std::string line = FileLogLine(prefix, entry.name, size);
  if (c.tally)
    TallyFile(c.tally, line.substr(0, prefix.size() + entry.name.size()), entry.size, deleted);
  if (bothLogs) Log(c.L, line);
  Log(bothLogs ? c.L2 : c.L, std::move(line));
}

void DeleteListed(RemovalContext& c, Remover remover, FileList& list, FolderHandle here) {
  platform::FileSystemApi& files = c.platform.Files();
  int count = list.ListCount();
  const std::string prefix = list.Path() + "\\";
  for (int i = 0; i < count; ++i) {
    const FindData& entry = list.Entry(i);
    std::int64_t size = Length(entry);
    // DeleteFiles takes only files that are neither hidden nor system, which
    // the attributes just cleared no longer are.
    bool deletable = true;
    if (entry.attributes & kChangeable) {
      bool cleared = files.SetEntryAttributes(here, entry.name, kClearedAttributes) == kErrorSuccess;
      deletable = cleared || (entry.attributes & (kFileAttributeHidden | kFileAttributeSystem)) == 0;
    }
    bool deleted = deletable && files.DeleteEntryFile(here, entry.name) == kErrorSuccess;
    // Gone unless ListEntries(its path, 32) still finds it: a file there that is
    // neither hidden, system nor a folder. A file the deletion removed is
    // not looked for again.
    FindData now;
    bool stillThere =
        !deleted && files.GetEntryInfo(here, entry.name, &now) == kErrorSuccess &&
        (now.attributes & (kFileAttributeHidden | kFileAttributeSystem | kFileAttributeDirectory)) == 0;
    if (stillThere) continue;
    LogFile(c, prefix, entry, size, true, remover == Remover::kClearD);
  }
}

void MeasureListed(RemovalContext& c, FileList& list, FolderHandle here) {
  platform::FileSystemApi& files = c.platform.Files();
  int count = list.ListCount();
  const std::string prefix = list.Path() + "\\";
  for (int i = 0; i < count; ++i) {
    const FindData& entry = list.Entry(i);
    std::int64_t size = Length(entry);
    // Attributes already as asked for are left alone (as setting them again
    // would leave them).
    if (entry.attributes & kChangeable) files.SetEntryAttributes(here, entry.name, kClearedAttributes);
    LogFile(c, prefix, entry, size, false, false);
  }
}

// Enters one folder: opens it, refuses what is refused, and works on its
// files. Returns the open folder (kInvalidFolderHandle when the call ends
// there) and whether its subfolders are to be visited next; those the
// listing found are in `subfolders`.
FolderHandle Enter(RemovalContext& c, Remover remover, std::string& folder, const Target& where,
                   bool* descend, std::vector<FindData>* subfolders) {
  *descend = false;
  subfolders->clear();
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
  // A subfolder listed without read-only, hidden or system keeps its
  // attributes, as setting them again would leave them.
  if (!where.listed || (where.listed->attributes & kChangeable))
    files.SetFolderAttributes(here, kClearedAttributes);
  list.SetPathIn(folder, here);
  if (dirs) dirs->SetPathIn(folder, here);

  // The files, then the subfolders the same listing found (the files'
  // deletion leaves them as they were).
  if (!c.analyzeOnly) {
    DeleteListed(c, remover, list, here);
  } else {
    MeasureListed(c, list, here);
  }
  *subfolders = list.TakeSubfolders();
  list.Refresh();
  if (!dirs) return here;
  if (!c.analyzeOnly) {
    *descend = true;
  } else if (remover == Remover::kClearD) {
    for (const FindData& sub : *subfolders)
      if (sub.attributes & kChangeable) files.SetEntryAttributes(here, sub.name, kClearedAttributes);
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
  std::vector<FindData> subfolders;  // as its latest listing found them
  bool withAttributes = true;        // false once read again by the folder list, by name only
  std::size_t count = 0;   // its subfolders when the visits began
  std::size_t next = 0;
  platform::FolderStamp stamp;  // the folder when its subfolders were last read
  bool stamped = false;
  std::vector<std::string> visited;
};

Visit Begin(RemovalContext& c, FolderHandle here, std::string name, std::string remembered,
            std::vector<FindData> subfolders) {
  Visit visit;
  visit.here = here;
  visit.name = std::move(name);
  visit.remembered = std::move(remembered);
  visit.subfolders = std::move(subfolders);
  visit.count = visit.subfolders.size();
  if (visit.count > 0)
    visit.stamped = c.platform.Files().GetFolderStamp(here, &visit.stamp) == kErrorSuccess;
  return visit;
}

// Before each visit after the first, the folder's subfolders as they are
// now: read again, through the folder list, unless the folder's stamp, settled
// when taken, is the same.
void Recheck(RemovalContext& c, FolderList& dirs, Visit& at) {
  platform::FolderStamp now;
  bool stamped = c.platform.Files().GetFolderStamp(at.here, &now) == kErrorSuccess;
  if (stamped && at.stamped && at.stamp.settled && now.SameAs(at.stamp)) return;
  at.stamp = now;
  at.stamped = stamped;
  dirs.SetPathIn(at.remembered, at.here);
  at.withAttributes = false;
  at.subfolders.clear();
  for (int i = 0; i < dirs.ListCount(); ++i) {
    FindData entry;
    entry.name = dirs.Name(i);
    entry.attributes = kFileAttributeDirectory;
    at.subfolders.push_back(std::move(entry));
  }
}

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
// program's stack. A folder's first subfolder is the first its listing
// found; each next one is taken from its subfolders as they are by then.
void Clear(RemovalContext& c, Remover remover, std::string& folder, const Target& where) {
  bool descend = false;
  std::vector<FindData> subfolders;
  FolderHandle top = Enter(c, remover, folder, where, &descend, &subfolders);
  if (top == kInvalidFolderHandle) return;
  if (!descend) {
    Leave(c, remover, top, {});
    return;
  }
  FolderList& dirs = *FoldersOf(c, remover);
  std::vector<Visit> stack;
  stack.push_back(Begin(c, top, std::string(), dirs.Path(), std::move(subfolders)));
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
    std::size_t i = at.next++;
    if (i > 0) Recheck(c, dirs, at);
    if (i >= at.subfolders.size()) continue;  // the folder holds fewer subfolders now
    if (stack.size() > kMaxDepth) continue;   // too deep: left alone
    FindData listed = at.subfolders[i];
    std::string sub = at.remembered;
    if (sub.back() != '\\') sub += '\\';
    sub += listed.name;
    FolderHandle entered = Enter(c, remover, sub,
                                 Target{at.here, listed.name, at.withAttributes ? &listed : nullptr},
                                 &descend, &subfolders);
    if (entered != kInvalidFolderHandle && descend) {
      stack.push_back(Begin(c, entered, listed.name, dirs.Path(), std::move(subfolders)));
      continue;
    }
    if (entered != kInvalidFolderHandle) Leave(c, remover, entered, {});
    Visit& back = stack.back();
    dirs.SetPathIn(back.remembered, back.here);
    back.visited.push_back(std::move(listed.name));
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
