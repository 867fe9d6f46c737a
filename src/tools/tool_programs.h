// The Windows tools the Tools page starts: which files keep each button
// enabled, and what a click starts with which window style.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"

namespace vb::tools {

enum class Tool {
  kDiskCleanup,
  kRegistryEditor,
  kControlPanel,
  kDirectXDiagnostics,
  kCommandPrompt,
  kTaskManager
};

// One program a tool button starts.
struct ToolLaunch {
  // The command Windows finds on its search path; null: the present file
  // itself, by its full path.
  const char* command;
  int windowStyle;  // 1 normal, 2 minimized, each with focus
  // Paths under the Windows folder (the environment's SystemRoot) of which one
  // must be present.
  std::vector<const char*> files;
  // Started only when one of its files is present; otherwise the button's
  // availability alone decides.
  bool whenPresent = false;
};

struct ToolProgram {
  Tool tool;
  std::vector<ToolLaunch> launches;
};

const std::vector<ToolProgram>& ToolPrograms();
const ToolProgram& ProgramOf(Tool tool);

// Whether a file of any of the tool's launches is present (found by a search
// for its exact path; hidden and system files are not found).
bool ToolPresent(platform::Platform& platform, const ToolProgram& program);

// Starts the tool's programs without waiting for them. A program whose file
// is present but that cannot be started gets a message box; nothing else
// changes.
void StartTool(platform::Platform& platform, const ToolProgram& program);

}  // namespace vb::tools
