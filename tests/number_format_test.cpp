// The number texts of the results log. The file lines (bytes up to 1024, then
// whole kilobytes with halves to even) are checked where the removal tests log them.
#include <gtest/gtest.h>

#include "engine/number_format.h"

namespace vb::engine {
namespace {

TEST(ElapsedText, ShortTimesKeepAFullStopAndLongOnesTakeTheUsersSeparator) {
  const std::pair<int, const char*> cases[] = {
      {7, "0.007 secs"},    {9, "0.009 secs"},      {10, "0.010 secs"},     {99, "0.099 secs"},
      {100, "0.100 secs"},  {250, "0.250 secs"},    {999, "0.999 secs"},    {1000, "1.000 second"},
      {1001, "1.001 secs"}, {12345, "12.345 secs"},
  };
  for (auto [ms, text] : cases) EXPECT_EQ(ElapsedText(ms, "."), text) << ms;
  EXPECT_EQ(ElapsedText(999, ","), "0.999 secs");
  EXPECT_EQ(ElapsedText(1000, ","), "1.000 second");
  EXPECT_EQ(ElapsedText(1001, ","), "1,001 secs");
  EXPECT_EQ(ElapsedText(12345, ","), "12,345 secs");
}

TEST(RecycleBinSizeText, PicksTheUnitAboveEachLimit) {
  EXPECT_EQ(RecycleBinSizeText(0, 0, "."), "0 bytes");
  EXPECT_EQ(RecycleBinSizeText(1024, 0, "."), "1024 bytes");
  EXPECT_EQ(RecycleBinSizeText(1025, 0, "."), "1.00 kb");
  EXPECT_EQ(RecycleBinSizeText(1048576, 0, "."), "1024.00 kb");
  EXPECT_EQ(RecycleBinSizeText(1572864, 0, "."), "1.50 MB");
  EXPECT_EQ(RecycleBinSizeText(1572864, 0, ","), "1,50 MB");
  EXPECT_EQ(RecycleBinSizeText(1073741824, 0, "."), "1024.00 MB");
  EXPECT_EQ(RecycleBinSizeText(1610612736, 0, "."), "1.50 GB");
  EXPECT_EQ(RecycleBinSizeText(0x80000000u, 0, "."), "Over 2.00 GB");
  EXPECT_EQ(RecycleBinSizeText(5, 1, "."), "Over 2.00 GB");
}

}  // namespace
}  // namespace vb::engine
