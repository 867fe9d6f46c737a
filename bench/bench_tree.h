// The folder tree the file-walk benchmarks lay in a host folder: 10 groups,
// each a folder with 99 subfolders, every folder holding the same number of
// files of 0 to 4999 bytes, one file in a hundred carrying the hidden
// attribute (user.DOSATTRIB "0x2").
#pragma once

#include <string>

namespace bench {

constexpr int kGroups = 10;
constexpr int kSubfoldersPerGroup = 99;

// Lays the tree below `root`; returns the number of files written.
long MakeTree(const std::string& root, int filesPerFolder);

}  // namespace bench
