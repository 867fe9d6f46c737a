#include "catalogue/entry_lists.h"
#include "catalogue/table_names.h"

namespace vb::catalogue::tables {

using namespace vb::engine;

namespace {

constexpr AppList WIN = AppList::kWindows;

Step EmptyMachineTree(Folder folder) { return MachineWide(EmptyTree(std::move(folder))); }

}  // namespace

// The traces Windows 10 and 11 leave: the user's in the user's folders, the
// machine's (which only an administrator cleans) in the Windows folder and
// in ProgramData.
const std::vector<Entry>& TodayWindowsEntries() {
  static const std::vector<Entry> entries = {
      {"Thumbnail and Icon Cache", WIN,
       FolderHasEntry(kLocalAppData, "\\Microsoft\\Windows\\Explorer"), kRuns,
       {Files(LAD("\\Microsoft\\Windows\\Explorer"), {"thumbcache_*.db", "iconcache_*.db"})}},
      {"Crash Dumps", WIN, FolderHasEntry(kLocalAppData, "\\CrashDumps"), kRuns,
       {EmptyTree(LAD("\\CrashDumps"))}},
      {"System Memory Dumps", WIN, FolderHasEntry(kWindowsFolder, "\\Minidump"), kRuns,
       {MachineWide(Files(SR("\\Minidump"), {"*.dmp"}))}},
      {"Windows Error Reporting", WIN, FolderExists(kLocalAppData, "\\Microsoft\\Windows\\WER"),
       kRuns,
       {EmptyTree(LAD("\\Microsoft\\Windows\\WER\\ReportArchive")),
        EmptyTree(LAD("\\Microsoft\\Windows\\WER\\ReportQueue")),
        EmptyMachineTree(CAD("\\Microsoft\\Windows\\WER\\ReportArchive")),
        EmptyMachineTree(CAD("\\Microsoft\\Windows\\WER\\ReportQueue"))}},
      {"DirectX Shader Cache", WIN, FolderHasEntry(kLocalAppData, "\\D3DSCache"), kRuns,
       {EmptyTree(LAD("\\D3DSCache"))}},
      {"Windows Update Download Cache", WIN,
       FolderHasEntry(kWindowsFolder, "\\SoftwareDistribution\\Download"), kRuns,
       {EmptyMachineTree(SR("\\SoftwareDistribution\\Download"))}},
      {"Delivery Optimization Cache", WIN,
       FolderExists(kWindowsFolder, "\\SoftwareDistribution\\DeliveryOptimization"), kRuns,
       {EmptyMachineTree(SR("\\SoftwareDistribution\\DeliveryOptimization\\Cache")),
        EmptyMachineTree(SR("\\ServiceProfiles\\NetworkService\\AppData\\Local\\Microsoft\\Windows"
                            "\\DeliveryOptimization\\Cache"))}},
      {"CBS and DISM Logs", WIN, FolderExists(kWindowsFolder, "\\Logs\\CBS"), kRuns,
       {MachineWide(Files(SR("\\Logs\\CBS"), {"*.log", "*.cab"})),
        MachineWide(Files(SR("\\Logs\\DISM"), {"*.log"}))}},
      {"INetCache", WIN, FolderHasEntry(kLocalAppData, "\\Microsoft\\Windows\\INetCache"), kRuns,
       {EmptyTree(LAD("\\Microsoft\\Windows\\INetCache"))}},
      {"Jump Lists", WIN, FolderExists(kAppData, "\\Microsoft\\Windows\\Recent\\AutomaticDestinations"),
       kRuns,
       {Files(UAD("\\Microsoft\\Windows\\Recent\\AutomaticDestinations"), {"*.automaticDestinations-ms"}),
        Files(UAD("\\Microsoft\\Windows\\Recent\\CustomDestinations"), {"*.customDestinations-ms"})}},
  };
  return entries;
}

}  // namespace vb::catalogue::tables
