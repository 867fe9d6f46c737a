// A fresh machine with the logs, lists and flags the removal routines work
// on, set up as the main window sets them, and host-side helpers to lay out
// and look at trees below drive C:.
#pragma once

#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/file_lists.h"
#include "engine/removal.h"
#include "platform/emulated/emulated_file_system.h"
#include "support/temp_machine.h"
#include "toolkit/application.h"
#include "toolkit/controls.h"
#include "toolkit/form.h"

namespace vb::test {

class RemovalFixture : public ::testing::Test {
 protected:
  RemovalFixture()
      : app(m.platform()),
        form(app, "Form1"),
        L(form.Add<toolkit::ListBox>("L")),
        L2(form.Add<toolkit::ListBox>("L2")),
        places(m.platform()),
        policy(places),
        context{m.platform(), L, L2, analyzeOnly, readOnlyFiles, places, policy} {}

  emu::EmulatedFileSystem& files() {
    return dynamic_cast<emu::EmulatedFileSystem&>(m.platform().Files());
  }
  // "Enable Deletion for Read-Only Files".
  void ReadOnlyOption(bool on) { readOnlyFiles = on; }

  // The removal routines over a folder's whole path.
  void ClearD(const std::string& folder) { engine::ClearD(context, engine::PathFolder(folder)); }
  void ClearD2(const std::string& folder, bool systemFiles = false) {
    engine::SweepFolders(context, engine::PathFolder(folder), engine::ClearD2Sweep(systemFiles));
  }
  void ClearFile(const std::string& folder, std::vector<std::string> patterns) {
    engine::ClearFile(context, engine::PathFolder(folder), std::move(patterns));
  }
  void ClearDirTree(const std::string& folder) {
    engine::ClearDirTree(context, engine::PathFolder(folder));
  }

  // Host paths below drive C: ("Temp/T/a.txt").
  std::string C(const std::string& relative) const { return m.Host("drive_c/" + relative); }
  void Put(const std::string& relative, std::size_t size) {
    WriteHostFile(C(relative), std::string(size, 'v'));
  }
  void Folder(const std::string& relative) { std::filesystem::create_directories(C(relative)); }
  void Dos(const std::string& relative, const char* value) {
    ASSERT_EQ(setxattr(C(relative).c_str(), emu::kDosAttribXattr, value, strlen(value), 0), 0);
  }
  void MakeReadOnly(const std::string& relative) { ASSERT_EQ(chmod(C(relative).c_str(), 0444), 0); }
  // A symbolic link below drive C: to a host path.
  void Link(const std::string& target, const std::string& relative) {
    ASSERT_EQ(symlink(target.c_str(), C(relative).c_str()), 0) << relative;
  }
  bool IsLink(const std::string& relative) const { return std::filesystem::is_symlink(C(relative)); }
  bool Exists(const std::string& relative) const {
    struct stat st;
    return lstat(C(relative).c_str(), &st) == 0;
  }
  win::DWORD Attributes(const std::string& relative) {
    return m.platform().Files().GetFileAttributesA("C:\\" + relative);
  }
  static std::vector<std::string> Lines(const toolkit::ListBox& box) {
    std::vector<std::string> lines;
    for (int i = 0; i < box.ListCount(); ++i) lines.push_back(box.List(i));
    return lines;
  }
  void Analyze() { analyzeOnly = true; }
  void Clean() { analyzeOnly = false; }

  TempMachine m;
  toolkit::Application app;
  toolkit::Form form;
  toolkit::ListBox& L;
  toolkit::ListBox& L2;
  bool analyzeOnly = true;
  bool readOnlyFiles = false;
  engine::Places places;
  engine::SafetyPolicy policy;
  engine::RemovalContext context;
};

}  // namespace vb::test
