#include "browser/firefox.h"

#include <algorithm>

#include "browser/app_data_folders.h"
#include "browser/ini.h"
#include "browser/netscape.h"
#include "platform/ascii_case.h"
#include "platform/ini_text.h"

namespace vb::browser {

bool StaysInsideFirefoxFolder(std::string_view relative) {
  // No Windows path holds a NUL; one that did would end there for the file
  // functions, after the parts checked below ("..\0x" is "..").
  if (relative.find('\0') != std::string_view::npos) return false;
  if (relative.find(':') != std::string_view::npos) return false;
  if (!relative.empty() && (relative[0] == '\\' || relative[0] == '/')) return false;
  while (!relative.empty()) {
    std::size_t end = std::min(relative.find_first_of("\\/"), relative.size());
    std::string_view part = relative.substr(0, end);
    relative.remove_prefix(std::min(end + 1, relative.size()));
    bool dotsAndBlanks = part.find_first_not_of(". ") == std::string_view::npos;
    if (dotsAndBlanks && !part.empty() && part != ".") return false;
  }
  return true;
}

FirefoxProfiles FindFirefoxProfiles(platform::Platform& platform) {
  FirefoxProfiles found;
  // Without "AppData" the folder would be \Mozilla\Firefox at the drive's
  // root, which is no user's.
  std::string appData = RoamingAppData(platform);
  if (appData.empty()) return found;
  std::string folder = appData + "\\Mozilla\\Firefox";
  std::string text;
  if (platform.Files().ReadFileBytes(folder + "\\profiles.ini", &text) != win::kErrorSuccess)
    return found;
  auto add = [&](std::string path, bool relative) {
    if (path.empty()) return;
    std::replace(path.begin(), path.end(), '/', '\\');
    relative = relative && StaysInsideFirefoxFolder(path);
    std::vector<std::string>& list = relative ? found.inside : found.outside;
    for (const std::string& known : list)
      if (platform::EqualsIgnoringCase(known, path)) return;
    list.push_back(relative ? std::move(path) : (path.find(':') == std::string::npos
                                                     ? folder + "\\" + path
                                                     : path));
  };
  // One section at a time: its kind, its path and whether that is relative.
  std::string path;
  bool relative = true;
  enum { kOther, kProfile, kInstall } section = kOther;
  auto finish = [&] {
    if (section != kOther) add(path, relative);
    path.clear();
    relative = true;
  };
  platform::ReadIniLines(text, [&](const platform::IniLine& line) {
    if (line.kind == platform::IniLine::Kind::kSection) {
      finish();
      auto named = [&](std::string_view start) {
        return platform::EqualsIgnoringCase(line.name.substr(0, start.size()), start);
      };
      section = named("Profile") ? kProfile : named("Install") ? kInstall : kOther;
    } else if (section == kProfile && platform::EqualsIgnoringCase(line.name, "Path")) {
      path = line.value;
    } else if (section == kInstall && platform::EqualsIgnoringCase(line.name, "Default")) {
      path = line.value;
    } else if (section == kProfile && platform::EqualsIgnoringCase(line.name, "IsRelative")) {
      relative = line.value != "0";
    }
    return true;
  });
  finish();
  return found;
}

FireFox::FireFox(engine::StepContext& steps) : steps_(steps) { FindProfile(); }

void FireFox::FindProfile() {
  platform::Platform& p = steps_.platform;
  // The Mozilla suite's locator runs too; nothing of it is used here.
  NetScape netscape(p);
  // A missing "AppData" value, or a missing profiles.ini, finds no profile:
  // the empty value would leave the folders at the drive's root.
  std::string appData = RoamingAppData(p);
  if (appData.empty()) return;
  std::string roaming = appData + "\\Mozilla\\Firefox";
  win::DWORD ini = p.Files().GetFileAttributesA(roaming + "\\profiles.ini");
  if (ini == win::kInvalidFileAttributes || (ini & win::kFileAttributeDirectory)) return;
  // Only the first profile, always taken as relative to the Firefox folder;
  // a file without it names the Firefox folders themselves.
  std::string relative =
      GetFromINI(p.Files(), roaming + "\\profiles.ini", "Profile0", "Path");
  if (!StaysInsideFirefoxFolder(relative)) return;
  std::replace(relative.begin(), relative.end(), '/', '\\');
  std::string tail = "\\Mozilla\\Firefox\\" + relative;
  profile_ = Profile{engine::UserFolder("AppData", tail), std::nullopt};
  // The same holds of the local cache and "Local AppData".
  if (!LocalAppData(p).empty()) profile_->local = engine::UserFolder("Local AppData", tail);
}

void FireFox::Run(std::vector<engine::Step> steps) {
  if (profile_) engine::RunSteps(steps_, steps);
}

namespace {

// A folder's subfolder, as steps name folders.
engine::Folder Below(engine::Folder folder, const char* name) {
  folder.tail += std::string("\\") + name;
  return folder;
}

}  // namespace

void FireFox::Delete_History() {
  if (!profile_) return;
  engine::Step file{.kind = engine::StepKind::kFiles, .folder = profile_->roaming,
                    .patterns = {"history.dat"}, .exactNames = true};
  Run({engine::CleanerOnly(), std::move(file)});
}

void FireFox::Delete_Cache() {
  if (!profile_) return;
  std::vector<engine::Step> steps{engine::EmptyTree(Below(profile_->roaming, "cache"))};
  if (profile_->local) steps.push_back(engine::EmptyTree(Below(*profile_->local, "cache")));
  Run(std::move(steps));
}

void FireFox::ClearProfileFiles(std::vector<std::string> names) {
  if (!profile_) return;
  engine::Step files{.kind = engine::StepKind::kFiles, .folder = profile_->roaming,
                     .patterns = std::move(names), .patternsInTurn = true};
  Run({std::move(files)});
}

void FireFox::Delete_Bookmarks() { ClearProfileFiles({"bookmarks.html", "bookmarks.bak"}); }
void FireFox::Delete_Cookies() { ClearProfileFiles({"cookies.txt"}); }
void FireFox::Delete_DHistory() { ClearProfileFiles({"downloads.rdf"}); }
void FireFox::Delete_SavedFormInfo() { ClearProfileFiles({"formhistory.dat"}); }

}  // namespace vb::browser
