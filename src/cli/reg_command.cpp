#include "cli/reg_command.h"

#include "platform/ascii_case.h"
#include "registry/error_text.h"
#include "registry/reg_file_text.h"

namespace vb::cli {

namespace {

constexpr const char* kSuccess = "The operation completed successfully.";

bool IsOption(const std::string& arg) {
  return arg.size() >= 2 && (arg[0] == '/' || arg[0] == '-');
}

// The rule of an option argument ("/V", "-f"); null for anything else.
const OptionRule* RuleOf(const std::string& arg, std::initializer_list<OptionRule> rules) {
  if (!IsOption(arg)) return nullptr;
  for (const OptionRule& rule : rules)
    if (platform::EqualsIgnoringCase(std::string_view(arg).substr(1), rule.name)) return &rule;
  return nullptr;
}

// A message as reg prints it: a capital first letter and a full stop.
std::string Sentence(std::string message) {
  if (!message.empty() && message[0] >= 'a' && message[0] <= 'z')
    message[0] = static_cast<char>(message[0] - 'a' + 'A');
  if (!message.empty() && message.back() != '.') message += '.';
  return message;
}

}  // namespace

int RegCommand::Usage(const std::string& message) {
  io_.err << "ERROR: " << Sentence(message) << "\nType \"reg " << name_ << " /?\" for usage.\n";
  return kExitUsage;
}

int RegCommand::Fail(const std::string& message) {
  io_.err << "ERROR: " << Sentence(message) << "\n";
  return kExitFailed;
}

int RegCommand::FailAbout(const std::string& file, const std::string& message) {
  // The file name stays as given: on the host, letter case tells files apart.
  std::string text = file + ": " + message;
  if (text.back() != '.') text += '.';
  io_.err << "ERROR: " << text << "\n";
  return kExitFailed;
}

int RegCommand::Fail(win::LONG code) { return Fail(registry::RegistryErrorText(code)); }

int RegCommand::Done() {
  io_.out << kSuccess << "\n";
  return kExitOk;
}

int RegCommand::Help() {
  io_.out << usage_;
  return kExitOk;
}

int RegCommand::Canceled() {
  io_.err << "The operation was canceled by the user.\n";
  return kExitFailed;
}

bool RegCommand::WantsHelp(const std::vector<std::string>& args) const {
  for (const std::string& arg : args)
    if (arg == "/?" || arg == "-?") return true;
  return false;
}

Result<RegArguments> RegCommand::Parse(const std::vector<std::string>& args,
                                       std::initializer_list<const char*> names,
                                       std::initializer_list<OptionRule> rules) {
  RegArguments parsed;
  std::size_t i = 1;
  // A host path may start with a slash, so only the operation's own options
  // end the positional arguments early.
  for (const char* positional : names) {
    if (i >= args.size() || RuleOf(args[i], rules))
      return vb::Fail(std::string(positional) + " is missing");
    parsed.positional.push_back(args[i++]);
  }
  for (; i < args.size(); ++i) {
    if (!IsOption(args[i])) return vb::Fail("unexpected argument \"" + args[i] + "\"");
    const OptionRule* rule = RuleOf(args[i], rules);
    if (!rule) return vb::Fail("unknown option " + args[i]);
    if (parsed.Has(rule->name)) return vb::Fail("option " + args[i] + " is given twice");
    if (rule->takesArgument) {
      if (i + 1 >= args.size()) return vb::Fail("option " + args[i] + " needs a value");
      parsed.options[rule->name] = args[++i];
    } else {
      parsed.options[rule->name] = std::nullopt;
    }
  }
  return parsed;
}

Result<std::string> RegCommand::Ansi(const std::string& text, const std::string& what) {
  // The command line is in the program's code page already (UTF-8 on Linux,
  // the process's ANSI code page on Windows). Under UTF-8 only well-formed
  // text is taken, so that every name written can be exported again.
  if (codePage_ == platform::kCodePageUtf8)
    if (registry::DecodedText decoded = registry::DecodeUtf8(text); !decoded.ok)
      return vb::Fail(what + ": " + decoded.error);
  return text;
}

Result<registry::KeyPath> RegCommand::Key(const std::string& text) {
  Result<std::string> ansi = Ansi(text, "the key name");
  if (!ansi) return ansi.failure();
  Result<registry::KeyPath> key = registry::SplitKeyPath(*ansi);
  if (!key) return key.failure();
  return key;
}

Result<std::optional<std::string>> RegCommand::ValueName(const RegArguments& args) {
  if (args.Has("v") && args.Has("ve")) return vb::Fail("/v and /ve cannot be used together");
  if (args.Has("ve")) return std::optional<std::string>(std::string());
  if (!args.Has("v")) return std::optional<std::string>();
  Result<std::string> name = Ansi(*args.Value("v"), "the value name");
  if (!name) return name.failure();
  return std::optional<std::string>(std::move(*name));
}

bool RegCommand::Confirm(const std::string& question) {
  io_.out << question << " (Yes/No)? " << std::flush;
  std::string answer;
  if (!std::getline(io_.in, answer)) return false;
  std::size_t first = answer.find_first_not_of(" \t\r");
  std::size_t last = answer.find_last_not_of(" \t\r");
  std::string_view trimmed =
      first == std::string::npos ? "" : std::string_view(answer).substr(first, last - first + 1);
  return platform::EqualsIgnoringCase(trimmed, "y") || platform::EqualsIgnoringCase(trimmed, "yes");
}

std::string DisplayPath(const registry::KeyPath& key) {
  return registry::JoinKeyPath(key.root, key.subKey);
}

}  // namespace vb::cli
