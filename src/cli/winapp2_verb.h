// winapp2 check: reads a rule file as the program would read it on this
// machine and reports what it would refuse and where its entries would go.
#pragma once

#include <string>
#include <vector>

#include "cli/verb_io.h"
#include "platform/platform.h"

namespace vb::cli {

// args follow the word "winapp2":
//   winapp2 check FILE
// FILE is a file of the host. Prints each problem as
// "FILE, line N: message", then one line per list with the number of
// entries that would go to it ("Applications: 3"). As the program, it reads
// only a regular file of at most 16 MB (catalogue::kRuleFileLimit): a
// folder, a device, a FIFO or a larger file is refused with the reason.
// Exit code 0 when the file has no problem, 1 when it has some or was not read.
int RunWinapp2Verb(platform::Platform& platform, const std::vector<std::string>& args, VerbIo io);

}  // namespace vb::cli
