// Detection of the whole catalogue: one LoadApps, and a whole start and
// unload of the program, on a machine where every catalogue application is
// present, against the same start on a machine with none of them.
//
//   catalogue_bench [ROUNDS] [TMPDIR]
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/program.h"
#include "catalogue/app_lists.h"
#include "catalogue/entry_lists.h"
#include "fixtures/machine_init.h"
#include "platform/emulated/machine.h"
#include "platform/registry_values.h"
#include "toolkit/application.h"
#include "toolkit/form.h"

namespace {

using Clock = std::chrono::steady_clock;
using vb::catalogue::AppList;

double Millis(Clock::time_point from) {
  return std::chrono::duration<double, std::milli>(Clock::now() - from).count();
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// Every key and folder a detection rule looks for.
bool InstallEverything(vb::emu::Machine& machine, const std::string& folder) {
  namespace fs = std::filesystem;
  for (int l = 0; l < vb::catalogue::kAppListCount; ++l)
    for (const auto& e : vb::catalogue::Entries(static_cast<AppList>(l))) {
      const auto& d = e.detection;
      if (d.kind == vb::catalogue::Detection::kKey) {
        if (vb::platform::WriteString(machine.Registry(), d.root, d.path, "v", "x") != 0) return false;
      } else if (d.kind != vb::catalogue::Detection::kAlways) {
        std::string base = d.base == vb::catalogue::DetectBase::kProgramFolder ? "Program Files"
                           : d.base == vb::catalogue::DetectBase::kAppData
                               ? "Documents and Settings/User/Application Data"
                           : d.base == vb::catalogue::DetectBase::kLocalAppData
                               ? "Documents and Settings/User/Local Settings/Application Data"
                               : "WINDOWS";
        std::string tail = d.path;
        std::replace(tail.begin(), tail.end(), '\\', '/');
        fs::create_directories(folder + "/drive_c/" + base + tail);
      }
    }
  return true;
}

struct Figures {
  double loadApps, startUnload;
  int listed;
  double olderDetect, allDetect;  // the detections alone: the older entries, and every one
};

// The entries of today's browsers and Windows traces, and all the others.
bool Today(const vb::catalogue::Entry& e) {
  namespace t = vb::catalogue::tables;
  for (const auto* table : {&t::ChromiumEntries(), &t::FirefoxEntries(), &t::TodayWindowsEntries()})
    for (const auto& mine : *table)
      if (std::string(mine.text) == e.text) return true;
  return false;
}

Figures Measure(const std::string& folder, int rounds) {
  std::string error;
  auto machine = vb::emu::Machine::Open(folder, &error);
  if (!machine) {
    std::fprintf(stderr, "Machine::Open: %s\n", error.c_str());
    std::exit(1);
  }
  std::vector<double> loads, starts, older, all;
  int listed = 0;
  std::vector<const vb::catalogue::Entry*> olderEntries, allEntries;
  for (int l = 0; l < vb::catalogue::kAppListCount; ++l)
    for (const auto& e : vb::catalogue::Entries(static_cast<AppList>(l))) {
      allEntries.push_back(&e);
      if (!Today(e)) olderEntries.push_back(&e);
    }
  for (int r = 0; r < rounds; ++r) {
    vb::toolkit::Application app(*machine);
    vb::toolkit::Form form(app, "Form1");
    std::array<vb::toolkit::ListBox*, vb::catalogue::kAppListCount> lists{};
    for (int i = 0; i < vb::catalogue::kAppListCount; ++i) {
      lists[i] = &form.Add<vb::toolkit::ListBox>("L" + std::to_string(i));
      lists[i]->SetSorted(true);
    }
    vb::catalogue::AppListsContext context{*machine, lists,
                                           form.Add<vb::toolkit::ListBox>("ListBox")};
    auto t = Clock::now();
    vb::catalogue::LoadApps(context);
    loads.push_back(Millis(t));
    listed = 0;
    for (auto* list : lists) listed += list->ListCount();

    t = Clock::now();
    (void)vb::catalogue::Detect(*machine, olderEntries);
    older.push_back(Millis(t));
    t = Clock::now();
    (void)vb::catalogue::Detect(*machine, allEntries);
    all.push_back(Millis(t));

    vb::app::Program program(*machine);
    t = Clock::now();
    program.Start("");
    program.Main().form().Unload();
    starts.push_back(Millis(t));
  }
  return {Median(loads), Median(starts), listed, Median(older), Median(all)};
}

}  // namespace

int main(int argc, char** argv) {
  int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;
  std::string tmp = argc > 2 ? argv[2] : std::filesystem::temp_directory_path().string();
  std::string full = tmp + "/vanbrisk-catalogue-full", none = tmp + "/vanbrisk-catalogue-none";
  for (const std::string& folder : {full, none}) {
    std::filesystem::remove_all(folder);
    if (vb::Result<> made = vb::fixtures::InitMachine(folder, {}); !made) {
      std::fprintf(stderr, "InitMachine: %s\n", made.message().c_str());
      return 1;
    }
  }
  {
    std::string error;
    auto machine = vb::emu::Machine::Open(full, &error);
    if (!machine || !InstallEverything(*machine, full)) {
      std::fprintf(stderr, "cannot install the applications\n");
      return 1;
    }
  }
  Figures withAll = Measure(full, rounds);
  Figures withNone = Measure(none, rounds);
  std::printf("median of %d rounds\n", rounds);
  std::printf("every application present: %3d entries listed, LoadApps %7.3f ms, start and unload %7.3f ms\n",
              withAll.listed, withAll.loadApps, withAll.startUnload);
  std::printf("no application present:    %3d entries listed, LoadApps %7.3f ms, start and unload %7.3f ms\n",
              withNone.listed, withNone.loadApps, withNone.startUnload);
  std::printf("the full catalogue adds %.3f ms to a start (goal: at most 5 ms)\n",
              withAll.startUnload - withNone.startUnload);
  for (const auto& [name, f] : {std::pair{"every application present", withAll},
                                {"no application present", withNone}})
    std::printf("%s: detecting the older entries %.3f ms, every entry %.3f ms: today's browsers "
                "and Windows traces add %.3f ms (goal: at most 2 ms)\n",
                name, f.olderDetect, f.allDetect, f.allDetect - f.olderDetect);
  std::filesystem::remove_all(full);
  std::filesystem::remove_all(none);
  return 0;
}
