#include "catalogue/entry_lists.h"
#include "catalogue/table_names.h"

#define MEDIA_PLAYER "Software\\Microsoft\\MediaPlayer\\"
#define REAL_PREFERENCES "Software\\RealNetworks\\RealPlayer\\6.0\\Preferences\\"

namespace vb::catalogue::tables {

using namespace vb::engine;

constexpr AppList MM = AppList::kMultimedia;

// In the order in which the application stage compares the texts.
const std::vector<Entry>& MultimediaEntries() {
  static const std::vector<Entry> entries = {
      {"Macromedia Shockwave 8", MM, KeyExists(HKCU, "Software\\Macromedia\\Shockwave 8"), kSkipped,
       {DeleteKey(HKCU, "Software\\Macromedia\\Shockwave 8\\movies")}},
      {"Macromedia Shockwave 10", MM, KeyExists(HKCU, "Software\\Macromedia\\Shockwave 10"),
       kSkipped, {DeleteKey(HKCU, "Software\\Macromedia\\Shockwave 10\\movies")}},
      {"Logitech Gaming Software", MM, KeyExists(HKCU, "Software\\Logitech\\LWProfiler"), kSkipped,
       {DeleteKey(HKCU, "Software\\Logitech\\LWProfiler\\GameMRU")}},
      {"SuperDVD Creator", MM, FolderHasEntry(kProgramFolder, "\\Super DVD Creator 9.0"), kRuns,
       {Files(PF("\\Super DVD Creator 9.0"), {"Crash.txt"})}},
      {"MusicMatch Jukebox", MM, KeyExists(HKLM, "SOFTWARE\\MusicMatch"), kPartly,
       {Files(PF("\\MUSICMATCH\\Musicmatch Jukebox"), {"DefaultPlayList.m3u"}),
        Files(LAD("\\Musicmatch\\Jukebox\\Cache"), {"*.*"}),
        Files(LAD("\\Musicmatch\\Jukebox"), {"LogB-0002.log", "mmjbaltlog.txt", "mmjblog.txt"}),
        CleanerOnly(), DeleteKey(HKLM, "Software\\MusicMatch\\Musicmatch Jukebox\\4.0\\FileConv"),
        DeleteValue(HKLM, "SOFTWARE\\MusicMatch\\Musicmatch Jukebox\\4.0\\MMRadio", "LastStation"),
        DeleteValue(HKLM, "SOFTWARE\\MusicMatch\\Musicmatch Jukebox\\4.0\\MMRadio",
                    "LastStationName")}},
      {"Macromedia FlashPlayer", MM,
       KeyExists(HKCR, "CLSID\\{D27CDB6E-AE6D-11cf-96B8-444553540000}"), kRuns,
       {Call(Routine::kFlashPlayer)}},
      {"WinAmp", MM, FolderExists(kProgramFolder, "\\WinAmp"), kRuns,
       {Files(PF("\\Winamp\\Plugins\\ml"), {"recent.dat"}), Files(PF("\\Winamp"), {"winamp.m3u"})}},
      {"Windows Media Player", MM, Always(), kSkipped,
       {DeleteKey(HKCU, MEDIA_PLAYER "Player\\RecentURLList"),
        DeleteKey(HKCU, MEDIA_PLAYER "Player\\RecentFileList"),
        DeleteValue(HKCU, MEDIA_PLAYER "Preferences", "LastPlayList"),
        DeleteValue(HKCU, MEDIA_PLAYER "Preferences", "LastPlayListIndex"),
        DeleteValue(HKCU, MEDIA_PLAYER "Player\\Settings", "SaveAsDir"),
        DeleteValue(HKCU, "Software\\Gabest\\Media Player Classic\\Capture", "FileName")}},
      {"Windows Movie Maker", MM, KeyExists(HKCU, "Software\\Microsoft\\MovieMaker"), kRuns,
       {Files(LAD("\\Microsoft\\Movie Maker"), {"MEDIATAB0.DAT"})}},
      {"Cyberlink PowerDVD", MM, KeyExists(HKLM, "SOFTWARE\\CyberLink\\PowerDVD"), kRuns,
       {Files(PF("\\CyberLink\\PowerDVD"), {"*.pls"})}},
      {"BSPlayer", MM, KeyExists(HKCU, "Software\\BST\\bsplayer"), kSkipped,
       {NumberedValues(HKCU, "Software\\BST\\bsplayer", 0, 9, "File")}},
      {"Quicktime Player", MM, KeyExists(HKLM, "SOFTWARE\\Apple Computer, Inc.\\QuickTime"), kRuns,
       {Files(CAD("\\QuickTime"), {"QuickTimeFavorites.qtr"}),
        Files(AD("\\Apple Computer\\QuickTime"), {"*.xml"}),
        DeleteKey(HKLM, "SOFTWARE\\Apple Computer, Inc.\\QuickTime\\Recent Movies")}},
      {"Sound Forge", MM,
       KeyExists(HKLM, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\forge70.exe"),
       kSkipped,
       {NumberedValues(HKCU, "Software\\Sonic Foundry\\Sound Forge\\6.0\\Metrics", 30110, 30115,
                       "S")}},
      {"Real Player", MM, KeyExists(HKCU, "Software\\RealNetworks\\RealJukebox"), kPartly,
       {Files(AD("\\Real\\RealOne Player"), {"cookies.txt", "ctd.dat", "realplayer.ste"}),
        Files(AD("\\Real\\RealOne Player\\History"), {"*.*"}),
        Files(AD("\\Real\\RealPlayer"), {"cookies.txt", "ctd.dat", "realplayer.ste"}),
        Files(AD("\\Real\\RealPlayer\\History"), {"*.*"}),
        Files(PF("\\Common Files\\Real\\Update_OB"), {"RealPlayer-log.txt"}), CleanerOnly(),
        NumberedKeys(HKCU, REAL_PREFERENCES "MostRecentClips", 1, 8),
        NumberedKeys(HKCU, REAL_PREFERENCES "MostRecentSkins", 1, 8),
        DeleteKey(HKCU, REAL_PREFERENCES "LastOpenFileDir"),
        NumberedKeys(HKCU, REAL_PREFERENCES "OpenLocationClips", 1, 7)}},
  };
  return entries;
}

}  // namespace vb::catalogue::tables
