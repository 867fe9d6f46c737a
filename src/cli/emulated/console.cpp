// The terminal of vanbrisk-cli on Linux.
#include <unistd.h>

#include "cli/platform_choice.h"

namespace vb::cli {

bool ErrorIsTerminal() { return isatty(STDERR_FILENO) == 1; }

}  // namespace vb::cli
