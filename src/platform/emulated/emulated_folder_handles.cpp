// Folder handles: a handle is an open descriptor of the folder, and every
// operation on an entry of it is an *at() call relative to that descriptor
// that never follows a link, so a folder swapped for a link while a run is
// inside it cannot redirect the run.
#include "platform/emulated/emulated_file_system.h"

#include "platform/emulated/emulated_databases.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <optional>
#include <unordered_set>

#include "platform/emulated/entry_changes.h"
#include "platform/emulated/exclusive_flocks.h"
#include "platform/emulated/host_entries.h"
#include "platform/emulated/host_paths.h"
#include "platform/emulated/spent_files.h"

namespace vb::emu {

using namespace vb::win;
using platform::FindData;
using platform::FolderHandle;

namespace {

timespec CoarseNow() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME_COARSE, &now);
  return now;
}

}  // namespace

struct EmulatedFileSystem::HeldFolder {
  // The folder closes with the files deleted in it, often in the same call.
  ~HeldFolder() { spent.Add(std::move(fd)); }

  HostFd fd;         // O_RDONLY | O_DIRECTORY
  std::string host;  // where the folder was when it was opened
  std::mutex listing;  // guards what follows; listings share the descriptor's offset
  bool moved = false;  // a listing moved the offset: the next one starts over
  // Whether the last listing was a full one, and the names it found that
  // were no writable regular file: after it, any other name is deleted
  // without a second look at its mode (see DeleteEntryFile).
  bool listedFull = false;
  std::unordered_set<std::string> irregular;
  // For ProbeDeleteEntryFile: the regular files of the last full listing
  // with their inodes (indexed by the hash of their names at the first
  // probe: numbers sort and compare faster than names, which share long
  // beginnings), whether an entry was deleted or removed through the folder
  // since, and the inodes that some open file description held an exclusive
  // flock on at the first probe (sorted; unread, or unreadable, until then).
  struct ListedFile {
    std::string name;
    ino_t inode;
  };
  std::vector<ListedFile> files;
  std::vector<std::pair<std::size_t, std::size_t>> index;  // hash of the name, place in files
  bool indexed = false;
  bool changedSinceListing = false;
  bool locksRead = false;
  std::optional<std::vector<ino_t>> locked;
  SpentFiles spent;
};

EmulatedFileSystem::~EmulatedFileSystem() = default;

std::shared_ptr<EmulatedFileSystem::HeldFolder> EmulatedFileSystem::Held(FolderHandle folder) {
  std::lock_guard<std::mutex> lock(mutex_);
  auto it = folders_.find(folder);
  return it == folders_.end() ? nullptr : it->second;
}

FolderHandle EmulatedFileSystem::Hold(std::shared_ptr<HeldFolder> held) {
  std::lock_guard<std::mutex> lock(mutex_);
  FolderHandle id = nextFolder_++;
  folders_.emplace(id, std::move(held));
  return id;
}

std::size_t EmulatedFileSystem::OpenFolderCount() {
  std::lock_guard<std::mutex> lock(mutex_);
  return folders_.size();
}

LONG EmulatedFileSystem::OpenFolder(const std::string& path, FolderHandle* folder,
                                    bool* driveRoot) {
  if (!folder) return kErrorInvalidParameter;
  *folder = platform::kInvalidFolderHandle;
  std::string host;
  bool root = false;
  LONG error = paths_.ResolveFolder(path, &host, &root);
  if (error != kErrorSuccess) return error;
  auto held = std::make_shared<HeldFolder>();
  held->fd = OpenHostFolder(host);
  if (!held->fd.valid()) return errno == ENOENT || errno == ENOTDIR ? kErrorPathNotFound
                                                                    : FromErrno(errno);
  // The path was checked to stay inside the drives; so must the folder that
  // was opened, should a link on the way have changed in between. Whether it
  // is a drive root is decided on that folder too, not on the path's text.
  bool realRoot = false;
  if (!paths_.InsideDrives(ThroughDescriptor(held->fd.get(), "."), &realRoot)) {
    // Without /proc to tell, it must at least be the folder the checked path
    // still leads to.
    struct stat opened, now;
    if (access("/proc/self/fd", F_OK) == 0 || fstat(held->fd.get(), &opened) != 0 ||
        stat(host.c_str(), &now) != 0 || !SameEntry(opened, now))
      return kErrorPathNotFound;
  }
  root = root || realRoot;
  held->host = std::move(host);
  if (driveRoot) *driveRoot = root;
  *folder = Hold(std::move(held));
  return kErrorSuccess;
}

LONG EmulatedFileSystem::OpenSubfolder(FolderHandle folder, const std::string& name,
                                       FolderHandle* sub) {
  if (!sub) return kErrorInvalidParameter;
  *sub = platform::kInvalidFolderHandle;
  std::shared_ptr<HeldFolder> parent = Held(folder);
  if (!parent) return kErrorInvalidHandle;
  if (!BareName(name)) return kErrorInvalidName;
  {
    // The files deleted in the folder are closed before the run goes deeper,
    // so that only the folder being worked in holds such descriptors.
    std::lock_guard<std::mutex> lock(parent->listing);
    parent->spent.CloseAll();
  }
  // One call: O_NOFOLLOW and O_DIRECTORY refuse a link and anything else but
  // a folder, so what is opened is the folder the name holds now, never what
  // a link points at. Only a refusal looks again, to tell a link (left in
  // place) from a file.
  auto held = std::make_shared<HeldFolder>();
  held->fd = HostFd(openat(parent->fd.get(), name.c_str(),
                           O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
  if (!held->fd.valid()) {
    if (errno != ENOTDIR && errno != ELOOP) return FromErrno(errno);
    struct stat st;
    if (LONG error = StatEntry(parent->fd.get(), name, &st); error != kErrorSuccess) return error;
    return S_ISLNK(st.st_mode) ? kErrorAccessDenied : kErrorDirectory;
  }
  held->host = parent->host + "/" + name;
  *sub = Hold(std::move(held));
  return kErrorSuccess;
}

void EmulatedFileSystem::CloseFolder(FolderHandle folder) {
  std::shared_ptr<HeldFolder> held;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = folders_.find(folder);
    if (it == folders_.end()) return;
    held = std::move(it->second);
    folders_.erase(it);
  }
  // The descriptor closes here, or when the last operation using it ends.
}

LONG EmulatedFileSystem::ListFolder(FolderHandle folder, platform::ListDetail detail,
                                    std::vector<FindData>* entries) {
  if (!entries) return kErrorInvalidParameter;
  entries->clear();
  std::shared_ptr<HeldFolder> held = Held(folder);
  if (!held) return kErrorInvalidHandle;
  int fd = held->fd.get();
  bool full = detail == platform::ListDetail::kFull;
  std::lock_guard<std::mutex> lock(held->listing);
  if (full) {
    held->listedFull = false;
    held->irregular.clear();
    held->files.clear();
    held->index.clear();
    held->indexed = false;
    held->changedSinceListing = false;
    held->locksRead = false;
    held->locked.reset();
  }
  // getdents64 straight on the folder's descriptor, from its start: one
  // buffer holds some hundreds of names per call (readdir would need a
  // descriptor of its own). A descriptor just opened is at its start already.
  if (held->moved && lseek(fd, 0, SEEK_SET) != 0) return FromErrno(errno);
  held->moved = true;
  alignas(8) char buffer[32768];
  for (;;) {
    ssize_t got = getdents64(fd, buffer, sizeof buffer);
    if (got < 0) {
      if (errno == EINTR) continue;
      entries->clear();
      return FromErrno(errno);
    }
    if (got == 0) break;
    std::size_t records = 0;
    for (ssize_t at = 0; at < got; at += reinterpret_cast<const dirent64*>(buffer + at)->d_reclen)
      ++records;
    entries->reserve(entries->size() + records);
    if (full) held->files.reserve(held->files.size() + records);
    for (ssize_t at = 0; at < got;) {
      const auto* entry = reinterpret_cast<const dirent64*>(buffer + at);
      at += entry->d_reclen;
      const char* raw = entry->d_name;
      if (raw[0] == '.' && (raw[1] == 0 || (raw[1] == '.' && raw[2] == 0))) continue;
      std::string name(raw);
      if (!RepresentableName(name)) continue;
      if (!full && entry->d_type != DT_UNKNOWN) {
        FindData data;
        data.attributes = entry->d_type == DT_DIR   ? kFileAttributeDirectory
                          : entry->d_type == DT_LNK ? kFileAttributeReparsePoint
                                                  : kFileAttributeArchive;
        data.name = std::move(name);
        entries->push_back(std::move(data));
        continue;
      }
      struct stat st;
      if (fstatat(fd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) continue;  // gone since
      if (full && (!S_ISREG(st.st_mode) || ReadOnlyMode(st.st_mode))) held->irregular.insert(name);
      if (full && S_ISREG(st.st_mode)) held->files.push_back({name, st.st_ino});
      entries->push_back(EntryAt(fd, std::move(name), st, dosAttrib_));
    }
  }
  held->listedFull = full;
  return kErrorSuccess;
}

LONG EmulatedFileSystem::GetFolderStamp(FolderHandle folder, platform::FolderStamp* stamp) {
  if (!stamp) return kErrorInvalidParameter;
  std::shared_ptr<HeldFolder> held = Held(folder);
  if (!held) return kErrorInvalidHandle;
  timespec now = CoarseNow();
  struct stat st;
  if (fstat(held->fd.get(), &st) != 0) return FromErrno(errno);
  // The change time, which every new, removed or renamed entry moves and
  // which, unlike the modification time, no program can set back.
  stamp->volume = static_cast<std::uint64_t>(st.st_dev);
  stamp->file = static_cast<std::uint64_t>(st.st_ino);
  stamp->changed = static_cast<std::int64_t>(st.st_ctim.tv_sec) * 1000000000LL + st.st_ctim.tv_nsec;
  stamp->settled = SettledChange(st.st_ctim, now);
  return kErrorSuccess;
}

LONG EmulatedFileSystem::SetFolderAttributes(FolderHandle folder, DWORD attributes) {
  std::shared_ptr<HeldFolder> held = Held(folder);
  if (!held) return kErrorInvalidHandle;
  return SetAttributesOf(held->fd.get(), attributes, umask_);
}

LONG EmulatedFileSystem::GetEntryInfo(FolderHandle folder, const std::string& name,
                                      FindData* data) {
  if (!data) return kErrorInvalidParameter;
  std::shared_ptr<HeldFolder> held = Held(folder);
  if (!held) return kErrorInvalidHandle;
  struct stat st;
  if (LONG error = StatEntry(held->fd.get(), name, &st); error != kErrorSuccess) return error;
  *data = EntryAt(held->fd.get(), name, st, dosAttrib_);
  return kErrorSuccess;
}

LONG EmulatedFileSystem::SetEntryAttributes(FolderHandle folder, const std::string& name,
                                            DWORD attributes) {
  std::shared_ptr<HeldFolder> held = Held(folder);
  if (!held) return kErrorInvalidHandle;
  struct stat st;
  if (LONG error = StatEntry(held->fd.get(), name, &st); error != kErrorSuccess) return error;
  return SetAttributesAt(held->fd.get(), name, st, attributes, umask_);
}

LONG EmulatedFileSystem::DeleteEntryFile(FolderHandle folder, const std::string& name) {
  std::shared_ptr<HeldFolder> held = Held(folder);
  if (!held) return kErrorInvalidHandle;
  if (!BareName(name)) return kErrorInvalidName;
  BeforeDelete(held->host, name);
  int fd = held->fd.get();
  {
    // After a full listing, a name not listed as anything but a writable
    // regular file is deleted without a second look at its mode: it is
    // opened without following a link (a link put in its place since is
    // refused), tested for use through that descriptor, and unlinked relative
    // to the folder (unlinkat never follows a link and refuses a folder). Its
    // descriptor keeps the shared lock until the file is gone.
    std::lock_guard<std::mutex> lock(held->listing);
    if (held->listedFull && held->irregular.count(name) == 0) {
      HostFd file(openat(fd, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
      if (file.valid()) {
        if (InUse(file.get())) return kErrorSharingViolation;
        if (unlinkat(fd, name.c_str(), 0) != 0) return FromErrno(errno);
        held->spent.Add(std::move(file));
        held->changedSinceListing = true;
        return kErrorSuccess;
      }
      if (errno == ELOOP) return kErrorAccessDenied;
      // Anything else (missing, no longer readable, a socket) is looked at below.
    }
  }
  struct stat st;
  if (LONG error = StatEntry(fd, name, &st); error != kErrorSuccess) return error;
  LONG error = DeleteFileAt(fd, name, st, LinkEntry::kLeaveInPlace);
  if (error == kErrorSuccess) Changed(*held);
  return error;
}

void EmulatedFileSystem::Changed(HeldFolder& held) {
  std::lock_guard<std::mutex> lock(held.listing);
  held.changedSinceListing = true;
}

LONG EmulatedFileSystem::ProbeDeleteEntryFile(FolderHandle folder, const std::string& name) {
  std::shared_ptr<HeldFolder> held = Held(folder);
  if (!held) return kErrorInvalidHandle;
  if (!BareName(name)) return kErrorInvalidName;
  int fd = held->fd.get();
  {
    // A regular file of the last full listing, none deleted since: in use
    // only if its inode is among those locked exclusively, which one read of
    // /proc/locks tells for the whole folder. Devices are not compared (some
    // file systems number them differently in stat and in /proc/locks); an
    // inode found locked is asked about below, through the file itself.
    std::lock_guard<std::mutex> lock(held->listing);
    if (held->listedFull && !held->changedSinceListing) {
      if (!held->indexed) {
        held->index.reserve(held->files.size());
        for (std::size_t i = 0; i < held->files.size(); ++i)
          held->index.emplace_back(std::hash<std::string>()(held->files[i].name), i);
        std::sort(held->index.begin(), held->index.end());
        held->indexed = true;
      }
      std::size_t hash = std::hash<std::string>()(name);
      const HeldFolder::ListedFile* file = nullptr;
      for (auto at = std::lower_bound(held->index.begin(), held->index.end(),
                                      std::make_pair(hash, std::size_t{0}));
           at != held->index.end() && at->first == hash && !file; ++at)
        if (held->files[at->second].name == name) file = &held->files[at->second];
      if (file) {
        if (!held->locksRead) {
          held->locksRead = true;
          if (auto flocks = flocks_.Read()) {
            held->locked.emplace();
            for (const ExclusiveFlock& flock : *flocks) held->locked->push_back(flock.inode);
            std::sort(held->locked->begin(), held->locked->end());
          }
        }
        if (held->locked &&
            !std::binary_search(held->locked->begin(), held->locked->end(), file->inode))
          return kErrorSuccess;
      }
    }
  }
  // Anything else is looked at as DeleteFileAt looks, without its refusal
  // of read-only files and without the deletion.
  struct stat st;
  if (LONG error = StatEntry(fd, name, &st); error != kErrorSuccess) return error;
  if (S_ISLNK(st.st_mode) || S_ISDIR(st.st_mode)) return kErrorAccessDenied;
  if (!S_ISREG(st.st_mode)) return kErrorSuccess;
  HostFd file = OpenEntryAt(fd, name, st);
  if (!file.valid()) return kErrorAccessDenied;
  return InUse(file.get()) ? kErrorSharingViolation : kErrorSuccess;
}

LONG EmulatedFileSystem::RemoveEntryFolder(FolderHandle folder, const std::string& name) {
  std::shared_ptr<HeldFolder> held = Held(folder);
  if (!held) return kErrorInvalidHandle;
  struct stat st;
  if (LONG error = StatEntry(held->fd.get(), name, &st); error != kErrorSuccess) return error;
  LONG error = RemoveFolderAt(held->fd.get(), name, st, LinkEntry::kLeaveInPlace);
  if (error == kErrorSuccess) Changed(*held);
  return error;
}

LONG EmulatedFileSystem::CleanEntryDatabase(FolderHandle folder, const std::string& name,
                                            const platform::DatabaseWork& work,
                                            platform::DatabaseOutcome* outcome) {
  std::shared_ptr<HeldFolder> held = Held(folder);
  if (!held) return kErrorInvalidHandle;
  LONG error = CleanDatabaseEntry(held->fd.get(), name, work, outcome);
  // The journal came and went in the folder, and the file changed size.
  Changed(*held);
  return error;
}

LONG EmulatedFileSystem::ProbeCleanEntryDatabase(FolderHandle folder, const std::string& name,
                                                 const platform::DatabaseWork& work,
                                                 platform::DatabaseOutcome* outcome) {
  std::shared_ptr<HeldFolder> held = Held(folder);
  if (!held) return kErrorInvalidHandle;
  return ProbeDatabaseEntry(held->fd.get(), name, work, outcome);
}

}  // namespace vb::emu
