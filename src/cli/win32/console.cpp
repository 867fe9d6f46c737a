// The terminal of vanbrisk-cli on Windows.
#include <io.h>

#include <cstdio>

#include "cli/platform_choice.h"

namespace vb::cli {

bool ErrorIsTerminal() { return _isatty(_fileno(stderr)) != 0; }

}  // namespace vb::cli
