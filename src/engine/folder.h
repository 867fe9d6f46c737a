// Where a file step works: a base folder that the machine's configuration
// names (an environment variable, a "Shell Folders" value, a Windows root),
// followed by a tail of folder names that the step itself gives.
#pragma once

#include <string>

namespace vb::engine {

enum class Base {
  kEnvironment,   // an environment variable, its name looked up without regard to case
  kUserFolder,    // a value of the user's "Shell Folders"
  kCommonFolder,  // a value of the machine's "Shell Folders"
  kWin9xRoot,     // "SystemRoot" of HKLM Software\Microsoft\Windows CurrentVersion
  kNtRoot,        // "SystemRoot" of HKLM SOFTWARE\Microsoft\Windows NT\CurrentVersion
  kTempFolder,    // the user's temporary folder
  kPath,          // a whole path the user or a profile gave, in `name`
  kRulePath,      // a rule file's folder ("%AppData%\Name\*", "C:\Name"), in `name`
};

struct Folder {
  Base base = Base::kPath;
  std::string name;  // the variable, the "Shell Folders" value, or the whole path
  std::string tail;  // appended to the base as it is ("\Temp")

  friend bool operator==(const Folder&, const Folder&) = default;
};

inline Folder SystemRoot(std::string tail) { return {Base::kEnvironment, "SystemRoot", std::move(tail)}; }
inline Folder HomeDrive(std::string tail) { return {Base::kEnvironment, "HOMEDRIVE", std::move(tail)}; }
inline Folder UserFolder(std::string value, std::string tail = "") {
  return {Base::kUserFolder, std::move(value), std::move(tail)};
}
inline Folder CommonFolder(std::string value, std::string tail = "") {
  return {Base::kCommonFolder, std::move(value), std::move(tail)};
}
inline Folder Win9xRoot(std::string tail) { return {Base::kWin9xRoot, "", std::move(tail)}; }
inline Folder NtRoot(std::string tail) { return {Base::kNtRoot, "", std::move(tail)}; }
inline Folder TempFolder() { return {Base::kTempFolder, "", ""}; }
inline Folder PathFolder(std::string path) { return {Base::kPath, std::move(path), ""}; }
inline Folder RuleFolder(std::string path) { return {Base::kRulePath, std::move(path), ""}; }

// The short names the application targets are written with.
inline Folder PF(std::string tail) { return {Base::kEnvironment, "ProgramFiles", std::move(tail)}; }
inline Folder AD(std::string tail) { return {Base::kEnvironment, "AppData", std::move(tail)}; }
inline Folder SR(std::string tail) { return SystemRoot(std::move(tail)); }
inline Folder HD(std::string tail) { return HomeDrive(std::move(tail)); }
inline Folder CAD(std::string tail) { return CommonFolder("Common AppData", std::move(tail)); }
inline Folder UAD(std::string tail) { return UserFolder("AppData", std::move(tail)); }
inline Folder LAD(std::string tail) { return UserFolder("Local AppData", std::move(tail)); }
inline Folder NTW(std::string tail) { return NtRoot(std::move(tail)); }
inline Folder W9W(std::string tail) { return Win9xRoot(std::move(tail)); }

}  // namespace vb::engine
