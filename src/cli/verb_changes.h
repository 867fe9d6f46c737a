// Which commands change the machine they work on, and which only read it:
// a machine that another program holds (a Wine prefix whose wineserver
// runs) may be read, never changed.
#pragma once

#include <string>
#include <vector>

namespace vb::cli {

// Whether the verb, with the words that follow it, may change the machine.
bool VerbChangesMachine(const std::string& verb, const std::vector<std::string>& args);

}  // namespace vb::cli
