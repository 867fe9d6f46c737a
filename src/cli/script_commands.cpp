#include "cli/script_commands.h"

#include "cli/script_words.h"
#include "platform/ascii_case.h"

namespace vb::cli::script {

namespace {

constexpr Syntax kSyntax[] = {
    {"start", Verb::kStart, Shape::kRawRest, ""},
    {"unload", Verb::kUnload, Shape::kOptionalName, ""},
    {"click", Verb::kClick, Shape::kName, ""},
    {"rightclick", Verb::kRightClick, Shape::kName, ""},
    {"key", Verb::kKey, Shape::kNameCode, "key code"},
    {"tick", Verb::kTick, Shape::kName, ""},
    {"untick", Verb::kUntick, Shape::kName, ""},
    {"type", Verb::kType, Shape::kNameText, "text"},
    {"tab", Verb::kTab, Shape::kNameText, "tab caption"},
    {"check", Verb::kCheck, Shape::kNameText, "row text"},
    {"uncheck", Verb::kUncheck, Shape::kNameText, "row text"},
    {"choose", Verb::kChoose, Shape::kNameText, "item text"},
    {"answer", Verb::kAnswer, Shape::kRest, "answer"},
    {"print", Verb::kPrint, Shape::kName, ""},
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
