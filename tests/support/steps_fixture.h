// A fresh emulated machine with the removal routines' lists and logs, for
// running steps and catalogue entries under Analyze or Run Cleaner.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "engine/file_lists.h"
#include "engine/steps.h"
#include "platform/registry_values.h"
#include "support/temp_machine.h"
#include "toolkit/application.h"
#include "toolkit/form.h"

namespace vb::test {

class StepsFixture : public ::testing::Test {
 protected:
  platform::Platform& p() { return m.platform(); }
  void Run(const std::vector<engine::Step>& steps) {
    engine::StepContext context{p(), removal, routines};
    engine::RunSteps(context, steps);
  }
  engine::StepContext Context() { return {p(), removal, routines}; }
  // The names of a key's values under HKEY_CURRENT_USER (or root).
  std::set<std::string> ValueNames(const std::string& key, win::HKEY root = win::kHkeyCurrentUser) {
    std::set<std::string> names;
    for (const auto& v : platform::ReadAllValues(p().Registry(), root, key)) names.insert(v.name);
    return names;
  }
  bool KeyExists(const std::string& key, win::HKEY root = win::kHkeyCurrentUser) {
    win::HKEY h = 0;
    if (p().Registry().RegOpenKeyA(root, key.c_str(), &h) != win::kErrorSuccess) return false;
    p().Registry().RegCloseKey(h);
    return true;
  }
  // A file of the machine by its host path below drive C ("Program Files/x").
  bool Exists(const std::string& belowC) {
    return std::filesystem::exists(m.Host("drive_c/" + belowC));
  }
  void Put(const std::string& belowC, std::size_t bytes = 10) {
    WriteHostFile(m.Host("drive_c/" + belowC), std::string(bytes, 'x'));
  }
  std::vector<std::string> LogLines() const {
    std::vector<std::string> lines;
    for (int i = 0; i < L.ListCount(); ++i) lines.push_back(L.List(i));
    return lines;
  }

  TempMachine m;
  toolkit::Application app{p()};
  toolkit::Form form{app, "Form1"};
  toolkit::ListBox& L = form.Add<toolkit::ListBox>("L");
  toolkit::ListBox& L2 = form.Add<toolkit::ListBox>("L2");
  bool analyzeOnly = false, shallow = false;
  engine::FileList file{p().Files()}, file1{p().Files()}, file2{p().Files()};
  engine::FolderList dir1{p().Files()}, dir3{p().Files()};
  engine::RemovalContext removal{p(), L, L2, analyzeOnly, shallow, file, file1, file2, dir1, dir3};
  engine::RoutineTable routines;
};

}  // namespace vb::test
