#include "tools/diagnostics_report.h"

#include "registry/reg32.h"
#include "tools/memory_figure.h"

namespace vb::tools {

using namespace vb::win;
using catalogue::AppList;

namespace {

constexpr HKEY HKLM = kHkeyLocalMachine;
constexpr HKEY HKCU = kHkeyCurrentUser;

#define NT "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion"
#define WIN "Software\\Microsoft\\Windows\\CurrentVersion"
#define UNINSTALL "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\"
#define CPU0 "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0"
#define SYSTEM "HARDWARE\\DESCRIPTION\\System"
#define IE_MAIN "Software\\Microsoft\\Internet Explorer\\Main"

constexpr char kDashes[] = "-----------------------------------------------------------";

std::string LineText(platform::Platform& platform, const ReportLine& line) {
  std::string text = line.label;
  switch (line.figure) {
    case LineFigure::kTotalMemory:
      return text + MegabytesText(MemoryOf(platform).dwTotalPhys) + "MB RAM";
    case LineFigure::kAvailableMemory:
      return text + MegabytesText(MemoryOf(platform).dwAvailPhys) + "MB RAM";
    case LineFigure::kValues:
      break;
  }
  for (std::size_t i = 0; i < line.values.size(); ++i) {
    const ReportValue& v = line.values[i];
    if (i > 0) text += line.separator;
    text += registry::ReadRegString(platform.Registry(), v.root, v.key, v.name, "");
  }
  return text;
}

void AddLines(platform::Platform& platform, const std::vector<ReportLine>& lines,
              std::vector<std::string>& out) {
  for (const ReportLine& line : lines) {
    if (line.conditional) {
      const ReportValue& v = line.values.front();
      if (registry::Reg32::GetString(platform.Registry(), v.root, v.key, v.name).empty()) continue;
    }
    out.push_back(LineText(platform, line));
  }
}

}  // namespace

const std::vector<ReportLine>& SystemLines() {
  static const std::vector<ReportLine> lines = {
      {""},
      {"Vanbrisk Suite Version: ", {{HKLM, WIN "\\Uninstall\\Vanbrisk", "DisplayVersion"}}},
      {""},
      {"System"},
      {kDashes},
      {"Logon User Name: ", {{HKCU, WIN "\\Explorer", "Logon User Name"}}},
      {"Operating System: ", {{HKLM, NT, "ProductName"}, {HKLM, WIN, "ProductName"}}},
      {"Operating System Version: ", {{HKLM, NT, "CurrentVersion"}, {HKLM, WIN, "VersionNumber"}}},
      {"Software Update: ", {{HKLM, NT, "CSDVersion"}}, "", true},
      {"OS Build: ", {{HKLM, NT, "CurrentBuildNumber"}, {HKLM, WIN, "CurrentBuildNumber"}}},
      {"Registered Owner: ", {{HKLM, NT, "RegisteredOwner"}, {HKLM, WIN, "RegisteredOwner"}}},
      {"Registered Organization: ",
       {{HKLM, NT, "RegisteredOrganization"}, {HKLM, WIN, "RegisteredOrganization"}}},
      {"Product ID: ", {{HKLM, WIN, "ProductId"}}},
      {"Total Memory(RAM): ", {}, "", false, LineFigure::kTotalMemory},
      {"Available Memory(RAM): ", {}, "", false, LineFigure::kAvailableMemory},
      {"Processor: ", {{HKLM, CPU0, "ProcessorNameString"}}},
      {"Processor Identifier: ", {{HKLM, CPU0, "Identifier"}}},
      {"System Bios Version: ", {{HKLM, SYSTEM, "SystemBiosVersion"}}},
      {"Bios Date: ", {{HKLM, SYSTEM, "SystemBiosDate"}}},
      {"Video Bios Date: ", {{HKLM, SYSTEM, "VideoBiosDate"}}},
      {"Time Zone: ",
       {{HKLM, "SYSTEM\\ControlSet001\\Control\\TimeZoneInformation", "DaylightName"}}},
      {"Computer Name: ",
       {{HKLM, "SYSTEM\\CurrentControlSet\\Control\\ComputerName\\ComputerName", "ComputerName"}}},
      {"Regedit LastKey: ", {{HKCU, WIN "\\Applets\\Regedit", "LastKey"}}, "", true},
      {""},
      {"Internet"},
      {kDashes},
      {"Mozilla Firefox Version: ", {{HKCU, "Software\\Mozilla\\Mozilla Firefox", "CurrentVersion"}},
       "", true},
      {"Internet Explorer Version: ", {{HKLM, "Software\\Microsoft\\Internet Explorer", "Version"}}},
      {"Home Page: ", {{HKLM, IE_MAIN, "Default_Page_URL"}}},
      {"Search Page: ", {{HKLM, IE_MAIN, "Search Page"}}},
      {"Internet Connection Wizard: ",
       {{HKLM, "Software\\Microsoft\\Internet Connection Wizard", "Version"}}},
      {""},
      {"Software"},
      {kDashes},
  };
  return lines;
}

const std::vector<ApplicationLines>& ApplicationReportLines() {
  static const std::vector<ApplicationLines> rules = {
      {AppList::kUtilities,
       {"Lavasoft Ad-Aware 5/6", "Ad-Aware SE Plus", "Ad-Aware SE Professional",
        "Ad-Aware SE Personal"},
       {{"Lavasoft Ad-Aware Version: ",
         {{HKLM, WIN "\\Uninstall\\Ad-Aware SE Personal", "DisplayName"},
          {HKLM, WIN "\\Uninstall\\Ad-Aware SE Personal", "DisplayVersion"}},
         " "}}},
      {AppList::kUtilities,
       {"Spybot - Search & Destroy"},
       {{"Spybot-Search & Destroy Version: ",
         {{HKLM, WIN "\\Uninstall\\Spybot - Search & Destroy_is1", "DisplayVersion"}}}}},
      {AppList::kUtilities,
       {"Grisoft AVG"},
       {{"Grisoft AVG Version: ", {{HKLM, UNINSTALL "AVG7Uninstall", "DisplayName"}}}}},
      {AppList::kUtilities,
       {"Spyware Doctor"},
       {{"Spyware Doctor Last Scan: ",
         {{HKCU, "Software\\PCTools\\Spyware Doctor\\Settings", "LastScanDate"}}}}},
      {AppList::kInternet,
       {"MSN Toolbar"},
       {{"MSN Toolbar Version: ", {{HKLM, "SOFTWARE\\Microsoft\\MSN Toolbar", "Version"}}}}},
      {AppList::kInternet,
       {"NetScape Navigator (Cache)"},
       {{"Netscape Navigator Version: ",
         {{HKCU, "Software\\Netscape\\Netscape", "CurrentVersion"}}}}},
      {AppList::kInternet,
       {"Morpheus"},
       {{"Morpheus Version: ", {{HKLM, "SOFTWARE\\Morpheus", "version"}}}}},
      {AppList::kInternet,
       {"BearShare"},
       {{"BearShare Version: ", {{HKLM, UNINSTALL "BearShare", "DisplayVersion"}}}}},
      {AppList::kInternet,
       {"GetRight"},
       {{"GetRight Installed Version: ",
         {{HKCU, "Software\\Headlight\\GetRight", "InstalledVersion"}}}}},
      {AppList::kInternet,
       {"Download Accelerator Plus"},
       {{"Download Accelerator Plus Version: ",
         {{HKLM, "SOFTWARE\\SpeedBit\\Download Accelerator", "Version"}}}}},
      {AppList::kInternet,
       {"iMesh/iMesh Bar"},
       {{"iMesh Current Build: ", {{HKLM, "SOFTWARE\\iMesh\\iMesh5", "CurrentBuild"}}},
        {"iMesh Install Date: ", {{HKLM, "SOFTWARE\\iMesh\\iMesh5", "InstallDate"}}}}},
      {AppList::kApplications,
       {"Ahead Nero Burning ROM"},
       {{"Ahead Nero Burning ROM User: ",
         {{HKLM, "SOFTWARE\\Ahead\\Nero - Burning Rom\\Info", "User"}}},
        {"Ahead Nero Burning ROM Serial Number: ",
         {{HKLM, "SOFTWARE\\Ahead\\Nero - Burning Rom\\Info", "Serial6"}}}}},
      {AppList::kApplications,
       {"PowerZip"},
       {{"PowerZip Version: ", {{HKLM, UNINSTALL "PowerZip_is1", "DisplayVersion"}}}}},
      {AppList::kApplications,
       {"WinAce"},
       {{"WinAce Version: ", {{HKCU, "Software\\e-merge\\WinAce", "Version"}}}}},
      {AppList::kApplications,
       {"Google Earth"},
       {{"Google Earth Version: ", {{HKLM, "SOFTWARE\\Google\\Google Earth Plus", "Version"}}}}},
      {AppList::kMultimedia,
       {"Cyberlink PowerDVD"},
       {{"Cyberlink PowerDVD Version: ", {{HKLM, "SOFTWARE\\CyberLink\\PowerDVD", "Version"}}},
        {"Cyberlink PowerDVD User: ", {{HKLM, "SOFTWARE\\CyberLink\\PowerDVD", "UserName"}}}}},
  };
  return rules;
}

std::vector<std::string> DiagnosticsReport(platform::Platform& platform, const AppListBoxes& lists) {
  std::vector<std::string> out;
  AddLines(platform, SystemLines(), out);
  for (AppList walked :
       {AppList::kUtilities, AppList::kInternet, AppList::kApplications, AppList::kMultimedia}) {
    const toolkit::ListBox* list = lists[static_cast<std::size_t>(walked)];
    if (!list) continue;
    for (int i = 0; i < list->ListCount(); ++i) {
      for (const ApplicationLines& rule : ApplicationReportLines()) {
        if (rule.list != walked) continue;
        for (const char* text : rule.texts)
          if (list->List(i) == text) AddLines(platform, rule.lines, out);
      }
    }
  }
  return out;
}

std::string ReportText(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

}  // namespace vb::tools
