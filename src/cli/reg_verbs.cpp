#include "cli/reg_verbs.h"

#include "platform/ascii_case.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <map>
#include <optional>
#include <sstream>

#include "platform/opened_key.h"
#include "registry/change_unit.h"
#include "registry/error_text.h"
#include "registry/key_reading.h"
#include "registry/key_tree.h"
#include "registry/reg_file.h"
#include "registry/reg_file_registry.h"
#include "registry/reg_file_text.h"
#include "registry/root_names.h"
#include "registry/value_text.h"

namespace vb::cli {

namespace {

using platform::RegistryApi;
using registry::Cp1252ToUtf8;
using registry::KeyPath;
using platform::OpenedKey;
using registry::ChangeUnit;
using registry::RegFileKey;
using registry::RegFileValue;
using win::DWORD;
using win::LONG;

constexpr const char* kSuccess = "The operation completed successfully.";
constexpr const char* kNotFound =
    "The system was unable to find the specified registry key or value.";

constexpr const char* kUsageAdd =
    "reg add KEY [/v NAME | /ve] [/t TYPE] [/s SEPARATOR] [/d DATA] [/f]\n"
    "  KEY   ROOT\\SubKey, ROOT one of HKCR, HKCU, HKLM, HKU or their long names\n"
    "  /v    the value to add; /ve the default value (none of them: only the key)\n"
    "  /t    REG_SZ (default), REG_EXPAND_SZ, REG_MULTI_SZ, REG_DWORD, REG_QWORD,\n"
    "        REG_DWORD_BIG_ENDIAN, REG_BINARY, REG_NONE\n"
    "  /s    the separator of the REG_MULTI_SZ strings in DATA (default \\0)\n"
    "  /d    the data: text, a number (decimal or 0x hex), or hex digits for\n"
    "        REG_BINARY and REG_NONE\n"
    "  /f    overwrite a value that exists\n";
constexpr const char* kUsageDelete =
    "reg delete KEY [/v NAME | /ve | /va] [/f]\n"
    "  without /v, /ve or /va: the key and all its subkeys\n"
    "  /v    one value; /ve the default value; /va all values of the key\n"
    "  /f    do not ask\n";
constexpr const char* kUsageQuery =
    "reg query KEY [/v NAME | /ve] [/s]\n"
    "  /v    one value; /ve the default value\n"
    "  /s    the subkeys too, all the way down\n";
constexpr const char* kUsageImport = "reg import FILE\n  FILE  a .reg file of the host\n";
constexpr const char* kUsageExport =
    "reg export KEY FILE [/y]\n"
    "  FILE  the .reg file of the host to write\n"
    "  /y    overwrite FILE if it exists\n";
constexpr const char* kUsage =
    "usage:\n"
    "  reg add KEY [/v NAME | /ve] [/t TYPE] [/s SEPARATOR] [/d DATA] [/f]\n"
    "  reg delete KEY [/v NAME | /ve | /va] [/f]\n"
    "  reg query KEY [/v NAME | /ve] [/s]\n"
    "  reg import FILE\n"
    "  reg export KEY FILE [/y]\n"
    "\"reg OPERATION /?\" describes one operation.\n";

std::string Lower(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

bool IsOption(const std::string& arg) {
  return arg.size() >= 2 && (arg[0] == '/' || arg[0] == '-');
}

struct OptionRule {
  const char* name;  // without its / and in lower case
  bool takesArgument;
};

// An operation's arguments: its positional ones, then options in any order.
struct Arguments {
  std::vector<std::string> positional;
  std::map<std::string, std::optional<std::string>> options;

  bool Has(const std::string& name) const { return options.count(name) != 0; }
  std::optional<std::string> Value(const std::string& name) const {
    auto it = options.find(name);
    return it == options.end() ? std::nullopt : it->second;
  }
};

std::string ValueLine(const RegFileValue& value) {
  std::string name = value.name.empty() ? "(Default)" : Cp1252ToUtf8(value.name);
  return "    " + name + "    " + registry::TypeText(value.type) + "    " +
         Cp1252ToUtf8(registry::DataText(value.type, value.data)) + "\n";
}

// A message as reg prints it: a capital first letter and a full stop.
std::string Sentence(std::string message) {
  if (!message.empty() && message[0] >= 'a' && message[0] <= 'z')
    message[0] = static_cast<char>(message[0] - 'a' + 'A');
  if (!message.empty() && message.back() != '.') message += '.';
  return message;
}

// One run of an operation: its streams and the messages it gives.
class Operation {
 public:
  Operation(platform::Platform& platform, std::string name, const char* usage, VerbIo io)
      : registry_(platform.Registry()), name_(std::move(name)), usage_(usage), io_(io) {}

  RegistryApi& Registry() { return registry_; }
  VerbIo& Io() { return io_; }

  int Usage(const std::string& message) {
    io_.err << "ERROR: " << Sentence(message) << "\nType \"reg " << name_ << " /?\" for usage.\n";
    return kExitUsage;
  }
  int Fail(const std::string& message) {
    io_.err << "ERROR: " << Sentence(message) << "\n";
    return kExitFailed;
  }
  int Fail(LONG code) { return Fail(registry::RegistryErrorText(code)); }
  int Done() {
    io_.out << kSuccess << "\n";
    return kExitOk;
  }
  bool WantsHelp(const std::vector<std::string>& args) {
    for (const std::string& arg : args)
      if (arg == "/?" || arg == "-?") return true;
    return false;
  }
  int Help() {
    io_.out << usage_;
    return kExitOk;
  }

  // Takes the positional arguments named in names, then the options.
  std::optional<Arguments> Parse(const std::vector<std::string>& args,
                                 std::initializer_list<const char*> names,
                                 std::initializer_list<OptionRule> rules, int* exitCode) {
    Arguments parsed;
    std::size_t i = 1;
    auto known = [&](const std::string& arg) {
      if (!IsOption(arg)) return false;
      for (const OptionRule& s : rules)
        if (Lower(arg.substr(1)) == s.name) return true;
      return false;
    };
    // A host path may start with a slash, so only the operation's own
    // options end the positional arguments early.
    for (const char* positional : names) {
      if (i >= args.size() || known(args[i])) {
        *exitCode = Usage(std::string(positional) + " is missing");
        return std::nullopt;
      }
      parsed.positional.push_back(args[i++]);
    }
    for (; i < args.size(); ++i) {
      if (!IsOption(args[i])) {
        *exitCode = Usage("unexpected argument \"" + args[i] + "\"");
        return std::nullopt;
      }
      std::string option = Lower(args[i].substr(1));
      const OptionRule* rule = nullptr;
      for (const OptionRule& s : rules)
        if (option == s.name) rule = &s;
      if (!rule) {
        *exitCode = Usage("unknown option " + args[i]);
        return std::nullopt;
      }
      if (parsed.Has(option)) {
        *exitCode = Usage("option " + args[i] + " is given twice");
        return std::nullopt;
      }
      if (rule->takesArgument) {
        if (i + 1 >= args.size()) {
          *exitCode = Usage("option " + args[i] + " needs a value");
          return std::nullopt;
        }
        parsed.options[option] = args[++i];
      } else {
        parsed.options[option] = std::nullopt;
      }
    }
    return parsed;
  }

  // Command-line text (UTF-8) in the registry's Windows-1252.
  std::optional<std::string> Ansi(const std::string& text, const std::string& what, int* exitCode) {
    std::string why;
    std::optional<std::string> ansi = registry::Utf8ToCp1252(text, &why);
    if (!ansi) *exitCode = Usage(what + ": " + why);
    return ansi;
  }

  std::optional<KeyPath> Key(const std::string& text, int* exitCode) {
    std::optional<std::string> ansi = Ansi(text, "the key name", exitCode);
    if (!ansi) return std::nullopt;
    std::string why;
    std::optional<KeyPath> key = registry::SplitKeyPath(*ansi, &why);
    if (!key) *exitCode = Usage(Cp1252ToUtf8(why));
    return key;
  }

  // The value that /v NAME or /ve names; nothing when neither is given.
  // *exitCode is set when both are.
  std::optional<std::string> ValueName(const Arguments& args, int* exitCode) {
    if (args.Has("v") && args.Has("ve")) {
      *exitCode = Usage("/v and /ve cannot be used together");
      return std::nullopt;
    }
    if (args.Has("ve")) return std::string();
    if (args.Has("v")) return Ansi(*args.Value("v"), "the value name", exitCode);
    return std::nullopt;
  }

  // Asks on the streams; only y or yes (any case) agrees.
  bool Confirm(const std::string& question) {
    io_.out << question << " (Yes/No)? " << std::flush;
    std::string answer;
    if (!std::getline(io_.in, answer)) return false;
    std::size_t first = answer.find_first_not_of(" \t\r");
    std::size_t last = answer.find_last_not_of(" \t\r");
    answer = first == std::string::npos ? "" : Lower(answer.substr(first, last - first + 1));
    return answer == "y" || answer == "yes";
  }
  int Canceled() {
    io_.err << "The operation was canceled by the user.\n";
    return kExitFailed;
  }

 private:
  RegistryApi& registry_;
  std::string name_;
  const char* usage_;
  VerbIo io_;
};

std::string DisplayPath(const KeyPath& key) {
  return Cp1252ToUtf8(registry::JoinKeyPath(key.root, key.subKey));
}

int Add(Operation& op, const std::vector<std::string>& argv) {
  int code = kExitUsage;
  auto args = op.Parse(
      argv, {"KEY"},
      {{"v", true}, {"ve", false}, {"t", true}, {"s", true}, {"d", true}, {"f", false}}, &code);
  if (!args) return code;
  std::optional<KeyPath> key = op.Key(args->positional[0], &code);
  if (!key) return code;
  std::optional<std::string> valueName = op.ValueName(*args, &code);
  if (!valueName && args->Has("v")) return code;

  DWORD type = win::kRegSz;
  if (std::optional<std::string> typeName = args->Value("t")) {
    std::optional<DWORD> known = registry::ParseTypeName(*typeName);
    if (!known)
      return op.Usage("unknown type \"" + *typeName +
                      "\"; use REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ, REG_DWORD, REG_QWORD, "
                      "REG_DWORD_BIG_ENDIAN, REG_BINARY or REG_NONE");
    type = *known;
  }
  if (!valueName && (args->Has("t") || args->Has("d") || args->Has("s")))
    return op.Usage("/t, /s and /d describe a value: name it with /v NAME, or /ve");
  std::string separator = "\\0";
  if (std::optional<std::string> s = args->Value("s")) {
    if (type != win::kRegMultiSz) return op.Usage("/s is only for REG_MULTI_SZ data");
    std::optional<std::string> ansi = op.Ansi(*s, "the separator", &code);
    if (!ansi) return code;
    if (ansi->size() != 1) return op.Usage("the separator must be one character");
    separator = *ansi;
  }
  std::optional<std::string> data;
  if (std::optional<std::string> d = args->Value("d")) {
    data = op.Ansi(*d, "the data", &code);
    if (!data) return code;
  }
  std::optional<std::string> bytes;
  if (valueName) {
    if (!registry::IsWritableFromText(type))
      return op.Usage("reg add cannot write " + registry::TypeText(type) + " values");
    std::string why;
    bytes = registry::DataFromText(type, data, separator, &why);
    if (!bytes) return op.Usage(Cp1252ToUtf8(why));
  }

  RegistryApi& registry = op.Registry();
  ChangeUnit unit(registry);
  OpenedKey opened(registry);
  LONG rc = opened.Create(key->root, key->subKey, win::kKeyWrite | win::kKeyQueryValue);
  if (rc != win::kErrorSuccess) return op.Fail(rc);
  if (valueName) {
    DWORD existingType = 0;
    DWORD size = 0;
    rc = registry.RegQueryValueExA(opened.get(), valueName->c_str(), &existingType, nullptr, &size);
    if (rc == win::kErrorSuccess && !args->Has("f"))
      return op.Fail(
          "the value " +
          (valueName->empty() ? std::string("(Default)") : "\"" + Cp1252ToUtf8(*valueName) + "\"") +
          " of " + DisplayPath(*key) + " exists already; add /f to overwrite it");
    if (rc != win::kErrorSuccess && rc != win::kErrorFileNotFound) return op.Fail(rc);
    rc = registry.RegSetValueExA(opened.get(), valueName->c_str(), type,
                                 reinterpret_cast<const win::BYTE*>(bytes->data()),
                                 static_cast<DWORD>(bytes->size()));
    if (rc != win::kErrorSuccess) return op.Fail(rc);
  }
  unit.Keep();
  return op.Done();
}

int Delete(Operation& op, const std::vector<std::string>& argv) {
  int code = kExitUsage;
  auto args =
      op.Parse(argv, {"KEY"}, {{"v", true}, {"ve", false}, {"va", false}, {"f", false}}, &code);
  if (!args) return code;
  std::optional<KeyPath> key = op.Key(args->positional[0], &code);
  if (!key) return code;
  int chosen = args->Has("v") + args->Has("ve") + args->Has("va");
  if (chosen > 1) return op.Usage("use only one of /v, /ve and /va");
  std::optional<std::string> valueName = op.ValueName(*args, &code);
  if (!valueName && args->Has("v")) return code;
  bool force = args->Has("f");
  RegistryApi& registry = op.Registry();
  std::string path = DisplayPath(*key);

  if (chosen == 0) {
    if (key->subKey.empty()) return op.Fail("refusing to delete the whole hive " + path);
    {
      OpenedKey probe(registry);
      LONG rc = probe.Open(key->root, key->subKey, win::kKeyRead);
      if (rc != win::kErrorSuccess) return op.Fail(rc);
    }
    if (!force && !op.Confirm("Permanently delete the registry key " + path)) return op.Canceled();
    ChangeUnit unit(registry);
    std::string failed;
    LONG rc = registry::DeleteTree(registry, key->root, key->subKey, &failed);
    if (rc != win::kErrorSuccess)
      return op.Fail(registry::RegistryErrorText(rc) + " The key " + Cp1252ToUtf8(failed) +
                     " could not be deleted");
    unit.Keep();
    return op.Done();
  }

  OpenedKey opened(registry);
  LONG rc = opened.Open(key->root, key->subKey, win::kKeyQueryValue | win::kKeySetValue);
  if (rc != win::kErrorSuccess) return op.Fail(rc);
  if (valueName) {
    DWORD size = 0;
    rc = registry.RegQueryValueExA(opened.get(), valueName->c_str(), nullptr, nullptr, &size);
    if (rc != win::kErrorSuccess) return op.Fail(rc);
    std::string shown = valueName->empty() ? "(Default)" : Cp1252ToUtf8(*valueName);
    if (!force && !op.Confirm("Delete the registry value " + shown)) return op.Canceled();
    rc = registry.RegDeleteValueA(opened.get(), valueName->c_str());
    return rc == win::kErrorSuccess ? op.Done() : op.Fail(rc);
  }
  std::vector<std::string> names;
  rc = registry::ValueNames(registry, opened.get(), &names);
  if (rc != win::kErrorSuccess) return op.Fail(rc);
  if (!force && !op.Confirm("Delete all values under the registry key " + path))
    return op.Canceled();
  ChangeUnit unit(registry);
  for (const std::string& name : names) {
    rc = registry.RegDeleteValueA(opened.get(), name.c_str());
    if (rc != win::kErrorSuccess) return op.Fail(rc);
  }
  unit.Keep();
  return op.Done();
}

int Query(Operation& op, const std::vector<std::string>& argv) {
  int code = kExitUsage;
  auto args = op.Parse(argv, {"KEY"}, {{"v", true}, {"ve", false}, {"s", false}}, &code);
  if (!args) return code;
  std::optional<KeyPath> key = op.Key(args->positional[0], &code);
  if (!key) return code;
  std::optional<std::string> valueName = op.ValueName(*args, &code);
  if (!valueName && args->Has("v")) return code;
  RegistryApi& registry = op.Registry();
  std::ostream& out = op.Io().out;

  if (!args->Has("s")) {
    RegFileKey read;
    std::vector<std::string> subKeys;
    LONG rc = registry::ReadKey(registry, key->root, key->subKey, &read, &subKeys);
    if (rc != win::kErrorSuccess)
      return op.Fail(rc == win::kErrorFileNotFound ? kNotFound : registry::RegistryErrorText(rc));
    std::string text = "\n" + DisplayPath(*key) + "\n";
    bool anyValue = false;
    for (const RegFileValue& value : read.values) {
      if (valueName && !platform::EqualsIgnoringCase(value.name, *valueName)) continue;
      text += ValueLine(value);
      anyValue = true;
    }
    if (valueName && !anyValue) return op.Fail(kNotFound);
    if (!valueName && !subKeys.empty()) {
      if (anyValue) text += "\n";
      for (const std::string& sub : subKeys)
        text += DisplayPath(*key) + "\\" + Cp1252ToUtf8(sub) + "\n";
    }
    out << text;
    return kExitOk;
  }

  registry::RegFile tree;
  std::string failed;
  LONG rc = registry::ReadKeyTree(registry, key->root, key->subKey, &tree, &failed);
  if (rc != win::kErrorSuccess)
    return op.Fail(rc == win::kErrorFileNotFound ? kNotFound
                                                 : registry::RegistryErrorText(rc) + " The key " +
                                                       Cp1252ToUtf8(failed) + " could not be read");
  std::string text;
  int matches = 0;
  for (const RegFileKey& k : tree.keys) {
    std::string block = "\n" + Cp1252ToUtf8(registry::JoinKeyPath(k.root, k.subKey)) + "\n";
    bool found = false;
    for (const RegFileValue& value : k.values) {
      if (valueName && !platform::EqualsIgnoringCase(value.name, *valueName)) continue;
      block += ValueLine(value);
      found = true;
      ++matches;
    }
    if (!valueName || found) text += block;
  }
  if (valueName) {
    if (matches == 0) return op.Fail(kNotFound);
    text += "\nEnd of search: " + std::to_string(matches) + " match(es) found.\n";
  }
  out << text;
  return kExitOk;
}

int Import(Operation& op, const std::vector<std::string>& argv) {
  int code = kExitUsage;
  auto args = op.Parse(argv, {"FILE"}, {}, &code);
  if (!args) return code;
  const std::string& file = args->positional[0];
  std::error_code ec;
  if (!std::filesystem::is_regular_file(file, ec))
    return op.Fail("cannot read " + file + ": " +
                   (std::filesystem::exists(file, ec) ? "not a regular file" : "no such file"));
  std::ifstream in(file, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  if (!in) return op.Fail("cannot read " + file);
  std::string error;
  if (!registry::ImportRegFile(op.Registry(), bytes.str(), &error))
    return op.Fail(file + ": " + Cp1252ToUtf8(error) + "; nothing was changed");
  return op.Done();
}

// Writes the file beside its final name first, so that a failed write leaves
// no half file behind and an existing file stays whole until replaced.
bool WriteWhole(const std::string& path, const std::string& bytes, std::string* error) {
  std::string temporary;
  std::FILE* f = nullptr;
  for (int n = 0; n < 100 && !f; ++n) {
    temporary = path + ".partial" + std::to_string(n);
    f = std::fopen(temporary.c_str(), "wbx");
    if (!f && errno != EEXIST) break;
  }
  if (!f) {
    *error = "cannot write " + path + ": " + std::strerror(errno);
    return false;
  }
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  ok = std::fclose(f) == 0 && ok;
  std::error_code ec;
  if (ok) std::filesystem::rename(temporary, path, ec);
  if (!ok || ec) {
    *error = "cannot write " + path + (ec ? ": " + ec.message() : "");
    std::filesystem::remove(temporary, ec);
    return false;
  }
  return true;
}

int Export(Operation& op, const std::vector<std::string>& argv) {
  int code = kExitUsage;
  auto args = op.Parse(argv, {"KEY", "FILE"}, {{"y", false}}, &code);
  if (!args) return code;
  std::optional<KeyPath> key = op.Key(args->positional[0], &code);
  if (!key) return code;
  const std::string& file = args->positional[1];
  std::error_code ec;
  if (std::filesystem::is_directory(file, ec)) return op.Fail(file + " is a folder");
  if (std::filesystem::exists(file, ec) && !args->Has("y"))
    return op.Fail("the file " + file + " exists already; add /y to overwrite it");
  {
    OpenedKey probe(op.Registry());
    LONG rc = probe.Open(key->root, key->subKey, win::kKeyRead);
    if (rc != win::kErrorSuccess) return op.Fail(rc);
  }
  std::string error;
  std::optional<std::string> bytes =
      registry::ExportRegKey(op.Registry(), key->root, key->subKey, &error);
  if (!bytes) return op.Fail(Cp1252ToUtf8(error));
  if (!WriteWhole(file, *bytes, &error)) return op.Fail(error);
  return op.Done();
}

}  // namespace

int RunRegVerb(platform::Platform& platform, const std::vector<std::string>& args, VerbIo io) {
  if (args.empty()) {
    io.err << "ERROR: An operation is missing.\n" << kUsage;
    return kExitUsage;
  }
  std::string name = Lower(args[0]);
  if (name == "/?" || name == "-?" || name == "--help") {
    io.out << kUsage;
    return kExitOk;
  }
  struct Entry {
    const char* name;
    const char* usage;
    int (*run)(Operation&, const std::vector<std::string>&);
  };
  static constexpr Entry kOperations[] = {
      {"add", kUsageAdd, Add},          {"delete", kUsageDelete, Delete},
      {"query", kUsageQuery, Query},    {"import", kUsageImport, Import},
      {"export", kUsageExport, Export},
  };
  for (const Entry& entry : kOperations) {
    if (name != entry.name) continue;
    Operation op(platform, entry.name, entry.usage, io);
    if (op.WantsHelp(args)) return op.Help();
    return entry.run(op, args);
  }
  io.err << "ERROR: Unknown operation \"" << args[0] << "\".\n" << kUsage;
  return kExitUsage;
}

}  // namespace vb::cli
