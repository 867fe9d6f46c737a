#include "platform/entry_lister.h"

namespace vb::platform {

EntryLister::EntryLister(FileSystemApi& files) : files_(files) {}

EntryLister::~EntryLister() { Close(); }

void EntryLister::Close() {
  if (open_) files_.FindClose(handle_);
  open_ = false;
  handle_ = -1;
}

bool EntryLister::Wanted(const FindData& entry) const {
  if (entry.name == "." || entry.name == "..") return (attributes_ & kFileAttributeDirectory) != 0;
  constexpr DWORD kFiltered =
      kFileAttributeHidden | kFileAttributeSystem | kFileAttributeDirectory;
  return (entry.attributes & kFiltered & ~attributes_) == 0;
}

std::string EntryLister::NextWanted(FindData entry) {
  for (;;) {
    if (Wanted(entry)) return entry.name;
    if (files_.FindNextFileA(handle_, &entry) != kErrorSuccess) {
      Close();
      return std::string();
    }
  }
}

std::string EntryLister::ListEntries(const std::string& pattern, DWORD attributes) {
  Close();
  if (pattern.empty()) return std::string();
  attributes_ = attributes;
  std::string search = pattern;
  if (search.back() == '\\' || search.back() == '/') search += "*.*";
  FindData entry;
  FindHandle handle = -1;
  if (files_.FindFirstFileA(search, &entry, &handle) != kErrorSuccess) return std::string();
  handle_ = handle;
  open_ = true;
  return NextWanted(std::move(entry));
}

std::string EntryLister::NextEntry() {
  if (!open_) return std::string();
  FindData entry;
  if (files_.FindNextFileA(handle_, &entry) != kErrorSuccess) {
    Close();
    return std::string();
  }
  return NextWanted(std::move(entry));
}

}  // namespace vb::platform
