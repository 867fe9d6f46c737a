// attrib: the DOS attributes of the emulated machine's files, in the manner
// of Windows' attrib.exe.
#pragma once

#include <string>
#include <vector>

#include "cli/verb_io.h"
#include "platform/platform.h"

namespace vb::cli {

// args follow the word "attrib":
//   attrib [+R|-R] [+H|-H] [+S|-S] [+A|-A] PATH
// PATH is a Windows path whose last component may hold wildcards; a wildcard
// matches files only, a path without one names a file or a folder. Without
// switches each matching entry is shown on one line:
//   "A    SHR     C:\boot.ini"
// column 0 archive, columns 5-7 system, hidden and read-only, the full Windows
// path from column 13. With switches the attributes of each match change.
int RunAttribVerb(platform::Platform& platform, const std::vector<std::string>& args, VerbIo io);

}  // namespace vb::cli
