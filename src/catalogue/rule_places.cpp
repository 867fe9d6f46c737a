#include "catalogue/rule_places.h"

#include "platform/ascii_case.h"
#include "platform/opened_key.h"
#include "platform/registry_values.h"
#include "platform/wildcard.h"

namespace vb::catalogue {

using namespace vb::win;
using platform::FindData;
using platform::FolderHandle;
using platform::kInvalidFolderHandle;

namespace {

constexpr const char* kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr const char* kNtVersion = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";

// A folder handle closed when it goes out of scope.
class Held {
 public:
  explicit Held(platform::FileSystemApi& files) : files_(files) {}
  ~Held() {
    if (handle != kInvalidFolderHandle) files_.CloseFolder(handle);
  }
  Held(const Held&) = delete;
  Held& operator=(const Held&) = delete;
  FolderHandle handle = kInvalidFolderHandle;

 private:
  platform::FileSystemApi& files_;
};

std::vector<std::string> SplitPath(const std::string& path) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (;;) {
    std::size_t at = path.find('\\', start);
    parts.push_back(path.substr(start, at - start));
    if (at == std::string::npos) return parts;
    start = at + 1;
  }
}

// A component with every %Name% replaced by its one value; nullopt when a
// name has no value here or stands for more than one folder component.
std::optional<std::string> ExpandComponent(RulePlaces& places, const std::string& part) {
  std::string out;
  std::size_t at = 0;
  for (;;) {
    std::size_t open = part.find('%', at);
    out += part.substr(at, open - at);
    if (open == std::string::npos) return out;
    std::size_t close = part.find('%', open + 1);
    if (close == std::string::npos) return std::nullopt;
    const auto& values = places.Bases(part.substr(open + 1, close - open - 1));
    if (values.size() != 1 || values[0].find_first_of("\\/:") != std::string::npos)
      return std::nullopt;
    out += values[0];
    at = close + 1;
  }
}

// The walk below one base folder: each component entered through the folder
// before it, the chain of folders held open while the visit runs. The depth
// is that of the rule's path, which the reader bounds.
bool Walk(RulePlaces& places, FolderHandle here, const std::string& path,
          const std::vector<std::string>& parts, std::size_t index, bool anyEntry,
          const std::function<bool(const FoundEntry&)>& visit) {
  platform::FileSystemApi& files = places.platform().Files();
  auto expanded = ExpandComponent(places, parts[index]);
  if (!expanded || expanded->empty() || *expanded == "." || *expanded == "..") return false;
  bool last = index + 1 == parts.size();
  std::vector<std::string> names;
  if (platform::HasWildcard(*expanded)) {
    std::vector<FindData> entries;
    if (files.ListFolder(here, platform::ListDetail::kTypes, &entries) != kErrorSuccess) return false;
    for (const FindData& e : entries) {
      if (e.attributes & kFileAttributeReparsePoint) continue;
      if (!(e.attributes & kFileAttributeDirectory) && !(last && anyEntry)) continue;
      if (platform::MatchesWildcard(*expanded, e.name)) names.push_back(e.name);
    }
  } else {
    FindData info;
    if (files.GetEntryInfo(here, *expanded, &info) != kErrorSuccess) return false;
    if (info.attributes & kFileAttributeReparsePoint) return false;
    if (!(info.attributes & kFileAttributeDirectory) && !(last && anyEntry)) return false;
    names.push_back(info.name.empty() ? *expanded : info.name);
  }
  for (const std::string& name : names) {
    std::string sub = path + "\\" + name;
    if (last) {
      if (visit(FoundEntry{sub, here, name})) return true;
      continue;
    }
    Held held(files);
    if (files.OpenSubfolder(here, name, &held.handle) != kErrorSuccess) {
      held.handle = kInvalidFolderHandle;
      continue;
    }
    if (Walk(places, held.handle, sub, parts, index + 1, anyEntry, visit)) return true;
  }
  return false;
}

std::string WithoutTrailingSlash(std::string path) {
  while (path.size() > 1 && (path.back() == '\\' || path.back() == '/')) path.pop_back();
  return path;
}

}  // namespace

RulePlaces::RulePlaces(platform::Platform& platform) : platform_(platform) {}

const std::vector<std::string>& RulePlaces::Bases(const std::string& name) {
  std::string key = platform::FoldAscii(name);
  auto it = bases_.find(key);
  if (it != bases_.end()) return it->second;
  auto env = [&](const char* variable) {
    return WithoutTrailingSlash(platform_.Environment().GetEnvironmentVariableA(variable));
  };
  auto user = [&](const char* value) {
    return WithoutTrailingSlash(
        platform::ReadStringValue(platform_.Registry(), kHkeyCurrentUser, kShellFolders, value));
  };
  auto common = [&](const char* value) {
    return WithoutTrailingSlash(
        platform::ReadStringValue(platform_.Registry(), kHkeyLocalMachine, kShellFolders, value));
  };
  auto either = [](std::string a, const std::string& b) { return a.empty() ? b : a; };
  std::vector<std::string> values;
  if (key == "APPDATA") values = {either(env("APPDATA"), user("AppData"))};
  else if (key == "LOCALAPPDATA") values = {either(env("LOCALAPPDATA"), user("Local AppData"))};
  else if (key == "LOCALLOWAPPDATA") {
    std::string profile = env("USERPROFILE");
    if (!profile.empty()) values = {profile + "\\AppData\\LocalLow"};
  } else if (key == "COMMONAPPDATA") values = {either(common("Common AppData"), env("ProgramData"))};
  else if (key == "PROGRAMDATA") values = {either(env("ProgramData"), common("Common AppData"))};
  else if (key == "PROGRAMFILES")
    values = {env("ProgramFiles"), env("ProgramFiles(x86)"), env("ProgramW6432")};
  else if (key == "COMMONPROGRAMFILES")
    values = {env("CommonProgramFiles"), env("CommonProgramFiles(x86)"), env("CommonProgramW6432")};
  else if (key == "USERPROFILE") values = {env("USERPROFILE")};
  else if (key == "HOMEDRIVE") values = {env("HOMEDRIVE")};
  else if (key == "SYSTEMDRIVE") values = {env("SystemDrive")};
  else if (key == "SYSTEMROOT") values = {env("SystemRoot")};
  else if (key == "WINDIR") values = {either(env("windir"), env("SystemRoot"))};
  else if (key == "TEMP") values = {env("TEMP")};
  else if (key == "TMP") values = {env("TMP")};
  else if (key == "DOCUMENTS") values = {user("Personal")};
  else if (key == "MUSIC") values = {user("My Music")};
  else if (key == "PICTURES") values = {user("My Pictures")};
  else if (key == "VIDEO") values = {user("My Video")};
  else if (key == "PUBLIC") values = {env("PUBLIC")};
  else if (key == "ALLUSERSPROFILE") values = {env("ALLUSERSPROFILE")};
  else if (key == "USERNAME") values = {env("USERNAME")};
  // Unset values and the same folder twice (ProgramW6432 beside ProgramFiles) go.
  std::vector<std::string> kept;
  for (const std::string& v : values) {
    bool twice = false;
    for (const std::string& k : kept) twice = twice || platform::EqualsIgnoringCase(k, v);
    if (!v.empty() && !twice) kept.push_back(v);
  }
  return bases_.emplace(key, std::move(kept)).first->second;
}

bool RulePlaces::ForEach(const std::string& path, bool anyEntry,
                         const std::function<bool(const FoundEntry&)>& visit) {
  std::vector<std::string> parts = SplitPath(path);
  std::vector<std::string> bases;
  const std::string& first = parts[0];
  if (first.size() == 2 && first[1] == ':') {
    bases.push_back(first);
  } else if (first.size() > 2 && first.front() == '%' && first.back() == '%') {
    bases = Bases(first.substr(1, first.size() - 2));
  }
  parts.erase(parts.begin());
  for (const std::string& base : bases) {
    if (parts.empty()) {
      if (visit(FoundEntry{WithoutTrailingSlash(base), kInvalidFolderHandle, ""})) return true;
      continue;
    }
    const Base& open = OpenBase(base);
    if (open.handle == kInvalidFolderHandle) continue;
    if (Walk(*this, open.handle, open.path, parts, 0, anyEntry, visit)) return true;
  }
  return false;
}

RulePlaces::~RulePlaces() {
  for (auto& [path, base] : open_)
    if (base.handle != kInvalidFolderHandle) platform_.Files().CloseFolder(base.handle);
}

const RulePlaces::Base& RulePlaces::OpenBase(const std::string& path) {
  std::string key = platform::FoldAscii(path);
  auto it = open_.find(key);
  if (it != open_.end()) return it->second;
  Base base;
  // "C:" alone would name the current folder of drive C.
  std::string full = path.size() == 2 && path[1] == ':' ? path + "\\" : path;
  bool root = false;
  if (platform_.Files().OpenFolder(full, &base.handle, &root) != kErrorSuccess)
    base.handle = kInvalidFolderHandle;
  base.path = full.back() == '\\' ? full.substr(0, full.size() - 1) : full;
  return open_.emplace(key, std::move(base)).first->second;
}

bool RulePlaces::Open(const FoundEntry& found, FolderHandle* handle, bool* driveRoot) {
  *driveRoot = false;
  platform::FileSystemApi& files = platform_.Files();
  LONG rc = found.parent == kInvalidFolderHandle
                ? files.OpenFolder(found.path.size() == 2 ? found.path + "\\" : found.path, handle,
                                   driveRoot)
                : files.OpenSubfolder(found.parent, found.name, handle);
  if (rc != kErrorSuccess) *handle = kInvalidFolderHandle;
  return rc == kErrorSuccess;
}

std::optional<FolderId> RulePlaces::IdOf(FolderHandle folder) {
  platform::FolderStamp stamp;
  if (platform_.Files().GetFolderStamp(folder, &stamp) != kErrorSuccess) return std::nullopt;
  return FolderId{stamp.volume, stamp.file};
}

bool RulePlaces::Protected(FolderHandle folder, bool driveRoot) {
  if (driveRoot) return true;
  if (!protected_) LearnProtected();
  auto id = IdOf(folder);
  // A folder whose identity cannot be told is not emptied either.
  return !id || protected_->count(*id) > 0;
}

void RulePlaces::AddProtected(const std::string& path) {
  if (path.empty()) return;
  Held held(platform_.Files());
  bool root = false;
  if (platform_.Files().OpenFolder(path, &held.handle, &root) != kErrorSuccess) {
    held.handle = kInvalidFolderHandle;
    return;
  }
  if (auto id = IdOf(held.handle)) protected_->insert(*id);
}

void RulePlaces::LearnProtected() {
  protected_.emplace();
  auto env = [&](const char* v) { return platform_.Environment().GetEnvironmentVariableA(v); };
  for (const char* v : {"SystemRoot", "windir", "ProgramFiles", "ProgramFiles(x86)", "ProgramW6432",
                        "USERPROFILE", "ALLUSERSPROFILE", "PUBLIC"})
    AddProtected(env(v));
  auto& reg = platform_.Registry();
  for (const char* v : {"Desktop", "Personal", "My Music", "My Pictures", "My Video"})
    AddProtected(platform::ReadStringValue(reg, kHkeyCurrentUser, kShellFolders, v));
  for (const char* v : {"Common Desktop", "Common Documents", "CommonMusic", "CommonPictures",
                        "CommonVideo"})
    AddProtected(platform::ReadStringValue(reg, kHkeyLocalMachine, kShellFolders, v));
  AddProtected(platform::ReadStringValue(reg, kHkeyLocalMachine, kNtVersion, "SystemRoot"));
  // The folder that holds the profiles, every profile in it, and the usual
  // places of the user folders in each of them.
  std::string profile = WithoutTrailingSlash(env("USERPROFILE"));
  std::size_t slash = profile.rfind('\\');
  if (slash == std::string::npos || slash < 3) return;
  std::string profiles = profile.substr(0, slash);
  AddProtected(profiles);
  ForEach(profiles + "\\*", false, [&](const FoundEntry& p) {
    AddProtected(p.path);
    for (const char* sub : {"Desktop", "Documents", "My Documents", "Music", "Pictures", "Videos",
                            "My Documents\\My Music", "My Documents\\My Pictures",
                            "My Documents\\My Videos"})
      AddProtected(p.path + "\\" + sub);
    return false;
  });
}

std::set<FolderId> RulePlaces::Ids(const std::string& path) {
  std::set<FolderId> ids;
  ForEach(path, false, [&](const FoundEntry& found) {
    Held held(platform_.Files());
    bool root = false;
    if (Open(found, &held.handle, &root))
      if (auto id = IdOf(held.handle)) ids.insert(*id);
    return false;
  });
  return ids;
}

bool RulePlaces::KeyExists(const RuleKey& key) {
  platform::OpenedKey opened(platform_.Registry());
  return opened.Open(key.root, key.path, kKeyRead) == kErrorSuccess;
}

OsVersion RulePlaces::Version() {
  if (version_) return *version_;
  auto& reg = platform_.Registry();
  // Windows 10 and later keep "CurrentVersion" at 6.3 and give their own
  // numbers in two DWORD values.
  OsVersion v{0, 0};
  std::vector<platform::RegValue> values = platform::ReadAllValues(reg, kHkeyLocalMachine, kNtVersion);
  auto dword = [&](const char* name) -> std::optional<int> {
    for (const auto& value : values)
      if (platform::EqualsIgnoringCase(value.name, name) && value.type == kRegDword &&
          value.data.size() == 4)
        return value.data[0] | value.data[1] << 8 | value.data[2] << 16 | value.data[3] << 24;
    return std::nullopt;
  };
  auto major = dword("CurrentMajorVersionNumber");
  auto minor = dword("CurrentMinorVersionNumber");
  if (major) {
    v = {*major, minor.value_or(0)};
  } else {
    std::string text = platform::ReadStringValue(reg, kHkeyLocalMachine, kNtVersion, "CurrentVersion");
    int* part = &v.first;
    for (char c : text) {
      if (c == '.' && part == &v.first) part = &v.second;
      else if (c >= '0' && c <= '9' && *part < 1000) *part = *part * 10 + (c - '0');
      else break;
    }
  }
  version_ = v;
  return v;
}

}  // namespace vb::catalogue
