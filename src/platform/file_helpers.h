// File operations the program builds on FileSystemApi.
#pragma once

#include <cstdint>
#include <string>

#include "platform/file_system_api.h"

namespace vb::platform {

// Deletes every plain file (neither hidden, system nor a folder, as a listing
// with attributes 0 finds them) that a path or wildcard pattern names. Every
// match is tried; the result is the first failure (kErrorAccessDenied for a
// read-only file, kErrorSharingViolation for one in use), or
// kErrorFileNotFound / kErrorPathNotFound when nothing matches.
[[nodiscard]] LONG DeleteFiles(FileSystemApi& files, const std::string& pathOrPattern);

// The size of a file, as a 64-bit number so that files of 2 GB and more keep
// their real size; 0 when the file is missing or is a folder.
std::int64_t FileLength(FileSystemApi& files, const std::string& path);

// The folder part of a path or pattern with its separator ("C:\Temp\" of
// "C:\Temp\*.log", "D:" of "D:x.txt", "" of "x.txt"), to put before the
// names a listing returns.
std::string FolderPrefix(const std::string& pathOrPattern);

}  // namespace vb::platform
