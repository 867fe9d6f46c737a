#include "engine/places.h"

#include <cctype>

#include "platform/ascii_case.h"
#include "platform/registry_values.h"
#include "platform/wildcard.h"

namespace vb::engine {

using namespace vb::win;
using platform::FindData;
using platform::FolderHandle;
using platform::kInvalidFolderHandle;

namespace {

constexpr const char* kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

bool Separator(char c) { return c == '\\' || c == '/'; }

std::vector<std::string> Names(std::string_view text) {
  std::vector<std::string> names;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i < text.size() && !Separator(text[i])) continue;
    names.emplace_back(text.substr(start, i - start));
    start = i + 1;
  }
  return names;
}

// A folder name as Windows reads it: trailing dots and blanks dropped.
std::string Trimmed(std::string name) {
  while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.pop_back();
  return name;
}

// A base's text as the lists spell a folder: no trailing separator, but a
// drive's root keeps its "\".
std::string BaseSpelling(std::string base) {
  while (base.size() > 1 && Separator(base.back())) base.pop_back();
  if (base.size() == 2 && base[1] == ':') base += '\\';
  return base;
}

std::string Joined(std::string path, const std::string& name) {
  if (!path.empty() && !Separator(path.back())) path += '\\';
  return path + name;
}

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

// The entry of a folder with that name, letter case ignored: its own name
// when it is found under it, else the first entry whose name is the same
// but for case.
bool FindEntry(platform::FileSystemApi& files, FolderHandle folder, const std::string& name,
               FindData* found) {
  if (files.GetEntryInfo(folder, name, found) == kErrorSuccess) {
    if (found->name.empty()) found->name = name;
    return true;
  }
  std::vector<FindData> entries;
  if (files.ListFolder(folder, platform::ListDetail::kTypes, &entries) != kErrorSuccess) return false;
  for (FindData& entry : entries)
    if (platform::EqualsIgnoringCase(entry.name, name)) {
      *found = std::move(entry);
      return true;
    }
  return false;
}

}  // namespace

std::optional<SplitPath> Split(const std::string& base, const std::string& tail, bool wholePath) {
  SplitPath split;
  std::vector<std::string> names;
  if (wholePath || base.empty()) {
    std::string text = wholePath ? base + tail : tail;
    std::string_view rest = text;
    if (rest.size() >= 2 && rest[1] == ':' && std::isalpha(static_cast<unsigned char>(rest[0]))) {
      split.base.assign(rest.substr(0, 2));
      split.base += '\\';
      rest.remove_prefix(2);
    } else if (rest.size() >= 2 && Separator(rest[0]) && Separator(rest[1])) {
      // \\server\share is the root of a network path.
      std::vector<std::string> parts = Names(rest.substr(2));
      if (parts.size() < 2 || parts[0].empty() || parts[1].empty()) return std::nullopt;
      split.base = "\\\\";
      split.base.append(parts[0]).append(1, '\\').append(parts[1]).append(1, '\\');
      rest.remove_prefix(std::min(rest.size(), 4 + parts[0].size() + parts[1].size()));
    } else if (!rest.empty() && Separator(rest[0])) {
      split.base = "\\";
    } else {
      return std::nullopt;  // a relative path names no folder of its own
    }
    for (std::string& name : Names(rest)) {
      if (name.empty() || name == ".") continue;
      if (name == "..") {
        if (!split.components.empty()) split.components.pop_back();
        continue;
      }
      name = Trimmed(std::move(name));
      if (name.empty()) return std::nullopt;
      split.components.push_back(std::move(name));
    }
    return split;
  }
  split.base = BaseSpelling(base);
  for (std::string& name : Names(tail)) {
    if (name.empty() || name == ".") continue;
    name = Trimmed(std::move(name));
    // ".." would climb above the base, a name of dots only names nothing.
    if (name.empty()) return std::nullopt;
    split.components.push_back(std::move(name));
  }
  return split;
}

Places::Places(platform::Platform& platform) : platform_(platform) {}

Places::~Places() { KeepBasesOpen(false); }

void Places::KeepBasesOpen(bool keep) {
  keep_ = keep;
  ruleBases_.clear();
  if (keep) return;
  for (auto& [path, base] : open_)
    if (base.handle != kInvalidFolderHandle) platform_.Files().CloseFolder(base.handle);
  open_.clear();
}

std::string Places::BaseText(const Folder& folder) {
  // Up to a NUL, as Windows' path functions read a text.
  std::string text = RawBaseText(folder);
  return text.substr(0, text.find('\0'));
}

std::string Places::RawBaseText(const Folder& folder) {
  auto& reg = platform_.Registry();
  switch (folder.base) {
    case Base::kEnvironment: return platform_.Environment().GetEnvironmentVariableA(folder.name);
    case Base::kUserFolder:
      return platform::ReadStringValue(reg, kHkeyCurrentUser, kShellFolders, folder.name);
    case Base::kCommonFolder:
      return platform::ReadStringValue(reg, kHkeyLocalMachine, kShellFolders, folder.name);
    case Base::kWin9xRoot:
      return platform::ReadStringValue(reg, kHkeyLocalMachine,
                                       "Software\\Microsoft\\Windows\\CurrentVersion", "SystemRoot");
    case Base::kNtRoot:
      return platform::ReadStringValue(reg, kHkeyLocalMachine,
                                       "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", "SystemRoot");
    case Base::kTempFolder: return platform_.Environment().GetTempPathA();
    case Base::kPath: return folder.name;
    case Base::kRulePath: {
      std::string first = Names(folder.name).front();
      if (first.size() > 2 && first.front() == '%' && first.back() == '%') {
        const auto& bases = RuleBases(first.substr(1, first.size() - 2));
        return bases.empty() ? std::string() : bases.front();
      }
      return first;
    }
  }
  return {};
}

std::string Places::PathText(const Folder& folder) {
  std::string base = BaseText(folder);
  if (folder.base == Base::kRulePath) {
    std::vector<std::string> names = Names(folder.name);
    std::string path = BaseSpelling(base);
    for (std::size_t i = 1; i < names.size(); ++i) path = Joined(path, names[i]);
    return base.empty() ? std::string() : path;
  }
  std::optional<SplitPath> split = Split(base, folder.tail, folder.base == Base::kPath);
  if (!split) return {};
  std::string path = split->base;
  for (const std::string& name : split->components) path = Joined(path, name);
  return path;
}

Places::BaseUse::~BaseUse() {
  if (owned && handle != kInvalidFolderHandle) files->CloseFolder(handle);
}

Places::BaseUse Places::UseBase(const std::string& path) {
  BaseUse use;
  use.files = &platform_.Files();
  std::string key = platform::FoldAscii(path);
  if (auto it = open_.find(key); it != open_.end()) {
    use.handle = it->second.handle;
    use.driveRoot = it->second.driveRoot;
    return use;
  }
  if (platform_.Files().OpenFolder(path, &use.handle, &use.driveRoot) != kErrorSuccess)
    use.handle = kInvalidFolderHandle;
  if (keep_) open_.emplace(key, HeldBase{use.handle, use.driveRoot});
  else use.owned = true;
  return use;
}

namespace {

// A rule's folder name with every %Name% replaced by its one value; nothing
// when a name has no value here or stands for more than one folder name.
std::optional<std::string> ExpandRuleName(Places& places, const std::string& part) {
  std::string out;
  std::size_t at = 0;
  for (;;) {
    std::size_t open = part.find('%', at);
    out += part.substr(at, open - at);
    if (open == std::string::npos) return out;
    std::size_t close = part.find('%', open + 1);
    if (close == std::string::npos) return std::nullopt;
    const auto& values = places.RuleBases(part.substr(open + 1, close - open - 1));
    if (values.size() != 1 || values[0].find_first_of("\\/:") != std::string::npos)
      return std::nullopt;
    out += values[0];
    at = close + 1;
  }
}

}  // namespace

bool Places::Walk(const OpenedFolder& here, const std::vector<std::string>& parts,
                  std::size_t index, bool rule, bool anyEntry, const Visitor& visit,
                  const Closer& afterClose) {
  if (index == parts.size()) return visit(here);
  platform::FileSystemApi& files = platform_.Files();
  std::string part = parts[index];
  if (rule) {
    std::optional<std::string> expanded = ExpandRuleName(*this, part);
    if (!expanded) return false;
    part = Trimmed(*expanded);
  }
  if (part.empty() || part == "." || part == "..") return false;
  bool last = index + 1 == parts.size();
  // Each match: its name on disk, and as the path spells it.
  std::vector<std::pair<std::string, std::string>> matches;
  auto wanted = [&](const FindData& e) {
    if (e.attributes & kFileAttributeReparsePoint) return false;
    return (e.attributes & kFileAttributeDirectory) || (last && anyEntry);
  };
  if (rule && platform::HasWildcard(part)) {
    std::vector<FindData> entries;
    if (files.ListFolder(here.handle, platform::ListDetail::kTypes, &entries) != kErrorSuccess)
      return false;
    for (const FindData& e : entries) {
      if (!platform::MatchesWildcard(part, e.name)) continue;
      // A folder link the wildcard meets is told of, as a named one is.
      if ((e.attributes & kFileAttributeReparsePoint) && onLink_ && *onLink_)
        (*onLink_)(Joined(here.path, e.name));
      if (wanted(e)) matches.emplace_back(e.name, e.name);
    }
  } else {
    FindData info;
    if (!FindEntry(files, here.handle, part, &info)) return false;
    if ((info.attributes & kFileAttributeReparsePoint) && onLink_ && *onLink_)
      (*onLink_)(Joined(here.path, part));
    if (!wanted(info)) return false;
    matches.emplace_back(info.name, part);
  }
  for (const auto& [name, spelling] : matches) {
    OpenedFolder next;
    next.parent = here.handle;
    next.name = name;
    next.path = Joined(here.path, spelling);
    Held held(files);
    if (files.OpenSubfolder(here.handle, name, &held.handle) != kErrorSuccess) {
      // A file the last name matches, for a detection; a link is never entered.
      if (!(last && anyEntry)) continue;
      held.handle = kInvalidFolderHandle;
      FindData info;
      if (files.GetEntryInfo(here.handle, name, &info) != kErrorSuccess ||
          (info.attributes & kFileAttributeReparsePoint))
        continue;
    }
    next.handle = held.handle;
    if (Walk(next, parts, index + 1, rule, anyEntry, visit, afterClose)) return true;
    if (last && afterClose && held.handle != kInvalidFolderHandle) {
      files.CloseFolder(held.handle);
      held.handle = kInvalidFolderHandle;
      next.handle = kInvalidFolderHandle;
      afterClose(next);
    }
  }
  return false;
}

void Places::ForEach(const Folder& folder, const std::function<void(const OpenedFolder&)>& visit,
                     const std::function<void(const OpenedFolder&)>& afterClose,
                     const std::function<void(const std::string&)>& onLink) {
  // Told for this walk only: a walk made during a visit has its own.
  struct Restore {
    const std::function<void(const std::string&)>*& slot;
    const std::function<void(const std::string&)>* saved;
    ~Restore() { slot = saved; }
  } restore{onLink_, onLink_};
  onLink_ = &onLink;
  auto each = [&](const OpenedFolder& found) {
    if (found.handle != kInvalidFolderHandle) visit(found);
    return false;
  };
  if (folder.base == Base::kRulePath) {
    ForEachRule(folder.name, false, each, afterClose);
    return;
  }
  std::optional<SplitPath> split = Split(BaseText(folder), folder.tail, folder.base == Base::kPath);
  if (!split) return;
  BaseUse base = UseBase(split->base);
  if (base.handle == kInvalidFolderHandle) return;
  OpenedFolder top{base.handle, kInvalidFolderHandle, "", split->base, base.driveRoot};
  Walk(top, split->components, 0, false, false, each, afterClose);
}

bool Places::RuleEntryExists(const std::string& rulePath) {
  return ForEachRule(rulePath, true, [](const OpenedFolder&) { return true; }, nullptr);
}

bool Places::ForEachRule(const std::string& rulePath, bool anyEntry, const Visitor& visit,
                         const Closer& afterClose) {
  std::vector<std::string> parts = Names(rulePath);
  std::vector<std::string> bases;
  const std::string& first = parts[0];
  if (first.size() == 2 && first[1] == ':') {
    bases.push_back(first);
  } else if (first.size() > 2 && first.front() == '%' && first.back() == '%') {
    bases = RuleBases(first.substr(1, first.size() - 2));
  }
  parts.erase(parts.begin());
  while (!parts.empty() && parts.back().empty()) parts.pop_back();
  for (const std::string& text : bases) {
    std::string spelled = BaseSpelling(text);
    BaseUse base = UseBase(spelled);
    if (base.handle == kInvalidFolderHandle) continue;
    OpenedFolder top{base.handle, kInvalidFolderHandle, "", spelled, base.driveRoot};
    if (Walk(top, parts, 0, true, anyEntry, visit, afterClose)) return true;
  }
  return false;
}

const std::vector<std::string>& Places::RuleBases(const std::string& name) {
  std::string key = platform::FoldAscii(name);
  auto it = ruleBases_.find(key);
  if (it != ruleBases_.end()) return it->second;
  auto env = [&](const char* variable) {
    return BaseSpelling(platform_.Environment().GetEnvironmentVariableA(variable));
  };
  auto user = [&](const char* value) {
    return BaseSpelling(
        platform::ReadStringValue(platform_.Registry(), kHkeyCurrentUser, kShellFolders, value));
  };
  auto common = [&](const char* value) {
    return BaseSpelling(
        platform::ReadStringValue(platform_.Registry(), kHkeyLocalMachine, kShellFolders, value));
  };
  auto either = [](std::string a, const std::string& b) { return a.empty() ? b : a; };
  std::vector<std::string> values;
  if (key == "APPDATA") values = {either(env("APPDATA"), user("AppData"))};
  else if (key == "LOCALAPPDATA") values = {either(env("LOCALAPPDATA"), user("Local AppData"))};
  else if (key == "LOCALLOWAPPDATA") {
    std::string profile = env("USERPROFILE");
    if (!profile.empty()) values = {Joined(profile, "AppData\\LocalLow")};
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
  return ruleBases_.emplace(key, std::move(kept)).first->second;
}

std::optional<FolderId> Places::IdOf(FolderHandle folder) {
  platform::FolderStamp stamp;
  if (platform_.Files().GetFolderStamp(folder, &stamp) != kErrorSuccess) return std::nullopt;
  return FolderId{stamp.volume, stamp.file};
}

std::optional<FolderId> Places::IdOfPath(const std::string& path) {
  if (path.empty()) return std::nullopt;
  Held held(platform_.Files());
  if (platform_.Files().OpenFolder(path, &held.handle, nullptr) != kErrorSuccess) {
    held.handle = kInvalidFolderHandle;
    return std::nullopt;
  }
  return IdOf(held.handle);
}

}  // namespace vb::engine
