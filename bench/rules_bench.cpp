// Reading a rule file of 2,500 entries, generated here in the shapes such
// files use, and detecting every entry on an emulated machine where one
// entry in ten is installed: the work LoadApps does for a rule file.
//
//   rules_bench [ROUNDS] [TMPDIR]
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "catalogue/rule_catalogue.h"
#include "fixtures/machine_init.h"
#include "platform/emulated/machine.h"
#include "platform/registry_values.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kEntries = 2500;

double Millis(Clock::time_point from) {
  return std::chrono::duration<double, std::milli>(Clock::now() - from).count();
}

// Entry n of the generated file: a name, a list number, one to three
// detections of the usual kinds, two to five targets and now and then an
// exclusion or a warning.
std::string GeneratedRules() {
  static const char* kCodes[] = {"3021", "3022", "3023", "3024", "3025", "3029", "3031"};
  std::string text = "; generated rules\n";
  for (int n = 0; n < kEntries; ++n) {
    std::string app = "Benchapp" + std::to_string(n);
    text += "\n[" + app + " Cache *]\n";
    text += std::string("LangSecRef=") + kCodes[n % 7] + "\n";
    switch (n % 4) {
      case 0: text += "Detect=HKCU\\Software\\" + app + "\n"; break;
      case 1: text += "DetectFile=%AppData%\\" + app + "\n"; break;
      case 2:
        text += "DetectFile=%ProgramFiles%\\" + app + "\\" + app + ".exe\n";
        text += "Detect2=HKLM\\Software\\" + app + "\n";
        break;
      case 3:
        text += "DetectFile1=%LocalAppData%\\" + app + "\\User Data\n";
        text += "DetectFile2=%AppData%\\" + app + "*\\Profiles\n";
        text += "DetectOS=5.1|\n";
        break;
    }
    if (n % 50 == 0) text += "Warning=This also removes your saved sessions.\n";
    text += "Default=False\n";
    text += "FileKey1=%AppData%\\" + app + "\\Cache|*.*|RECURSE\n";
    text += "FileKey2=%LocalAppData%\\" + app + "\\User Data\\*\\Cache|*.tmp;*.dat\n";
    if (n % 2) text += "FileKey3=%Temp%\\" + app + "|*.log|REMOVESELF\n";
    if (n % 3 == 0) text += "FileKey4=%ProgramFiles%\\" + app + "\\logs|*.txt\n";
    text += "RegKey1=HKCU\\Software\\" + app + "\\Recent\n";
    if (n % 5 == 0) text += "RegKey2=HKCU\\Software\\" + app + "|LastFolder\n";
    if (n % 7 == 0) text += "ExcludeKey1=FILE|%AppData%\\" + app + "\\Cache\\|settings.dat\n";
  }
  return text;
}

// One entry in ten installed, in the place its first detection looks at.
void InstallSome(vb::emu::Machine& machine, const std::string& folder) {
  namespace fs = std::filesystem;
  std::string appData = folder + "/drive_c/Documents and Settings/User/Application Data/";
  std::string localAppData =
      folder + "/drive_c/Documents and Settings/User/Local Settings/Application Data/";
  for (int n = 0; n < kEntries; n += 10) {
    int k = n + (n / 10) % 4;  // entries of each kind of detection
    std::string app = "Benchapp" + std::to_string(k);
    switch (k % 4) {
      case 0:
        (void)vb::platform::WriteString(machine.Registry(), vb::win::kHkeyCurrentUser,
                                        "Software\\" + app, "v", "x");
        break;
      case 1: fs::create_directories(appData + app + "/Cache"); break;
      case 2:
        fs::create_directories(folder + "/drive_c/Program Files/" + app);
        std::ofstream(folder + "/drive_c/Program Files/" + app + "/" + app + ".exe") << "MZ";
        break;
      case 3: fs::create_directories(localAppData + app + "/User Data/Default/Cache"); break;
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 9;
  std::string tmp = argc > 2 ? argv[2] : std::filesystem::temp_directory_path().string();
  std::string folder = tmp + "/rules_bench_machine";
  std::filesystem::remove_all(folder);
  if (vb::Result<> made = vb::fixtures::InitMachine(folder, {}); !made) {
    std::fprintf(stderr, "machine init: %s\n", made.message().c_str());
    return 1;
  }
  std::string error;
  auto machine = vb::emu::Machine::Open(folder, &error);
  if (!machine) {
    std::fprintf(stderr, "Machine::Open: %s\n", error.c_str());
    return 1;
  }
  InstallSome(*machine, folder);
  std::string text = GeneratedRules();

  std::vector<double> parse, total;
  int listed = 0, entries = 0;
  for (int r = 0; r < rounds; ++r) {
    Clock::time_point start = Clock::now();
    vb::catalogue::RuleFile parsed = vb::catalogue::ParseRules(text, "winapp2.ini");
    parse.push_back(Millis(start));
    entries = static_cast<int>(parsed.entries.size());

    start = Clock::now();
    vb::catalogue::RulePlaces places(*machine);
    auto rules = vb::catalogue::RuleCatalogue::Load(places, text, "winapp2.ini");
    listed = 0;
    for (int l = 0; l < vb::catalogue::kAppListCount; ++l)
      for (const auto& e : rules->Entries(static_cast<vb::catalogue::AppList>(l)))
        listed += vb::catalogue::RuleDetected(places, *e.rule);
    total.push_back(Millis(start));
  }
  std::sort(parse.begin(), parse.end());
  std::sort(total.begin(), total.end());
  std::printf("rule file: %d entries, %zu bytes; %d listed\n", entries, text.size(), listed);
  std::printf("parse only:                 median %.1f ms (best %.1f)\n", parse[rounds / 2], parse[0]);
  std::printf("read, check and detect all: median %.1f ms (best %.1f, goal 100 ms)\n",
              total[rounds / 2], total[0]);
  machine.reset();
  std::filesystem::remove_all(folder);
  return 0;
}
