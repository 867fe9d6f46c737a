// One run of a reg operation: its arguments, its streams, and the messages
// and exit codes it ends with, in the manner of reg.exe.
#pragma once

#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "base/result.h"
#include "cli/verb_io.h"
#include "platform/platform.h"
#include "registry/root_names.h"

namespace vb::cli {

struct OptionRule {
  const char* name;  // without its / and in lower case
  bool takesArgument;
};

// An operation's arguments: its positional ones, then options in any order.
struct RegArguments {
  std::vector<std::string> positional;
  std::map<std::string, std::optional<std::string>> options;  // by the rule's name

  bool Has(const std::string& name) const { return options.count(name) != 0; }
  std::optional<std::string> Value(const std::string& name) const {
    auto it = options.find(name);
    return it == options.end() ? std::nullopt : it->second;
  }
};

class RegCommand {
 public:
  RegCommand(platform::Platform& platform, std::string name, const char* usage, VerbIo io)
      : registry_(platform.Registry()),
        codePage_(platform.System().GetACP()),
        name_(std::move(name)),
        usage_(usage),
        io_(io) {}

  platform::RegistryApi& Registry() { return registry_; }
  // The program's code page, that of its registry text.
  win::DWORD CodePage() const { return codePage_; }
  VerbIo& Io() { return io_; }

  // Each prints its message and gives the exit code to end with.
  int Usage(const std::string& message);
  int Fail(const std::string& message);
  int Fail(win::LONG code);
  // A message about a host file, which begins with its name.
  int FailAbout(const std::string& file, const std::string& message);
  int Done();
  int Help();
  int Canceled();

  bool WantsHelp(const std::vector<std::string>& args) const;

  // Each of the next four fails with the usage error to end with (see Usage).
  // Takes the positional arguments named in names, then the options (args[0]
  // is the operation).
  Result<RegArguments> Parse(const std::vector<std::string>& args,
                             std::initializer_list<const char*> names,
                             std::initializer_list<OptionRule> rules);

  // Command-line text (UTF-8) in the registry's Windows-1252.
  Result<std::string> Ansi(const std::string& text, const std::string& what);
  Result<registry::KeyPath> Key(const std::string& text);
  // The value that /v NAME or /ve names; nothing when neither is given. Fails
  // when both are.
  Result<std::optional<std::string>> ValueName(const RegArguments& args);

  // Asks on the streams; only y or yes (any case) agrees.
  bool Confirm(const std::string& question);

 private:
  platform::RegistryApi& registry_;
  win::DWORD codePage_;
  std::string name_;
  const char* usage_;
  VerbIo io_;
};

// "HKEY_CURRENT_USER\Software\X" in UTF-8, for messages and query output.
std::string DisplayPath(const registry::KeyPath& key);

// The operations, each in its own file; argv[0] is the operation's name.
int RegAdd(RegCommand& command, const std::vector<std::string>& argv);
int RegDelete(RegCommand& command, const std::vector<std::string>& argv);
int RegQuery(RegCommand& command, const std::vector<std::string>& argv);
int RegImport(RegCommand& command, const std::vector<std::string>& argv);
int RegExport(RegCommand& command, const std::vector<std::string>& argv);

}  // namespace vb::cli
