// Searches by wildcard: FindFirstFileA, FindNextFileA and FindClose. A search
// lists its folder once, sorted as NTFS sorts names, and hands the entries
// out one at a time.
#include "platform/emulated/emulated_file_system.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <string_view>

#include "platform/emulated/host_entries.h"
#include "platform/emulated/host_paths.h"
#include "platform/wildcard.h"

namespace vb::emu {

using namespace vb::win;
using platform::FindData;
using platform::FindHandle;

LONG EmulatedFileSystem::ListMatching(const std::string& folder, const std::string& pattern,
                                      std::vector<FindData>* entries) {
  std::string host;
  bool root = false;
  LONG error = paths_.ResolveFolder(folder, &host, &root);
  if (error != kErrorSuccess) return error;
  HostFd fd = OpenHostFolder(host);
  std::vector<std::string> names;
  if (!fd.valid() || !ReadFolderNames(fd.get(), &names)) return kErrorPathNotFound;

  std::vector<FindData> found;
  for (const std::string& name : names) {
    if (!RepresentableName(name) || !platform::MatchesWildcard(pattern, name)) continue;
    struct stat st;
    if (fstatat(fd.get(), name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
    found.push_back(EntryOf(host + "/" + name, name, st));
  }
  std::sort(found.begin(), found.end(), [](const FindData& a, const FindData& b) {
    int order = CompareNoCase(a.name, b.name);
    return order != 0 ? order < 0 : a.name < b.name;
  });

  // "." and ".." head the listing of any folder but a drive root.
  entries->clear();
  if (!root) {
    for (const char* dots : {".", ".."}) {
      struct stat st;
      if (!platform::MatchesWildcard(pattern, dots) || fstatat(fd.get(), dots, &st, 0) != 0)
        continue;
      FindData data = EntryOf(host + "/" + dots, dots, st);
      entries->push_back(data);
    }
  }
  entries->insert(entries->end(), found.begin(), found.end());
  return kErrorSuccess;
}

LONG EmulatedFileSystem::FindFirstFileA(const std::string& pattern, FindData* data,
                                        FindHandle* handle) {
  if (!data || !handle) return kErrorInvalidParameter;
  *handle = kInvalidFindHandle;
  std::size_t separator = pattern.find_last_of("\\/");
  std::string folder;
  std::string leaf;
  if (separator != std::string::npos) {
    folder = pattern.substr(0, separator + 1);
    leaf = pattern.substr(separator + 1);
  } else if (pattern.size() >= 2 && pattern[1] == ':') {
    folder = pattern.substr(0, 2);
    leaf = pattern.substr(2);
  } else {
    folder = "\\";
    leaf = pattern;
  }
  if (leaf.empty()) return kErrorFileNotFound;

  std::vector<FindData> entries;
  if (!platform::HasWildcard(leaf)) {
    // No wildcard: exactly the entry the path names, a folder included.
    Located at;
    LONG error = Locate(paths_, pattern, &at);
    if (error != kErrorSuccess) return error;
    if (!at.exists || at.where.root) return kErrorFileNotFound;
    entries.push_back(EntryOf(at.where.host, at.where.leaf, at.st));
  } else {
    for (char c : leaf)
      if (static_cast<unsigned char>(c) < 0x20 || std::string_view("<>:\"|").find(c) !=
                                                     std::string_view::npos)
        return kErrorInvalidName;
    LONG error = ListMatching(folder, leaf, &entries);
    if (error != kErrorSuccess) return error;
    if (entries.empty()) return kErrorFileNotFound;
  }

  std::lock_guard<std::mutex> lock(mutex_);
  FindHandle id = nextHandle_++;
  *data = entries.front();
  Search& search = searches_[id];
  search.entries = std::move(entries);
  search.next = 1;
  *handle = id;
  return kErrorSuccess;
}

LONG EmulatedFileSystem::FindNextFileA(FindHandle handle, FindData* data) {
  std::lock_guard<std::mutex> lock(mutex_);
  auto it = searches_.find(handle);
  if (it == searches_.end() || !data) return kErrorInvalidHandle;
  Search& search = it->second;
  if (search.next >= search.entries.size()) return kErrorNoMoreFiles;
  *data = search.entries[search.next++];
  return kErrorSuccess;
}

void EmulatedFileSystem::FindClose(FindHandle handle) {
  std::lock_guard<std::mutex> lock(mutex_);
  searches_.erase(handle);
}

}  // namespace vb::emu
