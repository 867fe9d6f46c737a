#include "cli/reg_verbs.h"

#include "cli/reg_command.h"
#include "platform/ascii_case.h"

namespace vb::cli {

using platform::EqualsIgnoringCase;

namespace {

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
    "  FILE  the .reg file of the host to write; - writes it to standard output\n"
    "  /y    overwrite FILE if it exists\n";
constexpr const char* kUsage =
    "usage:\n"
    "  reg add KEY [/v NAME | /ve] [/t TYPE] [/s SEPARATOR] [/d DATA] [/f]\n"
    "  reg delete KEY [/v NAME | /ve | /va] [/f]\n"
    "  reg query KEY [/v NAME | /ve] [/s]\n"
    "  reg import FILE\n"
    "  reg export KEY FILE [/y]\n"
    "\"reg OPERATION /?\" describes one operation.\n";

}  // namespace

int RunRegVerb(platform::Platform& platform, const std::vector<std::string>& args, VerbIo io) {
  if (args.empty()) {
    io.err << "ERROR: An operation is missing.\n" << kUsage;
    return kExitUsage;
  }
  const std::string& name = args[0];
  if (name == "/?" || name == "-?" || EqualsIgnoringCase(name, "--help")) {
    io.out << kUsage;
    return kExitOk;
  }
  struct Entry {
    const char* name;
    const char* usage;
    int (*run)(RegCommand&, const std::vector<std::string>&);
  };
  static constexpr Entry kOperations[] = {
      {"add", kUsageAdd, RegAdd},          {"delete", kUsageDelete, RegDelete},
      {"query", kUsageQuery, RegQuery},    {"import", kUsageImport, RegImport},
      {"export", kUsageExport, RegExport},
  };
  for (const Entry& entry : kOperations) {
    if (!EqualsIgnoringCase(name, entry.name)) continue;
    RegCommand command(platform, entry.name, entry.usage, io);
    if (command.WantsHelp(args)) return command.Help();
    return entry.run(command, args);
  }
  io.err << "ERROR: Unknown operation \"" << args[0] << "\".\n" << kUsage;
  return kExitUsage;
}

}  // namespace vb::cli
