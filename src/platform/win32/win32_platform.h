// The real Windows machine: every platform interface as a thin pass-through to
// the ANSI functions of advapi32, kernel32, wininet, shell32, comdlg32, user32,
// comctl32 and winmm. This header stays free of <windows.h>: handles cross it
// as the integers of win_types.h.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace vb::win32 {

class Win32Registry final : public platform::RegistryApi {
 public:
  [[nodiscard]] win::LONG RegOpenKeyA(win::HKEY key, const char* subKey,
                                      win::HKEY* result) override;
  [[nodiscard]] win::LONG RegOpenKeyExA(win::HKEY key, const char* subKey, win::DWORD options,
                                        win::DWORD access, win::HKEY* result) override;
  [[nodiscard]] win::LONG RegCreateKeyA(win::HKEY key, const char* subKey,
                                        win::HKEY* result) override;
  [[nodiscard]] win::LONG RegCreateKeyExA(win::HKEY key, const char* subKey, win::DWORD reserved,
                                          const char* keyClass, win::DWORD options,
                                          win::DWORD access, win::HKEY* result,
                                          win::DWORD* disposition) override;
  [[nodiscard]] win::LONG RegQueryValueExA(win::HKEY key, const char* valueName, win::DWORD* type,
                                           win::BYTE* data, win::DWORD* size) override;
  [[nodiscard]] win::LONG RegSetValueExA(win::HKEY key, const char* valueName, win::DWORD type,
                                         const win::BYTE* data, win::DWORD size) override;
  win::LONG RegDeleteValueA(win::HKEY key, const char* valueName) override;
  win::LONG RegDeleteKeyA(win::HKEY key, const char* subKey) override;
  [[nodiscard]] win::LONG RegEnumKeyA(win::HKEY key, win::DWORD index, char* name,
                                      win::DWORD nameSize) override;
  [[nodiscard]] win::LONG RegEnumValueA(win::HKEY key, win::DWORD index, char* name,
                                        win::DWORD* nameSize, win::DWORD* type, win::BYTE* data,
                                        win::DWORD* dataSize) override;
  [[nodiscard]] win::LONG RegQueryInfoKeyA(win::HKEY key, platform::RegKeyInfo* info) override;
  win::LONG RegCloseKey(win::HKEY key) override;
};

class Win32FileSystem final : public platform::FileSystemApi {
 public:
  [[nodiscard]] win::LONG FindFirstFileA(const std::string& pattern, platform::FindData* data,
                                         platform::FindHandle* handle) override;
  [[nodiscard]] win::LONG FindNextFileA(platform::FindHandle handle,
                                        platform::FindData* data) override;
  void FindClose(platform::FindHandle handle) override;

  [[nodiscard]] win::DWORD GetFileAttributesA(const std::string& path) override;
  win::LONG SetFileAttributesA(const std::string& path, win::DWORD attributes) override;
  [[nodiscard]] win::LONG GetFileAttributesExA(const std::string& path,
                                               platform::FindData* data) override;

  win::LONG DeleteFileA(const std::string& path) override;
  win::LONG RemoveDirectoryA(const std::string& path) override;
  [[nodiscard]] win::LONG CreateDirectoryA(const std::string& path) override;

  [[nodiscard]] win::LONG ReadFileBytes(const std::string& path, std::string* content) override;
  [[nodiscard]] win::LONG WriteFileBytes(const std::string& path,
                                         const std::string& content) override;

  // Folder handles, realised as the interface describes: a handle of each
  // open folder without FILE_SHARE_DELETE, and the entries reached by the
  // folder's own final path plus their bare names, opened as themselves.
  [[nodiscard]] win::LONG OpenFolder(const std::string& path, platform::FolderHandle* folder,
                                     bool* driveRoot) override;
  [[nodiscard]] win::LONG OpenSubfolder(platform::FolderHandle folder, const std::string& name,
                                        platform::FolderHandle* sub) override;
  void CloseFolder(platform::FolderHandle folder) override;
  [[nodiscard]] win::LONG ListFolder(platform::FolderHandle folder, platform::ListDetail detail,
                                     std::vector<platform::FindData>* entries) override;
  [[nodiscard]] win::LONG GetFolderStamp(platform::FolderHandle folder,
                                         platform::FolderStamp* stamp) override;
  win::LONG SetFolderAttributes(platform::FolderHandle folder, win::DWORD attributes) override;
  [[nodiscard]] win::LONG GetEntryInfo(platform::FolderHandle folder, const std::string& name,
                                       platform::FindData* data) override;
  win::LONG SetEntryAttributes(platform::FolderHandle folder, const std::string& name,
                               win::DWORD attributes) override;
  [[nodiscard]] win::LONG DeleteEntryFile(platform::FolderHandle folder,
                                          const std::string& name) override;
  [[nodiscard]] win::LONG ProbeDeleteEntryFile(platform::FolderHandle folder,
                                               const std::string& name) override;
  win::LONG RemoveEntryFolder(platform::FolderHandle folder, const std::string& name) override;
  [[nodiscard]] win::LONG CleanEntryDatabase(platform::FolderHandle folder, const std::string& name,
                                             const platform::DatabaseWork& work,
                                             platform::DatabaseOutcome* outcome) override;
  [[nodiscard]] win::LONG ProbeCleanEntryDatabase(platform::FolderHandle folder,
                                                  const std::string& name,
                                                  const platform::DatabaseWork& work,
                                                  platform::DatabaseOutcome* outcome) override;

  std::string GetPrivateProfileStringA(const std::string& section, const std::string& key,
                                       const std::string& defaultValue,
                                       const std::string& iniPath) override;

  Win32FileSystem() = default;
  ~Win32FileSystem() override;
  Win32FileSystem(const Win32FileSystem&) = delete;
  Win32FileSystem& operator=(const Win32FileSystem&) = delete;

  // Opens a file for reading and writing without FILE_SHARE_DELETE (and
  // without any sharing), as a program that has it in use does: until
  // CloseHeldFile, deleting it fails with a sharing violation. -1 on failure,
  // with the error in *error.
  [[nodiscard]] static std::intptr_t HoldFileOpen(const std::string& path, win::LONG* error);
  static void CloseHeldFile(std::intptr_t handle);
  // CreateSymbolicLinkA for a folder (unprivileged where Windows allows it).
  [[nodiscard]] static win::LONG CreateFolderLink(const std::string& link,
                                                  const std::string& target);

 private:
  struct Folder {
    std::intptr_t handle = -1;  // the kernel handle
    std::string path;           // its final path ("\\?\C:\Temp"), no trailing "\"
  };
  // The path of an entry of an open folder; false for an unknown handle.
  [[nodiscard]] bool EntryPath(platform::FolderHandle folder, const std::string& name,
                               std::string* path, win::LONG* error);
  platform::FolderHandle Keep(Folder folder);
  // Opens the database entry of an open folder (refused when it may not be
  // cleaned) and hands its handle and path to `work`.
  [[nodiscard]] win::LONG DatabaseEntry(
      platform::FolderHandle folder, const std::string& name,
      const std::function<win::LONG(void*, const std::string&)>& work);
  [[nodiscard]] bool Find(platform::FolderHandle folder, Folder* out);

  std::mutex mutex_;  // guards the open folders
  std::map<platform::FolderHandle, Folder> folders_;
  platform::FolderHandle nextFolder_ = 1;
};

class Win32Environment final : public platform::EnvironmentApi {
 public:
  std::string GetEnvironmentVariableA(const std::string& name) override;
  win::DWORD ExpandEnvironmentStringsA(const char* source, char* destination,
                                       win::DWORD size) override;
  std::string GetTempPathA() override;
  std::string GetDecimalSeparator() override;
};

class Win32UrlCache final : public platform::UrlCacheApi {
 public:
  [[nodiscard]] win::LONG FindFirstUrlCacheEntryA(const char* pattern,
                                                  platform::UrlCacheEntryInfoA* entry,
                                                  win::DWORD* size,
                                                  platform::CacheHandle* handle) override;
  [[nodiscard]] win::LONG FindNextUrlCacheEntryA(platform::CacheHandle handle,
                                                 platform::UrlCacheEntryInfoA* entry,
                                                 win::DWORD* size) override;
  win::LONG FindCloseUrlCache(platform::CacheHandle handle) override;
  [[nodiscard]] win::LONG DeleteUrlCacheEntryA(const char* url) override;
  // WinINet keeps the local files of its entries in its own folders: a local
  // file elsewhere is first copied into a file that CreateUrlCacheEntryA
  // names, and the entry is committed with that copy.
  win::LONG CommitUrlCacheEntryA(const char* url, const char* localFile,
                                 win::DWORD entryType) override;

  // CreateUrlCacheEntryA: the name of a new, empty file in the cache's
  // storage for the entry of url, to be committed.
  [[nodiscard]] static win::LONG CreateUrlCacheEntryA(const char* url, const char* extension,
                                                      std::string* fileName);
};

class Win32Shell final : public platform::ShellApi {
 public:
  win::HRESULT SHQueryRecycleBinA(const char* rootPath, platform::RecycleBinInfo* info) override;
  win::HRESULT SHEmptyRecycleBinA(std::intptr_t ownerWindow, const char* rootPath,
                                  win::DWORD flags) override;

  // Moves a file or folder to the Recycle Bin (SHFileOperationA, FO_DELETE
  // with FOF_ALLOWUNDO, silent): 0 on success.
  [[nodiscard]] static int MoveToRecycleBin(const std::string& path);
};

class Win32UserInterface final : public platform::UserInterfaceApi {
 public:
  int MessageBoxA(const std::string& text, const std::string& caption, win::DWORD style) override;
  [[nodiscard]] std::string GetOpenFileNameA(const platform::FileDialog& dialog) override;
  [[nodiscard]] std::string GetSaveFileNameA(const platform::FileDialog& dialog) override;
  [[nodiscard]] std::string BrowseForFolder(const std::string& title) override;
  void SetCursor(platform::Cursor cursor) override;
  void YieldToEvents() override;
  bool InitCommonControlsEx(win::DWORD size, win::DWORD classes) override;
};

class Win32System final : public platform::SystemApi {
 public:
  void GlobalMemoryStatus(platform::MemoryStatus* status) override;
  win::DWORD timeGetTime() override;
  win::LONG Launch(const std::string& commandLine, int windowStyle) override;
  std::string ProgramFolder() override;
  std::string ProgramName() override;
  std::string CommandLine() override;
  bool UserIsAdministrator() override;
  win::DWORD GetACP() override;
};

// The arguments of a command line: the text after the program's name (quoted
// or not) and the blanks that follow it.
std::string ArgumentsOf(const std::string& commandLine);
// "|"-separated filter text as the common dialogs want it: NUL-separated,
// ending in two NULs.
std::string DialogFilter(const std::string& filter);

// The version of Wine when the program runs under Wine, else empty.
std::string WineVersion();

class Win32Platform final : public platform::Platform {
 public:
  // ui: the user-interface services to use instead of the real message boxes
  // and dialogs (the headless front end answers from a script); null for the
  // real ones.
  explicit Win32Platform(platform::UserInterfaceApi* ui = nullptr);
  ~Win32Platform() override;

  platform::RegistryApi& Registry() override { return registry_; }
  platform::FileSystemApi& Files() override { return files_; }
  platform::EnvironmentApi& Environment() override { return environment_; }
  platform::UrlCacheApi& UrlCache() override { return urlCache_; }
  platform::ShellApi& Shell() override { return shell_; }
  platform::UserInterfaceApi& Ui() override { return ui_ ? *ui_ : realUi_; }
  platform::SystemApi& System() override { return system_; }

 private:
  Win32Registry registry_;
  Win32FileSystem files_;
  Win32Environment environment_;
  Win32UrlCache urlCache_;
  Win32Shell shell_;
  Win32UserInterface realUi_;
  Win32System system_;
  platform::UserInterfaceApi* ui_;
};

}  // namespace vb::win32
