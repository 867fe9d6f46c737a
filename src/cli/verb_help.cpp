#include "cli/verb_help.h"

#include <sstream>

namespace vb::cli {

namespace {

constexpr const char* kCleanerExits =
    "  0  the run finished\n"
    "  1  an error: the program could not run, a registry deletion failed, or the\n"
    "     output could not be written\n"
    "  2  a usage error (an unknown argument or name): nothing ran\n";

constexpr VerbHelp kVerbs[] = {
    {"analyze", "analyze [--select NAME[,NAME...]] [--json] [--results] [--verbose|--quiet]",
     "start the program, press Analyze, print the results box and the totals",
     "  --select NAME  only these item boxes (control name or English caption) and\n"
     "                 entries (their text), for this run only; commas separate names\n"
     "  --json         one JSON object per action, then a summary object\n"
     "  --results      the results box in the JSON summary (always in the text output\n"
     "                 unless --quiet)\n"
     "  --verbose      the message boxes answered, one line each, on standard error\n"
     "  --quiet        the totals only\n",
     "vanbrisk-cli analyze --select \"SysTemp,Cookies\"", kCleanerExits},
    {"clean",
     "clean [--yes] [--select NAME[,NAME...]] [--json] [--results] [--verbose|--quiet]",
     "the same with Run Cleaner",
     "  --yes          accept the first-clean warning and answer Yes to \"Confirm Before\n"
     "                 Deletion\"\n"
     "  --select NAME  as for analyze\n"
     "  --json         one JSON object per action, then a summary object; a stopped\n"
     "                 clean prints its summary with \"status\": \"stopped\"\n"
     "  --results      the results box in the JSON summary\n"
     "  --verbose      the message boxes answered, on standard error\n"
     "  --quiet        the totals only\n",
     "vanbrisk-cli clean --yes --json > report.jsonl",
     "  0  the run finished\n"
     "  1  an error: the program could not run, a registry deletion failed, or the\n"
     "     output could not be written\n"
     "  2  a usage error: nothing ran\n"
     "  3  stopped by the first-clean warning or a No to the confirmation: nothing\n"
     "     was deleted\n"},
    {"plan", "plan [--select NAME[,NAME...]] [--json] [--results] [--verbose|--quiet]",
     "every change clean would make, made by none: each action and the totals",
     "  --select NAME  as for analyze\n"
     "  --json         one JSON object per action, then a summary object\n"
     "  --results      \"results\": null in the JSON summary: a plan has no results box\n"
     "  --verbose      the message boxes answered, on standard error\n"
     "  --quiet        the totals only\n",
     "vanbrisk-cli plan --select \"SysTemp,WinRAR\"", kCleanerExits},
    {"list", "list [--json] [--verbose]",
     "the item and option boxes and the entries of the application lists",
     "  --json     one JSON object per box or entry\n"
     "  --verbose  the message boxes answered, on standard error\n",
     "vanbrisk-cli list --json",
     "  0  listed\n"
     "  1  the program could not start, or the output could not be written\n"
     "  2  a usage error\n"},
    {"/AUTO", "[--verbose] /AUTO", "quiet mode, exactly as the program's own command line",
     "  --verbose  (before /AUTO) the message boxes answered, on standard error\n",
     "vanbrisk-cli /AUTO",
     "  0  the clean ran\n"
     "  1  an error\n"
     "  2  quiet mode spelt otherwise than /AUTO, or an argument after it\n"
     "  3  stopped by the first-clean warning (never accepted) or a No to the\n"
     "     confirmation: nothing was deleted\n"},
    {"run", "run [--verbose] SCRIPT|-",
     "drive the windows from a script (- : standard input)",
     "  --verbose  the message boxes and dialogs answered, on standard error\n",
     "vanbrisk-cli --verbose run script.vbs",
     "  0  every line ran\n"
     "  1  a line was refused (\"line N: why\"), or the script could not be read\n"
     "  2  a usage error\n"},
    {"machine", "machine init [--demo] [--modern] [--limited-user] [--force]",
     "create an emulated machine",
     "  --demo          traces to clean, for every built-in item and catalogue list\n"
     "  --modern        laid out as Windows 10/11 instead of Windows XP\n"
     "  --limited-user  the user is no administrator\n"
     "  --force         replace an existing machine\n",
     "vanbrisk-cli --machine /tmp/m machine init --demo",
     "  0  created\n"
     "  1  the machine could not be created\n"
     "  2  a usage error\n"},
    {"prefixes", "prefixes [--json]",
     "the Wine and Proton prefixes of this Linux user, with what plan would free in each",
     "  --json  one JSON object per prefix, then a summary object\n"
     "  Looks in $WINEPREFIX, ~/.wine, every Steam library's compatdata (Steam's\n"
     "  libraryfolders.vdf names them), Lutris's ~/Games, Bottles, Heroic and\n"
     "  PlayOnLinux. Each prefix is planned as 'plan' plans it, with its own\n"
     "  settings; one whose wineserver runs is marked in use, and can be read but\n"
     "  not cleaned until it stops. Clean one with\n"
     "  'vanbrisk-cli --machine FOLDER clean'.\n",
     "vanbrisk-cli prefixes --json",
     "  0  listed (a prefix that could not be read is listed with its error)\n"
     "  1  the output could not be written\n"
     "  2  a usage error, or not on Linux\n"},
    {"reg",
     "reg add KEY [/v NAME | /ve] [/t TYPE] [/s SEPARATOR] [/d DATA] [/f]\n"
     "reg delete KEY [/v NAME | /ve | /va] [/f]\n"
     "reg query KEY [/v NAME | /ve] [/s]\n"
     "reg import FILE\n"
     "reg export KEY FILE|- [/y]",
     "work on the registry, as reg.exe does",
     "  \"reg OPERATION /?\" describes the options of one operation\n"
     "  reg export KEY -  writes the file's bytes to standard output\n",
     "vanbrisk-cli reg query \"HKCU\\Software\\VB And VBA Program Settings\" /s",
     "  0  done\n"
     "  1  the registry refused, or a file could not be read or written\n"
     "  2  a usage error\n"},
    {"attrib", "attrib [+R|-R] [+H|-H] [+S|-S] [+A|-A] PATH",
     "show or change the DOS attributes of a file or folder of the machine",
     "  +X, -X  set or clear read-only (R), hidden (H), system (S), archive (A)\n"
     "  PATH    a Windows path of the machine (C:\\...), never a host path\n",
     "vanbrisk-cli attrib +H \"C:\\WINDOWS\\Temp\\a.tmp\"",
     "  0  done\n"
     "  1  not found, or the change was refused\n"
     "  2  a usage error\n"},
    {"cache", "cache add URL [--file PATH] [--type N]\ncache list", "fill and list the URL cache",
     "  URL          SCHEME:..., such as http://host/ or Cookie:user@host/\n"
     "  --file PATH  the entry's file, a path of the machine\n"
     "  --type N     the entry's type\n",
     "vanbrisk-cli cache add http://www.example.com/ --file \"C:\\a.htm\"",
     "  0  done\n"
     "  1  the cache refused\n"
     "  2  a usage error\n"},
    {"schedule",
     "schedule daily [--at H:MM] [--accept-warning]\n"
     "schedule weekly [--day MON..SUN] [--at H:MM] [--accept-warning]\n"
     "schedule logon [--accept-warning]\n"
     "schedule remove|show",
     "a scheduled task running vanbrisk.exe /AUTO",
     "  --at H:MM         the time of the daily or weekly clean\n"
     "  --day DAY         the day of the weekly clean, MON to SUN\n"
     "  --accept-warning  turn the first-clean warning off, as its tick box does;\n"
     "                    without it no task is made while the warning is pending\n",
     "vanbrisk-cli schedule weekly --day SUN --at 9:30 --accept-warning",
     "  0  done\n"
     "  1  schtasks.exe failed, or remove found no scheduled task\n"
     "  2  a usage error\n"
     "  3  refused: the first-clean warning would stop the task\n"},
    {"winapp2", "winapp2 check FILE",
     "read a rule file as the program would: its problems and its entries per list",
     "  FILE  a host file: a regular file of at most 16 MB\n",
     "vanbrisk-cli winapp2 check winapp2.ini",
     "  0  no problem\n"
     "  1  the file has problems, or cannot be read\n"
     "  2  a usage error\n"},
    {"policy", "policy templates DIR [LANGUAGES]",
     "write the Group Policy templates: DIR\\vanbrisk.admx and DIR\\CULTURE\\vanbrisk.adml",
     "  DIR        a host folder, made when missing\n"
     "  LANGUAGES  the host folder of English.lng, German.lng, French.lng and\n"
     "             Spanish.lng; the program's folder when left out\n",
     "vanbrisk-cli policy templates policies lang",
     "  0  written\n"
     "  1  a language file could not be read, or a file could not be written\n"
     "  2  a usage error\n"},
    {"help", "help [VERB]", "this help, or the help of one verb", "",
     "vanbrisk-cli help clean",
     "  0  shown\n"
     "  2  an unknown verb\n"},
};

// Each line of text with the prefix before it.
std::string Prefixed(const std::string& text, const std::string& first, const std::string& next) {
  std::istringstream lines(text);
  std::string out, line;
  for (bool isFirst = true; std::getline(lines, line); isFirst = false)
    out += (isFirst ? first : next) + line + "\n";
  return out;
}

}  // namespace

const VerbHelp* FindVerbHelp(const std::string& verb) {
  for (const VerbHelp& help : kVerbs)
    if (verb == help.verb) return &help;
  return nullptr;
}

bool IsHelpWord(const std::string& word) {
  return word == "--help" || word == "-h" || word == "/?";
}

std::string UsageLines(const std::string& verb) {
  const VerbHelp* help = FindVerbHelp(verb);
  return help ? Prefixed(help->usage, "usage: vanbrisk-cli ", "       vanbrisk-cli ") : "";
}

std::string VerbHelpText(const VerbHelp& help) {
  std::string text = UsageLines(help.verb) + "\n" + help.summary + "\n";
  if (*help.options) text += "\noptions:\n" + std::string(help.options);
  if (std::string(help.verb) == "run") text += "\n" + ScriptHelpText();
  text += "\nexample:\n  " + std::string(help.example) + "\n";
  return text + "\nexit status:\n" + help.exits;
}

std::string ProgramHelpText() {
  std::string text =
      "usage: vanbrisk-cli [--machine DIR] [--verbose|--quiet] VERB ...\n"
      "       vanbrisk-cli --version | --help | help VERB | VERB --help\n"
      "\n"
      "  --machine DIR  the emulated machine (default $VANBRISK_MACHINE, else one in\n"
      "                 the user's data folder, created on first use)\n"
      "  --verbose      the message boxes answered, on standard error\n"
      "  --quiet        the totals only\n"
      "\nverbs:\n";
  for (const VerbHelp& help : kVerbs)
    text += Prefixed(help.usage, "  ", "  ") + "      " + help.summary + "\n";
  return text +
         "\nexit status: 0 done, 1 error (a lost report included), 2 usage error,\n"
         "3 clean stopped by the first-clean warning or a No, nothing deleted\n";
}

}  // namespace vb::cli
