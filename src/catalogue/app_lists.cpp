#include "catalogue/app_lists.h"

#include <map>
#include <string>

#include "catalogue/rule_catalogue.h"
#include "platform/entry_lister.h"
#include "platform/registry_values.h"
#include "registry/c_registry.h"
#include "registry/reg32.h"
#include "registry/settings_store.h"

namespace vb::catalogue {

using namespace vb::win;
namespace settings = registry::settings;

namespace {

constexpr AppList kLists[] = {AppList::kApplications, AppList::kInternet, AppList::kMultimedia,
                              AppList::kUtilities, AppList::kWindows};

// The four bases of the detection folders, read once per detection.
struct DetectBases {
  explicit DetectBases(platform::Platform& p)
      : programFolder(p.Environment().GetEnvironmentVariableA("HOMEDRIVE") + "\\Program Files"),
        appData(registry::ReadRegString(
            p.Registry(), kHkeyCurrentUser,
            "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", "AppData",
            "")),
        // Read with read access only: a limited user may not open the
        // machine's keys for writing, and still has a Windows folder.
        windowsFolder(platform::ReadStringValue(p.Registry(), kHkeyLocalMachine,
                                                "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion",
                                                "SystemRoot")),
        localAppData(platform::ReadStringValue(
            p.Registry(), kHkeyCurrentUser,
            "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
            "Local AppData")) {}
  const std::string& Of(DetectBase base) const {
    switch (base) {
      case DetectBase::kAppData: return appData;
      case DetectBase::kWindowsFolder: return windowsFolder;
      case DetectBase::kLocalAppData: return localAppData;
      case DetectBase::kProgramFolder: break;
    }
    return programFolder;
  }
  std::string programFolder, appData, windowsFolder, localAppData;
};

// Tests detection rules; one rule shared by several entries is tested once.
class Detector {
 public:
  explicit Detector(platform::Platform& platform)
      : bases_(platform), key_(platform), lister_(platform.Files()) {}

  bool Holds(const Detection& rule) {
    std::string id = std::to_string(rule.kind) + "|" +
                     std::to_string(static_cast<long long>(rule.root)) + "|" +
                     std::to_string(static_cast<int>(rule.base)) + "|" + (rule.path ? rule.path : "");
    auto [it, added] = known_.emplace(id, false);
    if (added) it->second = Test(rule);
    return it->second;
  }

 private:
  bool Test(const Detection& rule) {
    switch (rule.kind) {
      case Detection::kAlways: return true;
      case Detection::kKey:
        // One cRegistry for every key test; its ClassKey follows the root.
        key_.SetClassKey(rule.root);
        key_.SetSectionKey(rule.path);
        return key_.KeyExists();
      case Detection::kFolderAnyEntry:
      case Detection::kFolderDot: {
        std::string first = lister_.ListEntries(bases_.Of(rule.base) + rule.path + "\\*.*",
                                                platform::kListWithFolders);
        return rule.kind == Detection::kFolderDot ? first == "." : !first.empty();
      }
    }
    return false;
  }

  DetectBases bases_;
  registry::cRegistry key_;
  platform::EntryLister lister_;
  std::map<std::string, bool> known_;
};

}  // namespace

std::vector<bool> Detect(platform::Platform& platform, const std::vector<const Entry*>& entries) {
  Detector detector(platform);
  std::vector<bool> found;
  found.reserve(entries.size());
  for (const Entry* entry : entries) found.push_back(detector.Holds(entry->detection));
  return found;
}

void LoadApps(AppListsContext& c) {
  c.scratch.Clear();
  std::vector<const Entry*> all;
  for (AppList list : kLists)
    for (const Entry& entry : Entries(list)) all.push_back(&entry);
  std::vector<bool> found = Detect(c.platform, all);
  for (std::size_t i = 0; i < all.size(); ++i)
    if (found[i]) c.lists[static_cast<int>(all[i]->list)]->AddItem(all[i]->text);
  RulePlaces places(c.platform);
  c.rules = LoadProgramRules(places);
  for (AppList list : kLists)
    for (const Entry& entry : c.rules->Entries(list))
      if (RuleDetected(places, *entry.rule)) c.lists[static_cast<int>(list)]->AddItem(entry.text);

  registry::cRegistry apps(c.platform);
  apps.SetClassKey(kHkeyCurrentUser);
  apps.SetSectionKey(settings::SectionPath(settings::kApps));
  std::vector<std::string> names;
  long count = 0;
  apps.EnumerateValues(&names, &count);
  for (const std::string& name : names) c.scratch.AddItem(name);
  c.settingMarks = true;
  for (int n = 0; n < c.scratch.ListCount(); ++n)
    for (toolkit::ListBox* list : c.lists)
      for (int i = 0; i < list->ListCount(); ++i)
        if (list->List(i) == c.scratch.List(n)) list->SetChecked(i, true);
  c.settingMarks = false;
  c.scratch.Clear();
}

void SaveApps(AppListsContext& c) {
  auto& registry = c.platform.Registry();
  registry::Reg32::DeleteKey(registry, kHkeyCurrentUser, settings::SectionPath(settings::kApps));
  for (toolkit::ListBox* list : c.lists)
    for (int i = 0; i < list->ListCount(); ++i)
      if (list->Checked(i))
        settings::SaveSetting(registry, settings::kAppName, settings::kApps, list->List(i),
                              "True");
}

void SetAllChecked(AppListsContext& c, bool checked, bool visibleOnly) {
  // One warning box per entry would bury the user: the menu shows none.
  c.settingMarks = true;
  for (toolkit::ListBox* list : c.lists) {
    if (visibleOnly && !list->Visible()) continue;
    for (int i = 0; i < list->ListCount(); ++i) list->SetChecked(i, checked);
  }
  c.settingMarks = false;
}

void WarnOnCheck(AppListsContext& c, AppList which, int index) {
  toolkit::ListBox& list = *c.lists[static_cast<int>(which)];
  if (c.settingMarks || !c.rules || index < 0 || index >= list.ListCount() || !list.Checked(index))
    return;
  const Entry* entry = c.rules->Find(which, list.List(index));
  if (entry && !entry->rule->warning.empty())
    c.platform.Ui().MessageBoxA(entry->rule->warning, "Vanbrisk Suite", kMbIconExclamation);
}

}  // namespace vb::catalogue
