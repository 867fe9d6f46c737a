#include "engine/steps.h"

#include "registry/key_tree.h"
#include "registry/reg32.h"

namespace vb::engine {

using namespace vb::win;
using registry::ReadRegString;
namespace Reg32 = registry::Reg32;

namespace {

constexpr const char* kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

void RunRegistryStep(platform::Platform& platform, const Step& step, RunTally* tally) {
  auto& reg = platform.Registry();
  auto value = [&](const std::string& name) {
    TallyValue(tally, Reg32::DeleteValue(reg, step.root, step.key, name));
  };
  auto key = [&](const std::string& path) { TallyKey(tally, Reg32::DeleteKey(reg, step.root, path)); };
  switch (step.action) {
    case Action::kDeleteKey: key(step.key); break;
    case Action::kDeleteValue: value(step.value); break;
    case Action::kDeleteTree:
      // A key deleted with its subkeys counts once.
      TallyKey(tally, registry::DeleteTree(reg, step.root, step.key) == kErrorSuccess);
      break;
    case Action::kLetterList: {
      std::string letters = Reg32::GetString(reg, step.root, step.key, "MRUList");
      for (char letter : letters) value(std::string(1, letter));
      value("MRUList");
      break;
    }
    case Action::kNumberedValues:
      for (int i = step.first; i <= step.last; ++i) value(step.value + std::to_string(i));
      break;
    case Action::kNumberedKeys:
      for (int i = step.first; i <= step.last; ++i) key(step.key + std::to_string(i));
      break;
    case Action::kValuesUntilEmpty:
      for (int i = step.first; i <= step.last; ++i) {
        std::string name = step.value + std::to_string(i);
        bool empty = Reg32::GetString(reg, step.root, step.key, name).empty();
        value(name);
        if (empty) break;
      }
      break;
    case Action::kLetteredValues:
      for (int c = step.first; c <= step.last; ++c) value(std::string(1, static_cast<char>(c)));
      break;
    default: break;
  }
}

}  // namespace

std::string FolderPath(platform::Platform& platform, const Folder& folder) {
  auto& reg = platform.Registry();
  std::string base;
  switch (folder.base) {
    case Base::kEnvironment: base = platform.Environment().GetEnvironmentVariableA(folder.name); break;
    case Base::kUserFolder: base = ReadRegString(reg, kHkeyCurrentUser, kShellFolders, folder.name, ""); break;
    case Base::kCommonFolder: base = ReadRegString(reg, kHkeyLocalMachine, kShellFolders, folder.name, ""); break;
    case Base::kWin9xRoot:
      base = ReadRegString(reg, kHkeyLocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion",
                           "SystemRoot", "");
      break;
    case Base::kNtRoot:
      base = ReadRegString(reg, kHkeyLocalMachine, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion",
                           "SystemRoot", "");
      break;
  }
  return base + folder.tail;
}

void RunSteps(StepContext& c, const std::vector<Step>& steps) {
  for (const Step& step : steps) {
    switch (step.action) {
      case Action::kFiles: {
        std::string folder = FolderPath(c.platform, step.folder);
        for (const char* pattern : step.patterns) {
          c.removal.File2.SetPattern(pattern);
          ClearFile(c.removal, folder);
        }
        break;
      }
      case Action::kFolder: {
        std::string folder = FolderPath(c.platform, step.folder);
        ClearD(c.removal, folder);
        break;
      }
      case Action::kTree: {
        std::string folder = FolderPath(c.platform, step.folder);
        ClearD2(c.removal, folder);
        break;
      }
      case Action::kDeepTree: ClearDirTree(c.removal, FolderPath(c.platform, step.folder)); break;
      case Action::kRoutine: c.routines.Run(step.routine); break;
      case Action::kCleanerOnly:
        if (c.removal.analyzeOnly) return;
        break;
      default: RunRegistryStep(c.platform, step, c.removal.tally); break;
    }
  }
}

}  // namespace vb::engine
