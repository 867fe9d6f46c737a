#include "conformance/platform_target.h"

namespace vb::conformance {

using namespace vb::win;

void RemoveTree(platform::FileSystemApi& files, const std::string& folder) {
  platform::FindData entry;
  platform::FindHandle handle = -1;
  std::vector<platform::FindData> entries;
  if (files.FindFirstFileA(folder + "\\*", &entry, &handle) == kErrorSuccess) {
    do {
      if (entry.name != "." && entry.name != "..") entries.push_back(entry);
    } while (files.FindNextFileA(handle, &entry) == kErrorSuccess);
    files.FindClose(handle);
  }
  for (const platform::FindData& e : entries) {
    std::string path = folder + "\\" + e.name;
    bool folderEntry = (e.attributes & kFileAttributeDirectory) != 0;
    bool link = (e.attributes & kFileAttributeReparsePoint) != 0;
    // Read-only entries cannot go; a link keeps its target's attributes alone.
    if (!link) files.SetFileAttributesA(path, folderEntry ? 0 : kFileAttributeArchive);
    if (folderEntry && !link) RemoveTree(files, path);
    if (folderEntry)
      files.RemoveDirectoryA(path);
    else
      files.DeleteFileA(path);
  }
  files.SetFileAttributesA(folder, 0);
  files.RemoveDirectoryA(folder);
}

void RemoveKeyTree(platform::RegistryApi& registry, HKEY root, const std::string& path) {
  HKEY key = 0;
  if (registry.RegOpenKeyExA(root, path.c_str(), 0, kKeyAllAccess, &key) != kErrorSuccess) return;
  // Index 0 each time: the list shrinks as its entries go.
  char name[256];
  std::vector<std::string> children;
  for (DWORD i = 0; registry.RegEnumKeyA(key, i, name, sizeof name) == kErrorSuccess; ++i)
    children.push_back(name);
  registry.RegCloseKey(key);
  for (const std::string& child : children) RemoveKeyTree(registry, root, path + "\\" + child);
  registry.RegDeleteKeyA(root, path.c_str());
}

std::vector<std::string> PlatformTest::Names(const std::string& pattern, LONG* error) {
  std::vector<std::string> names;
  platform::FindData entry;
  platform::FindHandle handle = -1;
  LONG rc = files().FindFirstFileA(pattern, &entry, &handle);
  if (error) *error = rc;
  if (rc != kErrorSuccess) return names;
  do names.push_back(entry.name);
  while (files().FindNextFileA(handle, &entry) == kErrorSuccess);
  files().FindClose(handle);
  return names;
}

}  // namespace vb::conformance
