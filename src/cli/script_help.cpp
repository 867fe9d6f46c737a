// The help of "run": the script language, from the table of commands, and
// the names of every window's controls, from the windows' own tables, so that
// neither can say anything the program does not do.
#include <map>
#include <sstream>

#include "app/program.h"
#include "cli/script_commands.h"
#include "cli/script_names.h"
#include "cli/verb_help.h"

namespace vb::cli {

namespace {

constexpr std::size_t kColumn = 34;  // where the summaries of the commands start

// The names, after the heading, wrapped at 79 columns.
std::string Wrapped(const std::string& heading, const std::vector<std::string>& names) {
  const std::string indent(8, ' ');
  std::string text = "    " + heading + ":\n", line = indent;
  for (const std::string& name : names) {
    if (line.size() > indent.size() && line.size() + 1 + name.size() > 79) {
      text += line + "\n";
      line = indent;
    }
    line += (line.size() > indent.size() ? " " : "") + name;
  }
  return text + line + "\n";
}

}  // namespace

std::string ScriptHelpText() {
  std::string text = "script (one command a line; blank lines and lines starting with # are skipped):\n";
  for (const script::Syntax& syntax : script::Syntaxes()) {
    std::string line = "  " + std::string(syntax.word) + " " + syntax.arguments;
    line += std::string(line.size() < kColumn ? kColumn - line.size() : 1, ' ');
    // The summary's words, wrapped under its column.
    std::istringstream words(syntax.summary);
    bool first = true;
    for (std::string word; words >> word; first = false) {
      if (!first && line.size() + 1 + word.size() > 79) {
        text += line + "\n";
        line = std::string(kColumn - 1, ' ');
      }
      line += (first ? "" : " ") + word;
    }
    text += line + "\n";
  }
  text +=
      "NAME is a control of the main window (CleanCom), a control of another window\n"
      "(Warning.OKButton) or a window (Warning), letter case ignored; \"double quotes\"\n"
      "group a word. The last argument of type, tab, check, uncheck, choose and answer\n"
      "runs to the end of the line.\n"
      "\nwindows and their controls:\n";
  bool main = true;
  for (const toolkit::WindowTable& window : app::WindowTables()) {
    text += "  " + std::string(window.name) +
            (main ? " (the main window: its controls need no window name)" : "") + "\n";
    main = false;
    // Kinds in the order of their first row, names in table order.
    std::vector<toolkit::Kind> kinds;
    std::map<toolkit::Kind, std::vector<std::string>> names;
    for (const toolkit::WindowTable::Row& row : window.rows) {
      if (!names.count(row.kind)) kinds.push_back(row.kind);
      names[row.kind].push_back(row.spec.name);
    }
    for (toolkit::Kind kind : kinds) {
      std::string kind1 = script::KindName(kind);  // "a check box"
      kind1 = kind1.substr(kind1.find(' ') + 1);
      text += Wrapped(kind1 + (kind1.back() == 'x' ? "es" : "s"), names[kind]);
    }
  }
  return text;
}

}  // namespace vb::cli
