// The diagnostics report: a plain-text description of the system, the
// browsers and some of the applications in the main window's lists, every
// line a fixed label and one or two registry values (or a memory figure).
#pragma once

#include <array>
#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "platform/platform.h"
#include "toolkit/controls.h"

namespace vb::tools {

// A registry string value the report shows.
struct ReportValue {
  win::HKEY root;
  const char* key;
  const char* name;
};

enum class LineFigure { kValues, kTotalMemory, kAvailableMemory };

struct ReportLine {
  const char* label;
  // Shown one after the other, with the separator between them. Two sources
  // of one fact (the NT key, then the older key) are run together: on any one
  // system usually only one of them exists.
  std::vector<ReportValue> values = {};
  const char* separator = "";
  // Only when the first value, read as a plain string, is not empty.
  bool conditional = false;
  LineFigure figure = LineFigure::kValues;
};

// The fixed lines, from the blank first line to the dashes under "Software".
const std::vector<ReportLine>& SystemLines();

// The lines an application entry adds when its text is in its list.
struct ApplicationLines {
  catalogue::AppList list;
  std::vector<const char*> texts;  // compared exactly
  std::vector<ReportLine> lines;
};
// In the order the lists are walked: Utilities, Internet, Applications,
// Multimedia.
const std::vector<ApplicationLines>& ApplicationReportLines();

using AppListBoxes = std::array<const toolkit::ListBox*, catalogue::kAppListCount>;

// The report, one entry per line. Each entry of a walked list adds the lines
// of every rule whose text it is, whether or not it is checked; an entry
// listed twice adds them twice.
std::vector<std::string> DiagnosticsReport(platform::Platform& platform, const AppListBoxes& lists);

// The lines joined, each followed by CR LF.
std::string ReportText(const std::vector<std::string>& lines);

}  // namespace vb::tools
