#include "engine/safety_policy.h"

#include "platform/registry_values.h"
#include "registry/protected_keys.h"

namespace vb::engine {

using namespace vb::win;
using platform::FolderHandle;

namespace {

constexpr const char* kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr const char* kNtVersion = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";

std::string WithoutTrailingSlash(std::string path) {
  while (path.size() > 1 && (path.back() == '\\' || path.back() == '/')) path.pop_back();
  return path;
}

}  // namespace

void SafetyPolicy::Forget() {
  protected_.reset();
  cache_.reset();
}

void SafetyPolicy::Add(const std::string& path) {
  if (auto id = places_.IdOfPath(path)) protected_->insert(*id);
}

void SafetyPolicy::Learn() {
  protected_.emplace();
  platform::Platform& p = places_.platform();
  auto env = [&](const char* v) { return WithoutTrailingSlash(p.Environment().GetEnvironmentVariableA(v)); };
  auto& reg = p.Registry();
  std::string windows = env("SystemRoot");
  std::string ntRoot =
      WithoutTrailingSlash(platform::ReadStringValue(reg, kHkeyLocalMachine, kNtVersion, "SystemRoot"));
  for (const std::string& root : {windows, env("windir"), ntRoot}) {
    if (root.empty()) continue;
    Add(root);
    for (const char* sub : {"\\system", "\\system32", "\\SysWOW64"}) Add(root + sub);
  }
  for (const char* v : {"ProgramFiles", "ProgramFiles(x86)", "ProgramW6432", "USERPROFILE",
                        "ALLUSERSPROFILE", "PUBLIC"})
    Add(env(v));
  for (const char* v : {"Desktop", "Personal", "My Music", "My Pictures", "My Video"})
    Add(platform::ReadStringValue(reg, kHkeyCurrentUser, kShellFolders, v));
  for (const char* v : {"Common Desktop", "Common Documents", "CommonMusic", "CommonPictures",
                        "CommonVideo"})
    Add(platform::ReadStringValue(reg, kHkeyLocalMachine, kShellFolders, v));
  Add(p.System().ProgramFolder());
  // The folder that holds the profiles, every profile in it, and the usual
  // places of the user folders in each of them.
  std::string profile = env("USERPROFILE");
  std::size_t slash = profile.rfind('\\');
  if (slash == std::string::npos || slash < 3) return;
  std::string profiles = profile.substr(0, slash);
  Add(profiles);
  places_.ForEach(RuleFolder(profiles + "\\*"), [&](const OpenedFolder& each) {
    if (auto id = places_.IdOf(each.handle)) protected_->insert(*id);
    for (const char* sub : {"Desktop", "Documents", "My Documents", "Music", "Pictures", "Videos",
                            "My Documents\\My Music", "My Documents\\My Pictures",
                            "My Documents\\My Videos"})
      Add(each.path + "\\" + sub);
  });
}

bool SafetyPolicy::Protected(const FolderId& id) {
  if (!protected_) Learn();
  return protected_->count(id) > 0;
}

bool SafetyPolicy::Protected(FolderHandle folder, bool driveRoot) {
  if (driveRoot) return true;
  std::optional<FolderId> id = places_.IdOf(folder);
  return !id || Protected(*id);
}

void SafetyPolicy::AddTree(const std::string& path, int depth) {
  places_.ForEach(PathFolder(path), [&](const OpenedFolder& top) {
    // The folders below, a level at a time, links never entered.
    if (auto id = places_.IdOf(top.handle)) cache_->insert(*id);
    std::vector<std::string> paths = {top.path};
    for (int d = 0; d < depth && !paths.empty(); ++d) {
      std::vector<std::string> next;
      for (const std::string& folder : paths)
        places_.ForEach(RuleFolder(folder + "\\*"), [&](const OpenedFolder& sub) {
          if (auto id = places_.IdOf(sub.handle); id && cache_->insert(*id).second)
            next.push_back(sub.path);
        });
      paths = std::move(next);
    }
  });
}

bool SafetyPolicy::InsideCacheFolders(const std::string& localFile) {
  if (localFile.empty()) return true;
  if (!cache_) {
    cache_.emplace();
    auto& reg = places_.platform().Registry();
    for (const char* v : {"Cache", "Cookies", "History"}) {
      std::string folder = platform::ReadStringValue(reg, kHkeyCurrentUser, kShellFolders, v);
      if (!folder.empty()) AddTree(folder, 8);
    }
  }
  std::size_t slash = localFile.find_last_of("\\/");
  if (slash == std::string::npos) return false;
  std::optional<FolderId> id = places_.IdOfPath(slash < 3 ? localFile.substr(0, slash + 1)
                                                          : localFile.substr(0, slash));
  return id && cache_->count(*id) > 0;
}

}  // namespace vb::engine

namespace vb::engine {

Result<> SafetyPolicy::KeyTreeMayGo(win::HKEY root, const std::string& path) {
  return registry::KeyTreeMayGo(root, path);
}

}  // namespace vb::engine
