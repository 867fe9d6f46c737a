#include "platform/emulated/demo_app_traces.h"

namespace vb::emu::demo {

using namespace vb::win;

namespace {

constexpr HKEY HKCU = kHkeyCurrentUser, HKLM = kHkeyLocalMachine, HKCR = kHkeyClassesRoot;

#define PF "C:\\Program Files"
#define AD "C:\\Documents and Settings\\User\\Application Data"
#define LAD "C:\\Documents and Settings\\User\\Local Settings\\Application Data"
#define CAD "C:\\Documents and Settings\\All Users\\Application Data"
#define FIREFOX AD "\\Mozilla\\Firefox\\Profiles\\demo.default"
#define OPERA AD "\\Opera\\Opera\\profile"
#define APPS "Software\\VB And VBA Program Settings\\Vanbrisk\\Apps"

}  // namespace

const std::vector<File>& AppFiles() {
  static const std::vector<File> files = {
      // Applications.
      {AD "\\Google\\GoogleEarth\\cache.dat", 40000},
      {PF "\\Adobe\\Acrobat 7.0\\Reader\\AcroRd32.bak", 2500},
      {LAD "\\Adobe\\Acrobat\\7.0\\Cache\\Search70\\index.idx", 3300},
      {"C:\\Documents and Settings\\User\\Application Data\\Microsoft\\Office\\Recent\\budget.xls.LNK",
       620},
      // Utilities.
      {CAD "\\Spybot - Search & Destroy\\Logs\\checks.200612011200.log", 5200},
      {CAD "\\Grisoft\\Avg7Data\\avg7upd\\update7.log", 7100},
      {"C:\\avg7a.fil", 1100},
      // Internet: a Firefox profile found through profiles.ini, Opera, Java.
      {AD "\\Mozilla\\Firefox\\profiles.ini", 0, 0,
       "[General]\r\nStartWithLastProfile=1\r\n\r\n[Profile0]\r\nName=default\r\n"
       "IsRelative=1\r\nPath=Profiles/demo.default\r\n"},
      {FIREFOX "\\cookies.txt", 900},
      {FIREFOX "\\bookmarks.html", 4100},
      {FIREFOX "\\history.dat", 12000},
      {FIREFOX "\\downloads.rdf", 1300},
      {FIREFOX "\\formhistory.dat", 2100},
      {FIREFOX "\\cache\\_CACHE_001_", 24000},
      {LAD "\\Mozilla\\Firefox\\Profiles\\demo.default\\cache\\_CACHE_MAP_", 8200},
      {OPERA "\\cache4\\opr00001.htm", 6100},
      {OPERA "\\cookies4.dat", 1400},
      {OPERA "\\global.dat", 900},
      {AD "\\Sun\\Java\\Deployment\\cache\\6.0\\applet.jar", 15000},
      // Multimedia.
      {PF "\\Winamp\\winamp.m3u", 350},
      {PF "\\Winamp\\Plugins\\ml\\recent.dat", 700},
      {AD "\\Macromedia\\Flash Player\\#SharedObjects\\site\\settings.sol", 400},
      // Windows.
      {"C:\\WINDOWS\\system32\\LogFiles\\W3SVC1\\ex061201.log", 9000},
      // A program the user starts at logon, and the folder's hidden settings.
      {"C:\\Documents and Settings\\User\\Start Menu\\Programs\\Startup\\Notes.lnk", 610},
      {"C:\\Documents and Settings\\User\\Start Menu\\Programs\\Startup\\desktop.ini", 80,
       kFileAttributeHidden | kFileAttributeSystem},
  };
  return files;
}

const std::vector<Value>& AppValues() {
  static const std::vector<Value> values = {
      // The keys and values the applications leave.
      {HKCU, "Software\\Nico Mak Computing\\WinZip\\filemenu", "filemenu1", "C:\\Mail\\photos.zip"},
      {HKCU, "Software\\Nico Mak Computing\\WinZip\\filemenu", "filemenu2", "C:\\Work\\src.zip"},
      {HKCU, "Software\\Nico Mak Computing\\WinZip\\directories", "DefDir", "C:\\Work"},
      {HKCU, "Software\\WinRAR\\ArcHistory", "0", "C:\\Downloads\\setup.rar"},
      {HKCU, "Software\\WinRAR\\ArcHistory", "1", "C:\\Work\\backup.rar"},
      {HKCU, "Software\\WinRAR\\General", "LastFolder", "C:\\Downloads"},
      {HKCU, "Software\\Microsoft\\Office\\11.0\\Word\\Data", "Settings", "recent"},
      {HKCU, "Software\\Adobe\\Acrobat Reader\\7.0\\AVGeneral\\cRecentFiles", "c1", "C:\\Doc.pdf"},
      {HKCU, "Software\\Google\\Google Earth Plus\\Search", "0", "Paris"},
      {HKLM, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Spybot - Search & Destroy_is1",
       "DisplayName", "Spybot - Search & Destroy"},
      {HKLM, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Spybot - Search & Destroy_is1",
       "DisplayVersion", "1.4"},
      {HKLM, "SOFTWARE\\Grisoft\\Avg7", "Version", "7.5"},
      {HKLM, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\AVG7Uninstall",
       "DisplayName", "AVG 7.5 Free Edition"},
      {HKLM, "SOFTWARE\\Google\\Google Earth Plus", "Version", "4.0.2091"},
      {HKLM, "SOFTWARE\\Mozilla\\Mozilla Firefox", "CurrentVersion", "1.5"},
      {HKCU, "Software\\Mozilla\\Mozilla Firefox", "CurrentVersion", "1.5.0.12 (en-US)"},
      {HKCU, "Software\\Opera Software", "Last Directory", "C:\\Downloads"},
      {HKCU, "Software\\Microsoft\\MediaPlayer\\Player\\RecentFileList", "File0", "C:\\Music\\a.mp3"},
      {HKCU, "Software\\Microsoft\\MediaPlayer\\Player\\RecentURLList", "URL0", "mms://radio/"},
      {HKCR, "CLSID\\{D27CDB6E-AE6D-11cf-96B8-444553540000}", "", "Shockwave Flash Object"},
      {HKCU,
       "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\UserAssist\\"
       "{75048700-EF1F-11D0-9888-006097DEACF9}\\Count",
       "HRZR_EHACNGU", "counts"},
      {HKCU, "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Regedit", "LastKey",
       "My Computer\\HKEY_CURRENT_USER\\Software"},
      // The marks of the entries the user checked.
      {HKCU, APPS, "WinZip", "True"},
      {HKCU, APPS, "WinRAR", "True"},
      {HKCU, APPS, "Microsoft Office 2003", "True"},
      {HKCU, APPS, "Adobe Acrobat Reader 7.0", "True"},
      {HKCU, APPS, "Google Earth", "True"},
      {HKCU, APPS, "Spybot - Search & Destroy", "True"},
      {HKCU, APPS, "Grisoft AVG", "True"},
      {HKCU, APPS, "Mozilla Firefox (Cache)", "True"},
      {HKCU, APPS, "Mozilla Firefox (Cookies)", "True"},
      {HKCU, APPS, "Mozilla Firefox (Bookmarks)", "True"},
      {HKCU, APPS, "Mozilla Firefox (Internet History)", "True"},
      {HKCU, APPS, "Mozilla Firefox (Download History)", "True"},
      {HKCU, APPS, "Mozilla Firefox (Saved Form Information)", "True"},
      {HKCU, APPS, "Opera (Cache)", "True"},
      {HKCU, APPS, "Opera (Cookies)", "True"},
      {HKCU, APPS, "Sun Java", "True"},
      {HKCU, APPS, "Windows Media Player", "True"},
      {HKCU, APPS, "WinAmp", "True"},
      {HKCU, APPS, "Macromedia FlashPlayer", "True"},
      {HKCU, APPS, "User Assist History", "True"},
      {HKCU, APPS, "IIS Log Files", "True"},
      {HKCU, APPS, "RegEdit", "True"},
  };
  return values;
}

}  // namespace vb::emu::demo
