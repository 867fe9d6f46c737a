// The invisible file and folder lists of the main window: enumerators of one
// folder each, with a wildcard and an attribute filter, kept in alphabetical
// order without regard to case. They keep their state between calls, so other
// routines set their filters.
//
// A list is rebuilt when its Path, Pattern or a filter is set and on Refresh;
// the rebuild itself is carried out when the list is next read, so a rebuild
// that nothing reads (the removal routines ask for many) costs nothing. Once
// carried out, the list does not change by itself when files change.
//
// Neither kind lists symbolic links, junctions or other reparse points.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/file_system_api.h"

namespace vb::engine {

// A folder path as the lists read it back: without a trailing "\", except for
// a drive root ("C:\", and "\" for the root of the current drive).
[[nodiscard]] std::string ListedPath(const std::string& path);

class FileList {
 public:
  explicit FileList(platform::FileSystemApi& files) : files_(files) {}

  // The folder listed, read back without a trailing "\" except for a drive
  // root ("C:\"). Setting it rebuilds the list.
  const std::string& Path() const { return path_; }
  void SetPath(const std::string& path);
  // Sets Path, the list to be read through a folder the caller holds open (a
  // removal routine, which must not meet another folder by the path), until
  // the caller calls Release with it, before closing it.
  void SetPathIn(const std::string& path, platform::FolderHandle folder);
  // From now on the list is read by its Path again, if it was read through `folder`.
  void Release(platform::FolderHandle folder);
  // One wildcard ("*.txt"), taken as it is.
  void SetPattern(const std::string& pattern) { SetPatterns({pattern}, false); }
  // Files any of which matches; with exact, the patterns are names, matched
  // without wildcards.
  void SetPatterns(std::vector<std::string> patterns, bool exact);
  // Archive and normal files are always listed; read-only, hidden and system
  // files only while their filter is on.
  bool Hidden() const { return hidden_; }
  void SetHidden(bool on);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool on);
  bool System() const { return system_; }
  void SetSystem(bool on);
  void Refresh();

  int ListCount() const;
  // The bare name of a file; "" past the end.
  const std::string& List(int index) const;
  // What the listing found of that file: name, attributes and size.
  const platform::FindData& Entry(int index) const;
  // Takes the subfolders (no reparse points) that the last listing found
  // beside the files, in the lists' order, with their attributes: a routine
  // that reads the files and then walks the subfolders reads the folder once.
  std::vector<platform::FindData> TakeSubfolders() { return std::move(subfolders_); }

 private:
  void Rebuild();
  void Build() const;
  bool Wanted(const platform::FindData& entry) const;

  platform::FileSystemApi& files_;
  std::string path_;
  std::vector<std::string> patterns_ = {"*.*"};
  bool exact_ = false;
  bool hidden_ = false;
  bool readOnly_ = false;
  bool system_ = false;
  platform::FolderHandle folder_ = platform::kInvalidFolderHandle;
  // The listing, carried out when first read after a rebuild was asked for.
  mutable bool stale_ = false;
  mutable std::vector<platform::FindData> entries_;  // in the listing's order
  mutable std::vector<std::uint32_t> order_;         // their positions in the list's order
  mutable std::vector<platform::FindData> subfolders_;
};

class FolderList {
 public:
  explicit FolderList(platform::FileSystemApi& files) : files_(files) {}

  const std::string& Path() const { return path_; }
  void SetPath(const std::string& path);
  // As FileList::SetPathIn and FileList::Release.
  void SetPathIn(const std::string& path, platform::FolderHandle folder);
  void Release(platform::FolderHandle folder);
  void Refresh();
  int ListCount() const;
  // The full path of an immediate subfolder; "" past the end.
  const std::string& List(int index) const;
  // Its bare name.
  const std::string& Name(int index) const;

 private:
  void Build() const;
  void Fill(platform::FolderHandle folder) const;

  platform::FileSystemApi& files_;
  std::string path_;
  platform::FolderHandle folder_ = platform::kInvalidFolderHandle;
  mutable bool stale_ = false;
  mutable std::vector<std::string> folders_;
  mutable std::vector<std::string> names_;
  // What the folders were read from: a rebuild of the same path whose folder
  // has the same settled stamp finds the same subfolders and reads nothing.
  mutable std::string builtPath_;
  mutable platform::FolderStamp stamp_;
  mutable bool reusable_ = false;
};

}  // namespace vb::engine
