#include "platform/emulated/demo_traces.h"

#include "platform/emulated/demo_app_traces.h"

#include "platform/emulated/machine.h"
#include "platform/registry_values.h"

namespace vb::emu {

using namespace vb::win;

namespace demo {

namespace {

constexpr HKEY HKCU = kHkeyCurrentUser;
constexpr DWORD RO = kFileAttributeReadonly, H = kFileAttributeHidden, S = kFileAttributeSystem;

#define PROFILE "C:\\Documents and Settings\\User"
#define TIF PROFILE "\\Local Settings\\Temporary Internet Files\\Content.IE5"
#define EXPLORER "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\"
// Explorer's list of searched file names (its name as Windows spells it).
constexpr const char* kDocFindMru = EXPLORER "Doc Find S" "pec MRU";

}  // namespace

const std::vector<File>& Files() {
  static const std::vector<File> files = {
      // System temporary folders.
      {"C:\\WINDOWS\\Temp\\empty.tmp", 0},
      {"C:\\WINDOWS\\Temp\\setup.log", 1024},
      {"C:\\WINDOWS\\Temp\\install.tmp", 1536},
      {"C:\\WINDOWS\\Temp\\readonly.tmp", 3000, RO},
      {"C:\\WINDOWS\\Temp\\hidden.tmp", 2560, H},
      {"C:\\WINDOWS\\Temp\\Update\\patch.cab", 48000},
      {"C:\\WINDOWS\\Temp\\Update\\Deep\\notes.txt", 700},
      {"C:\\WINDOWS\\PCHealth\\HelpCtr\\Temp\\help.tmp", 4096},
      {"C:\\WINDOWS\\setup.OLD", 2048},
      {"C:\\WINDOWS\\~wrs1.tmp", 512},
      // The user's temporary folder.
      {PROFILE "\\Local Settings\\Temp\\~DF1234.tmp", 16384},
      {PROFILE "\\Local Settings\\Temp\\system.dat", 800, S},
      {PROFILE "\\Local Settings\\Temp\\Installer\\msi1.tmp", 9000},
      {PROFILE "\\Local Settings\\Temp\\Installer\\Cab\\data.cab", 20000},
      // Internet Explorer.
      {TIF "\\ABCD1234\\index[1].htm", 5120},
      {TIF "\\ABCD1234\\logo[1].gif", 1200},
      {TIF "\\EFGH5678\\style[1].css", 900},
      {TIF "\\index.dat", 32768, H | S},
      {PROFILE "\\Cookies\\user@example[1].txt", 120},
      {PROFILE "\\Cookies\\user@news.example[2].txt", 140},
      {PROFILE "\\Cookies\\index.dat", 16384, H | S},
      {PROFILE "\\Local Settings\\History\\desktop.ini", 113, H},
      {PROFILE "\\Local Settings\\History\\History.IE5\\index.dat", 16384},
      {PROFILE "\\Local Settings\\History\\History.IE5\\MSHist012026120120261202\\index.dat", 8192},
      {"C:\\WINDOWS\\system32\\config\\systemprofile\\Cookies\\index.dat", 16384},
      {"C:\\WINDOWS\\system32\\config\\systemprofile\\Local Settings\\History\\History.IE5\\index.dat",
       16384},
      // Recent documents, prefetch, dumps and logs.
      {PROFILE "\\Recent\\report.doc.lnk", 430},
      {PROFILE "\\Recent\\holiday.jpg.lnk", 410},
      {"C:\\WINDOWS\\Prefetch\\NOTEPAD.EXE-336351A9.pf", 11000},
      {"C:\\WINDOWS\\Prefetch\\WORDPAD.EXE-1A2B3C4D.pf", 13000},
      {"C:\\WINDOWS\\memory.dmp", 65536},
      {"C:\\WINDOWS\\setupapi.log", 25000},
      {"C:\\WINDOWS\\security\\logs\\winlogon.log", 3000},
      {"C:\\WINDOWS\\system32\\wbem\\Logs\\wbemcore.log", 6000},
      {"C:\\WINDOWS\\Debug\\netsetup.log", 1500},
      {"C:\\WINDOWS\\Debug\\UserMode\\userenv.log", 2200},
      {"C:\\Documents and Settings\\All Users\\Application Data\\Microsoft\\Dr Watson\\drwtsn32.log",
       1800},
      {"C:\\netlog.txt", 300},
      // The Recycle Bin: two items.
      {"C:\\RECYCLER\\S-1-5-21-1000\\Dc1.txt", 4000},
      {"C:\\RECYCLER\\S-1-5-21-1000\\INFO2", 820},
      {"C:\\RECYCLER\\Dc2.doc", 24000},
  };
  return files;
}

const std::vector<Value>& Values() {
  static const std::vector<Value> values = {
      {HKCU, "Software\\Microsoft\\Internet Explorer", "Download Directory", "C:\\Downloads"},
      {HKCU, "Software\\Microsoft\\Internet Explorer\\TypedURLs", "url1", "http://www.example.com/"},
      {HKCU, "Software\\Microsoft\\Internet Explorer\\TypedURLs", "url2", "http://news.example.org/"},
      {HKCU, EXPLORER "RecentDocs", "a", "report.doc"},
      {HKCU, EXPLORER "RecentDocs", "b", "holiday.jpg"},
      {HKCU, EXPLORER "RecentDocs", "c", "budget.xls"},
      {HKCU, EXPLORER "RecentDocs", "MRUList", "cab"},
      {HKCU, EXPLORER "RecentDocs", "0", "report.doc"},
      {HKCU, EXPLORER "RecentDocs", "1", "holiday.jpg"},
      {HKCU, EXPLORER "RunMRU", "a", "notepad\\1"},
      {HKCU, EXPLORER "RunMRU", "b", "regedit\\1"},
      {HKCU, EXPLORER "RunMRU", "MRUList", "ba"},
      {HKCU, kDocFindMru, "a", "*.doc"},
      {HKCU, kDocFindMru, "MRUList", "a"},
      {HKCU, EXPLORER "FindComputerMRU", "a", "OFFICE-PC"},
      {HKCU, EXPLORER "FindComputerMRU", "MRUList", "a"},
      {HKCU, "Software\\Microsoft\\Search Assistant\\ACMru\\5603", "000", "budget"},
      {HKCU, EXPLORER "FileExts\\.txt\\OpenWithList", "a", "notepad.exe"},
      {HKCU, EXPLORER "ComDlg32\\LastVisitedMRU", "a", "notepad.exe C:\\Notes"},
      {HKCU, EXPLORER "ComDlg32\\OpenSaveMRU\\txt", "a", "C:\\Notes\\todo.txt"},
      {HKCU, EXPLORER "ComDlg32\\OpenSaveMRU\\*", "a", "C:\\Notes\\todo.txt"},
      {HKCU, EXPLORER "TrayNotify", "IconStreams", "tray"},
      {HKCU, EXPLORER "TrayNotify", "PastIconsStream", "tray"},
      {HKCU, EXPLORER "StreamMRU", "0", "stream"},
      {HKCU, EXPLORER "Streams\\0", "ViewView2", "view"},
  };
  return values;
}

const std::vector<CacheEntry>& CacheEntries() {
  static const std::vector<CacheEntry> entries = {
      {"http://www.example.com/index.htm", TIF "\\ABCD1234\\index[1].htm", kNormalCacheEntry},
      {"http://www.example.com/logo.gif", TIF "\\ABCD1234\\logo[1].gif", kNormalCacheEntry},
      {"http://news.example.org/style.css", TIF "\\EFGH5678\\style[1].css", kNormalCacheEntry},
      {"Cookie:user@example.com/", PROFILE "\\Cookies\\user@example[1].txt",
       kNormalCacheEntry | kCookieCacheEntry},
      {"Cookie:user@news.example.org/", PROFILE "\\Cookies\\user@news.example[2].txt",
       kNormalCacheEntry | kCookieCacheEntry},
      {"Visited: User@http://www.example.com/index.htm", "", kUrlHistoryCacheEntry},
  };
  return entries;
}

}  // namespace demo

namespace {

// The folders of a path, each created as needed.
bool MakeFolders(platform::FileSystemApi& files, const std::string& path) {
  for (std::size_t at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1)) {
    LONG rc = files.CreateDirectoryA(path.substr(0, at));
    if (rc != kErrorSuccess && rc != kErrorAlreadyExists) return false;
  }
  return true;
}

}  // namespace

bool AddDemoTraces(Machine& machine, std::string* error) {
  auto& files = machine.Files();
  std::vector<demo::File> all = demo::Files();
  all.insert(all.end(), demo::AppFiles().begin(), demo::AppFiles().end());
  for (const demo::File& f : all) {
    std::string content;
    static const std::string kText = "Vanbrisk demonstration data. ";
    while (static_cast<int>(content.size()) < f.size) content += kText;
    content.resize(static_cast<std::size_t>(f.size));
    if (f.content) content = f.content;
    if (!MakeFolders(files, f.path) || files.WriteFileBytes(f.path, content) != kErrorSuccess ||
        (f.attributes && files.SetFileAttributesA(f.path, f.attributes) != kErrorSuccess)) {
      *error = std::string("cannot write ") + f.path;
      return false;
    }
  }
  std::vector<demo::Value> values = demo::Values();
  values.insert(values.end(), demo::AppValues().begin(), demo::AppValues().end());
  for (const demo::Value& v : values)
    if (platform::WriteString(machine.Registry(), v.root, v.key, v.name, v.data) != kErrorSuccess) {
      *error = std::string("cannot write the registry value ") + v.key + "\\" + v.name;
      return false;
    }
  for (const demo::CacheEntry& e : demo::CacheEntries())
    if (machine.UrlCache().CommitUrlCacheEntryA(e.url, e.localFile, e.type) != kErrorSuccess) {
      *error = std::string("cannot add the cache entry ") + e.url;
      return false;
    }
  return true;
}

}  // namespace vb::emu
