// The terminal of vanbrisk-cli on Windows: a console or a pipe takes the
// program's ANSI text as Windows programs write it.
#include <io.h>

#include <cstdio>

#include "cli/platform_choice.h"

namespace vb::cli {

Console HostConsole() { return {false, _isatty(_fileno(stderr)) != 0}; }

}  // namespace vb::cli
