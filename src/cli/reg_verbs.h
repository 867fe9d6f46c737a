// reg: the emulated machine's registry from the command line, in the manner
// of Windows' reg.exe.
#pragma once

#include <string>
#include <vector>

#include "cli/verb_io.h"
#include "platform/platform.h"

namespace vb::cli {

// args follow the word "reg":
//   add KEY [/v NAME | /ve] [/t TYPE] [/s SEPARATOR] [/d DATA] [/f]
//   delete KEY [/v NAME | /ve | /va] [/f]
//   query KEY [/v NAME | /ve] [/s]
//   import FILE
//   export KEY FILE [/y]
// Command-line text is UTF-8 and is stored as Windows-1252; registry text is
// printed as UTF-8. FILE is a path of the host.
int RunRegVerb(platform::Platform& platform, const std::vector<std::string>& args, VerbIo io);

}  // namespace vb::cli
