// Runs one verb of vanbrisk-cli on a machine, as its own process would: a
// new program over the machine, the machine's scripted user, the given
// standard input, and the output.
#pragma once

#include <gtest/gtest.h>

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

// The verb's exit status and output; the program has ended after it.
inline Ran RunVerb(TempMachine& m, const std::string& verb, const std::vector<std::string>& args,
                   const std::string& input = "") {
  std::istringstream in(input);
  std::ostringstream out, err;
  app::Program program(m.platform());
  cli::VerbIo io{in, out, err};
  platform::ScriptedUi* ui = &m.machine().Script();
  int code = verb == "list" ? cli::RunListVerb(program, ui, args, io)
                            : cli::RunProgramVerb(verb, program, ui, args, io);
  EXPECT_FALSE(program.Running()) << verb;
  return {code, out.str(), err.str()};
}

}  // namespace vb::test
