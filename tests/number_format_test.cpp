// The number texts of the results log.
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

TEST(FileLogLine, BytesUpTo1024ThenWholeKilobytesHalvesToEven) {
  EXPECT_EQ(FileLogLine("C:\\Temp\\a.log", 0), "C:\\Temp\\a.log 0 bytes");
  EXPECT_EQ(FileLogLine("C:\\Temp\\a.log", 512), "C:\\Temp\\a.log 512 bytes");
  EXPECT_EQ(FileLogLine("C:\\Temp\\a.log", 1024), "C:\\Temp\\a.log 1024 bytes");
  EXPECT_EQ(FileLogLine("C:\\Temp\\a.log", 1025), "C:\\Temp\\a.log 1 kb");
  EXPECT_EQ(FileLogLine("C:\\Temp\\b.log", 1536), "C:\\Temp\\b.log 2 kb");
  EXPECT_EQ(FileLogLine("C:\\Temp\\b.log", 2560), "C:\\Temp\\b.log 2 kb");
  EXPECT_EQ(FileLogLine("C:\\Temp\\b.log", 3000), "C:\\Temp\\b.log 3 kb");
  EXPECT_EQ(KilobyteFigure(3584), 4);  // 3.50 goes to the even 4
}

}  // namespace
}  // namespace vb::engine
