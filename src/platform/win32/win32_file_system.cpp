// The file system over kernel32: ANSI functions, and wide ones for listings.
#include <windows.h>

#include <algorithm>
#include <vector>

#include "platform/win32/win32_handle.h"
#include "platform/win32/win32_names.h"
#include "platform/win32/win32_platform.h"

namespace vb::win32 {

namespace {

platform::FindHandle Ours(HANDLE handle) { return reinterpret_cast<platform::FindHandle>(handle); }
HANDLE Native(platform::FindHandle handle) { return reinterpret_cast<HANDLE>(handle); }

// The entry a wide listing found, in the program's text; false for a name the
// ANSI code page cannot carry, which the listing leaves out.
bool FromFind(const WIN32_FIND_DATAW& found, platform::FindData* data) {
  if (!NarrowName(found.cFileName, &data->name)) return false;
  data->attributes = found.dwFileAttributes;
  data->size = (static_cast<std::uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
  return true;
}

// The last component of a path, as a listing names the entry.
std::string LeafOf(const std::string& path) {
  std::string trimmed = path;
  while (trimmed.size() > 1 && (trimmed.back() == '\\' || trimmed.back() == '/')) trimmed.pop_back();
  std::size_t separator = trimmed.find_last_of("\\/:");
  return separator == std::string::npos ? trimmed : trimmed.substr(separator + 1);
}

}  // namespace

// Listings go through the wide functions, which see every name as it is,
// rather than the ANSI ones, which would hand a name the code page cannot
// carry over best-fitted (the ligature U+FB01 as "fi") or with "?" in its place.
win::LONG Win32FileSystem::FindFirstFileA(const std::string& pattern, platform::FindData* data,
                                          platform::FindHandle* handle) {
  if (!data || !handle) return ERROR_INVALID_PARAMETER;
  *handle = Ours(INVALID_HANDLE_VALUE);
  std::wstring wide;
  if (!WideName(pattern, &wide)) return ERROR_INVALID_NAME;
  WIN32_FIND_DATAW found;
  HANDLE h = ::FindFirstFileW(wide.c_str(), &found);
  if (h == INVALID_HANDLE_VALUE) return LastError();
  while (!FromFind(found, data)) {
    if (!::FindNextFileW(h, &found)) {
      ::FindClose(h);
      return ERROR_FILE_NOT_FOUND;
    }
  }
  *handle = Ours(h);
  return ERROR_SUCCESS;
}

win::LONG Win32FileSystem::FindNextFileA(platform::FindHandle handle, platform::FindData* data) {
  if (!data) return ERROR_INVALID_PARAMETER;
  WIN32_FIND_DATAW found;
  do {
    if (!::FindNextFileW(Native(handle), &found)) return LastError();
  } while (!FromFind(found, data));
  return ERROR_SUCCESS;
}

void Win32FileSystem::FindClose(platform::FindHandle handle) {
  if (Native(handle) != INVALID_HANDLE_VALUE) ::FindClose(Native(handle));
}

win::DWORD Win32FileSystem::GetFileAttributesA(const std::string& path) {
  return ::GetFileAttributesA(path.c_str());
}

win::LONG Win32FileSystem::SetFileAttributesA(const std::string& path, win::DWORD attributes) {
  return ::SetFileAttributesA(path.c_str(), attributes) ? ERROR_SUCCESS
                                                         : LastError();
}

win::LONG Win32FileSystem::GetFileAttributesExA(const std::string& path,
                                                platform::FindData* data) {
  if (!data) return ERROR_INVALID_PARAMETER;
  WIN32_FILE_ATTRIBUTE_DATA found;
  if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &found))
    return LastError();
  data->attributes = found.dwFileAttributes;
  data->size = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                   ? 0
                   : (static_cast<std::uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
  data->name = LeafOf(path);
  return ERROR_SUCCESS;
}

win::LONG Win32FileSystem::DeleteFileA(const std::string& path) {
  return ::DeleteFileA(path.c_str()) ? ERROR_SUCCESS : LastError();
}

win::LONG Win32FileSystem::RemoveDirectoryA(const std::string& path) {
  return ::RemoveDirectoryA(path.c_str()) ? ERROR_SUCCESS
                                          : LastError();
}

win::LONG Win32FileSystem::CreateDirectoryA(const std::string& path) {
  return ::CreateDirectoryA(path.c_str(), nullptr) ? ERROR_SUCCESS
                                                   : LastError();
}

win::LONG Win32FileSystem::ReadFileBytes(const std::string& path, std::string* content) {
  if (!content) return ERROR_INVALID_PARAMETER;
  Handle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return LastError();
  std::string bytes;
  std::vector<char> buffer(65536);
  for (;;) {
    DWORD read = 0;
    if (!::ReadFile(file.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr))
      return LastError();
    if (read == 0) break;
    bytes.append(buffer.data(), read);
  }
  *content = std::move(bytes);
  return ERROR_SUCCESS;
}

win::LONG Win32FileSystem::WriteFileBytes(const std::string& path, const std::string& content) {
  // OPEN_ALWAYS and then truncation, since CREATE_ALWAYS refuses an existing
  // hidden or system file whose attributes the call does not repeat.
  Handle file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return LastError();
  if (!SetEndOfFile(file.get())) return LastError();
  std::size_t written = 0;
  while (written < content.size()) {
    DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(content.size() - written, 1u << 20));
    DWORD done = 0;
    if (!::WriteFile(file.get(), content.data() + written, chunk, &done, nullptr))
      return LastError();
    written += done;
  }
  return ERROR_SUCCESS;
}

std::string Win32FileSystem::GetPrivateProfileStringA(const std::string& section,
                                                      const std::string& key,
                                                      const std::string& defaultValue,
                                                      const std::string& iniPath) {
  // The result fills the buffer but for its NUL when it was cut short.
  for (DWORD size = 256;; size *= 2) {
    std::vector<char> buffer(size);
    DWORD length = ::GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(),
                                              buffer.data(), size, iniPath.c_str());
    if (length + 1 < size || size >= (1u << 20)) return std::string(buffer.data(), length);
  }
}

std::intptr_t Win32FileSystem::HoldFileOpen(const std::string& path, win::LONG* error) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (error) *error = h == INVALID_HANDLE_VALUE ? LastError() : 0;
  return h == INVALID_HANDLE_VALUE ? -1 : reinterpret_cast<std::intptr_t>(h);
}

win::LONG Win32FileSystem::CreateFolderLink(const std::string& link, const std::string& target) {
  // SYMBOLIC_LINK_FLAG_DIRECTORY, with ALLOW_UNPRIVILEGED_CREATE first (older
  // systems refuse the unknown flag).
  for (DWORD flags : {0x1u | 0x2u, 0x1u}) {
    if (!CreateSymbolicLinkA(link.c_str(), target.c_str(), flags)) continue;
    // Some systems answer TRUE and make nothing (Wine); a link is one only
    // when it is there as a reparse point.
    DWORD attributes = ::GetFileAttributesA(link.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT))
      return ERROR_SUCCESS;
    return ERROR_NOT_SUPPORTED;
  }
  return LastError();
}

void Win32FileSystem::CloseHeldFile(std::intptr_t handle) {
  if (handle != -1) CloseHandle(reinterpret_cast<HANDLE>(handle));
}

}  // namespace vb::win32
