#include "browser/netscape.h"

#include <vector>

#include "browser/app_data_folders.h"
#include "platform/ascii_case.h"
#include "platform/entry_lister.h"
#include "platform/file_helpers.h"

namespace vb::browser {

namespace {

bool IsSaltFolderName(const std::string& name) {
  return name.size() >= 4 && platform::EqualsIgnoringCase(name.substr(name.size() - 4), ".slt");
}

}  // namespace

NetScape::NetScape(platform::Platform& platform) : platform_(platform) { GetNSProfiles(); }

void NetScape::GetNSProfiles() {
  std::string root = RoamingAppData(platform_) + "\\Mozilla\\Profiles";
  // The names first: looking inside each one starts listings of its own.
  std::vector<std::string> profiles;
  platform::EntryLister lister(platform_.Files());
  for (std::string name = lister.ListEntries(root + "\\*", platform::kListWithFolders);
       !name.empty(); name = lister.NextEntry())
    if (name != "." && name != "..") profiles.push_back(name);
  for (const std::string& name : profiles) FindSaltFolder(root + "\\" + name);
}

void NetScape::FindSaltFolder(const std::string& folder) {
  platform::EntryLister lister(platform_.Files());
  for (std::string name = lister.ListEntries(folder + "\\*", platform::kListWithFolders);
       !name.empty(); name = lister.NextEntry()) {
    std::string salted = folder + "\\" + name;
    if (IsSaltFolderName(name) && HasCookieFile(salted + "\\Cookies.txt")) profile_ = salted;
  }
}

// Whether the file opens for reading.
bool NetScape::HasCookieFile(const std::string& path) {
  std::string content;
  return platform_.Files().ReadFileBytes(path, &content) == win::kErrorSuccess;
}

void NetScape::DeleteInProfile(engine::StepContext& steps, const std::string& folder,
                               std::vector<std::string> names, bool exact) {
  if (profile_.empty()) return;
  engine::RunSteps(steps, {{.kind = engine::StepKind::kFiles,
                            .folder = engine::PathFolder(folder),
                            .patterns = std::move(names),
                            .exactNames = exact}});
}

void NetScape::Delete_History(engine::StepContext& steps) {
  DeleteInProfile(steps, profile_, {"history.dat"}, true);
}
void NetScape::Delete_Cache(engine::StepContext& steps) {
  DeleteInProfile(steps, GetCachePath(), {"*.*"}, false);
}
void NetScape::Delete_Cookies(engine::StepContext& steps) {
  DeleteInProfile(steps, profile_, {"cookies.txt"}, true);
}

}  // namespace vb::browser
