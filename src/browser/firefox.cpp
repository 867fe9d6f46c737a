#include "browser/firefox.h"

#include <algorithm>

#include "browser/app_data_folders.h"
#include "browser/ini.h"
#include "browser/netscape.h"
#include "platform/entry_lister.h"

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

FireFox::FireFox(engine::RemovalContext& removal) : removal_(removal) { FindProfile(); }

void FireFox::FindProfile() {
  // The Mozilla suite's locator runs too; nothing of it is used here.
  NetScape netscape(removal_.platform);
  std::string roaming = RoamingAppData(removal_.platform) + "\\Mozilla\\Firefox";
  std::string local = LocalAppData(removal_.platform) + "\\Mozilla\\Firefox";
  // Only the first profile, always taken as relative to the Firefox folder.
  std::string relative =
      GetFromINI(removal_.platform.Files(), roaming + "\\profiles.ini", "Profile0", "Path");
  if (!StaysInsideFirefoxFolder(relative)) return;
  roaming += "\\" + relative;
  local += "\\" + relative;
  std::replace(roaming.begin(), roaming.end(), '/', '\\');
  std::replace(local.begin(), local.end(), '/', '\\');
  profile_ = Profile{roaming, local, roaming + "\\cache", local + "\\cache", roaming + "\\history.dat"};
}

// A folder exists when a listing of its entries, folders included, begins with ".".
bool FireFox::FolderExists(const std::string& folder) {
  platform::EntryLister lister(removal_.platform.Files());
  return lister.ListEntries(folder + "\\*.*", platform::kListWithFolders) == ".";
}

void FireFox::Delete_History() {
  if (!profile_ || removal_.analyzeOnly) return;
  removal_.platform.Files().DeleteFileA(profile_->historyFile);
}

void FireFox::Delete_Cache() {
  if (!profile_) return;
  for (const std::string& cache : {profile_->roamingCache, profile_->localCache}) {
    if (!FolderExists(cache)) continue;
    std::string folder = cache;
    engine::ClearD2(removal_, folder);
  }
}

void FireFox::ClearProfileFiles(std::initializer_list<const char*> patterns) {
  if (!profile_ || !FolderExists(profile_->roaming)) return;
  for (const char* pattern : patterns) {
    removal_.File2.SetPattern(pattern);
    std::string folder = profile_->roaming;
    engine::ClearFile(removal_, folder);
  }
}

void FireFox::Delete_Bookmarks() { ClearProfileFiles({"bookmarks.html", "bookmarks.bak"}); }
void FireFox::Delete_Cookies() { ClearProfileFiles({"cookies.txt"}); }
void FireFox::Delete_DHistory() { ClearProfileFiles({"downloads.rdf"}); }
void FireFox::Delete_SavedFormInfo() { ClearProfileFiles({"formhistory.dat"}); }

}  // namespace vb::browser
