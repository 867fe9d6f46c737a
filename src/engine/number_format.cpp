#include "engine/number_format.h"

#include <cmath>
#include <cstdio>

namespace vb::engine {

std::string FormatFixed(double value, int decimals, const std::string& separator) {
  double scale = std::pow(10.0, decimals);
  double rounded = std::round(value * scale) / scale;
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, rounded);
  std::string out(text);
  if (auto dot = out.find('.'); dot != std::string::npos) out.replace(dot, 1, separator);
  return out;
}

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
  return FormatFixed(value, 1, ".") + " " + kUnits[unit];
}

std::string ElapsedText(std::int32_t t, const std::string& separator) {
  std::string n = std::to_string(t);
  if (t < 10) return "0.00" + n + " secs";
  if (t < 100) return "0.0" + n + " secs";
  if (t < 1000) return "0." + n + " secs";
  if (t == 1000) return "1.000 second";
  return FormatFixed(t / 1000.0, 3, separator) + " secs";
}

std::string RecycleBinSizeText(std::uint32_t sizeLow, std::uint32_t sizeHigh,
                               const std::string& separator) {
  if (sizeHigh != 0 || sizeLow >= 0x80000000u) return "Over 2.00 GB";
  double size = sizeLow;
  if (size > 1073741824.0) return FormatFixed(size / 1073741824.0, 2, separator) + " GB";
  if (size > 1048576.0) return FormatFixed(size / 1048576.0, 2, separator) + " MB";
  if (size > 1024.0) return FormatFixed(size / 1024.0, 2, separator) + " kb";
  return std::to_string(sizeLow) + " bytes";
}

std::int64_t KilobyteFigure(std::int64_t bytes) {
  // The two-decimal figure in hundredths, then rounded to a whole number with
  // halves to the even neighbour.
  auto hundredths = static_cast<std::int64_t>(std::llround(bytes * 100.0 / 1024.0));
  std::int64_t whole = hundredths / 100, rest = hundredths % 100;
  if (rest > 50 || (rest == 50 && whole % 2 != 0)) ++whole;
  return whole;
}

std::string FileLogLine(std::string_view folder, std::string_view name, std::int64_t bytes) {
  bool small = bytes <= 1024;
  std::string figure = std::to_string(small ? bytes : KilobyteFigure(bytes));
  std::string_view unit = small ? " bytes" : " kb";
  // Made to its exact length: a log holds one such line per file.
  std::string line;
  line.reserve(folder.size() + name.size() + 1 + figure.size() + unit.size());
  line.append(folder).append(name).append(1, ' ').append(figure).append(unit);
  return line;
}

}  // namespace vb::engine
