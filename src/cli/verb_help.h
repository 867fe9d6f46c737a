// The help of vanbrisk-cli: one table row per verb (its usage lines, what it
// does, its options, an example, its exit statuses), read by one routine, so
// that "VERB --help", "help VERB" and the list of verbs say the same.
#pragma once

#include <string>

namespace vb::cli {

struct VerbHelp {
  const char* verb;
  const char* usage;    // lines, each without "vanbrisk-cli "
  const char* summary;  // one line, for the list of verbs
  const char* options;  // lines "  --name  what it does", or ""
  const char* example;
  const char* exits;    // lines "  N  when"
};

// The row of that verb; null for a word that is none.
[[nodiscard]] const VerbHelp* FindVerbHelp(const std::string& verb);

// Whether the word asks for help: --help, -h or /?.
[[nodiscard]] bool IsHelpWord(const std::string& word);

// The help of one verb, for standard output.
[[nodiscard]] std::string VerbHelpText(const VerbHelp& help);

// The usage of the whole program and the list of verbs.
[[nodiscard]] std::string ProgramHelpText();

// "usage: vanbrisk-cli ..." of one verb, for its usage errors.
[[nodiscard]] std::string UsageLines(const std::string& verb);

// The script language of "run" and the control names of every window, taken
// from the windows' own tables (script_help.cpp).
[[nodiscard]] std::string ScriptHelpText();

}  // namespace vb::cli
