#include "engine/builtin_items.h"

#include <cstring>
#include <set>

#include "engine/builtin_targets.h"
#include "personal/registry_tree.h"
#include "registry/c_registry.h"
#include "registry/reg32.h"
#include "registry/settings_store.h"

namespace vb::engine {

using namespace vb::win;
using registry::ReadRegString;
namespace Reg32 = registry::Reg32;

namespace {

constexpr const char* kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr const char* kRecentDocs = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RecentDocs";

std::string ShellFolder(platform::Platform& p, HKEY root, const char* name) {
  return ReadRegString(p.Registry(), root, kShellFolders, name, "");
}

std::string BaseOf(BuiltinContext& c, const FolderStep& step) {
  auto& env = c.platform.Environment();
  switch (step.base) {
    case Base::kSystemRoot: return env.GetEnvironmentVariableA("SystemRoot");
    case Base::kHomeDrive: return env.GetEnvironmentVariableA("HOMEDRIVE");
    case Base::kUserFolder: return ShellFolder(c.platform, kHkeyCurrentUser, step.folderValue);
    case Base::kCommonFolder: return ShellFolder(c.platform, kHkeyLocalMachine, step.folderValue);
    case Base::kWin9xRoot:
      return ReadRegString(c.platform.Registry(), kHkeyLocalMachine,
                           "Software\\Microsoft\\Windows\\CurrentVersion", "SystemRoot", "");
    case Base::kNtRoot:
      return ReadRegString(c.platform.Registry(), kHkeyLocalMachine,
                           "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", "SystemRoot", "");
  }
  return {};
}

void RunFolderSteps(BuiltinContext& c, const char* routine) {
  for (const FolderStep& step : FolderSteps()) {
    if (std::strcmp(step.routine, routine) != 0) continue;
    std::string folder = BaseOf(c, step) + step.tail;
    switch (step.method) {
      case Method::kClearD: ClearD(c.removal, folder); break;
      case Method::kClearD2: ClearD2(c.removal, folder); break;
      case Method::kClearDirTree: ClearDirTree(c.removal, folder); break;
      case Method::kClearFile:
        for (const char* pattern : step.patterns) {
          c.removal.File2.SetPattern(pattern);
          ClearFile(c.removal, folder);
        }
        break;
    }
  }
}

const char* RootName(HKEY root) {
  return root == kHkeyLocalMachine ? "HKEY_LOCAL_MACHINE" : "HKEY_CURRENT_USER";
}

void RunRegistrySteps(BuiltinContext& c, const char* routine) {
  auto& reg = c.platform.Registry();
  for (const RegStep& step : RegistrySteps()) {
    if (std::strcmp(step.routine, routine) != 0) continue;
    switch (step.action) {
      case RegAction::kDeleteKey: Reg32::DeleteKey(reg, step.root, step.key); break;
      case RegAction::kDeleteValue: Reg32::DeleteValue(reg, step.root, step.key, step.value); break;
      case RegAction::kDeleteTree:
        personal::del_reg_sub(c.platform, std::string(RootName(step.root)) + "\\" + step.key);
        break;
      case RegAction::kLetterList: {
        std::string letters = Reg32::GetString(reg, step.root, step.key, "MRUList");
        for (char letter : letters) Reg32::DeleteValue(reg, step.root, step.key, std::string(1, letter));
        Reg32::DeleteValue(reg, step.root, step.key, "MRUList");
        break;
      }
    }
  }
}

void Log(toolkit::ListBox& list, const std::string& line) {
  list.SetListIndex(list.AddItem(line));
}

std::string CountCaption(const char* prefix, int count) {
  return prefix + std::to_string(count) + " Files";
}

// The user's temporary folder as a tree, system files included.
void Temp(BuiltinContext& c) {
  std::string folder = c.platform.Environment().GetTempPathA();
  c.removal.File.SetSystem(true);
  ClearDirTree(c.removal, folder);
  c.removal.File.SetSystem(false);
}

void Recent(BuiltinContext& c) {
  RunFolderSteps(c, "Recent");
  // The recent-documents list goes in both modes.
  std::string key = std::string(kRecentDocs) + "\\";
  for (char letter = 'a'; letter <= 'z'; ++letter)
    Reg32::DeleteValue(c.platform.Registry(), kHkeyCurrentUser, key, std::string(1, letter));
  Reg32::DeleteValue(c.platform.Registry(), kHkeyCurrentUser, key, "MRUList");
}

void ClearOpenWithMRUs(BuiltinContext& c) {
  std::string fileExts = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts";
  registry::cRegistry exts(c.platform);
  exts.SetClassKey(kHkeyCurrentUser);
  exts.SetSectionKey(fileExts);
  std::vector<std::string> names;
  long count = 0;
  exts.EnumerateSections(&names, &count);
  for (const std::string& name : names)
    Reg32::DeleteKey(c.platform.Registry(), kHkeyCurrentUser,
                     fileExts + "\\" + name + "\\OpenWithList");
  RunRegistrySteps(c, "ClearOpenWithMRUs");
}

void ClearRecentDocsMRU(BuiltinContext& c) {
  auto& reg = c.platform.Registry();
  std::string explorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";
  for (int i = 0; i <= 100; ++i) {
    Reg32::DeleteKey(reg, kHkeyCurrentUser, explorer + "\\Wallpaper\\MRU");
    Reg32::DeleteKey(reg, kHkeyCurrentUser, explorer + "\\RecentDocs\\Folder");
    Reg32::DeleteValue(reg, kHkeyCurrentUser, kRecentDocs, std::to_string(i));
    Reg32::DeleteValue(reg, kHkeyCurrentUser, kRecentDocs, "MRUListEx");
  }
}

}  // namespace

void History(BuiltinContext& c) { RunFolderSteps(c, "History"); }

void CleanIETemp(BuiltinContext& c) {
  auto& form = c.form;
  auto& view = form.Get<toolkit::ListView>("ListView2");
  std::string cache = ShellFolder(c.platform, kHkeyCurrentUser, "Cache");
  std::string folder = cache;
  ClearD(c.removal, folder);
  form.Get<toolkit::Control>("Frame4").SetCaption(CountCaption("Removed: ", view.Count()));
  if (!c.removal.analyzeOnly) {
    while (view.Count() > 0) {
      std::string url = view.ItemAt(0).text;
      c.deleteCacheEntry(url);
      Log(c.removal.L2, url);
      view.Remove(0);
    }
    form.Get<toolkit::ListBox>("List2").Clear();
    view.Clear();
    form.Get<toolkit::Control>("Frame3")
        .SetCaption(CountCaption("Results Log: ", c.removal.L2.ListCount()));
  }
  ClearDirTree(c.removal, cache + "\\Content.IE5");
}

void Cookies(BuiltinContext& c) {
  auto& form = c.form;
  auto& toDelete = form.Get<toolkit::ListView>("LV1");
  auto& kept = form.Get<toolkit::ListView>("LV2");
  bool analyze = c.removal.analyzeOnly;
  if (!analyze) {
    form.Get<toolkit::Control>("Frame5").SetCaption(CountCaption("Removed: ", toDelete.Count()));
    while (toDelete.Count() > 0) {
      std::string url = toDelete.ItemAt(0).text;
      c.deleteCacheEntry(url);
      Log(c.removal.L2, url);
      Log(c.removal.L, url);
      toDelete.Remove(0);
    }
  }
  // The whole folder goes only while nothing is kept; it is always measured.
  std::string folder = ShellFolder(c.platform, kHkeyCurrentUser, "Cookies");
  if (analyze || kept.Count() == 0) ClearD(c.removal, folder);
  if (!analyze) {
    form.Get<toolkit::ListView>("ListView1").Clear();
    form.Get<toolkit::Control>("Frame3")
        .SetCaption(CountCaption("Results Log: ", c.removal.L2.ListCount()));
  }
  kept.Clear();
  for (const std::string& name :
       registry::settings::ListEntries(c.platform, registry::settings::kCookies))
    kept.Add(name);
}

void AddBuiltinRoutines(BuiltinContext& c, RoutineTable& routines) {
  std::set<std::string> names;
  for (const FolderStep& step : FolderSteps()) names.insert(step.routine);
  for (const RegStep& step : RegistrySteps()) names.insert(step.routine);
  for (const std::string& name : names)
    routines[name] = [&c, name] {
      RunFolderSteps(c, name.c_str());
      RunRegistrySteps(c, name.c_str());
    };
  routines["temp"] = [&c] { Temp(c); };
  routines["Recent"] = [&c] { Recent(c); };
  routines["ClearOpenWithMRUs"] = [&c] { ClearOpenWithMRUs(c); };
  routines["ClearRecentDocsMRU"] = [&c] { ClearRecentDocsMRU(c); };
  routines["Cookies"] = [&c] { Cookies(c); };
}

}  // namespace vb::engine
