// Saving results to a file the user chooses: the results box of the Cleaner
// page, or the lines of a results log list.
#pragma once

#include <string>

#include "platform/platform.h"
#include "toolkit/controls.h"

namespace vb::personal {

// Replaces the file's content with the text; a file that cannot be written
// gets a message box naming it. True when written.
[[nodiscard]] bool WriteTextFile(platform::Platform& platform, const std::string& path,
                   const std::string& text);

// "Save to text file...": the box's text and a final CR LF, to a file chosen
// in the save dialog, which proposes that name.
void SaveResultsText(platform::Platform& platform, const toolkit::TextBox& text,
                     const std::string& proposedName = "log");

// "Save log file...": each line of the list and a CR LF, then one more CR LF,
// to a file chosen in the save dialog.
void SaveLogLines(platform::Platform& platform, const toolkit::ListBox& list);

}  // namespace vb::personal
