#include "catalogue/entry_lists.h"
#include "catalogue/table_names.h"

namespace vb::catalogue::tables {

using namespace vb::engine;

constexpr AppList IE = AppList::kInternet;
constexpr const char* kFirefoxKey = "SOFTWARE\\Mozilla\\Mozilla Firefox";

// In the order in which the application stage compares the texts.
const std::vector<Entry>& InternetEntries() {
  static const std::vector<Entry> entries = {
      {"BitComet", IE, KeyExists(HKCU, "Software\\BitComet\\BitComet"), kRuns,
       {Files(PF("\\BitComet"), {"Downloads.xml"})}},
      {"Google Toolbar 4.0", IE, KeyExists(HKCU, "Software\\Google\\Google Toolbar"), kRuns,
       {EmptyTree(AD("\\Google\\Local Search History"))}},
      {"Kazaa (Search History)", IE, KeyExists(HKCU, "Software\\Kazaa"), kRuns,
       {DeleteKey(HKCU, "Software\\Kazaa\\Search")}},
      {"Azureus", IE, KeyExists(HKCU, "Software\\Azureus"), kRuns,
       {Files(AD("\\Azureus\\logs"), {"*.log"}), Files(AD("\\Azureus\\logs\\save"), {"*.log"})}},
      {"Sun Java", IE, FolderHasEntry(kAppData, "\\Sun\\Java\\Deployment"), kRuns,
       {EmptyTree(AD("\\Sun\\Java\\Deployment\\cache")),
        EmptyTree(AD("\\Sun\\Java\\Deployment\\javaws\\cache"))}},
      {"Google Toolbar", IE, KeyExists(HKCU, "Software\\Google\\NavClient"), kSkipped,
       {DeleteKey(HKCU, "Software\\Google\\NavClient\\1.1\\History"),
        DeleteValue(HKCU, "Software\\Google\\NavClient\\1.1\\Options", "KillPopupCount")}},
      {"Download Accelerator Plus", IE, FolderExists(kProgramFolder, "\\DAP"), kRuns,
       {Files(PF("\\DAP\\Temp"), {"*.*"}), Files(PF("\\DAP\\Ads"), {"*.*"}),
        Files(PF("\\DAP\\Log"), {"*.*"})}},
      // The toolbar's cache has no base folder of its own; it is taken to sit
      // with iMesh's folders under Program Files, since a bare "\iMeshBar\..."
      // would point at the root of whatever drive is current.
      {"iMesh/iMesh Bar", IE, FolderExists(kProgramFolder, "\\iMesh"), kRuns,
       {Files(PF("\\iMesh\\iMesh5\\Temp"), {"*.*"}), Files(NTW("\\system32\\iMesh_Cache"), {"*.*"}),
        Files(W9W("\\system\\iMesh_Cache"), {"*.*"}),
        Files(PF("\\iMeshBar\\bar\\Cache"), {"*.*"})}},
      {"Emule (File Hashes)", IE, FolderExists(kProgramFolder, "\\eMule"), kRuns,
       {Files(PF("\\eMule\\config"), {"known.met", "known2.met"})}},
      {"Emule (Search History)", IE, FolderExists(kProgramFolder, "\\eMule"), kRuns,
       {Files(PF("\\eMule\\config"), {"AC_SearchStrings.dat"})}},
      {"AOL Toolbar", IE, KeyExists(HKLM, "SOFTWARE\\America Online\\ieToolbar"), kSkipped,
       {DeleteValue(HKCU, "Software\\BestToolbars\\IEToolbar", "BlockedCounter"),
        DeleteKey(HKCU, "Software\\BestToolbars\\IEToolbar\\HistorySearchCombo")}},
      {"BearShare", IE, FolderExists(kProgramFolder, "\\BearShare"), kRuns,
       {EmptyTree(PF("\\BearShare\\Temp")), EmptyTree(PF("\\BearShare\\db"))}},
      {"GetRight", IE, KeyExists(HKCU, "Software\\Headlight\\GetRight"), kPartly,
       {Files(PF("\\GetRight"), {"GetRight.hst"}), CleanerOnly(),
        DeleteKey(HKCU, "Software\\Headlight\\GetRight\\MRU"),
        DeleteKey(HKCU, "Software\\Headlight\\GetRight\\TypedURLS")}},
      {"Google Deskbar", IE, KeyExists(HKCU, "Software\\Google\\Deskbar"), kSkipped,
       {DeleteKey(HKCU, "Software\\Google\\Deskbar\\termhistory"),
        DeleteKey(HKCU, "Software\\Google\\Deskbar\\urlhistory")}},
      {"MSN Toolbar", IE, KeyExists(HKCU, "Software\\Microsoft\\MSN Toolbar"), kSkipped,
       {DeleteValue(HKCU, "Software\\Microsoft\\MSN Toolbar", "PopupGuardCount"),
        DeleteValue(HKCU, "Software\\Microsoft\\MSN Toolbar", "SearchString")}},
      {"Opera (Cache)", IE, KeyExists(HKCU, "Software\\Opera Software"), kRuns,
       {Call(Routine::kOperaCache)}},
      {"Opera (Cookies)", IE, KeyExists(HKCU, "Software\\Opera Software"), kRuns,
       {Call(Routine::kOperaCookies)}},
      {"WebFerret", IE, KeyExists(HKCU, "Software\\FerretSoft\\NetFerret"), kSkipped,
       {DeleteValue(HKCU, "Software\\FerretSoft\\NetFerret\\CurrentVersion\\Web",
                    "Search History")}},
      {"Zone Alarm", IE,
       KeyExists(HKLM, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\ZoneAlarm"), kRuns,
       {Files(SR("\\Internet Logs"), {"ZALog*.*"})}},
      {"NetScape Navigator (Cache)", IE, FolderExists(kProgramFolder, "\\Netscape"), kRuns,
       {Files(PF("\\Netscape\\Users\\default\\cache"), {"*.*"})}},
      {"NetScape Navigator (Cookies)", IE, FolderExists(kProgramFolder, "\\Netscape"), kRuns,
       {Files(PF("\\Netscape\\Users\\default"), {"prefs.js", "netscape.hst", "cookies.txt"})}},
      {"Netscape Toolbar", IE, KeyExists(HKCU, "Software\\NETSCAPE TOOLBAR"), kSkipped,
       {DeleteValue(HKCU, "Software\\NETSCAPE TOOLBAR", "PopupCount"),
        DeleteKey(HKCU, "Software\\NETSCAPE TOOLBAR\\History\\COMBOSEARCH"),
        DeleteKey(HKCU, "Software\\NETSCAPE TOOLBAR\\Reports\\38519\\Search")}},
      {"Morpheus", IE, KeyExists(HKCU, "Software\\Morpheus"), kPartly,
       {Files(PF("\\Morpheus\\Temp"), {"*.*"}), CleanerOnly(),
        DeleteKey(HKCU, "Software\\Morpheus\\GUI\\BrowserRecent"),
        DeleteKey(HKCU, "Software\\Morpheus\\GUI\\SearchRecent"),
        DeleteKey(HKCU, "Software\\Morpheus\\Morpheus\\Recent File List")}},
      {"Mozilla Firefox (Cache)", IE, KeyExists(HKLM, kFirefoxKey), kRuns,
       {Call(Routine::kFirefoxCache)}},
      {"Mozilla Firefox (Cookies)", IE, KeyExists(HKLM, kFirefoxKey), kRuns,
       {Call(Routine::kFirefoxCookies)}},
      {"Mozilla Firefox (Bookmarks)", IE, KeyExists(HKLM, kFirefoxKey), kRuns,
       {Call(Routine::kFirefoxBookmarks)}},
      {"Mozilla Firefox (Internet History)", IE, KeyExists(HKLM, kFirefoxKey), kRuns,
       {Call(Routine::kFirefoxHistory)}},
      {"Mozilla Firefox (Download History)", IE, KeyExists(HKLM, kFirefoxKey), kRuns,
       {Call(Routine::kFirefoxDownloadHistory)}},
      {"Mozilla Firefox (Saved Form Information)", IE, KeyExists(HKLM, kFirefoxKey), kRuns,
       {Call(Routine::kFirefoxSavedFormInfo)}},
      {"NetCaptor", IE, KeyExists(HKCU, "Software\\Stilesoft\\NetCaptor"), kSkipped,
       {DeleteKey(HKCU, "Software\\Stilesoft\\NetCaptor\\CurrentVersion\\Last Open Sites")}},
      {"Yahoo! Messenger", IE, FolderExists(kProgramFolder, "\\Yahoo!\\Messenger"), kNoCleaner, {}},
  };
  return entries;
}

}  // namespace vb::catalogue::tables
