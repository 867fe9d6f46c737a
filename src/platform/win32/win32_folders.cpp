// Folder handles over kernel32: each open folder is a handle without
// FILE_SHARE_DELETE, so neither it nor any folder above it in the chain can be
// renamed, removed or replaced by a link while it is open. Entries are then
// named by the folder's final path and their bare name, and opened as
// themselves (FILE_FLAG_OPEN_REPARSE_POINT): a link is met as a link, and
// every change goes through the entry's own handle.
#include <windows.h>

#include <string_view>
#include <vector>

#include "platform/win32/win32_handle.h"
#include "platform/win32/win32_names.h"
#include "platform/win32/win32_platform.h"

namespace vb::win32 {

namespace {

constexpr DWORD kFolderAccess =
    FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES | SYNCHRONIZE;
constexpr DWORD kFolderShare = FILE_SHARE_READ | FILE_SHARE_WRITE;
constexpr DWORD kEntryShare = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr DWORD kAsItself = FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT;
// The attributes SetFileAttributesA may set.
constexpr DWORD kSettable = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                            FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                            FILE_ATTRIBUTE_NORMAL | FILE_ATTRIBUTE_TEMPORARY |
                            FILE_ATTRIBUTE_OFFLINE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// A name as a listing of one folder gives it: no separators, no wildcards,
// neither "." nor "..".
bool BareName(const std::string& name) {
  if (name.empty() || name == "." || name == "..") return false;
  return name.find_first_of("\\/:*?\"<>|") == std::string::npos;
}

bool DriveRoot(const std::string& path) {
  std::string_view p(path);
  if (p.size() >= 4 && (p.substr(0, 4) == "\\\\?\\" || p.substr(0, 4) == "\\\\.\\"))
    p.remove_prefix(4);
  if (p == "\\" || p == "/") return true;
  return (p.size() == 2 || (p.size() == 3 && (p[2] == '\\' || p[2] == '/'))) && p[1] == ':';
}

// The folder's own path, links on the way resolved, without a trailing "\";
// the path it was opened by when the system cannot tell.
std::string FinalPath(HANDLE folder, const std::string& opened) {
  std::vector<char> buffer(MAX_PATH + 1);
  for (int attempt = 0; attempt < 3; ++attempt) {
    DWORD length = GetFinalPathNameByHandleA(folder, buffer.data(),
                                             static_cast<DWORD>(buffer.size()),
                                             FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (length == 0) break;
    if (length < buffer.size()) {
      std::string path(buffer.data(), length);
      while (!path.empty() && path.back() == '\\') path.pop_back();
      return path;
    }
    buffer.resize(length + 1);
  }
  std::string path = opened;
  while (path.size() > 1 && (path.back() == '\\' || path.back() == '/') && !DriveRoot(path))
    path.pop_back();
  if (DriveRoot(path) && !path.empty() && (path.back() == '\\' || path.back() == '/'))
    path.pop_back();
  return path;
}

// Whether an open folder is the root folder of its volume.
bool VolumeRoot(HANDLE folder) {
  char path[8];
  DWORD length = GetFinalPathNameByHandleA(folder, path, sizeof path, VOLUME_NAME_NONE);
  return length == 1 && path[0] == '\\';
}

bool Information(HANDLE h, BY_HANDLE_FILE_INFORMATION* info) {
  return GetFileInformationByHandle(h, info) != FALSE;
}

win::LONG SetBasicAttributes(HANDLE h, DWORD attributes) {
  FILE_BASIC_INFO basic = {};  // zero times: left as they are
  DWORD wanted = attributes & kSettable;
  // Zero would mean "no change": plain is FILE_ATTRIBUTE_NORMAL.
  basic.FileAttributes = wanted ? wanted : FILE_ATTRIBUTE_NORMAL;
  if (basic.FileAttributes != FILE_ATTRIBUTE_NORMAL) basic.FileAttributes &= ~FILE_ATTRIBUTE_NORMAL;
  return SetFileInformationByHandle(h, FileBasicInfo, &basic, sizeof basic) ? ERROR_SUCCESS
                                                                           : LastError();
}

win::LONG Dispose(HANDLE h) {
  FILE_DISPOSITION_INFO disposition = {};
  disposition.DeleteFile = TRUE;
  return SetFileInformationByHandle(h, FileDispositionInfo, &disposition, sizeof disposition)
             ? ERROR_SUCCESS
             : LastError();
}

// Opens an entry by its path as its deletion opens it: with DELETE access
// and as itself, so that a link is met as a link and a file in use refuses
// the open (whoever holds it open gave no FILE_SHARE_DELETE). Then answers
// what the deletion answers: a link or folder is refused, and, when the file
// is to go, a read-only one too; only the disposition deletes.
win::LONG DeleteOrProbe(const std::string& path, bool dispose) {
  Handle h(CreateFileA(path.c_str(), DELETE | FILE_READ_ATTRIBUTES, kEntryShare, nullptr,
                       OPEN_EXISTING, kAsItself, nullptr));
  if (!h.valid()) return LastError();
  BY_HANDLE_FILE_INFORMATION info;
  if (!Information(h.get(), &info)) return LastError();
  DWORD refused = FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY |
                  (dispose ? FILE_ATTRIBUTE_READONLY : 0);
  if (info.dwFileAttributes & refused) return ERROR_ACCESS_DENIED;
  return dispose ? Dispose(h.get()) : ERROR_SUCCESS;
}

// The program's form of a listed name; false when the name has characters
// that the ANSI code page cannot carry (no ANSI path could name it again).
bool AnsiName(const WCHAR* name, DWORD bytes, std::string* out) {
  return bytes != 0 && NarrowName(std::wstring_view(name, bytes / sizeof(WCHAR)), out);
}

}  // namespace

Win32FileSystem::~Win32FileSystem() {
  for (auto& [id, folder] : folders_) CloseHandle(reinterpret_cast<HANDLE>(folder.handle));
}

platform::FolderHandle Win32FileSystem::Keep(Folder folder) {
  std::lock_guard<std::mutex> lock(mutex_);
  platform::FolderHandle id = nextFolder_++;
  folders_.emplace(id, std::move(folder));
  return id;
}

bool Win32FileSystem::Find(platform::FolderHandle folder, Folder* out) {
  std::lock_guard<std::mutex> lock(mutex_);
  auto it = folders_.find(folder);
  if (it == folders_.end()) return false;
  *out = it->second;
  return true;
}

bool Win32FileSystem::EntryPath(platform::FolderHandle folder, const std::string& name,
                                std::string* path, win::LONG* error) {
  Folder held;
  if (!Find(folder, &held)) {
    *error = ERROR_INVALID_HANDLE;
    return false;
  }
  if (!BareName(name)) {
    *error = ERROR_INVALID_NAME;
    return false;
  }
  *path = held.path + "\\" + name;
  return true;
}

win::LONG Win32FileSystem::OpenFolder(const std::string& path, platform::FolderHandle* folder,
                                      bool* driveRoot) {
  if (!folder) return ERROR_INVALID_PARAMETER;
  *folder = platform::kInvalidFolderHandle;
  if (path.empty()) return ERROR_PATH_NOT_FOUND;
  std::string opened = path;
  // "C:" alone is the current folder of drive C; the folder meant is its root.
  if (opened.size() == 2 && opened[1] == ':') opened += '\\';
  Handle h(CreateFileA(opened.c_str(), kFolderAccess, kFolderShare, nullptr, OPEN_EXISTING,
                       FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!h.valid()) {
    win::LONG error = LastError();
    return error == ERROR_FILE_NOT_FOUND ? ERROR_PATH_NOT_FOUND : error;
  }
  BY_HANDLE_FILE_INFORMATION info;
  if (!Information(h.get(), &info) || !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
    return ERROR_PATH_NOT_FOUND;
  Folder held;
  held.path = FinalPath(h.get(), opened);
  // A drive root as the folder really opened, wherever the path led: its
  // path on its volume is "\" (a junction or a mounted folder leading to a
  // volume's root too); the final path's text where the system cannot tell.
  if (driveRoot) *driveRoot = VolumeRoot(h.get()) || DriveRoot(held.path + "\\");
  held.handle = reinterpret_cast<std::intptr_t>(h.release());
  *folder = Keep(std::move(held));
  return ERROR_SUCCESS;
}

win::LONG Win32FileSystem::OpenSubfolder(platform::FolderHandle folder, const std::string& name,
                                         platform::FolderHandle* sub) {
  if (!sub) return ERROR_INVALID_PARAMETER;
  *sub = platform::kInvalidFolderHandle;
  std::string path;
  win::LONG error = ERROR_SUCCESS;
  if (!EntryPath(folder, name, &path, &error)) return error;
  Handle h(CreateFileA(path.c_str(), kFolderAccess, kFolderShare, nullptr, OPEN_EXISTING, kAsItself,
                       nullptr));
  if (!h.valid()) {
    error = LastError();
    return error == ERROR_PATH_NOT_FOUND ? ERROR_FILE_NOT_FOUND : error;
  }
  BY_HANDLE_FILE_INFORMATION info;
  if (!Information(h.get(), &info)) return LastError();
  if (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) return ERROR_ACCESS_DENIED;
  if (!(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return ERROR_DIRECTORY;
  Folder held;
  held.path = path;
  held.handle = reinterpret_cast<std::intptr_t>(h.release());
  *sub = Keep(std::move(held));
  return ERROR_SUCCESS;
}

void Win32FileSystem::CloseFolder(platform::FolderHandle folder) {
  std::lock_guard<std::mutex> lock(mutex_);
  auto it = folders_.find(folder);
  if (it == folders_.end()) return;
  CloseHandle(reinterpret_cast<HANDLE>(it->second.handle));
  folders_.erase(it);
}

win::LONG Win32FileSystem::ListFolder(platform::FolderHandle folder, platform::ListDetail,
                                      std::vector<platform::FindData>* entries) {
  if (!entries) return ERROR_INVALID_PARAMETER;
  Folder held;
  if (!Find(folder, &held)) return ERROR_INVALID_HANDLE;
  entries->clear();
  HANDLE h = reinterpret_cast<HANDLE>(held.handle);
  // The directory information carries every attribute and the size, so both
  // levels of detail are filled in completely.
  std::vector<std::uint64_t> buffer(64 * 1024 / sizeof(std::uint64_t));
  FILE_INFO_BY_HANDLE_CLASS kind = FileIdBothDirectoryRestartInfo;
  for (;;) {
    if (!GetFileInformationByHandleEx(h, kind, buffer.data(),
                                      static_cast<DWORD>(buffer.size() * sizeof(std::uint64_t)))) {
      win::LONG error = LastError();
      if (error == ERROR_NO_MORE_FILES) break;
      return error;
    }
    kind = FileIdBothDirectoryInfo;
    auto* record = reinterpret_cast<const char*>(buffer.data());
    for (;;) {
      auto* info = reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(record);
      platform::FindData data;
      if (AnsiName(info->FileName, info->FileNameLength, &data.name) && data.name != "." &&
          data.name != "..") {
        data.attributes = info->FileAttributes;
        data.size = (info->FileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                        ? 0
                        : static_cast<std::uint64_t>(info->EndOfFile.QuadPart);
        entries->push_back(std::move(data));
      }
      if (info->NextEntryOffset == 0) break;
      record += info->NextEntryOffset;
    }
  }
  return ERROR_SUCCESS;
}

win::LONG Win32FileSystem::GetFolderStamp(platform::FolderHandle folder,
                                          platform::FolderStamp* stamp) {
  if (!stamp) return ERROR_INVALID_PARAMETER;
  Folder held;
  if (!Find(folder, &held)) return ERROR_INVALID_HANDLE;
  BY_HANDLE_FILE_INFORMATION info;
  if (!Information(reinterpret_cast<HANDLE>(held.handle), &info)) return LastError();
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  auto ticks = [](const FILETIME& t) {
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(t.dwHighDateTime) << 32) |
                                     t.dwLowDateTime);
  };
  // 100-nanosecond ticks since 1601, kept as nanoseconds since 1970.
  constexpr std::int64_t kUnixEpoch = 116444736000000000LL;
  std::int64_t changed = ticks(info.ftLastWriteTime);
  stamp->volume = info.dwVolumeSerialNumber;
  stamp->file = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
  stamp->changed = (changed - kUnixEpoch) * 100;
  // Times in whole seconds come from a coarse file system (FAT keeps two).
  std::int64_t margin = changed % 10000000 != 0 ? 200000 : 30000000;
  stamp->settled = changed + margin < ticks(now);
  return ERROR_SUCCESS;
}

win::LONG Win32FileSystem::SetFolderAttributes(platform::FolderHandle folder,
                                               win::DWORD attributes) {
  Folder held;
  if (!Find(folder, &held)) return ERROR_INVALID_HANDLE;
  return SetBasicAttributes(reinterpret_cast<HANDLE>(held.handle), attributes);
}

win::LONG Win32FileSystem::GetEntryInfo(platform::FolderHandle folder, const std::string& name,
                                        platform::FindData* data) {
  if (!data) return ERROR_INVALID_PARAMETER;
  std::string path;
  win::LONG error = ERROR_SUCCESS;
  if (!EntryPath(folder, name, &path, &error)) return error;
  // The listing's record of the entry, which never looks through a link.
  std::wstring wide;
  if (!WideName(path, &wide)) return ERROR_INVALID_NAME;
  WIN32_FIND_DATAW found;
  HANDLE search = ::FindFirstFileW(wide.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return LastError();
  ::FindClose(search);
  if (!NarrowName(found.cFileName, &data->name)) return ERROR_INVALID_NAME;
  data->attributes = found.dwFileAttributes;
  data->size = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                   ? 0
                   : (static_cast<std::uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
  return ERROR_SUCCESS;
}

win::LONG Win32FileSystem::SetEntryAttributes(platform::FolderHandle folder,
                                              const std::string& name, win::DWORD attributes) {
  std::string path;
  win::LONG error = ERROR_SUCCESS;
  if (!EntryPath(folder, name, &path, &error)) return error;
  Handle h(CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES, kEntryShare,
                       nullptr, OPEN_EXISTING, kAsItself, nullptr));
  if (!h.valid()) return LastError();
  BY_HANDLE_FILE_INFORMATION info;
  if (!Information(h.get(), &info)) return LastError();
  if (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) return ERROR_ACCESS_DENIED;
  return SetBasicAttributes(h.get(), attributes);
}

win::LONG Win32FileSystem::DeleteEntryFile(platform::FolderHandle folder,
                                           const std::string& name) {
  std::string path;
  win::LONG error = ERROR_SUCCESS;
  if (!EntryPath(folder, name, &path, &error)) return error;
  return DeleteOrProbe(path, true);
}

win::LONG Win32FileSystem::ProbeDeleteEntryFile(platform::FolderHandle folder,
                                                const std::string& name) {
  std::string path;
  win::LONG error = ERROR_SUCCESS;
  if (!EntryPath(folder, name, &path, &error)) return error;
  return DeleteOrProbe(path, false);
}

win::LONG Win32FileSystem::RemoveEntryFolder(platform::FolderHandle folder,
                                             const std::string& name) {
  std::string path;
  win::LONG error = ERROR_SUCCESS;
  if (!EntryPath(folder, name, &path, &error)) return error;
  Handle h(CreateFileA(path.c_str(), DELETE | FILE_READ_ATTRIBUTES | FILE_LIST_DIRECTORY,
                       kEntryShare, nullptr, OPEN_EXISTING, kAsItself, nullptr));
  if (!h.valid()) return LastError();
  BY_HANDLE_FILE_INFORMATION info;
  if (!Information(h.get(), &info)) return LastError();
  DWORD attributes = info.dwFileAttributes;
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return ERROR_ACCESS_DENIED;
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return ERROR_DIRECTORY;
  if (attributes & FILE_ATTRIBUTE_READONLY) return ERROR_ACCESS_DENIED;
  // Asked of the open folder itself, so the answer is about this folder.
  std::vector<std::uint64_t> buffer(4096 / sizeof(std::uint64_t));
  if (GetFileInformationByHandleEx(h.get(), FileIdBothDirectoryRestartInfo, buffer.data(),
                                   static_cast<DWORD>(buffer.size() * sizeof(std::uint64_t)))) {
    auto* record = reinterpret_cast<const char*>(buffer.data());
    for (;;) {
      auto* entry = reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(record);
      std::wstring_view entryName(entry->FileName, entry->FileNameLength / sizeof(WCHAR));
      if (entryName != L"." && entryName != L"..") return ERROR_DIR_NOT_EMPTY;
      if (entry->NextEntryOffset == 0) break;
      record += entry->NextEntryOffset;
    }
    // More records than fit: there is something beyond the dots.
    if (GetFileInformationByHandleEx(h.get(), FileIdBothDirectoryInfo, buffer.data(),
                                     static_cast<DWORD>(buffer.size() * sizeof(std::uint64_t))))
      return ERROR_DIR_NOT_EMPTY;
  }
  return Dispose(h.get());
}

}  // namespace vb::win32
