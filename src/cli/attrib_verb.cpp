#include "cli/attrib_verb.h"

#include <cctype>
#include <string>
#include <vector>

#include "platform/ascii_case.h"
#include "platform/file_helpers.h"
#include "platform/wildcard.h"

namespace vb::cli {

using namespace vb::win;
using platform::FindData;
using platform::FindHandle;

namespace {

constexpr const char* kAttribUsage = "usage: attrib [+R|-R] [+H|-H] [+S|-S] [+A|-A] PATH\n";
constexpr DWORD kShownBits =
    kFileAttributeReadonly | kFileAttributeHidden | kFileAttributeSystem | kFileAttributeArchive;

DWORD SwitchBit(char letter) {
  switch (letter) {
    case 'R': case 'r': return kFileAttributeReadonly;
    case 'H': case 'h': return kFileAttributeHidden;
    case 'S': case 's': return kFileAttributeSystem;
    case 'A': case 'a': return kFileAttributeArchive;
    default: return 0;
  }
}

// The folder part of the path as a full Windows path: drive letter upper
// case, "\" separators, "\" (below C:) and relative paths (below C:\) made
// absolute.
std::string FullFolder(const std::string& typed) {
  std::string folder = platform::FolderPrefix(typed);
  for (char& c : folder)
    if (c == '/') c = '\\';
  if (folder.size() >= 2 && folder[1] == ':') {
    std::string rest = folder.substr(2);
    if (rest.empty() || rest[0] != '\\') rest = "\\" + rest;
    char drive = folder[0];
    if (drive >= 'a' && drive <= 'z') drive = static_cast<char>(drive - 'a' + 'A');
    return std::string(1, drive) + ":" + rest;
  }
  if (!folder.empty() && folder[0] == '\\') return "C:" + folder;
  return "C:\\" + folder;
}

// A path of the host rather than of the machine: one from the root of the
// host ("/tmp/x": a switch of attrib has one letter), or one into the
// machine's folder ("drive_c/...").
bool HostPath(const std::string& arg) {
  if (arg.size() > 2 && arg[0] == '/') return true;
  std::string first = arg.substr(0, arg.find_first_of("/\\"));
  return first.size() == 7 && platform::EqualsIgnoringCase(first.substr(0, 6), "drive_") &&
         std::isalpha(static_cast<unsigned char>(first[6]));
}

std::string ShowLine(DWORD attributes, const std::string& path) {
  std::string line(13, ' ');
  if (attributes & kFileAttributeArchive) line[0] = 'A';
  if (attributes & kFileAttributeSystem) line[5] = 'S';
  if (attributes & kFileAttributeHidden) line[6] = 'H';
  if (attributes & kFileAttributeReadonly) line[7] = 'R';
  return line + path;
}

std::string Refusal(LONG error, const std::string& path) {
  switch (error) {
    case kErrorAccessDenied: return "Access denied - " + path;
    case kErrorSharingViolation: return "Sharing violation - " + path;
    case kErrorFileNotFound: return "File not found - " + path;
    case kErrorPathNotFound: return "Path not found - " + path;
    default: return "Error " + std::to_string(error) + " - " + path;
  }
}

}  // namespace

int RunAttribVerb(platform::Platform& platform, const std::vector<std::string>& args, VerbIo io) {
  DWORD setBits = 0;
  DWORD clearBits = 0;
  std::vector<std::string> paths;
  for (const std::string& arg : args) {
    if (arg == "/?") {
      io.out << kAttribUsage;
      return kExitOk;
    }
    if (HostPath(arg)) {
      io.err << "attrib: " << arg
             << " is a path of the host, not a Windows path: name the file as the machine "
                "does, such as C:\\WINDOWS\\Temp\\setup.log\n";
      return kExitUsage;
    }
    if (!arg.empty() && (arg[0] == '+' || arg[0] == '-' || arg[0] == '/')) {
      DWORD bit = arg.size() == 2 && arg[0] != '/' ? SwitchBit(arg[1]) : 0;
      if (bit == 0) {
        io.err << "attrib: Parameter format not correct - " << arg << "\n" << kAttribUsage;
        return kExitUsage;
      }
      if ((arg[0] == '+' ? clearBits : setBits) & bit) {
        io.err << "attrib: " << arg << " contradicts an earlier switch\n" << kAttribUsage;
        return kExitUsage;
      }
      (arg[0] == '+' ? setBits : clearBits) |= bit;
      continue;
    }
    paths.push_back(arg);
  }
  if (paths.size() != 1 || paths[0].empty()) {
    io.err << (paths.empty() ? "attrib: Required parameter missing\n"
                             : "attrib: one path only, got " + std::to_string(paths.size()) + "\n")
           << kAttribUsage;
    return kExitUsage;
  }

  const std::string& typed = paths[0];
  std::string folder = FullFolder(typed);
  std::string shownTyped = folder + typed.substr(platform::FolderPrefix(typed).size());
  bool wildcard = platform::HasWildcard(typed.substr(platform::FolderPrefix(typed).size()));

  platform::FileSystemApi& files = platform.Files();
  std::vector<FindData> matches;
  FindData entry;
  FindHandle handle = -1;
  LONG error = files.FindFirstFileA(typed, &entry, &handle);
  if (error == kErrorSuccess) {
    do {
      // A wildcard matches files only, as attrib.exe without /D.
      if (wildcard && (entry.attributes & kFileAttributeDirectory)) continue;
      matches.push_back(entry);
    } while (files.FindNextFileA(handle, &entry) == kErrorSuccess);
    files.FindClose(handle);
  }
  if (matches.empty()) {
    // A path refused (a link leading out of the drives) says so; anything
    // else found nothing.
    LONG shown = error == kErrorPathNotFound || error == kErrorAccessDenied ? error
                                                                            : kErrorFileNotFound;
    io.err << "attrib: " << Refusal(shown, shownTyped) << "\n";
    return kExitFailed;
  }

  if (setBits == 0 && clearBits == 0) {
    for (const FindData& match : matches)
      io.out << ShowLine(match.attributes, folder + match.name) << "\n";
    return kExitOk;
  }

  int result = kExitOk;
  for (const FindData& match : matches) {
    std::string path = folder + match.name;
    DWORD wanted = ((match.attributes & kShownBits) | setBits) & ~clearBits;
    LONG changed = files.SetFileAttributesA(path, wanted == 0 ? kFileAttributeNormal : wanted);
    if (changed != kErrorSuccess) {
      io.err << "attrib: " << Refusal(changed, path) << "\n";
      result = kExitFailed;
    }
  }
  return result;
}

}  // namespace vb::cli
