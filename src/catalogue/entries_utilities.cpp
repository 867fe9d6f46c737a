// The Utilities list: anti-spyware, antivirus, disk and burning tools, mostly
// their logs and leftovers on disk. One row per entry, in the order in which
// the application stage compares the texts.
#include "catalogue/entry_lists.h"
#include "catalogue/table_names.h"

namespace vb::catalogue::tables {

using namespace vb::engine;
using namespace vb::win;

namespace {

constexpr AppList kUtil = AppList::kUtilities;

}  // namespace

const std::vector<Entry>& UtilityEntries() {
  static const std::vector<Entry> entries = {
      {"Alcohol 120%", kUtil, KeyExists(HKCU, "Software\\Alcohol Soft\\Alcohol 120%"), kPartly,
       {Files(PF("\\Alcohol Soft\\Alcohol 120"), {"alcohol.log"}), CleanerOnly(),
        DeleteKey(HKCU, "Software\\Alcohol Soft\\Alcohol 120%\\MountedMRU"),
        DeleteKey(HKCU, "Software\\Alcohol Soft\\Alcohol 120%\\Basic\\Image Finder"),
        DeleteValue(HKCU, "Software\\Alcohol Soft\\Alcohol 120%\\Basic", "Image File Path"),
        DeleteValue(HKCU, "Software\\Alcohol Soft\\Alcohol 120%\\Options\\Burning Wizard",
                    "ImageFile"),
        DeleteValue(HKCU, "Software\\Alcohol Soft\\Alcohol 120%\\Options\\Image Making Wizard",
                    "ImageFilePath"),
        DeleteValue(HKCU, "Software\\Alcohol Soft\\Alcohol 120%\\Options\\Image Making Wizard",
                    "ImageName")}},
      {"FileZilla", kUtil, KeyExists(HKLM, "Software\\FileZilla"), kSkipped,
       {DeleteKey(HKCU, "Software\\FileZilla\\Recent Servers"),
        DeleteValue(HKCU, "Software\\FileZilla", "Last Server dont save pass"),
        DeleteValue(HKCU, "Software\\FileZilla", "Last Server Firewall Bypass"),
        DeleteValue(HKCU, "Software\\FileZilla", "Last Server Host"),
        DeleteValue(HKCU, "Software\\FileZilla", "Last Server name"),
        DeleteValue(HKCU, "Software\\FileZilla", "Last Server Pass"),
        DeleteValue(HKCU, "Software\\FileZilla", "Last Server Path"),
        DeleteValue(HKCU, "Software\\FileZilla", "Last Server Port"),
        DeleteValue(HKCU, "Software\\FileZilla", "Last Server transfer mode"),
        DeleteValue(HKCU, "Software\\FileZilla", "Last Server Type"),
        DeleteValue(HKCU, "Software\\FileZilla", "Last Server UTF8"),
        DeleteValue(HKCU, "Software\\FileZilla", "Last Server User")}},
      {"Spybot - Search & Destroy", kUtil,
       KeyExists(HKLM,
                 "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Spybot - Search & "
                 "Destroy_is1"),
       kRuns,
       {Files(PF("\\Spybot - Search & Destroy"), {"advdebug.txt"}),
        Files(CAD("\\Spybot - Search & Destroy\\Logs"), {"*.*"}),
        Files(CAD("\\Spybot - Search & Destroy"), {"Statistics.ini"})}},
      {"Perfect Disk", kUtil,
       KeyExists(HKLM, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\PerfectDisk.exe"),
       kRuns, {Files(CAD("\\Raxco\\PerfectDisk\\7.0"), {"PerfectDisk.log"})}},
      {"Ad-Aware SE Personal", kUtil,
       FolderExists(kProgramFolder, "\\Lavasoft\\Ad-Aware SE Personal"), kRuns,
       {Files(PF("\\Lavasoft\\Ad-Aware SE Personal"), {"defs.ref.old"}), Call(Routine::kAdAware)}},
      {"Ad-Aware SE Plus", kUtil, FolderExists(kProgramFolder, "\\Lavasoft\\Ad-Aware SE Plus"),
       kRuns,
       {Files(PF("\\Lavasoft\\Ad-Aware SE Plus"), {"defs.ref.old"}), Call(Routine::kAdAware)}},
      {"Ad-Aware SE Professional", kUtil,
       FolderExists(kProgramFolder, "\\Lavasoft\\Ad-Aware SE Professional"), kRuns,
       {Files(PF("\\Lavasoft\\Ad-Aware SE Professional"), {"defs.ref.old"}),
        Call(Routine::kAdAware)}},
      // Listed by the folder "\Lavasoft\Ad-aware", cleaned in "\Lavasoft Ad-aware".
      {"Lavasoft Ad-Aware 5/6", kUtil, FolderExists(kProgramFolder, "\\Lavasoft\\Ad-aware"), kRuns,
       {Files(PF("\\Lavasoft Ad-aware"), {"ad-aware log*.txt"})}},
      {"Spyware Doctor", kUtil, KeyExists(HKCU, "Software\\PCTools\\Spyware Doctor"), kRuns,
       {Files(PF("\\Spyware Doctor\\log"), {"*.*"}),
        Files(PF("\\Spyware Doctor\\quarantine"), {"*.*"})}},
      {"XoftSpy", kUtil, FolderHasEntry(kProgramFolder, "\\XoftSpy"), kRuns,
       {EmptyTree(PF("\\XoftSpy\\Logs"))}},
      {"Diskeeper", kUtil, KeyExists(HKLM, "SOFTWARE\\Executive Software\\Diskeeper"), kRuns,
       {Files(PF("\\Executive Software\\Diskeeper9X"), {"DKeventLog.txt"})}},
      {"Driver Cleaner Pro", kUtil, KeyExists(HKLM, "SOFTWARE\\Driver Cleaner Pro"), kRuns,
       {Files(PF("\\Driver Cleaner Pro\\Log"), {"*.*"})}},
      {"eTrust Antivirus", kUtil, KeyExists(HKLM, "SOFTWARE\\ComputerAssociates\\Anti-Virus"),
       kRuns, {Files(PF("\\CA\\eTrust EZ Armor\\eTrust EZ Antivirus"), {"*.LOG", "LOG.txt"})}},
      {"The Cleaner", kUtil, FolderExists(kProgramFolder, "\\The Cleaner"), kRuns,
       {Files(PF("\\The Cleaner"), {"logfile.txt", "moolive.log", "tca.log"})}},
      {"Norton Antivirus", kUtil, KeyExists(HKLM, "SOFTWARE\\Symantec\\Norton AntiVirus"), kRuns,
       {Files(CAD("\\Symantec\\Norton AntiVirus Corporate Edition\\7.5\\Logs"), {"*.log"}),
        Files(CAD("\\Symantec\\LiveUpdate\\Downloads"), {"*.*"})}},
      {"Microsoft Antispyware", kUtil, KeyExists(HKLM, "SOFTWARE\\GIANTCompany\\AntiSpyware"),
       kRuns, {Files(PF("\\Microsoft AntiSpyware"), {"*.log"})}},
      // The "*.fil" files lie at the root of the home drive, not in an AVG folder.
      {"Grisoft AVG", kUtil, KeyExists(HKLM, "SOFTWARE\\Grisoft\\Avg7"), kRuns,
       {EmptyTree(CAD("\\Grisoft\\Avg7Data\\upd7bin")), Files(HD(""), {"*.fil"}),
        Files(CAD("\\Grisoft\\Avg7Data\\avg7upd"), {"update7.log"}),
        Files(CAD("\\Grisoft\\Avg7Data"), {"Avg7.log", "history.log"})}},
  };
  return entries;
}

}  // namespace vb::catalogue::tables
