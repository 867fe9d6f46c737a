#include "engine/file_lists.h"

#include <algorithm>
#include <cstdint>

#include "platform/ascii_case.h"
#include "platform/wildcard.h"

namespace vb::engine {

using namespace vb::win;
using platform::FindData;
using platform::FolderHandle;
using platform::kInvalidFolderHandle;

namespace {

const std::string& NoText() {
  static const std::string kNone;
  return kNone;
}

// The folder the list reads: the one the caller holds open, else the one its
// path names now, opened for the listing only.
class ListedFolder {
 public:
  ListedFolder(platform::FileSystemApi& files, FolderHandle held, const std::string& path)
      : files_(files), handle_(held) {
    if (handle_ == kInvalidFolderHandle && !path.empty() &&
        files_.OpenFolder(path, &handle_, nullptr) == kErrorSuccess)
      owned_ = true;
  }
  ~ListedFolder() {
    if (owned_) files_.CloseFolder(handle_);
  }
  ListedFolder(const ListedFolder&) = delete;
  ListedFolder& operator=(const ListedFolder&) = delete;
  FolderHandle get() const { return handle_; }
  bool valid() const { return handle_ != kInvalidFolderHandle; }

 private:
  platform::FileSystemApi& files_;
  FolderHandle handle_;
  bool owned_ = false;
};

// The order of the lists: names compared with their letters upper-cased,
// then byte for byte, so that names differing only in case keep one order.
bool ListedBefore(const std::string& a, const std::string& b) {
  std::size_t common = std::min(a.size(), b.size());
  // Up to the first byte that differs, the upper-cased letters are the same too.
  std::size_t i = 0;
  while (i < common && a[i] == b[i]) ++i;
  for (; i < common; ++i) {
    auto x = static_cast<unsigned char>(platform::UpperAscii(a[i]));
    auto y = static_cast<unsigned char>(platform::UpperAscii(b[i]));
    if (x != y) return x < y;
  }
  if (a.size() != b.size()) return a.size() < b.size();
  return a < b;
}

// The first eight upper-cased bytes of a name as one number that orders as
// they do (a shorter name padded with zeros, which sort first): most names
// are told apart by it without a look at their letters.
std::uint64_t OrderPrefix(const std::string& name) {
  std::uint64_t key = 0;
  for (std::size_t i = 0; i < 8; ++i) {
    unsigned char c = i < name.size() ? static_cast<unsigned char>(platform::UpperAscii(name[i])) : 0;
    key = key << 8 | c;
  }
  return key;
}

// The positions of the items in the lists' order.
template <typename T, typename NameOf>
std::vector<std::uint32_t> OrderByName(const std::vector<T>& items, NameOf nameOf) {
  struct Keyed {
    std::uint64_t prefix;
    std::uint32_t index;
  };
  std::vector<Keyed> keyed;
  keyed.reserve(items.size());
  for (std::size_t i = 0; i < items.size(); ++i)
    keyed.push_back({OrderPrefix(nameOf(items[i])), static_cast<std::uint32_t>(i)});
  std::sort(keyed.begin(), keyed.end(), [&](const Keyed& a, const Keyed& b) {
    if (a.prefix != b.prefix) return a.prefix < b.prefix;
    return ListedBefore(nameOf(items[a.index]), nameOf(items[b.index]));
  });
  std::vector<std::uint32_t> order;
  order.reserve(keyed.size());
  for (const Keyed& k : keyed) order.push_back(k.index);
  return order;
}

template <typename T, typename NameOf>
void SortByName(std::vector<T>* items, NameOf nameOf) {
  std::vector<T> sorted;
  sorted.reserve(items->size());
  for (std::uint32_t i : OrderByName(*items, nameOf)) sorted.push_back(std::move((*items)[i]));
  *items = std::move(sorted);
}

bool MatchesAny(const std::vector<std::string>& patterns, bool exact, const std::string& name) {
  for (const std::string& pattern : patterns)
    if (exact ? platform::EqualsIgnoringCase(pattern, name) : platform::MatchesWildcard(pattern, name))
      return true;
  return false;
}

}  // namespace

std::string ListedPath(const std::string& path) {
  std::string folder = path;
  while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
  if (folder.empty()) return path.empty() ? std::string() : std::string("\\");
  if (folder.size() == 2 && folder[1] == ':') return folder + "\\";
  return folder;
}

// ---- FileList ----

void FileList::Rebuild() { stale_ = true; }

void FileList::SetPath(const std::string& path) {
  path_ = ListedPath(path);
  folder_ = kInvalidFolderHandle;
  Rebuild();
}

void FileList::SetPathIn(const std::string& path, FolderHandle folder) {
  path_ = ListedPath(path);
  folder_ = folder;
  Rebuild();
}

void FileList::Release(FolderHandle folder) {
  if (folder_ == folder) folder_ = kInvalidFolderHandle;
}

void FileList::SetPatterns(std::vector<std::string> patterns, bool exact) {
  patterns_ = std::move(patterns);
  exact_ = exact;
  Rebuild();
}

void FileList::SetHidden(bool on) {
  hidden_ = on;
  Rebuild();
}

void FileList::SetReadOnly(bool on) {
  readOnly_ = on;
  Rebuild();
}

void FileList::SetSystem(bool on) {
  system_ = on;
  Rebuild();
}

void FileList::Refresh() { Rebuild(); }

bool FileList::Wanted(const FindData& entry) const {
  DWORD a = entry.attributes;
  if (a & (kFileAttributeDirectory | kFileAttributeReparsePoint)) return false;
  if ((a & kFileAttributeReadonly) && !readOnly_) return false;
  if ((a & kFileAttributeHidden) && !hidden_) return false;
  if ((a & kFileAttributeSystem) && !system_) return false;
  return MatchesAny(patterns_, exact_, entry.name);
}

void FileList::Build() const {
  stale_ = false;
  entries_.clear();
  order_.clear();
  subfolders_.clear();
  ListedFolder folder(files_, folder_, path_);
  if (!folder.valid()) return;
  std::vector<FindData> all;
  if (files_.ListFolder(folder.get(), platform::ListDetail::kFull, &all) != kErrorSuccess) return;
  // The wanted files stay in the listing's vector, moved up over the rest.
  std::size_t kept = 0;
  for (FindData& entry : all) {
    if ((entry.attributes & (kFileAttributeDirectory | kFileAttributeReparsePoint)) ==
        kFileAttributeDirectory) {
      subfolders_.push_back(std::move(entry));
    } else if (Wanted(entry)) {
      if (&all[kept] != &entry) all[kept] = std::move(entry);
      ++kept;
    }
  }
  all.resize(kept);
  entries_ = std::move(all);
  auto name = [](const FindData& e) -> const std::string& { return e.name; };
  order_ = OrderByName(entries_, name);
  SortByName(&subfolders_, name);
}

int FileList::ListCount() const {
  if (stale_) Build();
  return static_cast<int>(entries_.size());
}

const std::string& FileList::List(int index) const {
  if (stale_) Build();
  if (index < 0 || index >= static_cast<int>(entries_.size())) return NoText();
  return entries_[order_[index]].name;
}

const FindData& FileList::Entry(int index) const {
  static const FindData kNoEntry;
  if (stale_) Build();
  if (index < 0 || index >= static_cast<int>(entries_.size())) return kNoEntry;
  return entries_[order_[index]];
}

// ---- FolderList ----

void FolderList::SetPath(const std::string& path) {
  path_ = ListedPath(path);
  folder_ = kInvalidFolderHandle;
  stale_ = true;
}

void FolderList::SetPathIn(const std::string& path, FolderHandle folder) {
  path_ = ListedPath(path);
  folder_ = folder;
  stale_ = true;
}

void FolderList::Release(FolderHandle folder) {
  if (folder_ == folder) folder_ = kInvalidFolderHandle;
}

void FolderList::Refresh() { stale_ = true; }

void FolderList::Fill(FolderHandle folder) const {
  folders_.clear();
  names_.clear();
  std::vector<FindData> all;
  if (files_.ListFolder(folder, platform::ListDetail::kTypes, &all) != kErrorSuccess) return;
  for (FindData& entry : all) {
    if ((entry.attributes & kFileAttributeDirectory) &&
        !(entry.attributes & kFileAttributeReparsePoint))
      names_.push_back(std::move(entry.name));
  }
  SortByName(&names_, [](const std::string& n) -> const std::string& { return n; });
  // A root path ends in its "\" already.
  std::string prefix = path_;
  if (!prefix.empty() && prefix.back() != '\\') prefix += '\\';
  folders_.reserve(names_.size());
  for (const std::string& name : names_) folders_.push_back(prefix + name);
}

void FolderList::Build() const {
  stale_ = false;
  ListedFolder folder(files_, folder_, path_);
  if (!folder.valid()) {
    folders_.clear();
    names_.clear();
    reusable_ = false;
    return;
  }
  platform::FolderStamp now;
  bool stamped = files_.GetFolderStamp(folder.get(), &now) == kErrorSuccess;
  if (stamped && reusable_ && builtPath_ == path_ && now.SameAs(stamp_)) return;
  Fill(folder.get());
  builtPath_ = path_;
  stamp_ = now;
  reusable_ = stamped && now.settled;
}

int FolderList::ListCount() const {
  if (stale_) Build();
  return static_cast<int>(folders_.size());
}

const std::string& FolderList::List(int index) const {
  if (stale_) Build();
  if (index < 0 || index >= static_cast<int>(folders_.size())) return NoText();
  return folders_[index];
}

const std::string& FolderList::Name(int index) const {
  if (stale_) Build();
  if (index < 0 || index >= static_cast<int>(names_.size())) return NoText();
  return names_[index];
}

}  // namespace vb::engine
