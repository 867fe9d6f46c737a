#include "cli/run_totals.h"

#include "cli/json_text.h"
#include "engine/number_format.h"

namespace vb::cli {

std::string GroupedNumber(std::uint64_t number) {
  std::string digits = std::to_string(number);
  std::string grouped;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
    grouped += digits[i];
  }
  return grouped;
}

std::string SizeText(std::uint64_t bytes) {
  if (bytes < 1024) return std::to_string(bytes) + " bytes";
  static constexpr const char* kUnits[] = {"KB", "MB", "GB", "TB"};
  double value = static_cast<double>(bytes) / 1024;
  int unit = 0;
  while (value >= 1024 && unit < 3) {
    value /= 1024;
    ++unit;
  }
  return engine::FormatFixed(value, 1, ".") + " " + kUnits[unit];
}

std::string TotalsText(const engine::RunTally& tally) {
  return "Files: " + GroupedNumber(tally.files) + "  Size: " + SizeText(tally.bytes) + " (" +
         GroupedNumber(tally.bytes) + " bytes)\nRegistry keys: " +
         GroupedNumber(tally.registryKeys) + "  Registry values: " +
         GroupedNumber(tally.registryValues) + "\n";
}

std::string FileJson(const std::string& path, std::uint64_t bytes, bool deleted) {
  return "{\"path\": " + JsonString(path) + ", \"bytes\": " + std::to_string(bytes) +
         ", \"action\": \"" + (deleted ? "deleted" : "listed") + "\"}";
}

std::string SummaryJson(const std::string& verb, const engine::RunTally& tally,
                        const std::string* results) {
  return "{\"summary\": true, \"verb\": " + JsonString(verb) +
         ", \"files\": " + std::to_string(tally.files) +
         ", \"bytes\": " + std::to_string(tally.bytes) +
         ", \"size\": " + JsonString(SizeText(tally.bytes)) +
         ", \"registryKeys\": " + std::to_string(tally.registryKeys) +
         ", \"registryValues\": " + std::to_string(tally.registryValues) +
         ", \"results\": " + (results ? JsonString(*results) : std::string("null")) + "}";
}

}  // namespace vb::cli
