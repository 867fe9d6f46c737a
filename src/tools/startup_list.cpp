#include "tools/startup_list.h"

#include "platform/entry_lister.h"
#include "platform/file_helpers.h"
#include "platform/opened_key.h"
#include "registry/c_registry.h"
#include "registry/reg32.h"

namespace vb::tools {

using namespace vb::win;

namespace {

constexpr char kRun[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kRunOnce[] = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
constexpr char kUserShellFolders[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr char kCommonShellFolders[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

void ListValues(platform::Platform& platform, const StartupSource& source,
                std::vector<StartupEntry>& out) {
  registry::cRegistry key(platform);
  key.SetClassKey(source.root);
  key.SetSectionKey(source.key);
  std::vector<std::string> names;
  long count = 0;
  key.EnumerateValues(&names, &count);
  for (const std::string& name : names)
    out.push_back({name, source.location,
                   registry::ReadRegString(platform.Registry(), source.root, source.key, name, ""),
                   &source, ""});
}

void ListFolder(platform::Platform& platform, const StartupSource& source,
                std::vector<StartupEntry>& out) {
  std::string folder = registry::ReadRegString(platform.Registry(), source.root, source.key,
                                               source.folderValue, "");
  // An unnamed folder would be the root of the current drive: not a Startup
  // folder, so it lists nothing.
  if (folder.empty()) return;
  if (folder.back() != '\\') folder += '\\';
  platform::EntryLister lister(platform.Files());
  for (std::string name = lister.ListEntries(folder, platform::kListPlainFiles); !name.empty();
       name = lister.NextEntry())
    out.push_back({name, source.location, kDataNotAvailable, &source, folder});
}

}  // namespace

const std::vector<StartupSource>& StartupSources() {
  static const std::vector<StartupSource> sources = {
      {"HKLM:Run", kHkeyLocalMachine, kRun, nullptr},
      {"HKCU:Run", kHkeyCurrentUser, kRun, nullptr},
      {"HKLM:RunOnce", kHkeyLocalMachine, kRunOnce, nullptr},
      {"Startup User", kHkeyCurrentUser, kUserShellFolders, "Startup"},
      {"Startup Common", kHkeyLocalMachine, kCommonShellFolders, "Common Startup"},
  };
  return sources;
}

std::vector<StartupEntry> ListStartup(platform::Platform& platform) {
  std::vector<StartupEntry> entries;
  for (const StartupSource& source : StartupSources()) {
    if (source.folderValue)
      ListFolder(platform, source, entries);
    else
      ListValues(platform, source, entries);
  }
  return entries;
}

bool DeleteStartupEntry(platform::Platform& platform, const StartupEntry& entry) {
  if (!entry.source) return false;
  if (entry.source->folderValue) {
    // The file goes from the folder it was listed from: that is the folder
    // Windows starts it from.
    LONG rc = platform::DeleteFiles(platform.Files(), entry.folder + entry.name);
    return rc == kErrorSuccess || rc == kErrorFileNotFound || rc == kErrorPathNotFound;
  }
  platform::OpenedKey key(platform.Registry());
  LONG rc = key.Open(entry.source->root, entry.source->key, kKeySetValue);
  if (rc == kErrorFileNotFound) return true;  // the key and its value are gone
  if (rc != kErrorSuccess) return false;
  rc = platform.Registry().RegDeleteValueA(key.get(), entry.name.c_str());
  return rc == kErrorSuccess || rc == kErrorFileNotFound;
}

}  // namespace vb::tools
