#include "platform/recording_services.h"

#include "platform/ascii_case.h"

namespace vb::platform {

namespace {

// The drive a root path names ("C:", "C:\", a path on the drive), in lower
// case; 0 for none.
char DriveOf(const char* rootPath) {
  if (!rootPath || !rootPath[0] || rootPath[1] != ':') return 0;
  char letter = static_cast<char>(UpperAscii(rootPath[0]) | 0x20);
  return letter >= 'a' && letter <= 'z' ? letter : 0;
}

}  // namespace

void RecordingShell::Forget() {
  emptiedAll_ = false;
  emptied_.clear();
}

HRESULT RecordingShell::SHQueryRecycleBinA(const char* rootPath, RecycleBinInfo* info) {
  HRESULT result = below_.SHQueryRecycleBinA(rootPath, info);
  if (!session_.recording || result != kSOk || (!emptiedAll_ && emptied_.empty())) return result;
  char drive = DriveOf(rootPath);
  if (emptiedAll_ || (drive && emptied_.find(drive) != std::string::npos)) {
    info->i64Size = 0;
    info->i64NumItems = 0;
  } else if (!drive) {
    // Every drive: less what the emptied ones held.
    for (char letter : emptied_) {
      char root[] = {letter, ':', '\\', '\0'};
      RecycleBinInfo emptied;
      if (below_.SHQueryRecycleBinA(root, &emptied) != kSOk) continue;
      info->i64Size -= emptied.i64Size;
      info->i64NumItems -= emptied.i64NumItems;
    }
  }
  return kSOk;
}

HRESULT RecordingShell::SHEmptyRecycleBinA(std::intptr_t ownerWindow, const char* rootPath,
                                           DWORD flags) {
  if (!session_.recording) return below_.SHEmptyRecycleBinA(ownerWindow, rootPath, flags);
  RecycleBinInfo info;
  if (HRESULT refused = below_.SHQueryRecycleBinA(rootPath, &info); refused == kEInvalidArg)
    return refused;
  char drive = DriveOf(rootPath);
  if (!drive) {
    emptiedAll_ = true;
  } else if (emptied_.find(drive) == std::string::npos) {
    emptied_ += drive;
  }
  session_.Tell(RecordedChange{ChangeKind::kEmptyRecycleBin, rootPath ? rootPath : "", "", 0});
  return kSOk;
}

LONG RecordingSystem::Launch(const std::string& commandLine, int windowStyle) {
  if (!session_.recording) return below_.Launch(commandLine, windowStyle);
  session_.Tell(RecordedChange{ChangeKind::kLaunch, commandLine, std::string(),
                               static_cast<DWORD>(windowStyle)});
  return kErrorSuccess;
}

}  // namespace vb::platform
