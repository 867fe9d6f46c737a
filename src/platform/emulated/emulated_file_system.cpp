// The path operations on single entries: attributes, deletion, removal and
// creation of a folder.
#include "platform/emulated/emulated_file_system.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>

#include "platform/emulated/entry_changes.h"
#include "platform/emulated/host_entries.h"
#include "platform/emulated/host_paths.h"

namespace vb::emu {

using namespace vb::win;
using platform::FindData;

EmulatedFileSystem::EmulatedFileSystem(const HostPaths& paths)
    : paths_(paths), umask_(ProcessUmask()) {}

DWORD EmulatedFileSystem::GetFileAttributesA(const std::string& path) {
  FindData data;
  return GetFileAttributesExA(path, &data) == kErrorSuccess ? data.attributes
                                                            : kInvalidFileAttributes;
}

LONG EmulatedFileSystem::GetFileAttributesExA(const std::string& path, FindData* data) {
  if (!data) return kErrorInvalidParameter;
  // Only read, so the resolved host path does without an open parent folder:
  // this is the call made most often, mostly for files that are not there.
  HostPaths::Resolved where;
  LONG error = paths_.Resolve(path, &where);
  if (error != kErrorSuccess) return error;
  if (!where.exists) return kErrorFileNotFound;
  struct stat st;
  int done = where.root ? stat(where.host.c_str(), &st) : lstat(where.host.c_str(), &st);
  if (done != 0) return errno == ENOENT ? kErrorFileNotFound : FromErrno(errno);
  *data = EntryOf(where.host, where.leaf, st);
  return kErrorSuccess;
}

LONG EmulatedFileSystem::SetFileAttributesA(const std::string& path, DWORD attributes) {
  Located at;
  LONG error = Locate(paths_, path, &at);
  if (error != kErrorSuccess) return error;
  if (!at.exists) return kErrorFileNotFound;
  if (!at.where.root)
    return SetAttributesAt(at.parent.get(), at.where.leaf, at.st, attributes, umask_);
  HostFd fd = OpenHostFolder(at.where.host);
  if (!fd.valid()) return kErrorAccessDenied;
  return SetAttributesOf(fd.get(), attributes, umask_);
}

LONG EmulatedFileSystem::DeleteFileA(const std::string& path) {
  if (std::shared_ptr<DeleteHook> hook = BeforeDeleteHook()) {
    // Before the path is resolved, so that what the hook changes is what the
    // deletion meets.
    HostPaths::Resolved where;
    if (paths_.Resolve(path, &where) == kErrorSuccess && !where.root)
      (*hook)(where.parent, where.leaf);
  }
  // Wildcards are no names: resolving refuses them (kErrorInvalidName).
  Located at;
  LONG error = Locate(paths_, path, &at);
  if (error != kErrorSuccess) return error;
  if (at.where.root) return kErrorAccessDenied;
  if (!at.exists) return kErrorFileNotFound;
  return DeleteFileAt(at.parent.get(), at.where.leaf, at.st, LinkEntry::kRemoveAsLink);
}

LONG EmulatedFileSystem::RemoveDirectoryA(const std::string& path) {
  Located at;
  LONG error = Locate(paths_, path, &at);
  if (error != kErrorSuccess) return error;
  if (at.where.root) return kErrorAccessDenied;
  if (!at.exists) return kErrorFileNotFound;
  return RemoveFolderAt(at.parent.get(), at.where.leaf, at.st, LinkEntry::kRemoveAsLink);
}

LONG EmulatedFileSystem::CreateDirectoryA(const std::string& path) {
  Located at;
  LONG error = Locate(paths_, path, &at);
  if (error != kErrorSuccess) return error;
  if (at.where.root) return kErrorAccessDenied;
  if (at.exists) return kErrorAlreadyExists;
  if (mkdirat(at.parent.get(), at.where.leaf.c_str(), 0777) == 0) return kErrorSuccess;
  return errno == ENOENT ? kErrorPathNotFound : FromErrno(errno);
}

void EmulatedFileSystem::SetBeforeDeleteHook(DeleteHook hook) {
  std::lock_guard<std::mutex> lock(mutex_);
  beforeDelete_ = hook ? std::make_shared<DeleteHook>(std::move(hook)) : nullptr;
}

std::shared_ptr<EmulatedFileSystem::DeleteHook> EmulatedFileSystem::BeforeDeleteHook() {
  std::lock_guard<std::mutex> lock(mutex_);
  return beforeDelete_;
}

void EmulatedFileSystem::BeforeDelete(const std::string& hostFolder, const std::string& name) {
  if (std::shared_ptr<DeleteHook> hook = BeforeDeleteHook()) (*hook)(hostFolder, name);
}

}  // namespace vb::emu
