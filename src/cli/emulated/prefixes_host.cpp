// prefixes: the Wine prefixes of the Linux user, each planned as 'plan'
// plans it, with the machine's own settings, and said to be in use while a
// wineserver runs for it.
#include <cstdlib>
#include <ostream>
#include <sstream>

#include "app/program.h"
#include "cli/json_text.h"
#include "cli/machine_verbs.h"
#include "cli/run_verbs.h"
#include "engine/number_format.h"
#include "platform/prefix/prefix_machine.h"
#include "platform/prefix/prefix_places.h"
#include "platform/prefix/wine_server.h"

namespace vb::cli {

namespace {

struct PrefixReport {
  prefix::FoundPrefix found;
  std::string user;
  pid_t server = 0;
  std::string error;  // why it could not be planned
  engine::RunTally totals;
};

PrefixReport Report(const prefix::FoundPrefix& found, VerbIo io) {
  PrefixReport report;
  report.found = found;
  report.server = prefix::RunningWineServer(found.folder);
  auto opened = prefix::PrefixMachine::Open(found.folder);
  if (!opened) {
    report.error = opened.message();
    return report;
  }
  report.user = (*opened)->User();
  app::Program program(**opened);
  std::ostringstream planErrors;
  VerbIo planIo{io.in, io.out, planErrors};
  if (PlanTotals(program, &(*opened)->Script(), planIo, &report.totals) != kExitOk) {
    report.error = planErrors.str();
    while (!report.error.empty() && report.error.back() == '\n') report.error.pop_back();
    if (report.error.empty()) report.error = "the plan could not run";
  }
  return report;
}

std::string Where(const prefix::FoundPrefix& found) {
  return found.name.empty() ? found.source : found.source + " " + found.name;
}

std::string Count(std::uint64_t n, const char* one, const char* many) {
  return engine::GroupedNumber(n) + " " + (n == 1 ? one : many);
}

std::string Line(const PrefixReport& r) {
  std::string line = Where(r.found) + "\t" + r.found.folder + "\t";
  if (!r.error.empty()) return line + "cannot be planned: " + r.error;
  line += engine::SizeText(r.totals.bytes) + "\t" + Count(r.totals.files, "file", "files") + "\t" +
          Count(r.totals.registryKeys + r.totals.registryValues, "registry entry",
                "registry entries");
  if (r.server != 0)
    line += "\tin use (wineserver" +
            (r.server > 0 ? " " + std::to_string(r.server) : std::string()) + ")";
  return line;
}

std::string Json(const PrefixReport& r) {
  auto text = [](const std::string& s) { return JsonString(s, platform::kCodePageUtf8); };
  std::string head = "{\"folder\": " + text(r.found.folder) + ", \"source\": " +
                     text(r.found.source) + ", \"name\": " + text(r.found.name);
  if (!r.error.empty()) return head + ", \"error\": " + text(r.error) + "}";
  auto number = [](std::uint64_t n) { return std::to_string(n); };
  return head + ", \"user\": " + text(r.user) + ", \"inUse\": " + (r.server ? "true" : "false") +
         ", \"server\": " + (r.server > 0 ? number(r.server) : "null") +
         ", \"files\": " + number(r.totals.files) + ", \"bytes\": " + number(r.totals.bytes) +
         ", \"size\": " + text(engine::SizeText(r.totals.bytes)) +
         ", \"folders\": " + number(r.totals.folders) +
         ", \"registryKeys\": " + number(r.totals.registryKeys) +
         ", \"registryValues\": " + number(r.totals.registryValues) +
         ", \"refused\": " + number(r.totals.refused) + "}";
}

}  // namespace

int RunPrefixesVerb(const std::vector<std::string>& args, VerbIo io) {
  bool json = false;
  for (const std::string& arg : args) {
    if (arg != "--json") {
      io.err << "prefixes: unknown argument " << arg << "\nusage: prefixes [--json]\n";
      return kExitUsage;
    }
    json = true;
  }
  auto env = [](const char* name) {
    const char* value = std::getenv(name);
    return std::string(value ? value : "");
  };
  std::uint64_t count = 0, bytes = 0;
  for (const prefix::FoundPrefix& found : prefix::FindPrefixes(env)) {
    PrefixReport report = Report(found, io);
    io.out << (json ? Json(report) : Line(report)) << "\n";
    ++count;
    bytes += report.totals.bytes;
  }
  if (json)
    io.out << "{\"summary\": true, \"verb\": \"prefixes\", \"prefixes\": " << count
           << ", \"bytes\": " << bytes
           << ", \"size\": " << JsonString(engine::SizeText(bytes), platform::kCodePageUtf8) << "}\n";
  else
    io.out << "Prefixes: " << engine::GroupedNumber(count) << "  Size: " << engine::SizeText(bytes)
           << " (" << engine::GroupedNumber(bytes) << " bytes)\n";
  return kExitOk;
}

}  // namespace vb::cli
