#include "cli/script_commands.h"

#include "cli/script_words.h"
#include "platform/ascii_case.h"

namespace vb::cli::script {

namespace {

constexpr Syntax kSyntax[] = {
    {"start", Verb::kStart, Shape::kRawRest, "", "[ARGS]",
     "start the program with that command line"},
    {"unload", Verb::kUnload, Shape::kOptionalName, "", "[WINDOW]",
     "close a window (the main window when none is named)"},
    {"click", Verb::kClick, Shape::kName, "", "NAME", "click a control"},
    {"rightclick", Verb::kRightClick, Shape::kName, "", "NAME",
     "press the right mouse button on a control"},
    {"key", Verb::kKey, Shape::kNameCode, "key code", "NAME CODE",
     "a key pressed on a control, CODE in decimal"},
    {"tick", Verb::kTick, Shape::kName, "", "NAME", "a check box becomes 1"},
    {"untick", Verb::kUntick, Shape::kName, "", "NAME", "a check box becomes 0"},
    {"type", Verb::kType, Shape::kNameText, "text", "NAME TEXT",
     "the text of a text box or combo box"},
    {"tab", Verb::kTab, Shape::kNameText, "tab caption", "NAME CAPTION", "choose a tab"},
    {"check", Verb::kCheck, Shape::kNameText, "row text", "LIST TEXT",
     "tick the check mark of a row of a list"},
    {"uncheck", Verb::kUncheck, Shape::kNameText, "row text", "LIST TEXT",
     "clear the check mark of a row of a list"},
    {"choose", Verb::kChoose, Shape::kNameText, "item text", "NAME TEXT",
     "select a row of a list or combo box; click an item of an open menu"},
    {"answer", Verb::kAnswer, Shape::kRest, "answer", "yes|no|ok|cancel|TEXT",
     "the answer to the next message box or dialog"},
    {"print", Verb::kPrint, Shape::kName, "", "NAME[.PROPERTY]",
     "print a control; PROPERTY: visible enabled value caption tooltip count "
     "checked index"},
};

bool ParseDecimal(const std::string& word, int* value) {
  if (word.empty() || word.size() > 9) return false;
  int v = 0;
  for (char c : word) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + (c - '0');
  }
  *value = v;
  return true;
}

}  // namespace

std::span<const Syntax> Syntaxes() { return kSyntax; }

Result<> ParseLine(std::string_view line, std::optional<Command>* parsed) {
  std::size_t first = 0;
  while (first < line.size() && IsBlank(line[first])) ++first;
  if (first == line.size() || line[first] == '#') return {};
  LineReader reader(line);
  std::optional<std::string> word = reader.Next();
  if (!word) return Fail("a quote is not closed");
  Command command;
  for (const Syntax& s : kSyntax)
    if (platform::EqualsIgnoringCase(*word, s.word)) command.syntax = &s;
  if (!command.syntax) return Fail("unknown command '" + *word + "'");
  const Syntax& s = *command.syntax;
  std::string verb = s.word;

  auto name = [&]() -> Result<> {
    std::optional<std::string> n = reader.Next();
    if (reader.Bad()) return Fail("a quote is not closed");
    if (!n || n->empty()) {
      if (s.shape == Shape::kName) return Fail(verb + " needs a name");
      return Fail(verb + " needs a name and a " + s.textName);
    }
    command.name = *n;
    return {};
  };
  auto noMore = [&]() -> Result<> {
    if (reader.AtEnd()) return {};
    return Fail(verb + " takes " +
                (s.shape == Shape::kNameCode ? "a name and a key code" : "one name") + "; '" +
                reader.RawRest() + "' is too much");
  };

  Result<> taken;
  switch (s.shape) {
    case Shape::kRawRest:
      command.text = reader.RawRest();
      break;
    case Shape::kRest:
      if (reader.AtEnd()) return Fail(verb + " needs yes, no, ok, cancel or a path");
      command.text = reader.Rest();
      break;
    case Shape::kOptionalName:
      if (!reader.AtEnd() && (taken = name())) taken = noMore();
      break;
    case Shape::kName:
      if ((taken = name())) taken = noMore();
      break;
    case Shape::kNameCode: {
      if (!(taken = name())) break;
      std::optional<std::string> code = reader.Next();
      if (reader.Bad()) return Fail("a quote is not closed");
      if (!code) return Fail(verb + " needs a name and a key code");
      if (!ParseDecimal(*code, &command.code))
        return Fail("the key code '" + *code + "' is not a decimal number");
      taken = noMore();
      break;
    }
    case Shape::kNameText:
      if (!(taken = name())) break;
      // An empty text clears a text box; anything else needs its text.
      if (reader.AtEnd() && s.verb != Verb::kType)
        return Fail(verb + " needs a name and a " + s.textName);
      command.text = reader.Rest();
      break;
  }
  if (!taken) return taken;
  *parsed = std::move(command);
  return {};
}

}  // namespace vb::cli::script
