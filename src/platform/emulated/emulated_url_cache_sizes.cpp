#include "platform/emulated/emulated_url_cache_sizes.h"

#include <utility>

namespace vb::emu {

using namespace vb::win;

namespace {

// More folders than a cache spreads its files over; past it, the open
// folders are closed and opened again as they come.
constexpr std::size_t kMostFolders = 64;

}  // namespace

UrlCacheFileSizes::UrlCacheFileSizes(UrlCacheFileSizes&& other) noexcept
    : files_(other.files_), folders_(std::exchange(other.folders_, {})) {}

void UrlCacheFileSizes::CloseAll() {
  for (const auto& [path, folder] : folders_)
    if (folder != platform::kInvalidFolderHandle) files_->CloseFolder(folder);
  folders_.clear();
}

bool UrlCacheFileSizes::SizeOf(const std::string& path, std::uint64_t* size) {
  std::size_t cut = path.find_last_of("\\/");
  std::string leaf = cut == std::string::npos ? std::string() : path.substr(cut + 1);
  platform::FindData data;
  if (!leaf.empty() && leaf != "." && leaf != "..") {
    std::string folderPath = path.substr(0, cut + 1);
    auto it = folders_.find(folderPath);
    if (it == folders_.end()) {
      if (folders_.size() >= kMostFolders) CloseAll();
      platform::FolderHandle folder = platform::kInvalidFolderHandle;
      if (files_->OpenFolder(folderPath, &folder, nullptr) != kErrorSuccess)
        folder = platform::kInvalidFolderHandle;
      it = folders_.emplace(folderPath, folder).first;
    }
    // The entry by its exact name; a name spelt in another case than the
    // file's takes the path's own lookup below.
    if (it->second != platform::kInvalidFolderHandle &&
        files_->GetEntryInfo(it->second, leaf, &data) == kErrorSuccess) {
      *size = data.size;
      return true;
    }
  }
  if (files_->GetFileAttributesExA(path, &data) != kErrorSuccess) return false;
  *size = data.size;
  return true;
}

}  // namespace vb::emu
