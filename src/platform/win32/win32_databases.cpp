// Database cleans over kernel32 and SQLite: the entry is opened as itself
// (a link is refused), asked whether another program holds SQLite's locks
// on it, and then handed to SQLite by its UTF-8 path, or read whole for a
// preview. The handle stays open meanwhile without FILE_SHARE_DELETE, so the
// name cannot be given to another file while the work runs.
#include <windows.h>

#include <string>

#include "platform/sqlite_cleaning.h"
#include "platform/win32/win32_handle.h"
#include "platform/win32/win32_platform.h"

namespace vb::win32 {

namespace {

// SQLite's lock bytes: the pending byte at 1 GiB, the reserved byte after
// it, and 510 shared bytes.
constexpr DWORD kLockStart = 0x40000000;
constexpr DWORD kLockBytes = 512;

// Opens the database entry at `path` into *file (the caller's to close); the
// error when it may not be cleaned.
win::LONG OpenDatabase(const std::string& path, HANDLE* file) {
  Handle h(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!h.valid()) return LastError();
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(h.get(), &info)) return LastError();
  if (info.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY))
    return ERROR_ACCESS_DENIED;
  // Another connection's lock on any of SQLite's lock bytes keeps this one
  // from taking them all; taken for a moment, they are given back at once.
  OVERLAPPED at{};
  at.Offset = kLockStart;
  if (!LockFileEx(h.get(), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, kLockBytes, 0,
                  &at))
    return ERROR_SHARING_VIOLATION;
  UnlockFileEx(h.get(), 0, kLockBytes, 0, &at);
  *file = h.release();
  return ERROR_SUCCESS;
}

// A path of the ANSI code page as UTF-8, which SQLite's file names are.
std::string Utf8Path(const std::string& path) {
  int wide = MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()), nullptr, 0);
  std::wstring w(static_cast<std::size_t>(wide), L'\0');
  MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()), w.data(), wide);
  int bytes = WideCharToMultiByte(CP_UTF8, 0, w.data(), wide, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.data(), wide, utf8.data(), bytes, nullptr, nullptr);
  return utf8;
}

}  // namespace

win::LONG Win32FileSystem::CleanEntryDatabase(platform::FolderHandle folder,
                                              const std::string& name,
                                              const platform::DatabaseWork& work,
                                              platform::DatabaseOutcome* outcome) {
  return DatabaseEntry(folder, name, [&](HANDLE, const std::string& path) {
    return platform::CleanDatabaseFile(Utf8Path(path), work, outcome);
  });
}

win::LONG Win32FileSystem::ProbeCleanEntryDatabase(platform::FolderHandle folder,
                                                   const std::string& name,
                                                   const platform::DatabaseWork& work,
                                                   platform::DatabaseOutcome* outcome) {
  return DatabaseEntry(folder, name, [&](HANDLE file, const std::string&) {
    std::string bytes;
    char buffer[65536];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
      bytes.append(buffer, read);
    return platform::ProbeDatabaseBytes(std::move(bytes), work, outcome);
  });
}

win::LONG Win32FileSystem::DatabaseEntry(
    platform::FolderHandle folder, const std::string& name,
    const std::function<win::LONG(HANDLE, const std::string&)>& work) {
  std::string path;
  win::LONG error = ERROR_SUCCESS;
  if (!EntryPath(folder, name, &path, &error)) return error;
  HANDLE opened = INVALID_HANDLE_VALUE;
  if ((error = OpenDatabase(path, &opened)) != ERROR_SUCCESS) return error;
  Handle file(opened);
  return work(file.get(), path);
}

}  // namespace vb::win32
