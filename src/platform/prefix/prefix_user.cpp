#include "platform/prefix/prefix_user.h"

#include <filesystem>
#include <system_error>

#include "platform/ascii_case.h"
#include "platform/registry_values.h"

namespace vb::prefix {

using namespace vb::win;

namespace {

constexpr const char* kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr const char* kCurrentVersion = "Software\\Microsoft\\Windows\\CurrentVersion";
constexpr const char* kProfileList = "Software\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList";
constexpr const char* kComputerName =
    "System\\CurrentControlSet\\Control\\ComputerName\\ComputerName";
constexpr const char* kProfilesPrefix = "C:\\users\\";

// Profile folders that belong to no one user.
bool Shared(const std::string& name) {
  for (const char* shared : {"Public", "Default", "Default User", "All Users"})
    if (platform::EqualsIgnoringCase(name, shared)) return true;
  return false;
}

// The user that a shell folder's path "C:\users\NAME\..." names.
std::string UserOfPath(const std::string& path) {
  const std::string prefix = kProfilesPrefix;
  if (path.size() <= prefix.size() ||
      !platform::EqualsIgnoringCase(path.substr(0, prefix.size()), prefix))
    return {};
  std::string rest = path.substr(prefix.size());
  return rest.substr(0, rest.find('\\'));
}

std::string Read(platform::RegistryApi& registry, HKEY root, const char* path, const char* name,
                 const std::string& fallback) {
  std::string value = platform::ReadStringValue(registry, root, path, name);
  return value.empty() ? fallback : value;
}

}  // namespace

Result<std::string> PrefixUser(const std::string& prefixFolder, platform::RegistryApi& registry) {
  for (const char* folder : {"AppData", "Local AppData", "Desktop", "Personal"}) {
    std::string user =
        UserOfPath(platform::ReadStringValue(registry, kHkeyCurrentUser, kShellFolders, folder));
    if (!user.empty() && !Shared(user)) return user;
  }
  std::vector<std::string> users;
  std::error_code error;
  for (std::filesystem::directory_iterator it(prefixFolder + "/drive_c/users", error), end;
       !error && it != end; it.increment(error)) {
    std::string name = it->path().filename().string();
    if (it->is_directory(error) && !it->is_symlink(error) && !Shared(name)) users.push_back(name);
  }
  if (users.size() == 1) return users[0];
  if (users.empty())
    return Fail("the prefix " + prefixFolder + " has no user: drive_c/users holds no profile");
  return Fail("the prefix " + prefixFolder +
              " has several users in drive_c/users, and its registry names none of them");
}

std::vector<std::pair<std::string, std::string>> ProcessVariables(platform::RegistryApi& registry,
                                                                  const std::string& user) {
  const std::string profile = kProfilesPrefix + user;
  const std::string computer =
      Read(registry, kHkeyLocalMachine, kComputerName, "ComputerName", "WINE");
  const std::string programData =
      Read(registry, kHkeyLocalMachine, kProfileList, "ProgramData", "C:\\ProgramData");
  const std::string programFiles =
      Read(registry, kHkeyLocalMachine, kCurrentVersion, "ProgramFilesDir", "C:\\Program Files");
  const std::string commonFiles = Read(registry, kHkeyLocalMachine, kCurrentVersion,
                                       "CommonFilesDir", programFiles + "\\Common Files");
  auto shellFolder = [&](const char* name, const std::string& fallback) {
    std::string path = platform::ReadStringValue(registry, kHkeyCurrentUser, kShellFolders, name);
    return UserOfPath(path) == user ? path : fallback;
  };
  std::vector<std::pair<std::string, std::string>> variables = {
      {"SystemDrive", "C:"},
      {"SystemRoot", "C:\\windows"},
      {"ProgramData", programData},
      {"ALLUSERSPROFILE", programData},
      {"PUBLIC", Read(registry, kHkeyLocalMachine, kProfileList, "Public", "C:\\users\\Public")},
      {"ProgramFiles", programFiles},
      {"ProgramW6432", programFiles},
      {"CommonProgramFiles", commonFiles},
      {"CommonProgramW6432", commonFiles},
      {"COMPUTERNAME", computer},
      {"USERNAME", user},
      {"USERDOMAIN", computer},
      {"LOGONSERVER", "\\\\" + computer},
      {"USERPROFILE", profile},
      {"HOMEDRIVE", "C:"},
      {"HOMEPATH", "\\users\\" + user},
      {"APPDATA", shellFolder("AppData", profile + "\\AppData\\Roaming")},
      {"LOCALAPPDATA", shellFolder("Local AppData", profile + "\\AppData\\Local")},
  };
  std::string programFilesX86 =
      platform::ReadStringValue(registry, kHkeyLocalMachine, kCurrentVersion,
                                "ProgramFilesDir (x86)");
  if (!programFilesX86.empty()) variables.emplace_back("ProgramFiles(x86)", programFilesX86);
  return variables;
}

}  // namespace vb::prefix
