// Runs one verb of vanbrisk-cli on a machine, as its own process would: a
// new program over the machine, the machine's scripted user, and the output.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "app/program.h"
#include "cli/list_verb.h"
#include "cli/run_verbs.h"
#include "support/temp_machine.h"

namespace vb::test {

struct Ran {
  int code;
  std::string out, err;
};

inline Ran RunVerb(TempMachine& m, const std::string& verb, const std::vector<std::string>& args) {
  std::istringstream in;
  std::ostringstream out, err;
  app::Program program(m.platform());
  auto* ui = &m.machine().Script();
  int code = verb == "list" ? cli::RunListVerb(program, ui, args, {in, out, err})
                            : cli::RunProgramVerb(verb, program, ui, args, {in, out, err});
  return {code, out.str(), err.str()};
}

}  // namespace vb::test
