#include "cli/run_totals.h"

#include <cstdlib>

#include "cli/json_text.h"
#include "engine/number_format.h"

namespace vb::cli {

using engine::GroupedNumber;
using engine::SizeText;

std::string TotalsText(const engine::RunTally& tally) {
  return "Files: " + GroupedNumber(tally.files) + "  Size: " + SizeText(tally.bytes) + " (" +
         GroupedNumber(tally.bytes) + " bytes)\nRegistry keys: " +
         GroupedNumber(tally.registryKeys) + "  Registry values: " +
         GroupedNumber(tally.registryValues) + "\n" +
         (tally.databaseRows ? "Database rows: " + GroupedNumber(tally.databaseRows) + "\n" : "") +
         (tally.failed ? "Registry deletions failed: " + GroupedNumber(tally.failed) + "\n" : "");
}

std::string ActionJson(const engine::Action& a, win::DWORD codePage) {
  using engine::ActionKind;
  auto field = [codePage](const char* name, const std::string& text) {
    return "\"" + std::string(name) + "\": " + JsonString(text, codePage) + ", ";
  };
  auto number = [](const char* name, std::uint64_t n) {
    return "\"" + std::string(name) + "\": " + std::to_string(n) + ", ";
  };
  const char* done = a.made ? "deleted" : "listed";
  std::string head;
  switch (a.kind) {
    case ActionKind::kFile: head = field("path", a.path) + number("bytes", a.bytes); break;
    case ActionKind::kFolder:
      head = field("folder", a.path);
      done = "removed";
      break;
    case ActionKind::kAttributes:
      head = field("path", a.path);
      done = "attributes cleared";
      break;
    case ActionKind::kKey: head = field("key", a.path); break;
    case ActionKind::kValue: head = field("key", a.path) + field("value", a.name); break;
    case ActionKind::kCacheEntry: head = field("url", a.path); break;
    case ActionKind::kDatabaseRows:
      head = field("database", a.path) + "\"rows\": " + a.name + ", " + number("bytes", a.bytes);
      break;
    case ActionKind::kRecycleBin:
      head = "\"recycleBin\": true, \"items\": " + a.name + ", " + number("bytes", a.bytes);
      if (a.made) done = "emptied";
      break;
    case ActionKind::kRefused:
      head = field("target", a.path);
      return "{" + head + "\"action\": \"refused\", " + field("reason", a.name) + "\"source\": " +
             JsonString(a.source, codePage) + "}";
    case ActionKind::kFailed:
      head = field("key", a.path) + (a.value.empty() ? "" : field("value", a.value));
      return "{" + head + "\"action\": \"failed\", " + field("reason", a.name) + "\"source\": " +
             JsonString(a.source, codePage) + "}";
  }
  return "{" + head + "\"action\": \"" + done + "\", \"source\": " + JsonString(a.source, codePage) + "}";
}

std::string PlanLine(const engine::Action& a) {
  using engine::ActionKind;
  std::string what;
  std::string detail;
  switch (a.kind) {
    case ActionKind::kFile:
      what = "delete file";
      detail = GroupedNumber(a.bytes) + " bytes";
      break;
    case ActionKind::kFolder: what = "remove folder"; break;
    case ActionKind::kAttributes: what = "clear attributes"; break;
    case ActionKind::kKey: what = "delete key"; break;
    case ActionKind::kValue:
      what = "delete value";
      detail = a.name;
      break;
    case ActionKind::kCacheEntry: what = "delete cache entry"; break;
    case ActionKind::kDatabaseRows:
      what = "delete rows";
      detail = GroupedNumber(std::strtoull(a.name.c_str(), nullptr, 10)) + " rows, " +
               GroupedNumber(a.bytes) + " bytes";
      break;
    case ActionKind::kRecycleBin:
      what = "empty Recycle Bin";
      detail = a.name + " items, " + GroupedNumber(a.bytes) + " bytes";
      break;
    case ActionKind::kRefused:
      what = "refuse";
      detail = a.name;
      break;
    case ActionKind::kFailed:
      what = "failed to delete";
      detail = a.value.empty() ? a.name : a.value + ": " + a.name;
      break;
  }
  return what + "\t" + a.path + "\t" + detail + "\t" + a.source;
}

std::string SummaryJson(const std::string& verb, const engine::RunTally& tally, win::DWORD codePage,
                        const RunEnd& end) {
  std::string json = "{\"summary\": true, \"verb\": " + JsonString(verb, codePage) +
                     ", \"status\": " + JsonString(end.stopped ? "stopped" : "done", codePage);
  if (end.stopped) json += ", \"reason\": " + JsonString(end.reason, codePage);
  json += ", \"files\": " + std::to_string(tally.files) +
          ", \"bytes\": " + std::to_string(tally.bytes) +
          ", \"size\": " + JsonString(SizeText(tally.bytes), codePage) +
          ", \"folders\": " + std::to_string(tally.folders) +
          ", \"registryKeys\": " + std::to_string(tally.registryKeys) +
          ", \"registryValues\": " + std::to_string(tally.registryValues) +
          ", \"cacheEntries\": " + std::to_string(tally.cacheEntries) +
          ", \"databaseRows\": " + std::to_string(tally.databaseRows) +
          ", \"refused\": " + std::to_string(tally.refused) +
          ", \"failed\": " + std::to_string(tally.failed) + end.facts;
  if (end.withResults)
    json += ", \"results\": " + (end.results ? JsonString(*end.results, codePage) : std::string("null"));
  return json + "}";
}

}  // namespace vb::cli
