#include "cli/verb_changes.h"

#include "platform/ascii_case.h"

namespace vb::cli {

namespace {

// A verb whose first word decides: those words only read; any other changes.
struct ReadingWords {
  const char* verb;
  std::vector<const char*> reads;  // empty: every form of the verb only reads
};

const std::vector<ReadingWords>& Readers() {
  static const std::vector<ReadingWords> table = {
      {"analyze", {}},          {"plan", {}},           {"list", {}},
      {"policy", {}},           {"winapp2", {}},        {"reg", {"query", "export"}},
      {"cache", {"list"}},      {"schedule", {"show"}},
  };
  return table;
}

}  // namespace

bool VerbChangesMachine(const std::string& verb, const std::vector<std::string>& args) {
  // attrib shows attributes unless a switch sets or clears one.
  if (verb == "attrib") {
    for (const std::string& arg : args)
      if (arg.size() == 2 && (arg[0] == '+' || arg[0] == '-')) return true;
    return false;
  }
  for (const ReadingWords& row : Readers()) {
    if (verb != row.verb) continue;
    if (row.reads.empty()) return false;
    for (const char* word : row.reads)
      if (!args.empty() && platform::EqualsIgnoringCase(args[0], word)) return false;
    return true;
  }
  // clean, /AUTO and run scripts may delete; machine init makes a machine.
  return true;
}

}  // namespace vb::cli
