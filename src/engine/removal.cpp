#include "engine/removal.h"

#include <cstdint>
#include <vector>

#include "engine/file_lists.h"
#include "engine/number_format.h"
#include "platform/ascii_case.h"
#include "platform/wildcard.h"

namespace vb::engine {

using namespace vb::win;
using platform::FindData;
using platform::FolderHandle;
using platform::kInvalidFolderHandle;

namespace {

constexpr DWORD kClearedAttributes = kFileAttributeArchive;  // SetAttributes(x, 32)
constexpr DWORD kChangeable = kFileAttributeReadonly | kFileAttributeHidden | kFileAttributeSystem;

// How many folders deep below the folder it was given a sweep goes: each
// level holds its folder open (so that no folder of the chain can be swapped
// for a link), and those handles stay bounded. A subfolder deeper than that
// is left alone, with everything in it.
constexpr std::size_t kMaxDepth = 512;

void Log(toolkit::ListBox& box, std::string line) {
  box.AddItem(std::move(line));
  box.SetListIndex(box.ListCount() - 1);
}

// A pattern that every name, or nearly every, matches: "*", "*.*", "*.".
bool CatchAll(const std::vector<std::string>& patterns) {
  for (const std::string& p : patterns)
    if (p.find_first_not_of("*?.") == std::string::npos) return true;
  return false;
}

bool MatchesAny(const std::vector<std::string>& patterns, const std::string& name) {
  for (const std::string& p : patterns)
    if (platform::MatchesWildcard(p, name)) return true;
  return false;
}

// Whether a listing of a drive root ("C:\*.*", folders included) finds
// anything: an entry neither hidden nor system (a root has no "." and "..").
bool RootListsSomething(platform::FileSystemApi& files, FolderHandle root) {
  std::vector<FindData> entries;
  if (files.ListFolder(root, platform::ListDetail::kFull, &entries) != kErrorSuccess) return false;
  for (const FindData& entry : entries)
    if ((entry.attributes & (kFileAttributeHidden | kFileAttributeSystem)) == 0) return true;
  return false;
}

std::string Below(const std::string& folder, const std::string& name) {
  return folder.back() == '\\' ? folder + name : folder + "\\" + name;
}

// A folder whose subfolders are being visited.
struct Visit {
  FolderHandle here = kInvalidFolderHandle;
  bool owned = false;      // opened by the walk, which closes it
  std::string name;        // its name in the folder above; "" for the first
  std::string path;        // as the lists read it back
  std::vector<FindData> subfolders;  // as its latest listing found them
  bool withAttributes = true;        // false once read again by name only
  std::size_t count = 0;   // its subfolders when the visits began
  std::size_t next = 0;
  platform::FolderStamp stamp;  // the folder when its subfolders were last read
  bool stamped = false;
  std::vector<std::string> visited;
  std::vector<const KeptFiles*> keptBelow;  // exclusions that hold here and below
};

class Walker {
 public:
  Walker(RemovalContext& c, const Sweep& sweep, bool shallow)
      : c_(c), s_(sweep), shallow_(shallow), files_(c.platform.Files()), list_(files_), dirs_(files_) {
    list_.SetPatterns(sweep.patterns, sweep.exactNames);
    list_.SetHidden(sweep.hidden);
    list_.SetSystem(sweep.system);
    list_.SetReadOnly(c.readOnlyFiles);
  }

  // The sweep of one folder and, as it says, the tree below; false when the
  // folder was refused.
  bool Run(const OpenedFolder& top);

 private:
  bool Analyze() const { return c_.analyzeOnly; }
  bool Descends() const {
    switch (s_.descent) {
      case Descent::kNone: return false;
      case Descent::kAlways: return true;
      case Descent::kWhenCleaning: return !Analyze();
      case Descent::kUnlessShallow: return !Analyze() || !shallow_;
    }
    return false;
  }
  bool RemovesFolders() const { return s_.removal != FolderRemoval::kNone && !Analyze(); }

  bool Enter(Visit& visit, const FindData* listed, bool top, bool driveRoot,
             const std::vector<const KeptFiles*>& keptAbove);
  void Files(Visit& visit, const std::optional<FolderId>& id,
             const std::vector<const KeptFiles*>& kept);
  void LogFile(const std::string& prefix, const FindData& entry, bool made);
  void Recheck(Visit& at);
  void Leave(Visit& visit);
  void Release(FolderHandle handle) {
    list_.Release(handle);
    dirs_.Release(handle);
  }

  RemovalContext& c_;
  const Sweep& s_;
  bool shallow_;
  platform::FileSystemApi& files_;
  FileList list_;
  FolderList dirs_;
};

void Walker::LogFile(const std::string& prefix, const FindData& entry, bool made) {
  auto size = static_cast<std::int64_t>(entry.size);
  std::string line = FileLogLine(prefix, entry.name, size);
  // The action names the file by its path, where the log line keeps the
  // doubled "\" of a drive root's files.
  if (c_.tally) {
    std::size_t doubled = prefix.size() >= 2 && prefix[prefix.size() - 2] == '\\' ? 1 : 0;
    c_.tally->Add(ActionKind::kFile, made,
                  line.substr(0, prefix.size() - doubled) +
                      line.substr(prefix.size(), entry.name.size()),
                  {}, entry.size);
  }
  if (made && s_.internetLog) Log(c_.internetLog, line);
  Log(c_.resultsLog, std::move(line));
}

void Walker::Files(Visit& visit, const std::optional<FolderId>& id,
                   const std::vector<const KeptFiles*>& kept) {
  // A drive root's files come with a doubled "\", as the lists read the root back.
  const std::string prefix = visit.path + "\\";
  int count = list_.ListCount();
  for (int i = 0; i < count; ++i) {
    const FindData& entry = list_.Entry(i);
    bool keep = false;
    for (const KeptFiles* k : kept) keep = keep || MatchesAny(k->patterns, entry.name);
    if (keep) continue;
    if (Analyze()) {
      if (id && !c_.listed.emplace(*id, platform::FoldAscii(entry.name)).second) continue;
      LogFile(prefix, entry, false);
      continue;
    }
    // DeleteFiles takes only files that are neither hidden, system nor
    // read-only, which the attributes just cleared no longer are.
    bool cleared = false;
    bool deletable = true;
    if (entry.attributes & kChangeable) {
      cleared = files_.SetEntryAttributes(visit.here, entry.name, kClearedAttributes) == kErrorSuccess;
      deletable = cleared || (entry.attributes & (kFileAttributeHidden | kFileAttributeSystem)) == 0;
    }
    bool deleted = deletable && files_.DeleteEntryFile(visit.here, entry.name) == kErrorSuccess;
    if (!deleted) {
      // Logged only when it is really gone; one that stays keeps no line,
      // but attributes cleared on it are a change of their own.
      FindData now;
      LONG rc = files_.GetEntryInfo(visit.here, entry.name, &now);
      if (rc != kErrorFileNotFound && rc != kErrorPathNotFound) {
        if (cleared) Tally(c_.tally, ActionKind::kAttributes, true, prefix + entry.name);
        continue;
      }
    }
    LogFile(prefix, entry, true);
  }
}

bool Walker::Enter(Visit& visit, const FindData* listed, bool top, bool driveRoot,
                   const std::vector<const KeptFiles*>& keptAbove) {
  std::optional<FolderId> id = c_.places.IdOf(visit.here);
  bool guarded = driveRoot || !id || c_.policy.Protected(*id);
  if (guarded) {
    // Only files named one by one (a file the user chose), or by the
    // built-in logs' patterns, directly in the folder.
    bool named = top && (s_.systemFolderFiles || s_.exactNames) && s_.descent == Descent::kNone &&
                 s_.removal == FolderRemoval::kNone && !CatchAll(s_.patterns);
    if (!named) {
      Refuse(c_, visit.path, "protected folder");
      return false;
    }
    if (driveRoot && !RootListsSomething(files_, visit.here)) return false;
  }

  // What the exclusions keep here, and below.
  visit.keptBelow = keptAbove;
  std::vector<const KeptFiles*> kept;
  if (!s_.kept.empty() && id) {
    for (const KeptFiles& k : s_.kept) {
      if (k.folders.count(*id) == 0) continue;
      (k.andBelow ? visit.keptBelow : kept).push_back(&k);
    }
  }
  kept.insert(kept.end(), visit.keptBelow.begin(), visit.keptBelow.end());

  // Under Run Cleaner the folder loses its read-only, hidden and system
  // attributes; a protected folder is never changed.
  if (!Analyze() && !guarded) {
    DWORD attributes = listed ? listed->attributes : files_.GetFileAttributesA(visit.path);
    if (attributes != kInvalidFileAttributes && (attributes & kChangeable) &&
        files_.SetFolderAttributes(visit.here, kClearedAttributes) == kErrorSuccess)
      Tally(c_.tally, ActionKind::kAttributes, true, visit.path);
  }
  list_.SetPathIn(visit.path, visit.here);
  Files(visit, id, kept);
  visit.subfolders = list_.TakeSubfolders();
  list_.Refresh();
  if (!Descends()) visit.subfolders.clear();
  visit.count = visit.subfolders.size();
  if (visit.count > 0) {
    dirs_.SetPathIn(visit.path, visit.here);
    visit.stamped = files_.GetFolderStamp(visit.here, &visit.stamp) == kErrorSuccess;
  }
  return true;
}

// Before each visit after the first, the folder's subfolders as they are
// now: read again, through the folder list, unless the folder's stamp, settled
// when taken, is the same.
void Walker::Recheck(Visit& at) {
  platform::FolderStamp now;
  bool stamped = files_.GetFolderStamp(at.here, &now) == kErrorSuccess;
  if (stamped && at.stamped && at.stamp.settled && now.SameAs(at.stamp)) return;
  at.stamp = now;
  at.stamped = stamped;
  dirs_.SetPathIn(at.path, at.here);
  at.withAttributes = false;
  at.subfolders.clear();
  for (int i = 0; i < dirs_.ListCount(); ++i) {
    FindData entry;
    entry.name = dirs_.Name(i);
    entry.attributes = kFileAttributeDirectory;
    at.subfolders.push_back(std::move(entry));
  }
}

// Leaves a folder once its files (and subfolders, if visited) are done: the
// subfolders it emptied are removed when the sweep removes folders (one still
// holding anything stays), and the folder is let go of.
void Walker::Leave(Visit& visit) {
  if (RemovesFolders())
    for (const std::string& name : visit.visited)
      if (files_.RemoveEntryFolder(visit.here, name) == kErrorSuccess)
        Tally(c_.tally, ActionKind::kFolder, true, Below(visit.path, name));
  Release(visit.here);
  if (visit.owned) files_.CloseFolder(visit.here);
}

// The tree is walked with a stack of its own, one entry per level and no
// call per level, so that a tree of any depth cannot exhaust the program's
// stack. A folder's first subfolder is the first its listing found; each
// next one is taken from its subfolders as they are by then.
bool Walker::Run(const OpenedFolder& top) {
  Visit first;
  first.here = top.handle;
  first.path = ListedPath(top.path);
  if (!Enter(first, nullptr, true, top.driveRoot, {})) {
    Release(first.here);
    return false;
  }
  std::vector<Visit> stack;
  stack.push_back(std::move(first));
  while (!stack.empty()) {
    Visit& at = stack.back();
    if (at.next >= at.count) {
      Visit done = std::move(stack.back());
      stack.pop_back();
      Leave(done);
      if (!stack.empty()) stack.back().visited.push_back(std::move(done.name));
      continue;
    }
    std::size_t i = at.next++;
    if (i > 0) Recheck(at);
    if (i >= at.subfolders.size()) continue;  // the folder holds fewer subfolders now
    if (stack.size() > kMaxDepth) continue;   // too deep: left alone
    FindData listed = at.subfolders[i];
    Visit sub;
    sub.name = listed.name;
    sub.path = Below(at.path, listed.name);
    sub.owned = true;
    if (files_.OpenSubfolder(at.here, listed.name, &sub.here) != kErrorSuccess) continue;
    std::vector<const KeptFiles*> keptBelow = at.keptBelow;
    if (!Enter(sub, at.withAttributes ? &listed : nullptr, false, false, keptBelow)) {
      Release(sub.here);
      files_.CloseFolder(sub.here);
      continue;
    }
    stack.push_back(std::move(sub));
  }
  return true;
}

}  // namespace

void Refuse(RemovalContext& c, const std::string& what, const std::string& why) {
  Log(c.resultsLog, "Skipped " + what + ": " + why);
  Tally(c.tally, ActionKind::kRefused, !c.analyzeOnly, what, why);
}

void RegistryFailure(RemovalContext& c, const std::string& key, const std::string& value,
                     const std::string& why) {
  Log(c.resultsLog,
      "Could not delete " + (value.empty() ? key : "the value " + value + " of " + key) + ": " + why);
  if (c.tally) c.tally->AddFailure(!c.analyzeOnly, key, value, why);
}

void SweepFolder(RemovalContext& context, const OpenedFolder& folder, const Sweep& sweep,
                 bool shallow) {
  Walker(context, sweep, shallow).Run(folder);
}

void SweepFolders(RemovalContext& context, const Folder& folder, const Sweep& sweep) {
  // A folder the step's folder name reached through the folder above goes
  // too once emptied, after the walk has let go of it.
  std::function<void(const OpenedFolder&)> removeSelf;
  if (sweep.removal == FolderRemoval::kSubfoldersAndSelf && !context.analyzeOnly)
    removeSelf = [&](const OpenedFolder& gone) {
      if (context.platform.Files().RemoveEntryFolder(gone.parent, gone.name) == kErrorSuccess)
        Tally(context.tally, ActionKind::kFolder, true, gone.path);
    };
  context.places.ForEach(
      folder, [&](const OpenedFolder& found) { SweepFolder(context, found, sweep); }, removeSelf,
      [&](const std::string& link) { Refuse(context, link, "a link"); });
}

Sweep ClearDSweep() {
  Sweep s;
  s.system = true;
  s.descent = Descent::kWhenCleaning;
  s.internetLog = true;
  return s;
}

Sweep ClearD2Sweep(bool systemFiles) {
  Sweep s;
  s.system = systemFiles;
  s.descent = Descent::kUnlessShallow;
  s.removal = FolderRemoval::kSubfolders;
  return s;
}

Sweep ClearFileSweep(std::vector<std::string> patterns) {
  Sweep s;
  s.patterns = std::move(patterns);
  return s;
}

void ClearD(RemovalContext& context, const Folder& folder) {
  SweepFolders(context, folder, ClearDSweep());
}

void ClearD2(RemovalContext& context, const Folder& folder) {
  SweepFolders(context, folder, ClearD2Sweep());
}

void ClearFile(RemovalContext& context, const Folder& folder, std::vector<std::string> patterns) {
  SweepFolders(context, folder, ClearFileSweep(std::move(patterns)));
}

void ClearDirTree(RemovalContext& context, const Folder& folder, bool systemFiles) {
  Sweep sweep = ClearD2Sweep(systemFiles);
  platform::FileSystemApi& files = context.platform.Files();
  auto refuseLink = [&](const std::string& link) { Refuse(context, link, "a link"); };
  context.places.ForEach(folder, [&](const OpenedFolder& top) {
    Walker walker(context, sweep, true);
    if (!walker.Run(top)) return;
    // Then each immediate subfolder as the folder holds it now, opened
    // through the folder.
    FolderList subfolders(files);
    subfolders.SetPathIn(top.path, top.handle);
    for (int i = 0; i < subfolders.ListCount(); ++i) {
      OpenedFolder sub{kInvalidFolderHandle, top.handle, subfolders.Name(i), subfolders.List(i)};
      if (files.OpenSubfolder(top.handle, sub.name, &sub.handle) != kErrorSuccess) continue;
      Walker(context, sweep, true).Run(sub);
      files.CloseFolder(sub.handle);
    }
    subfolders.Release(top.handle);
  }, nullptr, refuseLink);
}

}  // namespace vb::engine
