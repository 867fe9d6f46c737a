#include "app/run_totals_caption.h"

#include "engine/number_format.h"

namespace vb::app {

namespace {

// The format with "%1" to "%9" replaced by the texts, in one pass from the
// left, so that a replacement is never read again.
std::string Fill(const std::string& format, std::initializer_list<std::string> texts) {
  std::string out;
  for (std::size_t i = 0; i < format.size(); ++i) {
    std::size_t n = i + 1 < format.size() ? static_cast<std::size_t>(format[i + 1] - '1') : 9;
    if (format[i] == '%' && n < texts.size()) {
      out += texts.begin()[n];
      ++i;
    } else {
      out += format[i];
    }
  }
  return out;
}

}  // namespace

std::string RunTotalsCaption(const engine::RunTally& run, const std::string& format,
                             const std::string& rowsFormat) {
  using engine::GroupedNumber;
  std::string caption = Fill(format, {GroupedNumber(run.files), engine::SizeText(run.bytes),
                                      GroupedNumber(run.registryKeys),
                                      GroupedNumber(run.registryValues)});
  if (run.databaseRows) caption += Fill(rowsFormat, {GroupedNumber(run.databaseRows)});
  return caption;
}

engine::RunTally TallySince(const engine::RunTally& now, const engine::RunTally& before) {
  engine::RunTally since;
  since.files = now.files - before.files;
  since.bytes = now.bytes - before.bytes;
  since.folders = now.folders - before.folders;
  since.registryKeys = now.registryKeys - before.registryKeys;
  since.registryValues = now.registryValues - before.registryValues;
  since.cacheEntries = now.cacheEntries - before.cacheEntries;
  since.databaseRows = now.databaseRows - before.databaseRows;
  since.refused = now.refused - before.refused;
  return since;
}

}  // namespace vb::app
