// The number texts of the results log.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vb::engine {

// A number with a fixed count of decimals, rounded half away from zero, with
// the user's decimal separator ("0.00" gives 2).
std::string FormatFixed(double value, int decimals, const std::string& separator);

// "1,234": the number with a comma between each group of three digits.
[[nodiscard]] std::string GroupedNumber(std::uint64_t number);

// "812 bytes", "1.5 KB", "56.7 MB", "2.0 GB" (units of 1024).
[[nodiscard]] std::string SizeText(std::uint64_t bytes);

// The run time: 7 ms "0.007 secs", 250 "0.250 secs", exactly 1000
// "1.000 second", 12345 "12.345 secs". Below 1000 ms the text always has a
// full stop; above, the user's separator.
[[nodiscard]] std::string ElapsedText(std::int32_t milliseconds, const std::string& separator);

// The size of the Recycle Bin: bytes, kb, MB or GB with two decimals, or
// "Over 2.00 GB" from 2147483648 bytes on.
[[nodiscard]] std::string RecycleBinSizeText(std::uint32_t sizeLow, std::uint32_t sizeHigh,
                               const std::string& separator);

// The whole kilobytes of a file's log line: size / 1024 shown with two
// decimals, then that text taken as a whole number, halves going to the even
// neighbour (1536 and 2560 bytes both give 2).
std::int64_t KilobyteFigure(std::int64_t bytes);

// The log line of a file: its path, a blank, then "N bytes" up to 1024 bytes,
// else "N kb"; the path given whole or as its folder (ending in "\") and name.
[[nodiscard]] std::string FileLogLine(std::string_view folder, std::string_view name,
                                      std::int64_t bytes);
[[nodiscard]] inline std::string FileLogLine(std::string_view path, std::int64_t bytes) {
  return FileLogLine(path, {}, bytes);
}

}  // namespace vb::engine
